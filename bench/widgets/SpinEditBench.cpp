// Time for one repaint and one step of a spin edit with 12 decimals and grouping.
#include "PlusSpinEdit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr int Rounds = 2000;

double MicrosecondsPer(int rounds, const std::function<void()> &work) {
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i)
        work();
    return clock.nsecsElapsed() / 1000.0 / rounds;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    TPlusSpinEdit edit;
    edit.setDecimals(12);
    edit.setIncrement(1e-8);
    edit.setMaxValue(10);
    edit.setMinValue(0);
    edit.setValue(1.234567891234);
    edit.setThousandSeparator(QLatin1Char(','));
    int changes = 0;
    edit.OnChange = [&](TPlusSpinEdit *) { ++changes; };
    edit.show();
    app.processEvents();

    QImage target(edit.size(), QImage::Format_ARGB32_Premultiplied);
    const double paintUs = MicrosecondsPer(Rounds, [&] { edit.render(&target); });
    const double stepUs =
        MicrosecondsPer(Rounds, [&] { edit.setValue(edit.Value() + edit.Increment()); });
    const double stepAndPaintUs = MicrosecondsPer(Rounds, [&] {
        edit.setValue(edit.Value() - edit.Increment());
        edit.render(&target);
    });

    // Building many controls, as the main window does for its channel tabs.
    QWidget page;
    std::vector<TPlusSpinEdit *> clones;
    const double cloneUs = MicrosecondsPer(500, [&] {
        auto *c = new TPlusSpinEdit(&page);
        c->setAutoSize(edit.AutoSize());
        c->setBorderStyle(edit.BorderStyle());
        c->setDecimals(edit.Decimals());
        c->setIncrement(edit.Increment());
        c->setMaxValue(edit.MaxValue());
        c->setMinValue(edit.MinValue());
        c->setValue(edit.Value());
        c->setThousandSeparator(edit.ThousandSeparator());
        clones.push_back(c);
    });

    std::printf("spin edit, 12 decimals with grouping (%s), %d rounds each\n",
                qPrintable(edit.Text()), Rounds);
    std::printf("  repaint          %8.1f us  (target well under 1000 us)\n", paintUs);
    std::printf("  step             %8.1f us  (target well under 1000 us)\n", stepUs);
    std::printf("  step + repaint   %8.1f us\n", stepAndPaintUs);
    std::printf("  build a clone    %8.1f us  (500 clones)\n", cloneUs);
    std::printf("  OnChange raised  %d times\n", changes);
    return 0;
}
