#include "CommandQueue.h"

#include "AppState.h"
#include "Commands.h"
#include "Exchange.h"
#include "Session.h"
#include "VKComPort.h"

#include <QTimer>

using namespace Instrument;

namespace {

// Releases a busy flag however the scope is left.
class TFlagScope {
public:
    explicit TFlagScope(bool &flag) : FFlag(flag) { FFlag = true; }
    ~TFlagScope() { FFlag = false; }
    TFlagScope(const TFlagScope &) = delete;
    TFlagScope &operator=(const TFlagScope &) = delete;

private:
    bool &FFlag;
};

} // namespace

TCommandQueue::TCommandQueue(TSession &session)
    : QObject(&session), FSession(session), FState(session.State) {}

bool TCommandQueue::QueuedCommandToPort(const QString &command) {
    if (FState.Link.CommandsDisabled)
        return false;
    FState.PendingCommands.append(command);
    FState.PendingCount = static_cast<int>(FState.PendingCommands.size());
    FState.CommandsPending = true;
    SwitchTaskTimerOn();
    return true;
}

void TCommandQueue::Up1Click() {
    FRefreshWanted = true;
    SwitchTaskTimerOn();
}

void TCommandQueue::RequestRecall(int bin) {
    FState.RecallBin = bin;
    FRecallWanted = true;
    SwitchTaskTimerOn();
}

void TCommandQueue::SwitchTaskTimerOn() {
    FSession.PortRule.SwitchTaskTimerOn();
}

// An error (a configuration record that does not convert) ends the pass; it is reported
// and the task timer runs on, so later changes are still sent.
void TCommandQueue::TaskTimerTimer() {
    try {
        ProcessTasks();
    } catch (const std::exception &e) {
        FSession.ReportException(e);
        SwitchTaskTimerOn();
    }
}

void TCommandQueue::ProcessTasks() {
    FSession.PortRule.SwitchTaskTimerOff();
    switch (FSession.PortRule.Ask(TPortRule::TActivity::TaskPass)) {
    case TPortRule::TAccess::Refuse:
        return;
    case TPortRule::TAccess::Wait:
        SwitchTaskTimerOn();
        return;
    case TPortRule::TAccess::Start:
        break;
    }
    {
        TFlagScope busy(FState.TaskBusy);
        if (FRefreshWanted || FRecallWanted)
            RunRequestedReadBack();
        SendQueuedCommands();
    }
    SwitchTaskTimerOn();
}

// The requests are taken before the read-back starts, so a click during it (the
// read-back dispatches events while it waits for replies) stays for the next pass.
void TCommandQueue::RunRequestedReadBack() {
    const bool recall = FRecallWanted;
    FRefreshWanted = false;
    FRecallWanted = false;
    FSession.PortRule.SwitchStatusTimerOff();
    struct TRequestScope {
        TAppState &State;
        TRequestScope(TAppState &state, bool recall) : State(state) {
            State.RefreshRequested = !recall;
            State.RecallPending = recall;
        }
        ~TRequestScope() {
            State.RefreshRequested = false;
            State.RecallPending = false;
        }
    } request(FState, recall);
    if (recall)
        FSession.Exchange.SendCommand(RecallBinCommand(FState.RecallBin).toLatin1());
    if (FState.Ending)
        return;
    FSession.ReadBack();
    FSession.PortRule.SwitchStatusTimerOn();
}

// Stops early (keeping the rest, in order) when the program ends, the port is gone or
// another exchange or a read-back has taken the port meanwhile; the next pass goes on from
// there. A command whose line could not go out at all is kept at the front.
void TCommandQueue::SendQueuedCommands() {
    while (!FState.PendingCommands.isEmpty()) {
        if (FState.Ending || FState.Link.PortGone || FState.ReadBackActive > 0 ||
            FState.Link.CommandsDisabled || FSession.ComPort.InUse())
            break;
        const QString command = FState.PendingCommands.takeFirst();
        FState.PendingCount = static_cast<int>(FState.PendingCommands.size());
        FSession.Exchange.SendCommand(command.toLatin1());
        if (FState.Link.PortGone && !FSession.Exchange.LineWritten())
            FState.PendingCommands.prepend(command);
    }
    FState.PendingCount = static_cast<int>(FState.PendingCommands.size());
    FState.CommandsPending = FState.PendingCount > 0;
}
