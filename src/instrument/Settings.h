#pragma once

#include "ModelTable.h"

#include <array>
#include <cstdint>

// Last known value of every setting: written by the read-back and by the control handlers.
// Selector fields hold the item index of their keyword table.
namespace Instrument {

struct TSystemSettings {
    bool SystemRunning = false;
    double Period = 0.0;
    std::int32_t SystemMode = 0; // 0 Continuous, 1 Single Shot, 2 Burst, 3 Duty Cycle
    std::uint32_t BurstCount = 0;
    std::uint32_t DutyOnCount = 0;
    std::uint32_t DutyOffCount = 0;
    std::int32_t CycleCount = 0;
    std::int32_t SyncOutput = 0;
    std::int32_t InputClock = 0;
    std::int32_t OutputClock = 0;
    std::int32_t CounterSource = 0;
};

struct TTrigGateSettings {
    std::int32_t Trig1Mode = 0; // 0 Disabled, 1 Triggered
    std::int32_t Trig2Mode = 0;
    std::int32_t Trig1Edge = 0; // 0 Rising, 1 Falling
    std::int32_t Trig2Edge = 0;
    std::int32_t Trig1Debounce = 0; // 0 Disabled, 1 Enabled
    std::int32_t Trig2Debounce = 0;
    std::int32_t Gate1Debounce = 0;
    std::int32_t Gate2Debounce = 0;
    std::int32_t Gate1Mode = 0; // 0 Disabled, 1 Pulse Inhibit, 2 Output Inhibit, 3 Channel
    std::int32_t Gate2Mode = 0;
    std::int32_t Gate1Logic = 0; // 0 Low, 1 High
    std::int32_t Gate2Logic = 0;
    double Trig1Level = 0.0;
    double Gate1Level = 0.0;
    double TrigGate2Level = 0.0; // one threshold shared by trigger 2 and gate 2
    // Calibration factors, read and written only by the service window.
    std::int32_t Trig1Gain = 0;
    std::int32_t Trig1Offset = 0;
    std::int32_t TrigGate2Gain = 0;
    std::int32_t TrigGate2Offset = 0;
    std::int32_t Gate1Gain = 0;
    std::int32_t Gate1Offset = 0;
};

struct TChannelSettings {
    std::int32_t Enabled = 0; // 1 enabled
    double Delay = 0.0;
    double Width = 0.0;
    std::int32_t Mode = 0; // 0 Normal, 1 Single Shot, 2 Burst, 3 Duty Cycle
    std::int32_t BurstCount = 0;
    std::int32_t DutyOnCount = 0;
    std::int32_t DutyOffCount = 0;
    std::int32_t WaitCount = 0;
    std::int32_t OutputMode = 0; // 0 TTL/CMOS, 1 Adjustable
    std::int32_t Polarity = 0;   // 0 Normal, 1 Inverted
    double Amplitude = 0.0;
    std::int32_t MuxMask = 0;     // bit i: multiplexer item i
    std::int32_t ControlMode = 0; // 0 Disabled, 1 Gate A, 2 Gate B, 3 Inhibit B
    std::int32_t SyncSource = 0;  // 0 Disabled, 1 Sync A, 2 Sync B, 3 Sync Trig
    std::int32_t GateMode = 0;    // 0 Disabled, 1 Pulse Inh, 2 Out Inh
    std::int32_t GateLogic = 0;   // 0 Active Low, 1 Active High
    // Calibration factors, read and written only by the service window.
    std::int32_t WidthCal = 0;
    std::int32_t DelayCal = 0;
    std::int32_t AmpGainCal = 0;
    std::int32_t AmpOffsetCal = 0;
};

// Indexed by channel number 1..36; entry 0 is unused.
using TChannelSettingsArray = std::array<TChannelSettings, MaxChannels + 1>;

} // namespace Instrument
