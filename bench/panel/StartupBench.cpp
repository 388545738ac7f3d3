// Start-up to a fully read-back 36-channel panel against pulsesim --pace at 115200 baud,
// as a ratio of the floor the protocol sets: the 500 ms launch delay, the 30 ms pause
// before every exchange and the bytes on the wire (10 bits per byte). Target: <= 1.10.
#include "Exchange.h"
#include "SimPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <clocale>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int Baud = 115200;
constexpr double LaunchMs = 500.0;

struct TFloor {
    int Exchanges = 0;
    qint64 Bytes = 0;
    // From the simulator's clock: time between a reply and the next line beyond the pause,
    // i.e. what the program spends between exchanges (parsing, filling controls, tabs).
    double GapsOverPauseMs = 0;
    double LargestGapMs = 0;
    // The program's lines reach the simulator at once through the pty; only replies are
    // paced. Their share of the floor is time the run does not actually have to spend.
    qint64 CommandBytes = 0;
    double Ms() const { return LaunchMs + Exchanges * double(TExchange::PauseMs) + WireMs(Bytes); }
    static double WireMs(qint64 bytes) { return bytes * 10.0 * 1000.0 / Baud; }
};

TFloor FloorOf(const QList<TSimTranscriptEntry> &transcript) {
    TFloor floor;
    double lastReply = -1;
    for (const TSimTranscriptEntry &e : transcript) {
        if (e.Kind == "RX") {
            if (lastReply >= 0) {
                const double gap = (e.Seconds - lastReply) * 1000.0 - TExchange::PauseMs;
                floor.GapsOverPauseMs += gap;
                floor.LargestGapMs = qMax(floor.LargestGapMs, gap);
            }
            ++floor.Exchanges;
            floor.Bytes += e.Text.size() + 2; // CR LF
            floor.CommandBytes += e.Text.size() + 2;
        } else if (e.Kind == "TX") {
            floor.Bytes += e.Text.size() + 2;
            // Stamped when the reply starts to go out: its wire time is in the floor
            // already, so the gap starts once its last byte has left.
            lastReply = e.Seconds + TFloor::WireMs(e.Text.size() + 2) / 1000.0;
        }
    }
    return floor;
}

double RunOnce(TFloor &floor) {
    TSimPanel p;
    TSimLaunch launch;
    launch.Model = "6180-36";
    launch.Baud = Baud;
    launch.ExtraArgs = {"--pace"};
    p.AddSim(launch);
    p.Create();
    QEventLoop loop;
    QElapsedTimer clock;
    double elapsed = 0;
    // Connected after the window's own handler, so it runs once the read-back has ended.
    QObject::connect(&p.Form->LaunchTimer, &QTimer::timeout, &loop, [&] {
        elapsed = clock.nsecsElapsed() / 1e6;
        loop.quit();
    });
    clock.start();
    if (!p.Start()) {
        std::printf("start-up failed\n");
        return 0;
    }
    loop.exec();
    floor = FloorOf(p.Sim(0).Transcript());
    return elapsed;
}

} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::printf("Start-up to a read-back 36-channel panel, pulsesim --pace at %d baud\n", Baud);
    double best = 0;
    for (int run = 1; run <= 3; ++run) {
        TFloor floor;
        const double ms = RunOnce(floor);
        const double ratio = ms / floor.Ms();
        std::printf("  run %d: %.0f ms; floor %.0f ms (%d exchanges, %lld bytes); ratio %.3f\n",
                    run, ms, floor.Ms(), floor.Exchanges, static_cast<long long>(floor.Bytes),
                    ratio);
        std::printf(
            "         between exchanges beyond the pause: %.0f ms in all, largest %.0f ms\n",
            floor.GapsOverPauseMs, floor.LargestGapMs);
        std::printf("         unpaced command bytes in the floor: %.0f ms\n",
                    TFloor::WireMs(floor.CommandBytes));
        if (best == 0 || ratio < best)
            best = ratio;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("best ratio %.3f (target <= 1.10); peak resident memory %ld KiB\n", best,
                usage.ru_maxrss);
    return 0;
}
