// Latency from a user change to its command on the wire, and the throughput of a queue of
// 1,000 commands, against pulsesim at 115200 baud. Prints its figures, never fails.
//
// Floors: a change waits for the next 5 ms task tick, the exchange's 30 ms pause and the
// command's bytes on the wire; each queued command costs the pause plus the command and
// its reply ("ok" CR LF) on the wire.
#include "PlusSpinEdit.h"
#include "SimPanel.h"
#include "TestApplication.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double Baud = 115200;
constexpr double TickMs = 5;
constexpr double PauseMs = 30;

double WireMs(int bytes) {
    return bytes * 10.0 * 1000.0 / Baud; // start + 8 data + stop bits
}

bool LastEchoEndsWith(const TMainForm &form, const QString &text) {
    const QTextDocument *doc = form.ResponseList->document();
    for (QTextBlock b = doc->lastBlock(); b.isValid(); b = b.previous())
        if (b.text().endsWith(") " + text))
            return true;
    return false;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void BenchLatency(TMainForm &form) {
    std::vector<double> samples;
    QString command;
    for (int i = 1; i <= 30; ++i) {
        QTest::qWait(20); // the task timer idles between changes, as between user actions
        command = QString(":PULS1:WCO %1").arg(i);
        QElapsedTimer clock;
        clock.start();
        form.ChWaitCountAdj[1]->setValue(i);
        // The exchange echoes a command right after writing it.
        if (!QTest::qWaitFor([&] { return LastEchoEndsWith(form, command); }, 5000))
            break;
        samples.push_back(clock.nsecsElapsed() / 1e6);
        (void)QTest::qWaitFor([&] { return !form.Session().State.TaskBusy; }, 5000);
    }
    if (samples.empty()) {
        std::printf("latency: no command reached the wire\n");
        return;
    }
    const double floor = TickMs + PauseMs + WireMs(command.size() + 2);
    std::printf("latency change -> wire: median %.1f ms, max %.1f ms; floor %.1f ms; ratio %.2f "
                "(target <= 1.2)\n",
                Median(samples), *std::max_element(samples.begin(), samples.end()), floor,
                Median(samples) / floor);
}

void BenchThroughput(TMainForm &form) {
    constexpr int Count = 1000;
    double floor = TickMs;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= Count; ++i) {
        const QString command = QString(":PULS2:WCO %1").arg(i);
        floor += PauseMs + WireMs(command.size() + 2) + WireMs(4);
        form.QueuedCommandToPort(command);
    }
    const bool done = QTest::qWaitFor(
        [&] {
            return form.Session().State.PendingCommands.isEmpty() && !form.Session().State.TaskBusy;
        },
        120000);
    const double ms = clock.nsecsElapsed() / 1e6;
    std::printf("queue of %d commands: %s in %.0f ms (%.1f commands/s); floor %.0f ms; ratio "
                "%.2f\n",
                Count, done ? "sent" : "NOT all sent", ms, Count * 1000.0 / ms, floor, ms / floor);
}

} // namespace

int main(int argc, char **argv) {
    TTestApplication app(argc, argv);
    TSimPanel panel;
    TSimLaunch launch;
    launch.Baud = static_cast<int>(Baud);
    launch.ExtraArgs = {"--pace"};
    panel.AddSim(launch);
    if (!panel.StartAndLaunch()) {
        std::printf("no instrument found\n");
        return 0;
    }
    TMainForm &form = *panel.Form;
    form.Session().StatusTimer.stop(); // polls would only add noise
    BenchLatency(form);
    BenchThroughput(form);
    form.Session().TaskTimer.stop();
    return 0;
}
