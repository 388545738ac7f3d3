// Window creation and the connection to the instrument; the launch read-back.
#include "MainForm.h"

#include "CommandLine.h"
#include "Discovery.h"
#include "PageControl.h"
#include "Prompts.h"
#include "SearchProgressForm.h"

void TMainForm::FormCreate() {
    ConnectInstrument();
    if (State.Ending)
        return; // exit or restart decided: this instance does nothing more

    const QDateTime start =
        FSetup.StartTime.isValid() ? FSetup.StartTime : QDateTime::currentDateTime();
    FSession.BeginRun(start, HasLogSwitch(FSetup.Arguments));
    FActiveSysControls.resize(SystemPageControl->count());
}

void TMainForm::ConnectInstrument() {
    TStartupKeys &keys = *FSetup.Keys;
    if (keys.SpacePressed()) {
        if (!FSession.Connect(TSession::TConnection::Manual))
            ExitApp();
        return;
    }
    if (keys.LeftShiftPressed()) {
        FSession.Connect(TSession::TConnection::Demo);
        return;
    }
    TSearchProgressForm progress;
    if (FSession.Connect(TSession::TConnection::Search, &progress))
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
            FSession.Connect(TSession::TConnection::Demo);
        else
            ExitApp();
        return;
    }
}

void TMainForm::LaunchTimerTimer() {
    FSession.LaunchTick();
}
