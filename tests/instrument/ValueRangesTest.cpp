#include "ValueRanges.h"
#include "ModelTable.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace Instrument;

namespace {

void ExpectRange(const TValueRange &r, double inc, int dec, double max, double min) {
    EXPECT_EQ(r.Increment, inc);
    EXPECT_EQ(r.Decimals, dec);
    EXPECT_EQ(r.MaxValue, max);
    EXPECT_EQ(r.MinValue, min);
}

// Below 36 channels and from 36 on: the time limits and the count limits.
TEST(ValueRanges, BelowAndFromThirtySixChannels) {
    struct TCase {
        std::vector<int> Counts;
        double TimeMax;
        std::uint32_t SystemCountMax;
        std::int32_t SystemCycleMax;
        std::uint32_t ChannelCountMax;
    };
    const TCase cases[] = {{{6, 12, 24, 0, -1}, 2000.0, 4000000000u, 10000000, 10000000u},
                           {{36, 48}, 2.0, 10000000u, 1000000, 1000000u}};
    for (const TCase &c : cases) {
        for (int count : c.Counts) {
            SCOPED_TRACE(count);
            const TValueRanges r = ChooseValueRanges(count);
            ExpectRange(r.PeriodRange, 5e-9, 9, 5000.0, 5e-8);
            ExpectRange(r.DelayRange, 2.5e-10, 12, c.TimeMax, 0.0);
            ExpectRange(r.WidthRange, 2.5e-10, 12, c.TimeMax, 1e-8);
            EXPECT_EQ(r.CountLimits.SystemBurstMax, c.SystemCountMax);
            EXPECT_EQ(r.CountLimits.SystemDutyMax, c.SystemCountMax);
            EXPECT_EQ(r.CountLimits.SystemCycleMax, c.SystemCycleMax);
            EXPECT_EQ(r.CountLimits.ChannelBurstMax, c.ChannelCountMax);
            EXPECT_EQ(r.CountLimits.ChannelDutyMax, c.ChannelCountMax);
            EXPECT_EQ(r.CountLimits.ChannelWaitMax, static_cast<std::int32_t>(c.ChannelCountMax));
        }
    }
}

TEST(ValueRanges, ByModel) {
    EXPECT_EQ(ChooseValueRanges(ModelChannelCount("6180-36")).DelayRange.MaxValue, 2.0);
    EXPECT_EQ(ChooseValueRanges(ModelChannelCount("6180-24")).WidthRange.MaxValue, 2000.0);
    EXPECT_EQ(ChooseValueRanges(ModelChannelCount("6180-24")).CountLimits.SystemBurstMax,
              4000000000u);
    EXPECT_EQ(ChooseValueRanges(ModelChannelCount("unknown")).CountLimits.SystemCycleMax, 10000000);
}

struct TResolutionCase {
    double value;
    double resolution;
    bool accepted;
};

class Resolution : public ::testing::TestWithParam<TResolutionCase> {};

TEST_P(Resolution, AcceptsWholeNumbersOfSteps) {
    const auto &c = GetParam();
    EXPECT_EQ(CheckResolution(c.value, c.resolution), c.accepted)
        << c.value << " / " << c.resolution;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Resolution,
    ::testing::Values(
        TResolutionCase{1.0e-6, 2.5e-10, true},            // quotient 4000
        TResolutionCase{1.0001e-6, 2.5e-10, false},        // fraction 0.4
        TResolutionCase{2.5e-10, 2.5e-10, true},           // equal to the step
        TResolutionCase{3.9996 * 2.5e-10, 2.5e-10, true},  // fraction rounds to 1.000
        TResolutionCase{4.0004 * 2.5e-10, 2.5e-10, true},  // within half a thousandth
        TResolutionCase{4.0006 * 2.5e-10, 2.5e-10, false}, // 0.001 off
        TResolutionCase{3.9994 * 2.5e-10, 2.5e-10, false},
        TResolutionCase{0.000100001, 5e-9, false}, // a fifth of a step off
        TResolutionCase{0.000100005, 5e-9, true},
        TResolutionCase{0.000000000130, 2.5e-10, false}, // 0.52 of a step
        TResolutionCase{0.000000000250, 2.5e-10, true}, TResolutionCase{0.0, 2.5e-10, true},
        TResolutionCase{1.25e-7, 2.5e-10, true},
        // the largest values of every range keep their fraction
        TResolutionCase{5000.0, 5e-9, true}, TResolutionCase{4999.999999995, 5e-9, true},
        TResolutionCase{2000.0, 2.5e-10, true}, TResolutionCase{1999.99999999975, 2.5e-10, true},
        TResolutionCase{1999.9999999999, 2.5e-10, false}, // 0.4 of a step off
        TResolutionCase{1e7, 2.5e-10, true},
        // a zero step accepts without dividing
        TResolutionCase{1.2345, 0.0, true}, TResolutionCase{0.0, 0.0, true},
        // negative values are judged by their distance from a whole step as well
        TResolutionCase{-1.0e-6, 2.5e-10, true}, TResolutionCase{-1.0001e-6, 2.5e-10, false},
        // not a number never passes
        TResolutionCase{std::numeric_limits<double>::quiet_NaN(), 2.5e-10, false},
        TResolutionCase{std::numeric_limits<double>::infinity(), 2.5e-10, false},
        TResolutionCase{1e-6, std::numeric_limits<double>::quiet_NaN(), false}));

} // namespace
