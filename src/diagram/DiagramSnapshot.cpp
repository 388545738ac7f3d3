#include "DiagramSnapshot.h"

#include "Keywords.h"

#include <algorithm>
#include <tuple>

namespace Diagram {

namespace {

auto Fields(const TChannelSnapshot &c) {
    return std::tie(c.Enabled, c.Delay, c.Width, c.Mode, c.BurstCount, c.DutyOnCount,
                    c.DutyOffCount, c.WaitCount, c.Polarity, c.MuxMask, c.SyncSource, c.GateMode);
}

auto Fields(const TDiagramSnapshot &s) {
    return std::tie(s.Period, s.SystemMode, s.BurstCount, s.DutyOnCount, s.DutyOffCount,
                    s.ChannelCount, s.MuxItems, s.DelayStep, s.WidthStep, s.Channels);
}

} // namespace

bool TChannelSnapshot::operator==(const TChannelSnapshot &o) const {
    return Fields(*this) == Fields(o);
}

bool TDiagramSnapshot::operator==(const TDiagramSnapshot &o) const {
    return Fields(*this) == Fields(o);
}

TDiagramSnapshot MakeSnapshot(const Instrument::TSystemSettings &system,
                              const Instrument::TChannelSettingsArray &channels, int channelCount,
                              const Instrument::TValueRanges &ranges) {
    TDiagramSnapshot s;
    s.Period = system.Period;
    s.SystemMode = system.SystemMode;
    s.BurstCount = system.BurstCount;
    s.DutyOnCount = system.DutyOnCount;
    s.DutyOffCount = system.DutyOffCount;
    s.ChannelCount = std::clamp(channelCount, 1, Instrument::MaxChannels);
    s.MuxItems = channelCount > 0 && channelCount < 12 ? Instrument::MuxItemCountSmall
                                                       : Instrument::MuxItemCount;
    s.DelayStep = ranges.DelayRange.Increment;
    s.WidthStep = ranges.WidthRange.Increment;
    for (int n = 1; n <= s.ChannelCount; ++n) {
        const Instrument::TChannelSettings &c = channels[size_t(n)];
        TChannelSnapshot &d = s.Channels[size_t(n)];
        d.Enabled = c.Enabled == 1;
        d.Delay = c.Delay;
        d.Width = c.Width;
        d.Mode = c.Mode;
        d.BurstCount = c.BurstCount;
        d.DutyOnCount = c.DutyOnCount;
        d.DutyOffCount = c.DutyOffCount;
        d.WaitCount = c.WaitCount;
        d.Polarity = c.Polarity;
        d.MuxMask = c.MuxMask;
        d.SyncSource = c.SyncSource;
        d.GateMode = c.GateMode;
    }
    return s;
}

} // namespace Diagram
