#pragma once

#include <cstdint>

namespace Instrument {

// Step, shown decimals and limits of one kind of time value (seconds).
struct TValueRange {
    double Increment = 0.0;
    int Decimals = 0;
    double MaxValue = 0.0;
    double MinValue = 0.0;
};

// Upper limits of the count settings; the lower limits stay as the controls declare them.
struct TCountLimits {
    std::uint32_t SystemBurstMax = 0;
    std::uint32_t SystemDutyMax = 0; // on and off counts
    std::int32_t SystemCycleMax = 0;
    std::uint32_t ChannelBurstMax = 0;
    std::uint32_t ChannelDutyMax = 0; // on and off counts
    std::int32_t ChannelWaitMax = 0;
};

struct TValueRanges {
    TValueRange PeriodRange;
    TValueRange DelayRange;
    TValueRange WidthRange;
    TCountLimits CountLimits;
};

// The 36-channel models have shorter time maxima and smaller count limits.
TValueRanges ChooseValueRanges(int channelCount);

// True when `value` is a whole number of `resolution` steps (within half a thousandth
// of a step). A zero step accepts anything finite; non-finite values are rejected.
bool CheckResolution(double value, double resolution);

} // namespace Instrument
