#include "PortRule.h"

#include "AppState.h"
#include "VKComPort.h"

#include <QTimer>

TPortRule::TPortRule(TAppState &state, const TVKComPort &port, QTimer &statusTimer,
                     QTimer &taskTimer)
    : FState(state), FPort(port), FStatusTimer(statusTimer), FTaskTimer(taskTimer) {}

unsigned TPortRule::Running() const {
    unsigned r = 0;
    if (FPort.InUse())
        r |= rPortRead;
    if (FState.StatusBusy)
        r |= rStatusPoll;
    if (FState.TaskBusy)
        r |= rTaskPass;
    if (FState.ReadBackActive > 0)
        r |= rReadBack;
    if (FState.SettingsFileActive)
        r |= rSettingsFile;
    if (FState.CalLoadActive)
        r |= rCalLoad;
    if (FState.CalLoadPending)
        r |= rCalLoadPending;
    if (FState.CalRetrievePending)
        r |= rCalRetrievePending;
    return r;
}

// The queue pass and the poll let the service window's pending work and a settings-file
// replay go on between their lines, as they always have; the service window's own
// exchanges wait for everything else.
unsigned TPortRule::WaitsFor(TActivity activity) {
    constexpr unsigned exchanges = rPortRead | rStatusPoll | rTaskPass | rReadBack;
    constexpr unsigned serviceWork = rCalLoadPending | rCalRetrievePending;
    switch (activity) {
    case TActivity::TaskPass:
        return exchanges;
    case TActivity::StatusPoll:
    case TActivity::SettingsFile:
        return exchanges | serviceWork;
    case TActivity::LaunchReadBack:
    case TActivity::CalRetrieve:
    case TActivity::CalLoad:
        return exchanges | rSettingsFile | rCalLoad;
    }
    return exchanges;
}

TPortRule::TAccess TPortRule::Ask(TActivity activity) const {
    if (FState.Ending)
        return TAccess::Refuse;
    const unsigned running = Running();
    constexpr unsigned exchanges = rPortRead | rStatusPoll | rTaskPass | rReadBack;
    if (activity == TActivity::StatusPoll) {
        // A busy port first: the poll's timer stays on even in demo mode until then.
        if (running & rPortRead)
            return TAccess::Wait;
        if (FState.Link.DemoMode)
            return TAccess::Refuse;
        // Only the poll tries a vanished port again and asks what to do when it stays
        // gone; service work still requested waits for it, not the other way round.
        if (FState.Link.PortGone)
            return running & exchanges ? TAccess::Wait : TAccess::Start;
    } else if (FState.Link.PortGone) {
        return TAccess::Wait;
    }
    return running & WaitsFor(activity) ? TAccess::Wait : TAccess::Start;
}

void TPortRule::SwitchStatusTimerOn() {
    if (!FState.Ending && !FStatusTimer.isActive())
        FStatusTimer.start();
}

void TPortRule::SwitchStatusTimerOff() {
    FStatusTimer.stop();
}

void TPortRule::SwitchTaskTimerOn() {
    if (!FState.Ending && !FTaskTimer.isActive())
        FTaskTimer.start();
}

void TPortRule::SwitchTaskTimerOff() {
    FTaskTimer.stop();
}
