// Round trip of SendQuery and SendCommand over a pseudo-terminal with an instantly
// answering peer, against the floor of the 30 ms pause each exchange makes; and the CPU
// used meanwhile. Prints its figures; never fails.
#include "AppControl.h"
#include "CommLog.h"
#include "Exchange.h"
#include "LinkState.h"
#include "LogMenu.h"
#include "PtyPeer.h"
#include "ScriptedPrompts.h"
#include "TerminalEcho.h"
#include "VKComPort.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

struct TNoTerminal : TTerminalEcho {
    void AppendLine(const QString &, TRgb) override {}
    void Clear() override {}
};
struct TNoApp : TAppControl {
    bool RestartApp() override { return true; }
    void ExitApp() override {}
    void StopStatusTimer() override {}
    void StartStatusTimer() override {}
};
struct TNoMenu : TLogMenu {
    void SetLoggingChecked(bool) override {}
};

double CpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

template <typename F> void Measure(const char *what, int count, F exchange) {
    QList<double> ms;
    const double cpu0 = CpuSeconds();
    QElapsedTimer all;
    all.start();
    for (int i = 0; i < count; ++i) {
        QElapsedTimer t;
        t.start();
        exchange();
        ms << t.nsecsElapsed() / 1e6;
    }
    const double wall = all.nsecsElapsed() / 1e9;
    const double cpu = CpuSeconds() - cpu0;
    std::sort(ms.begin(), ms.end());
    const double floor = double(TExchange::PauseMs);
    std::printf("%-28s median %.2f ms (floor %.0f ms, ratio %.3f), max %.2f ms, CPU %.1f %% of "
                "one core\n",
                what, ms[ms.size() / 2], floor, ms[ms.size() / 2] / floor, ms.last(),
                100.0 * cpu / wall);
}

} // namespace

int main(int argc, char **argv) {
    return TPtyPeer::RunBench(argc, argv, [&](TPtyPeer &peer) {
        peer.SetResponder([](const QByteArray &) { return QByteArray("1234\r"); });
        QTemporaryDir dir;
        TScriptedPrompts prompts;
        TNoMenu menu;
        TNoTerminal terminal;
        TNoApp control;
        TLinkState state;
        TCommLog log(prompts, menu, QStringLiteral("bench"), QDateTime::currentDateTime(),
                     dir.path());
        TVKComPort port;
        port.setPortsDirectory(peer.PortsDir());
        port.setPort(1);
        port.setBaud(115200);
        port.setEndOfResponse("#13");
        port.setShowErrors(false);
        port.setResponseTime(4000);
        TExchange exchange(port, state, log, terminal, control, prompts);
        const int count = 60;
        port.setAllowEvents(false);
        Measure("SendQuery, events off", count, [&] { exchange.QueryInteger(":COUN:COUN"); });
        port.setAllowEvents(true);
        Measure("SendQuery, events on", count, [&] { exchange.QueryInteger(":COUN:COUN"); });
        log.ToggleLoggingState();
        Measure("SendCommand, logging on", count, [&] { exchange.SendCommand(":PULS1:STAT ON"); });
        return 0;
    });
}
