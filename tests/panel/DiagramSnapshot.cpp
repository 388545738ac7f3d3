// Draws the timing diagram window for N channels of example settings into a PNG, and
// optionally exports the whole period as the program does:
//   diagram_snapshot N window.png [export.png|export.svg]
#include "DiagramExport.h"
#include "ScriptedPrompts.h"
#include "TimingDiagramForm.h"
#include "TimingDiagramView.h"

#include <QApplication>
#include <QPixmap>
#include <clocale>
#include <cstdio>

namespace {

// A laser-shot style sequence: a trigger chain, a burst, a duty-cycle channel, one
// channel disabled, one whose pulse runs past the period and one off the step grid.
Diagram::TDiagramSnapshot Example(int channels) {
    Instrument::TSystemSettings system;
    system.Period = 10e-6;
    Instrument::TChannelSettingsArray ch{};
    for (int n = 1; n <= channels; ++n) {
        auto &c = ch[size_t(n)];
        c.Enabled = 1;
        c.Delay = (n - 1) * 250e-9;
        c.Width = 500e-9 + (n % 4) * 250e-9;
        c.BurstCount = c.DutyOnCount = c.DutyOffCount = 1;
        c.MuxMask = 1 << ((n - 1) % 4);
    }
    ch[2] = {1, 1.5e-6, 2e-6, 0, 1, 1, 1, 0, 0, 0, 5.0, 3, 0, 1, 0, 0, 0, 0, 0, 0};
    ch[3].Mode = 2;
    ch[3].BurstCount = 5;
    ch[3].SyncSource = 2;
    ch[3].Delay = 1e-6;
    ch[4].Polarity = 1;
    ch[4].Mode = 3;
    ch[4].DutyOnCount = 3;
    ch[4].DutyOffCount = 2;
    ch[5].Enabled = 0;
    ch[6].Delay = 8.5e-6;
    ch[6].Width = 2.5e-6;
    if (channels > 6) {
        ch[7].SyncSource = 3;
        ch[8].Delay = 3.0001e-6;
    }
    return Diagram::MakeSnapshot(system, ch, channels, Instrument::ChooseValueRanges(channels));
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    if (argc < 3) {
        std::fprintf(stderr, "usage: diagram_snapshot channels window.png [export.png|.svg]\n");
        return 2;
    }
    const Diagram::TDiagramSnapshot snapshot = Example(QString(argv[1]).toInt());
    TScriptedPrompts prompts;
    TTimingDiagramForm form([&] { return snapshot; }, prompts);
    form.show();
    app.processEvents();
    if (!form.grab().save(argv[2]))
        return 1;
    if (argc < 4)
        return 0;
    const QString out = argv[3];
    const auto format =
        out.endsWith(".svg") ? Diagram::TExportFormat::Svg : Diagram::TExportFormat::Png;
    const QString error = Diagram::ExportDiagram(
        out, format, form.View->Scene(), Diagram::WholePeriodAxis(form.View->Scene(), 900), 900);
    if (!error.isEmpty())
        std::fprintf(stderr, "%s\n", qPrintable(error));
    return error.isEmpty() ? 0 : 1;
}
