#pragma once

#include <cstdint>
#include <vector>

// The instrument's complete setting: what a storage bin holds and a settings file restores.
// Times and levels are scaled integers (period in ns, delay and width in 10 ps, volts in
// 10 mV); keyword settings hold the index into their keyword table.
struct TSimSystem {
    int64_t Period = 0;
    int64_t Mode = 0;
    int64_t Burst = 0;
    int64_t DutyOn = 0;
    int64_t DutyOff = 0;
    int64_t Cycles = 0;
};

struct TSimTrigger {
    int64_t Mode = 0;
    int64_t Edge = 0;
    int64_t Level = 0;
    int64_t Debounce = 0;
};

struct TSimGate {
    int64_t Mode = 0;
    int64_t Logic = 0;
    int64_t Level = 0;
    int64_t Debounce = 0;
};

struct TSimChannel {
    int64_t Enabled = 0;
    int64_t Delay = 0;
    int64_t Width = 0;
    int64_t Mode = 0;
    int64_t Burst = 0;
    int64_t DutyOn = 0;
    int64_t DutyOff = 0;
    int64_t Wait = 0;
    int64_t OutputMode = 0;
    int64_t Polarity = 0;
    int64_t Amplitude = 0;
    int64_t Mux = 0;
    int64_t Control = 0;
    int64_t Sync = 0;
    int64_t GateMode = 0;
    int64_t GateLogic = 0;
};

struct TSimOptions {
    int64_t AutoStart = 0;
    int64_t InputClock = 0;
    int64_t OutputClock = 0;
    int64_t SyncOutput = 0;
    int64_t CounterEnabled = 0;
    int64_t CounterSource = 0;
};

struct TSimSettings {
    TSimSystem System;
    TSimTrigger Trigger[2];
    TSimGate Gate[2];
    TSimOptions Options;
    std::vector<TSimChannel> Channels; // index 0 is channel 1

    // Factory state (bin 0): 1 ms continuous, inputs off at 2.50 V, channels off with
    // 100 ns width, each channel on its own multiplexer line.
    static TSimSettings Factory(int channelCount);
};
