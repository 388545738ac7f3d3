#pragma once

class QTimer;
class TVKComPort;
struct TAppState;

// The one rule for who may use the port. Every activity that starts exchanges of its own
// asks here first; the answer comes from the state's busy flags and the port's InUse, so
// that no two activities ever interleave their lines on the wire. The status and task
// timers are switched on and off only through this object.
class TPortRule {
public:
    enum class TActivity {
        LaunchReadBack, // the first read-back, 500 ms after start
        TaskPass,       // the command queue, refresh and recall
        StatusPoll,
        SettingsFile, // settings-file save or restore
        CalRetrieve,  // the calibration read-back (also for a calibration save)
        CalLoad,      // a calibration file load
    };
    enum class TAccess { Start, Wait, Refuse };

    // What may be running, as bits of Running().
    enum TRunning : unsigned {
        rPortRead = 1u << 0, // a read waits for its reply
        rStatusPoll = 1u << 1,
        rTaskPass = 1u << 2,
        rReadBack = 1u << 3,
        rSettingsFile = 1u << 4,
        rCalLoad = 1u << 5,
        rCalLoadPending = 1u << 6,     // a calibration load requested or running
        rCalRetrievePending = 1u << 7, // a calibration read-back requested or running
    };

    TPortRule(TAppState &state, const TVKComPort &port, QTimer &statusTimer, QTimer &taskTimer);

    // Start: go ahead now. Wait: try again later (the caller's timer). Refuse: never now
    // (the program ends, or the status poll in demo mode). While the port is gone every
    // activity but the status poll waits.
    TAccess Ask(TActivity activity) const;
    bool MayStart(TActivity activity) const { return Ask(activity) == TAccess::Start; }
    unsigned Running() const;

    // "Switch on" leaves a running timer alone, so that its next tick keeps its time; no
    // timer comes on once the program is ending.
    void SwitchStatusTimerOn();
    void SwitchStatusTimerOff();
    void SwitchTaskTimerOn();
    void SwitchTaskTimerOff();

private:
    static unsigned WaitsFor(TActivity activity);

    TAppState &FState;
    const TVKComPort &FPort;
    QTimer &FStatusTimer;
    QTimer &FTaskTimer;
};
