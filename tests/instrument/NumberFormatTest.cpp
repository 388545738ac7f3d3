#include "NumberFormat.h"

#include <QLocale>
#include <clocale>
#include <gtest/gtest.h>

using namespace Instrument;

namespace {

struct TFixedCase {
    double value;
    int decimals;
    const char *text;
};

class FixedFormat : public ::testing::TestWithParam<TFixedCase> {};

TEST_P(FixedFormat, WritesDecimalValueRoundedHalfAwayFromZero) {
    const auto &c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals).toStdString(), c.text) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedFormat,
    ::testing::Values(
        // the wire formats
        TFixedCase{1e-4, 9, "0.000100000"}, TFixedCase{1.25e-7, 11, "0.00000012500"},
        TFixedCase{2.5, 2, "2.50"}, TFixedCase{0.000100005, 9, "0.000100005"},
        TFixedCase{5000.0, 9, "5000.000000000"}, TFixedCase{2000.0, 11, "2000.00000000000"},
        TFixedCase{1999.99999999975, 11, "1999.99999999975"},
        // half away from zero on the decimal value, not on the binary one
        TFixedCase{1.005, 2, "1.01"}, TFixedCase{2.675, 2, "2.68"}, TFixedCase{-1.005, 2, "-1.01"},
        TFixedCase{1.25e-10, 9, "0.000000000"}, TFixedCase{1.25e-10, 10, "0.0000000001"},
        TFixedCase{5e-10, 9, "0.000000001"}, TFixedCase{4.9e-10, 9, "0.000000000"},
        TFixedCase{0.125, 2, "0.13"}, TFixedCase{0.995, 2, "1.00"}, TFixedCase{9.995, 2, "10.00"},
        TFixedCase{99.5, 0, "100"}, TFixedCase{0.5, 0, "1"}, TFixedCase{0.4, 0, "0"},
        // whole steps keep their digit
        TFixedCase{3 * 2.5e-10, 11, "0.00000000075"}, TFixedCase{7 * 5e-9, 9, "0.000000035"},
        TFixedCase{0.1 + 0.2, 2, "0.30"},
        // zero and signs
        TFixedCase{0.0, 2, "0.00"}, TFixedCase{-0.0, 2, "0.00"}, TFixedCase{-0.001, 2, "0.00"},
        TFixedCase{-2.5, 2, "-2.50"},
        // big values are written in full, without exponent or grouping
        TFixedCase{4e9, 2, "4000000000.00"}, TFixedCase{1e20, 0, "100000000000000000000"},
        TFixedCase{123456.789, 1, "123456.8"}));

TEST(FixedFormatEdges, NonFiniteValuesAreWrittenAsZero) {
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "0.00");
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 9), "0.000000000");
}

TEST(FixedFormatEdges, NamedFormatsUseTheirDecimals) {
    EXPECT_EQ(FormatPeriod(1e-4), "0.000100000");
    EXPECT_EQ(FormatTime(1.25e-7), "0.00000012500");
    EXPECT_EQ(FormatLevel(15.0), "15.00");
}

TEST(CountFormat, UnsignedAndSigned) {
    EXPECT_EQ(FormatUnsigned(4000000000u), "4000000000");
    EXPECT_EQ(FormatUnsigned(0u), "0");
    EXPECT_EQ(FormatSigned(-5), "-5");
    EXPECT_EQ(FormatSigned(10000000), "10000000");
}

TEST(CountFormat, ControlValuesRoundAndKeepLow32Bits) {
    EXPECT_EQ(CountAsUnsigned(4000000000.0), 4000000000u);
    EXPECT_EQ(CountAsUnsigned(2.5), 3u);
    EXPECT_EQ(CountAsUnsigned(4294967296.0 + 7), 7u);
    EXPECT_EQ(CountAsSigned(-2.5), -3);
    EXPECT_EQ(CountAsSigned(4000000000.0), -294967296);
    EXPECT_EQ(CountAsUnsigned(std::numeric_limits<double>::quiet_NaN()), 0u);
    EXPECT_EQ(RoundHalfAway(1e300), std::numeric_limits<std::int64_t>::max());
}

TEST(CommaLocale, MakesNoDifferenceToWrittenOrReadNumbers) {
    const char *old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    const bool haveComma = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr ||
                           std::setlocale(LC_ALL, "fr_FR.UTF-8") != nullptr;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatLevel(2.5), "2.50");
    EXPECT_EQ(FormatTime(1.25e-7), "0.00000012500");
    EXPECT_EQ(FormatUnsigned(4000000000u), "4000000000");
    EXPECT_EQ(FormatSigned(-1234567), "-1234567");
    EXPECT_EQ(ParseDouble(u"2.5"), 2.5);
    EXPECT_FALSE(ParseDouble(u"2,5").has_value());
    QLocale::setDefault(QLocale::c());
    std::setlocale(LC_ALL, saved.c_str());
    if (!haveComma)
        GTEST_LOG_(INFO) << "no comma C locale installed; checked with the Qt default only";
}

TEST(ParseInteger, AcceptsOnlyWholeDecimalIntegersInRange) {
    EXPECT_EQ(ParseInt32(u"0"), 0);
    EXPECT_EQ(ParseInt32(u"-17"), -17);
    EXPECT_EQ(ParseInt32(u"+17"), 17);
    EXPECT_EQ(ParseInt32(u"00042"), 42);
    EXPECT_EQ(ParseInt32(u"2147483647"), 2147483647);
    EXPECT_EQ(ParseInt32(u"-2147483648"), std::numeric_limits<std::int32_t>::min());
    for (const char16_t *bad :
         {u"", u"-", u"+", u"12a", u"a12", u" 12", u"12 ", u"1.0", u"1e3", u"0x10", u"$10", u"nan",
          u"inf", u"2147483648", u"1,000", u"--1", u"12\r"})
        EXPECT_FALSE(ParseInt32(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

TEST(ParseInteger, SixtyFourAndUnsignedRanges) {
    EXPECT_EQ(ParseInt64(u"4000000000"), 4000000000LL);
    EXPECT_EQ(ParseInt64(u"-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_FALSE(ParseInt64(u"9223372036854775808").has_value());
    EXPECT_EQ(ParseUInt32(u"4294967295"), 4294967295u);
    EXPECT_FALSE(ParseUInt32(u"4294967296").has_value());
    EXPECT_FALSE(ParseUInt32(u"-1").has_value());
}

TEST(ParseDecimal, AcceptsDecimalsAndExponents) {
    const struct {
        const char16_t *Text;
        double Value;
    } cases[] = {{u"0.001", 0.001},
                 {u"-2.50", -2.5},
                 {u"+1", 1.0},
                 {u".5", 0.5},
                 {u"5.", 5.0},
                 {u"1.25E-7", 1.25e-7},
                 {u"0.00000012500", 1.25e-7},
                 {u"4000000000", 4e9}};
    for (const auto &c : cases)
        EXPECT_EQ(ParseDouble(c.Text), c.Value) << QString::fromUtf16(c.Text).toStdString();
}

TEST(ParseDecimal, RejectsEverythingElse) {
    for (const char16_t *bad :
         {u"",      u".",  u"-",  u"12a", u"nan", u"NaN", u"inf",   u"-inf",  u"infinity", u"1,5",
          u"1.2.3", u" 1", u"1 ", u"1e",  u"1e+", u"e5",  u"0x1p3", u"1e999", u"--1",      u"1.0V"})
        EXPECT_FALSE(ParseDouble(bad).has_value()) << QString::fromUtf16(bad).toStdString();
}

} // namespace
