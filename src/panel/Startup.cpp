// Window creation and the connection to the instrument; the launch read-back.
#include "MainForm.h"

#include "CommandLine.h"
#include "Discovery.h"
#include "PageControl.h"
#include "Prompts.h"
#include "SearchProgressForm.h"

namespace {

const char *const DemoModeMessage = "Entering Demo Mode";
constexpr quint32 RunResponseTime = 4000; // ms per reply once connected
constexpr qint32 ManualBaud = 115200;
constexpr int LaunchRetryMs = 5;

} // namespace

void TMainForm::FormCreate() {
    ConnectInstrument();
    if (State.Ending)
        return; // exit or restart decided: this instance does nothing more

    ComPort.setResponseTime(RunResponseTime);
    State.UserName = TCommLog::UserNameFromEnvironment();
    // Taken once connected, as the log file's name takes it.
    const QDateTime start =
        FSetup.StartTime.isValid() ? FSetup.StartTime : QDateTime::currentDateTime();
    State.StartTimeStamp = start.toString("MM-dd-yy_HH-mm-ss");
    CommLog.SetRunStamp(State.UserName, start);
    State.SettingsList.clear();
    State.CalibrationList.clear();
    if (HasLogSwitch(FSetup.Arguments))
        CommLog.ToggleLoggingState();
    if (!LaunchTimer.isActive())
        LaunchTimer.start();
    State.SystemSettings.SystemRunning = false;
    ComPort.setAllowEvents(true);
    FActiveSysControls.resize(SystemPageControl->count());
}

void TMainForm::ConnectInstrument() {
    TStartupKeys &keys = *FSetup.Keys;
    if (keys.SpacePressed()) {
        if (!PickPortByHand())
            ExitApp();
        return;
    }
    if (keys.LeftShiftPressed()) {
        EnterDemoMode();
        return;
    }
    TInstrumentFinder finder(ComPort, Exchange, *this, Prompts, State.Identity);
    TSearchProgressForm progress;
    finder.SetProgress(&progress);
    if (finder.FindInstrument())
        return;
    // Asked again when a new instance could not be started.
    for (;;) {
        const TPrompts::TButton answer =
            Prompts.Message(QString::fromLatin1(TInstrumentFinder::NoDeviceFoundMessage),
                            TPrompts::mbYes | TPrompts::mbNo, TPrompts::iconWarning);
        if (answer == TPrompts::mbYes) {
            if (RestartApp())
                return;
            continue;
        }
        if (keys.LeftShiftPressed())
            EnterDemoMode();
        else
            ExitApp();
        return;
    }
}

// Space held: the user names the port; no identification takes place.
bool TMainForm::PickPortByHand() {
    if (!ComPort.Pick())
        return false;
    ComPort.Open();
    ComPort.setBaud(ManualBaud);
    ComPort.setEndOfResponse(QByteArray(1, '\r'));
    ComPort.setAllowEvents(false);
    ComPort.setShowErrors(false);
    ComPort.setResponseTime(RunResponseTime);
    return true;
}

// The port keeps the form's settings and is not touched.
void TMainForm::EnterDemoMode() {
    Prompts.Message(QString::fromLatin1(DemoModeMessage));
    State.Link.DemoMode = true;
    StopStatusTimer();
}

void TMainForm::LaunchTimerTimer() {
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
    Initialize();
    State.RefreshRequested = false;
    StartStatusTimer();
    SetSystemRunning(false);
}
