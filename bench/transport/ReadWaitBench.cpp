// A Read that waits 500 ms for its reply, with and without event processing: the CPU the
// waiting thread uses as a share of one core, and the delay from the reply's terminator
// reaching the line to Read returning.

#include "PtyPeer.h"
#include "VKComPort.h"

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

using TClock = TPtyPeer::TClock;

double ThreadCpuSeconds() {
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

void Measure(TPtyPeer &peer, TVKComPort &port, bool allowEvents, int rounds) {
    port.setAllowEvents(allowEvents);
    std::vector<double> delaysMs;
    double cpu = 0, wall = 0;
    int failures = 0;
    for (int i = 0; i < rounds; ++i) {
        port.Flush();
        peer.SendLater("6180-36,REPLY\r", 500);
        const auto start = TClock::now();
        const double cpuStart = ThreadCpuSeconds();
        const QByteArray reply = port.Read();
        const double cpuEnd = ThreadCpuSeconds();
        const auto end = TClock::now();
        peer.WaitUntilIdle(2000);
        if (reply != "6180-36,REPLY\r") {
            ++failures;
            continue;
        }
        cpu += cpuEnd - cpuStart;
        wall += std::chrono::duration<double>(end - start).count();
        delaysMs.push_back(
            std::chrono::duration<double, std::milli>(end - peer.LastWriteBegun()).count());
    }
    std::printf("%-22s rounds %d  failed %d  cpu %.2f %% of one core (target <= 2 %%)  "
                "terminator->return median %.3f ms, max %.3f ms (target median <= 1 ms)\n",
                allowEvents ? "with AllowEvents" : "without AllowEvents", rounds, failures,
                wall > 0 ? 100.0 * cpu / wall : 0.0, Median(delaysMs),
                delaysMs.empty() ? 0.0 : *std::max_element(delaysMs.begin(), delaysMs.end()));
}

} // namespace

int main(int argc, char **argv) {
    return TPtyPeer::RunBench(argc, argv, [&](TPtyPeer &peer) {
        TVKComPort port;
        port.setPortsDirectory(peer.PortsDir());
        port.setShowErrors(false);
        port.setBaud(115200);
        port.setEndOfResponse("#13");
        port.setResponseTime(4500);
        if (!port.Open()) {
            std::printf("cannot open %s\n", qPrintable(peer.SlavePath()));
            return 0;
        }
        bool ok = false;
        const int asked = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt(&ok) : 0;
        const int rounds = ok && asked > 0 && asked <= 1000 ? asked : 10;
        // Keep a timer running, as the program's status timer would be during a wait.
        QTimer status;
        status.start(1000);
        Measure(peer, port, false, rounds);
        Measure(peer, port, true, rounds);
        return 0;
    });
}
