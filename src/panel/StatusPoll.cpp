#include "StatusPoll.h"

#include "AppState.h"
#include "Commands.h"
#include "Exchange.h"
#include "MainForm.h"
#include "PageControl.h"
#include "Prompts.h"
#include "VKComPort.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace Instrument;

const char *const TStatusPoll::PortGoneMessage = "Port no longer available, restart?";

TStatusPoll::TStatusPoll(TMainForm &form, TAppState &state)
    : QObject(&form), FForm(form), FState(state) {
    connect(FForm.RunStopbtn, &QPushButton::clicked, this, &TStatusPoll::RunStopbtnClick);
    connect(FForm.ShotCountEnbl, &QCheckBox::toggled, this, &TStatusPoll::ShotCountEnblClick);
    connect(FForm.ClearShotCount, &QPushButton::clicked, this, &TStatusPoll::ClearShotCountClick);
}

QString TStatusPoll::ShotCountText(quint32 count) {
    return QStringLiteral("Count: ") + QStringLiteral("%1").arg(count, 10);
}

void TStatusPoll::StatusTimerTimer() {
    switch (FForm.PortRule.Ask(TPortRule::TActivity::StatusPoll)) {
    case TPortRule::TAccess::Refuse: // demo mode, or the program ends
        FForm.PortRule.SwitchStatusTimerOff();
        return;
    case TPortRule::TAccess::Wait: // the timer stays on and tries again
        return;
    case TPortRule::TAccess::Start:
        break;
    }
    FForm.PortRule.SwitchStatusTimerOff();
    FState.StatusBusy = true;
    try {
        UpdateStatus();
        if (FState.ServiceUnlockRequested && !FState.Ending && OpenServiceWindow) {
            FState.ServiceUnlockRequested = false;
            OpenServiceWindow();
        }
    } catch (const std::exception &e) {
        FForm.ReportException(e);
    }
    FState.StatusBusy = false;
    FForm.PortRule.SwitchStatusTimerOn();
}

void TStatusPoll::UpdateStatus() {
    if (!FForm.ComPort.Open()) {
        const TPrompts::TButton answer =
            FForm.Prompts.Message(QString::fromLatin1(PortGoneMessage),
                                  TPrompts::mbYes | TPrompts::mbNo, TPrompts::iconWarning);
        if (answer == TPrompts::mbYes)
            FForm.RestartApp(); // when no new instance starts, the next poll asks again
        else
            FForm.ExitApp();
        return;
    }
    FState.Link.PortGone = false; // it opened: the port is back
    const qint32 runState = FForm.Exchange.QueryInteger(Query::RunState.toLatin1());
    if (FState.Ending || FState.Link.PortGone)
        return;
    bool &running = FState.SystemSettings.SystemRunning;
    if (runState == 0) {
        running = false;
        FForm.ShowRunState(false);
    } else if (!running) {
        running = true;
        FForm.ShowRunState(true);
    }
    if (FForm.SystemPageControl->currentIndex() == ShotCountPage) {
        const qint64 count = FForm.Exchange.QueryUnsigned(Query::ShotCount.toLatin1());
        if (!FState.Ending)
            FForm.ShotCountlbl->setText(ShotCountText(static_cast<quint32>(count)));
    }
}

// The button acts on the flag, not on its caption.
void TStatusPoll::RunStopbtnClick() {
    if (FState.SystemSettings.SystemRunning)
        SystemStop();
    else
        SystemStart();
}

void TStatusPoll::SystemStart() {
    FForm.ShowRunState(true);
    FForm.QueuedCommandToPort(RunCommand(true));
    FState.SystemSettings.SystemRunning = true;
}

void TStatusPoll::SystemStop() {
    FState.SystemSettings.SystemRunning = false;
    FForm.ShowRunState(false);
    FForm.QueuedCommandToPort(RunCommand(false));
}

void TStatusPoll::ShotCountEnblClick() {
    FForm.QueuedCommandToPort(CounterEnableCommand(FForm.ShotCountEnbl->isChecked()));
}

void TStatusPoll::ClearShotCountClick() {
    FForm.QueuedCommandToPort(ClearCounterCommand());
}
