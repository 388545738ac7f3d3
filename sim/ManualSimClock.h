#pragma once

#include "SimClock.h"

// A clock that moves only when told to: makes run and counter behaviour deterministic.
class TManualSimClock : public TSimClock {
public:
    int64_t NowNs() const override { return FNow; }
    void AdvanceMs(int64_t ms) { FNow += ms * 1000000; }
    void AdvanceNs(int64_t ns) { FNow += ns; }

private:
    int64_t FNow = 1000000000;
};
