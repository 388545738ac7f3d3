// Redraw of the timing diagram, 36 channels, at several zooms: the median and worst time
// of one frame as the window draws it, against the 16 ms of a frame. Also the per-frame
// snapshot and comparison the window makes while it is open.
#include "DiagramPainter.h"
#include "DiagramScene.h"
#include "DiagramSnapshot.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Diagram;

namespace {

constexpr int Frames = 60;
constexpr double FrameMs = 16.0;
const QSize ViewSize(1400, 760); // the window's drawing area at its usual size

TDiagramSnapshot Busy36() {
    Instrument::TSystemSettings system;
    system.Period = 1e-3;
    Instrument::TChannelSettingsArray ch{};
    for (int n = 1; n <= 36; ++n) {
        auto &c = ch[size_t(n)];
        c.Enabled = n % 7 ? 1 : 0;
        c.Delay = n * 25e-6;
        c.Width = (n % 5 + 1) * 10e-6 + 2.5e-10;
        c.Mode = n % 4;
        c.BurstCount = c.DutyOnCount = c.DutyOffCount = n % 3;
        c.Polarity = n % 2;
        c.MuxMask = n % 32;
        c.SyncSource = n % 9 == 0 ? 1 : 0;
    }
    return MakeSnapshot(system, ch, 36, Instrument::ChooseValueRanges(36));
}

struct TFigures {
    double Median, Worst;
};

// One frame first, untimed: fonts and glyph caches load once per process.
template <class F> TFigures Time(F &&frame) {
    frame(0);
    std::vector<double> ms;
    for (int i = 0; i < Frames; ++i) {
        QElapsedTimer t;
        t.start();
        frame(i);
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const TDiagramSnapshot snapshot = Busy36();
    const TDiagramScene scene = BuildScene(snapshot);
    const TRowLayout layout;
    const int plot = ViewSize.width() - layout.LabelWidth;
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);

    struct TZoom {
        const char *Name;
        TTimeAxis Axis;
    };
    std::vector<TZoom> zooms;
    TTimeAxis axis;
    axis.Fit(0, snapshot.Period, plot, 0.02);
    zooms.push_back({"whole period (1 ms)", axis});
    axis.Fit(0, 10 * snapshot.Period, plot);
    zooms.push_back({"ten periods", axis});
    axis.Fit(200e-6, 300e-6, plot);
    zooms.push_back({"100 us", axis});
    axis.Fit(500e-6, 500e-6 + 1e-9, plot);
    zooms.push_back({"1 ns (edge detail)", axis});
    zooms.push_back({"1 ps a pixel", TTimeAxis(400e-6, TTimeAxis::MinSecondsPerPixel)});
    zooms.push_back({"100 s a pixel", TTimeAxis(-1.0, TTimeAxis::MaxSecondsPerPixel)});

    std::printf("Timing diagram redraw, 36 channels, %dx%d view, %d frames each\n",
                ViewSize.width(), ViewSize.height(), Frames);
    for (const TZoom &z : zooms) {
        const TDiagramPainter painter(scene, z.Axis, layout);
        const TFigures f = Time([&](int i) {
            QPainter p(&image);
            painter.Paint(p, ViewSize, (i % 2) * 300); // scrolled half the frames
        });
        std::printf("  %-22s median %6.2f ms  worst %6.2f ms  (%.0f%% of a %g ms frame)\n", z.Name,
                    f.Median, f.Worst, 100 * f.Median / FrameMs, FrameMs);
    }

    // While open the window takes a snapshot every frame and compares it with the last.
    Instrument::TSystemSettings system;
    Instrument::TChannelSettingsArray ch{};
    const TFigures poll = Time([&](int i) {
        for (int k = 0; k < 1000; ++k) {
            ch[1].Delay = (i + k) * 1e-9;
            const TDiagramSnapshot s = MakeSnapshot(system, ch, 36, {});
            if (s == snapshot)
                std::puts("");
        }
    });
    std::printf("  snapshot + compare   median %6.4f ms a frame\n", poll.Median / 1000);
    const TFigures rebuild = Time([&](int) { (void)BuildScene(snapshot); });
    std::printf("  scene rebuild        median %6.3f ms after a change\n", rebuild.Median);
    return 0;
}
