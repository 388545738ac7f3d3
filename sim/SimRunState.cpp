#include "SimRunState.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int64_t kNever = std::numeric_limits<int64_t>::max();
}

void TSimRunState::Start(int64_t nowNs, const TSimSettings &s) {
    Advance(nowNs, s);
    if (FRunning)
        return;
    FRunning = true;
    FWaiting = WaitsForTrigger(s);
    FPeriodNs = std::max<int64_t>(s.System[TSimSystem::Period], 1);
    FEpochNs = nowNs;
    FTicksBefore = 0;
    FLastTicks = 0;
    FLastEmitted = 0;
    Advance(nowNs, s);
}

void TSimRunState::Stop(int64_t nowNs, const TSimSettings &s) {
    Advance(nowNs, s);
    FRunning = false;
}

int64_t TSimRunState::TicksAt(int64_t nowNs) const {
    if (FWaiting || nowNs < FEpochNs)
        return FTicksBefore;
    return FTicksBefore + (nowNs - FEpochNs) / FPeriodNs + 1;
}

int64_t TSimRunState::MaxTicks(const TSimSettings &s) {
    const TSimSystem &sys = s.System;
    switch (sys[sys.Mode]) {
    case 1:
        return 1;
    case 2:
        return sys[sys.Burst];
    case 3:
        if (sys[sys.Cycles] > 0)
            return (sys[sys.Cycles] - 1) * (sys[sys.DutyOn] + sys[sys.DutyOff]) + sys[sys.DutyOn];
        return kNever;
    default:
        return kNever;
    }
}

int64_t TSimRunState::Emitted(int64_t ticks, const TSimSettings &s) {
    const TSimSystem &sys = s.System;
    if (sys[sys.Mode] != 3)
        return ticks;
    const int64_t cycle = sys[sys.DutyOn] + sys[sys.DutyOff];
    return ticks / cycle * sys[sys.DutyOn] + std::min(ticks % cycle, sys[sys.DutyOn]);
}

// The counter follows T0, or a channel while that channel's output is on.
bool TSimRunState::Counts(const TSimSettings &s) {
    if (s.Options[TSimOptions::CounterEnabled] != 1)
        return false;
    static const int sourceChannel[] = {0, 1, 6, 8, 10};
    const int64_t source = s.Options[TSimOptions::CounterSource];
    const int channel = source >= 0 && source < 5 ? sourceChannel[source] : 0;
    if (channel == 0)
        return true;
    return channel <= static_cast<int>(s.Channels.size()) &&
           s.Channels[static_cast<size_t>(channel - 1)][TSimChannel::Enabled] == 1;
}

void TSimRunState::Advance(int64_t nowNs, const TSimSettings &s) {
    if (!FRunning)
        return;
    const int64_t maxTicks = MaxTicks(s);
    const int64_t ticks = std::min(TicksAt(nowNs), maxTicks);
    const int64_t emitted = Emitted(ticks, s);
    if (emitted > FLastEmitted && Counts(s))
        FCount += static_cast<uint64_t>(emitted - FLastEmitted);
    FLastEmitted = emitted;
    FLastTicks = ticks;
    if (ticks >= maxTicks)
        FRunning = false;
}

void TSimRunState::Rebase(int64_t nowNs, const TSimSettings &s) {
    if (!FRunning)
        return;
    const int64_t ticks = TicksAt(nowNs);
    const bool waiting = WaitsForTrigger(s);
    if (FWaiting)
        FEpochNs = nowNs + std::max<int64_t>(s.System[TSimSystem::Period], 1);
    else if (!waiting)
        FEpochNs += (ticks - FTicksBefore) * FPeriodNs;
    FTicksBefore = ticks;
    FWaiting = waiting;
    FPeriodNs = std::max<int64_t>(s.System[TSimSystem::Period], 1);
    FLastEmitted = Emitted(FLastTicks, s);
}
