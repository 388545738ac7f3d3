// Number texts of the simulator: locale-free, full-match, exact.
#include "SimNumbers.h"

#include <clocale>
#include <gtest/gtest.h>

namespace {

TEST(SimNumbersTest, ParsesDecimalsIntoScaledIntegersRoundingHalfAwayFromZero) {
    const struct {
        const char *Text;
        int Scale;
        int64_t Expected;
    } cases[] = {{"0.000100000", 9, 100000}, {"1.25e-7", 11, 12500},      {"2.345", 2, 235},
                 {"-2.345", 2, -235},        {"2.344999", 2, 234},        {".5", 0, 1},
                 {"5000", 9, 5000000000000}, {"0.0000000000000001", 2, 0}};
    for (const auto &c : cases) {
        int64_t v = 0;
        ASSERT_TRUE(SimNumbers::ParseScaled(c.Text, c.Scale, v)) << c.Text;
        EXPECT_EQ(v, c.Expected) << c.Text;
    }
}

TEST(SimNumbersTest, RefusesAnythingButAPlainDecimal) {
    int64_t v = 77;
    for (const char *bad : {"", " 1", "1 ", "1,5", "nan", "inf", "0x10", "1e", "e5", ".", "+",
                            "1.2.3", "12a", "1e99999", "99999999999999999999"})
        EXPECT_FALSE(SimNumbers::ParseScaled(bad, 2, v)) << bad;
    EXPECT_EQ(v, 77);
}

TEST(SimNumbersTest, IntegersAreRangeChecked) {
    int64_t v = 0;
    EXPECT_TRUE(SimNumbers::ParseInteger("4000000000", 0, 4000000000, v));
    EXPECT_EQ(v, 4000000000);
    EXPECT_FALSE(SimNumbers::ParseInteger("4000000001", 0, 4000000000, v));
    EXPECT_TRUE(SimNumbers::ParseInteger("-9223372036854775808", INT64_MIN, INT64_MAX, v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(SimNumbers::ParseInteger("9223372036854775808", INT64_MIN, INT64_MAX, v));
    EXPECT_FALSE(SimNumbers::ParseInteger("1.0", INT64_MIN, INT64_MAX, v));
    EXPECT_FALSE(SimNumbers::ParseInteger("-", INT64_MIN, INT64_MAX, v));
}

TEST(SimNumbersTest, FormatsWithAPointWhateverTheLocale) {
    const char *previous = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    EXPECT_EQ(SimNumbers::FormatScaled(100000, 9), "0.000100000");
    EXPECT_EQ(SimNumbers::FormatScaled(12500, 11), "0.00000012500");
    EXPECT_EQ(SimNumbers::FormatScaled(-5, 2), "-0.05");
    EXPECT_EQ(SimNumbers::FormatScaled(1500, 2), "15.00");
    EXPECT_EQ(SimNumbers::FormatScaled(42, 0), "42");
    if (previous)
        std::setlocale(LC_NUMERIC, "C");
}

} // namespace
