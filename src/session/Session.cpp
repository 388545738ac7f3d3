#include "Session.h"

#include "CommandQueue.h"
#include "Commands.h"
#include "ConversionError.h"
#include "Discovery.h"
#include "Prompts.h"

using namespace Instrument;

const char *const TSession::PortGoneMessage = "Port no longer available, restart?";

namespace {

const char *const DemoModeMessage = "Entering Demo Mode";
constexpr qint32 ManualBaud = 115200;
constexpr int LaunchRetryMs = 5;

} // namespace

// Used where the surroundings give no interface: nothing is echoed or ticked, and the
// end of the program is the end of the session.
struct TSession::TQuietSurroundings : TTerminalEcho, TAppControl, TLogMenu {
    explicit TQuietSurroundings(TSession &session) : Session(session) {}
    void AppendLine(const QString &, TRgb) override {}
    void Clear() override {}
    void SetLoggingChecked(bool) override {}
    bool RestartApp() override { return false; }
    void ExitApp() override { Session.EnterEnding(); }
    void StopStatusTimer() override { Session.PortRule.SwitchStatusTimerOff(); }
    void StartStatusTimer() override { Session.PortRule.SwitchStatusTimerOn(); }
    TSession &Session;
};

TSession::TSession(TPrompts &prompts, const TSessionSetup &setup)
    : Prompts(prompts), FQuiet(std::make_unique<TQuietSurroundings>(*this)),
      FTerminal(setup.Terminal ? *setup.Terminal : *FQuiet), FApp(setup.App ? *setup.App : *FQuiet),
      CommLog(prompts, setup.LogMenu ? *setup.LogMenu : *FQuiet,
              TCommLog::UserNameFromEnvironment(), QDateTime::currentDateTime(),
              setup.LogDirectory),
      Exchange(ComPort, State.Link, CommLog, FTerminal, FApp, prompts),
      PortRule(State, ComPort, StatusTimer, TaskTimer) {
    // No terminator until a connection sets one: demo mode keeps this port, whose reads
    // return at once with whatever has arrived.
    ComPort.setObjectName("ComPort");
    ComPort.setPort(1);
    ComPort.setBaud(115200);
    ComPort.setPrompts(&Prompts);
    ComPort.setPortsDirectory(setup.PortsDirectory);
    Exchange.AttachTimeoutHandler();

    LaunchTimer.setObjectName("LaunchTimer");
    LaunchTimer.setSingleShot(true);
    LaunchTimer.setInterval(500);
    LaunchTimer.setTimerType(Qt::PreciseTimer); // a coarse one may fire 25 ms late
    StatusTimer.setObjectName("StatusTimer");
    StatusTimer.setInterval(1000);
    TaskTimer.setObjectName("TaskTimer");
    TaskTimer.setInterval(5);

    Queue = new TCommandQueue(*this);
    connect(&LaunchTimer, &QTimer::timeout, this, [this] { Guarded([this] { LaunchTick(); }); });
    connect(&StatusTimer, &QTimer::timeout, this, &TSession::StatusTick);
    connect(&TaskTimer, &QTimer::timeout, Queue, &TCommandQueue::TaskTimerTimer);
}

TSession::~TSession() {
    // The port outlives nothing that could still call into the exchange.
    ComPort.OnTimeout = nullptr;
}

void TSession::SetView(TSessionView *view) {
    FView = view ? view : &FNoView;
}

bool TSession::Connect(TConnection how, TSearchProgress *progress) {
    switch (how) {
    case TConnection::Demo:
        // The port keeps its settings and is not touched.
        Prompts.Message(QString::fromLatin1(DemoModeMessage));
        State.Link.DemoMode = true;
        PortRule.SwitchStatusTimerOff();
        return true;
    case TConnection::Manual:
        if (!ComPort.Pick())
            return false;
        ComPort.Open();
        ComPort.setBaud(ManualBaud);
        ComPort.setEndOfResponse(QByteArray(1, '\r'));
        ComPort.setAllowEvents(false);
        ComPort.setShowErrors(false);
        ComPort.setResponseTime(RunResponseTime);
        return true;
    case TConnection::Search:
        break;
    }
    TInstrumentFinder finder(ComPort, Exchange, FTerminal, Prompts, State.Identity);
    finder.SetProgress(progress);
    return finder.FindInstrument();
}

void TSession::BeginRun(const QDateTime &start, bool logging) {
    ComPort.setResponseTime(RunResponseTime);
    State.UserName = TCommLog::UserNameFromEnvironment();
    // Taken once connected, as the log file's name takes it.
    State.StartTimeStamp = start.toString("MM-dd-yy_HH-mm-ss");
    CommLog.SetRunStamp(State.UserName, start);
    State.SettingsList.clear();
    State.CalibrationList.clear();
    if (logging)
        CommLog.ToggleLoggingState();
    if (!LaunchTimer.isActive())
        LaunchTimer.start();
    State.SystemSettings.SystemRunning = false;
    ComPort.setAllowEvents(true);
}

void TSession::LaunchTick() {
    LaunchTimer.stop();
    switch (PortRule.Ask(TPortRule::TActivity::LaunchReadBack)) {
    case TPortRule::TAccess::Refuse:
        return;
    case TPortRule::TAccess::Wait:
        // A change sent before the launch still waits for its reply: read back after it.
        LaunchTimer.start(LaunchRetryMs);
        return;
    case TPortRule::TAccess::Start:
        break;
    }
    State.RefreshRequested = true;
    ReadBack();
    State.RefreshRequested = false;
    PortRule.SwitchStatusTimerOn();
    SetSystemRunning(false);
}

bool TSession::QueueCommand(const QString &command) {
    return Queue->QueuedCommandToPort(command);
}

void TSession::RequestRefresh() {
    Queue->Up1Click();
}

void TSession::SaveBin(int bin) {
    QueueCommand(SaveBinCommand(bin));
}

void TSession::RecallBin(int bin) {
    Queue->RequestRecall(bin);
}

void TSession::Run() {
    FView->ShowRunState(true);
    QueueCommand(RunCommand(true));
    State.SystemSettings.SystemRunning = true;
    emit StateChanged();
}

void TSession::Stop() {
    State.SystemSettings.SystemRunning = false;
    FView->ShowRunState(false);
    QueueCommand(RunCommand(false));
    emit StateChanged();
}

void TSession::RunStop() {
    if (State.SystemSettings.SystemRunning)
        Stop();
    else
        Run();
}

void TSession::SetSystemRunning(bool running) {
    const bool changed = State.SystemSettings.SystemRunning != running;
    State.SystemSettings.SystemRunning = running;
    if (changed) {
        FView->ShowRunState(running);
        emit StateChanged();
    }
}

void TSession::StatusTick() {
    switch (PortRule.Ask(TPortRule::TActivity::StatusPoll)) {
    case TPortRule::TAccess::Refuse: // demo mode, or the session ends
        PortRule.SwitchStatusTimerOff();
        return;
    case TPortRule::TAccess::Wait: // the timer stays on and tries again
        return;
    case TPortRule::TAccess::Start:
        break;
    }
    PortRule.SwitchStatusTimerOff();
    State.StatusBusy = true;
    try {
        UpdateStatus();
        if (State.ServiceUnlockRequested && !State.Ending && OpenServiceWindow) {
            State.ServiceUnlockRequested = false;
            OpenServiceWindow();
        }
    } catch (const std::exception &e) {
        ReportException(e);
    }
    State.StatusBusy = false;
    PortRule.SwitchStatusTimerOn();
}

void TSession::UpdateStatus() {
    if (!ComPort.Open()) {
        const TPrompts::TButton answer =
            Prompts.Message(QString::fromLatin1(PortGoneMessage), TPrompts::mbYes | TPrompts::mbNo,
                            TPrompts::iconWarning);
        if (answer == TPrompts::mbYes)
            FApp.RestartApp(); // when no new instance starts, the next poll asks again
        else
            FApp.ExitApp();
        return;
    }
    State.Link.PortGone = false; // it opened: the port is back
    const qint32 runState = Exchange.QueryInteger(Query::RunState.toLatin1());
    if (State.Ending || State.Link.PortGone)
        return;
    bool &running = State.SystemSettings.SystemRunning;
    if (runState == 0) {
        const bool changed = running;
        running = false;
        FView->ShowRunState(false);
        if (changed)
            emit StateChanged();
    } else if (!running) {
        running = true;
        FView->ShowRunState(true);
        emit StateChanged();
    }
    if (FView->ShotCountWanted()) {
        const qint64 count = Exchange.QueryUnsigned(Query::ShotCount.toLatin1());
        if (!State.Ending)
            FView->ShowShotCount(ShotCountText(static_cast<quint32>(count)));
    }
}

QString TSession::ShotCountText(quint32 count) {
    return QStringLiteral("Count: ") + QStringLiteral("%1").arg(count, 10);
}

// Demo mode does not block commands: like the queue, the replay opens the port on demand.
void TSession::SendLine(const QByteArray &line) {
    Exchange.SendCommand(line);
}

// Timers off and the port released for good: code still waiting further down the stack
// finds the port closed, returns, and stops at its next step because State.Ending is set.
void TSession::EnterEnding() {
    State.Ending = true;
    LaunchTimer.stop();
    PortRule.SwitchTaskTimerOff();
    PortRule.SwitchStatusTimerOff();
    ComPort.OnTimeout = nullptr; // a read ending now shows no "Communications lost" box
    ComPort.setAllowEvents(false);
    ComPort.setShowErrors(false);
    ComPort.Close();
    ComPort.setPort(0); // COM 0 never exists, so no later write can reopen a device
    CommLog.Close();
}

void TSession::ReportException(const std::exception &e) noexcept {
    try {
        if (State.Ending)
            return; // no new boxes while the program ends
        QString text;
        if (const auto *conversion = dynamic_cast<const TConversionError *>(&e))
            text = conversion->Message();
        else
            text = QString::fromLocal8Bit(e.what());
        Prompts.Message(text, TPrompts::mbOK, TPrompts::iconError);
    } catch (...) {
        // Reporting must never throw into the event loop.
    }
}
