#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One configuration record: its values in the order of its field table (SimFields.h), so that
// the table alone says what a record holds and how each value is written. Times and levels
// are scaled integers (period in ns, delay and width in 10 ps, volts in 10 mV); keyword
// settings hold the index into their keyword table. Each record type names the places the
// instrument's own behaviour reads.
struct TSimRecord {
    std::vector<int64_t> Values;

    int64_t &operator[](size_t place) { return Values[place]; }
    int64_t operator[](size_t place) const { return Values[place]; }
};

struct TSimSystem : TSimRecord {
    enum { Period, Mode, Burst, DutyOn, DutyOff, Cycles };
};

struct TSimInput : TSimRecord { // a trigger or gate input
    enum { Mode, EdgeOrLogic, Level, Debounce };
};

struct TSimChannel : TSimRecord {
    enum { Enabled };
};

struct TSimOptions : TSimRecord {
    enum { AutoStart, InputClock, OutputClock, SyncOutput, CounterEnabled, CounterSource };
};

// The instrument's complete setting: what a storage bin holds and a settings file restores.
struct TSimSettings {
    TSimSystem System;
    TSimInput Trigger[2];
    TSimInput Gate[2];
    TSimOptions Options;
    std::vector<TSimChannel> Channels; // index 0 is channel 1

    // Factory state (bin 0): 1 ms continuous, inputs off at 2.50 V, channels off with
    // 100 ns width, each channel on its own multiplexer line.
    static TSimSettings Factory(int channelCount);
};
