#pragma once

#include "SimFields.h"

#include <string>
#include <vector>

struct TSimInputCal : TSimRecord {
    enum { Gain, Offset };
};

struct TSimChannelCal : TSimRecord {
    enum { Width, Delay, Gain, Offset };
};

// Calibration factors: plain integers whose meaning belongs to the hardware.
struct TSimCalibration {
    TSimInputCal Trig1, Trig2, Gate1;
    std::vector<TSimChannelCal> Channels; // index 0 is channel 1

    // Factory factors differ from channel to channel so that a mix-up shows.
    static TSimCalibration Factory(int channelCount);

    // The instrument's self-optimisation: every gain rises by 7, offsets and the delay and
    // width factors move one step towards their centre values. Deterministic, so tests can
    // predict the result.
    void Optimize();

    // Wire lines in read-back order: ":TRIG1:CAL:GAIN v", ... ":PULSn:CAL:OFFS v".
    std::vector<std::string> Lines() const;
};

// ":CAL:GAIN", ":CAL:OFFS" of the trigger/gate inputs and ":CAL:WIDT", ":CAL:DEL",
// ":CAL:GAIN", ":CAL:OFFS" of a channel, in read-back order.
const TSimFieldList &InputCalFields();
const TSimFieldList &ChannelCalFields();
