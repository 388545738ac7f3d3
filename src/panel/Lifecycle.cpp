// Restart, exit, and the Help menu.
#include "MainForm.h"

#include "MessageForm.h"
#include "PanelTexts.h"
#include "Prompts.h"
#include "ServiceForm.h"
#include "ServiceWindow.h"

#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <QThread>

namespace {

// Enough for the port to be free when the new instance searches for the instrument.
constexpr unsigned long RestartPauseMs = 500;

bool StartProgramAgain(QString &reason) {
    QThread::msleep(RestartPauseMs);
    QProcess process;
    process.setProgram(QCoreApplication::applicationFilePath());
    if (process.startDetached())
        return true;
    reason = process.errorString();
    return false;
}

} // namespace

void TMainForm::WireLifecycleHandlers() {
    connect(Exit1, &QAction::triggered, this, [this] { Guarded([this] { ExitApp(); }); });
    connect(R1, &QAction::triggered, this, [this] { Guarded([this] { RestartApp(); }); });
    connect(About1, &QAction::triggered, this, [this] { Guarded([this] { About1Click(); }); });
    connect(WebSite1, &QAction::triggered, this, [this] { Guarded([this] { WebSite1Click(); }); });
    connect(EnableLoggingMenu, &QAction::triggered, this,
            [this] { Guarded([this] { CommLog.ToggleLoggingState(); }); });
}

void TMainForm::StopStatusTimer() {
    PortRule.SwitchStatusTimerOff();
}

void TMainForm::StartStatusTimer() {
    PortRule.SwitchStatusTimerOn();
}

// The new instance searches the ports at once, so this one lets go of its port first. When
// the new one does not start, this one stays: its port opens again on demand.
bool TMainForm::RestartApp() {
    if (State.Ending)
        return true;
    ComPort.Close();
    QString reason;
    const bool started =
        FSetup.StartNewInstance ? FSetup.StartNewInstance(reason) : StartProgramAgain(reason);
    if (!started) {
        Prompts.Message(RestartFailedMessage(QCoreApplication::applicationFilePath(), reason),
                        TPrompts::mbOK, TPrompts::iconError);
        return false;
    }
    EnterEndingState();
    QuitApplication();
    return true;
}

void TMainForm::ExitApp() {
    if (State.Ending)
        return;
    EnterEndingState();
    // The lists are emptied, not freed: code further down the stack may still read them.
    State.SettingsList.clear();
    State.CalibrationList.clear();
    QuitApplication();
}

// Both ways out: the session ends (timers off, the port released for good, the log
// closed), windows hidden.
void TMainForm::EnterEndingState() {
    FSession.EnterEnding();
    MessageForm->hide();
    if (FService) {
        FService->Form->CalTimer.stop();
        FService->Form->hide();
    }
    hide();
}

void TMainForm::QuitApplication() {
    if (FSetup.QuitApplication)
        FSetup.QuitApplication();
    else
        QCoreApplication::quit();
}

void TMainForm::About1Click() {
    ShowAbout(State.Identity);
}

void TMainForm::WebSite1Click() {
    OpenWebSite(State.Identity.Manufacturer);
}
