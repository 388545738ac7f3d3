// Start-up to a fully read-back 36-channel panel against pulsesim --pace at 115200 baud,
// as a ratio of the floor the protocol sets: the 500 ms launch delay, the 30 ms pause
// before every exchange and the bytes on the wire (10 bits per byte). Target: <= 1.10.
// --gaps prints the time between every reply and the next line.
#include "Exchange.h"
#include "SimPanel.h"
#include "TestApplication.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Baud = 115200;
constexpr double LaunchMs = 500.0;
bool PrintGaps = false; // --gaps: one line per exchange

struct TFloor {
    int Exchanges = 0;
    qint64 Bytes = 0;
    // The program's lines reach the simulator at once through the pty; only replies are
    // paced. Their share of the floor is time the run does not actually have to spend.
    qint64 CommandBytes = 0;
    double Ms() const { return LaunchMs + Exchanges * double(TExchange::PauseMs) + WireMs(Bytes); }
    static double WireMs(qint64 bytes) { return bytes * 10.0 * 1000.0 / Baud; }
};

// From the simulator's clock: time between a reply and the next line beyond the pause, i.e.
// what the program spends between exchanges (parsing, filling controls). The one gap that
// holds the launch delay (and the channel tabs built after it) is kept apart.
struct TGaps {
    double LaunchOverDelayMs = 0;
    double OverPauseMs = 0;
    double LargestMs = 0;
};

TFloor FloorOf(const QList<TSimTranscriptEntry> &transcript, TGaps &gaps) {
    TFloor floor;
    gaps = {};
    double lastReply = -1;
    for (const TSimTranscriptEntry &e : transcript) {
        if (e.Kind == "RX") {
            if (lastReply >= 0) {
                const double gap = (e.Seconds - lastReply) * 1000.0 - TExchange::PauseMs;
                if (PrintGaps)
                    std::printf("    gap %6.2f ms before %s\n", gap, e.Text.constData());
                if (gap >= LaunchMs) {
                    gaps.LaunchOverDelayMs = gap - LaunchMs;
                } else {
                    gaps.OverPauseMs += gap;
                    gaps.LargestMs = qMax(gaps.LargestMs, gap);
                }
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

// Time the host took from this virtual machine's processors, per processor, in ms. On a
// shared host it shows up as late wake-ups on both sides of the pty.
double StolenMsPerCpu() {
    QFile stat("/proc/stat");
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readLine().simplified().split(' ');
    if (fields.size() < 9 || fields[0] != "cpu")
        return 0;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    const long cpus = qMax(1L, sysconf(_SC_NPROCESSORS_ONLN));
    return fields[8].toDouble() * 1000.0 / double(ticksPerSecond) / double(cpus);
}

double RunOnce(TFloor &floor, TGaps &gaps) {
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
    QObject::connect(&p.Form->Session().LaunchTimer, &QTimer::timeout, &loop, [&] {
        elapsed = clock.nsecsElapsed() / 1e6;
        loop.quit();
    });
    clock.start();
    if (!p.Start()) {
        std::printf("start-up failed\n");
        return 0;
    }
    loop.exec();
    floor = FloorOf(p.Sim(0).Transcript(), gaps);
    return elapsed;
}

} // namespace

int main(int argc, char **argv) {
    TTestApplication app(argc, argv);
    PrintGaps = QCoreApplication::arguments().contains("--gaps");
    std::printf("Start-up to a read-back 36-channel panel, pulsesim --pace at %d baud\n", Baud);
    constexpr int Runs = 5;
    std::vector<double> ratios;
    for (int run = 1; run <= Runs; ++run) {
        TFloor floor;
        TGaps gaps;
        const double stolenBefore = StolenMsPerCpu();
        const double ms = RunOnce(floor, gaps);
        const double stolen = StolenMsPerCpu() - stolenBefore;
        const double ratio = ms / floor.Ms();
        ratios.push_back(ratio);
        std::printf("  run %d: %.0f ms; floor %.0f ms (%d exchanges, %lld bytes); ratio %.3f\n",
                    run, ms, floor.Ms(), floor.Exchanges, static_cast<long long>(floor.Bytes),
                    ratio);
        std::printf("         launch delay overrun (channel tabs built there): %.0f ms\n",
                    gaps.LaunchOverDelayMs);
        std::printf("         other gaps beyond the pause: %.0f ms in all, largest %.1f ms\n",
                    gaps.OverPauseMs, gaps.LargestMs);
        std::printf("         unpaced command bytes in the floor: %.0f ms; taken by the host: "
                    "%.0f ms per processor\n",
                    TFloor::WireMs(floor.CommandBytes), stolen);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("ratio best %.3f, median %.3f (target <= 1.10)\n", ratios.front(),
                ratios[ratios.size() / 2]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld KiB\n", usage.ru_maxrss);
    return 0;
}
