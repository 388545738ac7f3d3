#pragma once

#include "SimSettings.h"

#include <cstdint>

// Pulse output and shot counter. T0 ticks at the period from the moment the output is
// started; the counter is brought up to date lazily, whenever the instrument handles a line,
// so no thread is needed. Single shot ends after one tick, burst after its count, duty cycle
// after its cycle count (0: never). While trigger 1 waits for an external trigger nothing
// ticks: no external signal reaches a simulated input.
class TSimRunState {
public:
    bool Running() const { return FRunning; }
    uint64_t ShotCount() const { return FCount; }

    void Start(int64_t nowNs, const TSimSettings &s);
    void Stop(int64_t nowNs, const TSimSettings &s);
    // Counts the pulses up to now under the settings in force until now.
    void Advance(int64_t nowNs, const TSimSettings &s);
    // Settings may have changed: the tick already scheduled stays, later ones follow the new
    // period. Call right after Advance with the new settings.
    void Rebase(int64_t nowNs, const TSimSettings &s);
    void SetShotCount(uint64_t count) { FCount = count; }

private:
    int64_t TicksAt(int64_t nowNs) const;
    static int64_t MaxTicks(const TSimSettings &s);
    static int64_t Emitted(int64_t ticks, const TSimSettings &s);
    static bool Counts(const TSimSettings &s);
    static bool WaitsForTrigger(const TSimSettings &s) {
        return s.Trigger[0][TSimInput::Mode] == 1;
    }

    bool FRunning = false;
    bool FWaiting = false; // armed, waiting for a trigger that never comes
    int64_t FEpochNs = 0;  // time of tick number FTicksBefore (counted from 0)
    int64_t FPeriodNs = 1;
    int64_t FTicksBefore = 0; // ticks that happened before the epoch
    int64_t FLastTicks = 0;   // ticks already counted
    int64_t FLastEmitted = 0;
    uint64_t FCount = 0;
};
