#pragma once

#include "Settings.h"
#include "ValueRanges.h"

#include <array>
#include <cstdint>

// What the timing diagram draws, copied out of the settings mirrors: cheap to take and to
// compare, so the window can poll it every frame and redraw only when it changed.
namespace Diagram {

struct TChannelSnapshot {
    bool Enabled = false;
    double Delay = 0.0; // from the sync source
    double Width = 0.0;
    int Mode = 0; // Instrument::TChannelMode
    int BurstCount = 0;
    int DutyOnCount = 0;
    int DutyOffCount = 0;
    int WaitCount = 0;
    int Polarity = 0; // 1 inverted
    int MuxMask = 0;
    int SyncSource = 0; // 0 Disabled, 1 Sync A, 2 Sync B, 3 Sync Trig
    int GateMode = 0;   // 0 Disabled, 1 Pulse Inh, 2 Out Inh

    bool operator==(const TChannelSnapshot &o) const;
    bool operator!=(const TChannelSnapshot &o) const { return !(*this == o); }
};

struct TDiagramSnapshot {
    double Period = 0.0;
    int SystemMode = 0; // Instrument::TSystemMode
    std::uint32_t BurstCount = 0;
    std::uint32_t DutyOnCount = 0;
    std::uint32_t DutyOffCount = 0;
    int ChannelCount = 0;
    int MuxItems = 5;       // items the multiplexer list offers (4 on 6-channel models)
    double DelayStep = 0.0; // the model's resolution; 0: not known yet
    double WidthStep = 0.0;
    std::array<TChannelSnapshot, Instrument::MaxChannels + 1> Channels{}; // entry n: channel n

    bool operator==(const TDiagramSnapshot &o) const;
    bool operator!=(const TDiagramSnapshot &o) const { return !(*this == o); }
};

// channelCount is capped at 36; below 1 (no read-back yet, demo mode) the one channel page
// the panel always has is drawn.
TDiagramSnapshot MakeSnapshot(const Instrument::TSystemSettings &system,
                              const Instrument::TChannelSettingsArray &channels, int channelCount,
                              const Instrument::TValueRanges &ranges);

} // namespace Diagram
