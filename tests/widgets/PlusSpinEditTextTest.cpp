#include "PlusSpinEditText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace PlusSpinEditText;

namespace {
const QChar Comma(QLatin1Char(','));
const QChar None;
} // namespace

TEST(SpinEditText, LnBaseIsRoundedTo13DecimalsAndBaseIsClamped) {
    EXPECT_EQ(LnBase(10), 2.302585092994);
    EXPECT_EQ(LnBase(2), 0.6931471805599);
    EXPECT_EQ(LnBase(20), 2.9957322735540);
    EXPECT_EQ(LnBase(1), LnBase(2));
    EXPECT_EQ(LnBase(0), LnBase(2));
    EXPECT_EQ(LnBase(255), LnBase(20));
    EXPECT_EQ(GroupSize(10), 3);
    EXPECT_EQ(GroupSize(16), 4);
}

TEST(SpinEditText, FixedDecimalsRoundHalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(FormatText(0, 2, None, 10), "0.00");
    EXPECT_EQ(FormatText(0.125, 2, None, 10), "0.13");
    EXPECT_EQ(FormatText(-0.125, 2, None, 10), "-0.13");
    EXPECT_EQ(FormatText(1.005, 2, None, 10), "1.01");
    EXPECT_EQ(FormatText(2.675, 2, None, 10), "2.68");
    EXPECT_EQ(FormatText(9.995, 2, None, 10), "10.00");
    EXPECT_EQ(FormatText(0.5, 0, None, 10), "1");
    EXPECT_EQ(FormatText(-2.5, 0, None, 10), "-3");
    EXPECT_EQ(FormatText(-0.001, 2, None, 10), "0.00"); // no "-0.00"
    EXPECT_EQ(FormatText(1e-7, 9, None, 10), "0.000000100");
    EXPECT_EQ(FormatText(0.1 + 0.2, 12, None, 10), "0.300000000000");
    EXPECT_EQ(FormatText(4e9, 0, None, 10), "4000000000");
    EXPECT_EQ(FormatText(123.456, 18, None, 10), "123.456000000000000000");
}

TEST(SpinEditText, GroupingInIntegerAndFractionNeverAfterTheSign) {
    EXPECT_EQ(FormatText(-1234, 0, Comma, 10), "-1,234");
    EXPECT_EQ(FormatText(-123, 0, Comma, 10), "-123");
    EXPECT_EQ(FormatText(-123456, 0, Comma, 10), "-123,456");
    EXPECT_EQ(FormatText(123456, 0, Comma, 10), "123,456");
    EXPECT_EQ(FormatText(4e9, 0, Comma, 10), "4,000,000,000");
    EXPECT_EQ(FormatText(1234.567, 3, Comma, 10), "1,234.567");
    EXPECT_EQ(FormatText(1e-7, 9, Comma, 10), "0.000,000,100");
    EXPECT_EQ(FormatText(1.5e-8, 12, Comma, 10), "0.000,000,015,000");
    EXPECT_EQ(FormatText(1234.5, 4, Comma, 10), "1,234.500,0");
    EXPECT_EQ(FormatText(1.5, 18, Comma, 10), "1.500,000,000,000,000,000");
    EXPECT_EQ(FormatText(12345678, 0, Comma, 16), "1234,5678");
}

TEST(SpinEditText, BadValuesGiveSaneText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FormatText(nan, 2, Comma, 10), "0.00");
    EXPECT_EQ(FormatText(inf, 2, Comma, 10), "0.00");
    EXPECT_EQ(FormatText(1e300, 18, Comma, 10), "1.00000000000000E+300");
    EXPECT_EQ(FormatText(-1e300, 2, None, 10), "-1.00000000000000E+300");
    EXPECT_EQ(FormatText(1, 25, None, 10), "1.000000000000000000"); // 18 decimals at most
    EXPECT_EQ(FormatText(1e35, 0, None, 10), "1" + QString(35, QLatin1Char('0')));
}

TEST(SpinEditText, HighestDigitPosition) {
    EXPECT_EQ(HighestDigitPosition(10, 999), 2);
    EXPECT_EQ(HighestDigitPosition(10, 1000), 3);
    EXPECT_EQ(HighestDigitPosition(10, 5), 1);
    EXPECT_EQ(HighestDigitPosition(10, 0), 1);
    EXPECT_EQ(HighestDigitPosition(10, -100), 3);
    EXPECT_EQ(HighestDigitPosition(10, -1000), 4);
    EXPECT_EQ(HighestDigitPosition(10, 4e9), 9);
    EXPECT_EQ(HighestDigitPosition(2, 8), 3);
    EXPECT_EQ(HighestDigitPosition(10, 1e300), 300);
    EXPECT_EQ(HighestDigitPosition(10, std::numeric_limits<double>::quiet_NaN()), 1);
    EXPECT_EQ(HighestDigitPosition(10, -std::numeric_limits<double>::infinity()), 1);
}

TEST(SpinEditText, IncrementGivesTheFocusPlace) {
    EXPECT_EQ(IncrementExponent(0.01, 10, 2), -2);
    EXPECT_EQ(IncrementExponent(1e-8, 10, 12), -8);
    EXPECT_EQ(IncrementExponent(1.0, 10, 2), 0);
    EXPECT_EQ(IncrementExponent(-100, 10, 2), 2);
    EXPECT_EQ(IncrementExponent(0.05, 10, 2), -2);
    EXPECT_EQ(IncrementExponent(5e-9, 10, 9), -9);
    EXPECT_EQ(IncrementExponent(2.5e-10, 10, 9), -10);
    EXPECT_EQ(IncrementExponent(0, 10, 9), -10);
    EXPECT_EQ(IncrementExponent(1e-21, 10, 2), -3);
    EXPECT_EQ(IncrementExponent(8, 2, 0), 3);
    EXPECT_DOUBLE_EQ(PowerOfBase(10, -8), 1e-8);
    EXPECT_EQ(PowerOfBase(2, 5), 32);
    EXPECT_EQ(PowerOfBase(10, 0), 1);
}

TEST(SpinEditText, FocusIndexWithPlaceholdersAndSeparators) {
    // 5 with the focus on the thousands place: shown as 0,005.
    TFocus f = LocateFocus("5", 3, 0, Comma, 10);
    EXPECT_EQ(f.text, "_,__5");
    EXPECT_EQ(f.index, 1);
    EXPECT_EQ(Displayed(f.text), "0,005");
    // Moving right drops the placeholders left of the focus.
    f = LocateFocus("_,__5", 2, 0, Comma, 10);
    EXPECT_EQ(f.text, "__5");
    EXPECT_EQ(f.index, 1);
    f = LocateFocus("_,__5", 0, 0, Comma, 10);
    EXPECT_EQ(f.text, "5");
    EXPECT_EQ(f.index, 1);
    // Without grouping.
    f = LocateFocus("5.00", 2, 2, None, 10);
    EXPECT_EQ(f.text, "__5.00");
    EXPECT_EQ(f.index, 1);

    EXPECT_EQ(LocateFocus("1,234.567", 0, 3, Comma, 10).index, 5);
    EXPECT_EQ(LocateFocus("1,234.567", 3, 3, Comma, 10).index, 1);
    EXPECT_EQ(LocateFocus("1,234.567", -1, 3, Comma, 10).index, 7);
    EXPECT_EQ(LocateFocus("1,234.567", -3, 3, Comma, 10).index, 9);
    EXPECT_EQ(LocateFocus("0.000,000,100", -7, 9, Comma, 10).index, 11);
    EXPECT_EQ(LocateFocus("0.000,000,000,000", -12, 12, Comma, 10).index, 17);
    // The minus sign takes a place.
    EXPECT_EQ(LocateFocus("-1,234", 4, 0, Comma, 10).index, 1);
    EXPECT_EQ(LocateFocus("-5", 1, 0, None, 10).index, 1);
    // A place right of the last decimal lies outside the text.
    EXPECT_GT(LocateFocus("1.00000000000000E+300", 0, 2, Comma, 10).index, 21);
    const TFocus outside = LocateFocus("0.000000000", -10, 9, None, 10);
    EXPECT_EQ(outside.text, "0.000000000");
    EXPECT_GT(outside.index, outside.text.size());
}

TEST(SpinEditText, TypedTextAndParsing) {
    EXPECT_EQ(TypedText("_,__5", 1, QLatin1Char('2'), Comma), "2005");
    EXPECT_EQ(TypedText("-5", 1, QLatin1Char('3'), None), "35");
    EXPECT_EQ(TypedText("1 234.5", 3, QLatin1Char('9'), QLatin1Char(' ')), "1934.5");
    EXPECT_EQ(TypedText("12", 5, QLatin1Char('9'), None), "12"); // outside: unchanged

    double v = -1;
    EXPECT_TRUE(ParseInBase("2005", 10, v));
    EXPECT_EQ(v, 2005);
    EXPECT_TRUE(ParseInBase("-0.5", 10, v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseInBase("-.5", 10, v));
    EXPECT_EQ(v, -0.5);
    EXPECT_TRUE(ParseInBase("0.000000000015", 10, v));
    EXPECT_EQ(v, 1.5e-11);
    EXPECT_TRUE(ParseInBase("101.1", 2, v));
    EXPECT_EQ(v, 5.5);
    EXPECT_TRUE(ParseInBase("fF", 16, v));
    EXPECT_EQ(v, 255);
    v = 7;
    for (const char *bad : {"", "-", ".", "-.", "1.2.3", "12a", "1-2", "--1", "+1", " 1", "1e5",
                            "nan", "inf", "1,000"})
        EXPECT_FALSE(ParseInBase(QString::fromLatin1(bad), 10, v)) << bad;
    EXPECT_FALSE(ParseInBase("102", 2, v));
    EXPECT_FALSE(ParseInBase("1" + QString(400, QLatin1Char('0')), 10, v)); // not finite
    EXPECT_EQ(v, 7);                                                        // untouched on failure
}

TEST(SpinEditText, RightZeroClearsDigitsRightOfTheFocus) {
    EXPECT_EQ(RightZeroText(4567, 1, 0), "4560");
    EXPECT_EQ(RightZeroText(-4567, 1, 0), "-4560");
    EXPECT_EQ(RightZeroText(1234.5, 2, 1), "1200");
    EXPECT_EQ(RightZeroText(1.2345, -2, 4), "1.2300");
    EXPECT_EQ(RightZeroText(1.2345, 0, 4), "1");
    EXPECT_EQ(RightZeroText(0.1 + 0.2, -1, 12), "0.300000000000");
    EXPECT_EQ(RightZeroText(0.123456789012345, -3, 15), "0.123000000000000");
    EXPECT_EQ(RightZeroText(1.25, -10, 2), "1.25"); // focus outside the text
    EXPECT_EQ(RightZeroText(45, 5, 0), "00");
}

TEST(SpinEditText, ClickedDigitPlace) {
    const int w = 10;
    auto width = [w](const QString &s) { return static_cast<int>(s.size()) * w; };
    // "1,234.567": characters are w wide, the k-th spans [(k-1)w, kw).
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 45, width), 0);  // on "4"
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 35, width), 1);  // on "3"
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 5, width), 3);   // on "1"
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 15, width), 2);  // separator: the digit right of it
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 65, width), -1); // on "5"
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, 85, width), -3); // on "7"
    EXPECT_EQ(PlaceAt("1,234.567", 3, Comma, -5, width), 4);  // left of the text
    EXPECT_EQ(PlaceAt("-1,234", 0, Comma, 5, width), 4);      // on the sign
    EXPECT_EQ(PlaceAt("_,__5", 0, Comma, 5, width), 3);       // on a placeholder
}

TEST(SpinEditText, ArrowGlyphSize) {
    EXPECT_EQ(GlyphSize(20), 10);
    EXPECT_EQ(GlyphSize(10), 4);
    EXPECT_EQ(GlyphSize(1), 4);
    EXPECT_EQ(GlyphSize(40) % 2, 0);
}

TEST(SpinEditText, DigitValues) {
    EXPECT_EQ(DigitValue(QLatin1Char('0')), 0);
    EXPECT_EQ(DigitValue(QLatin1Char('9')), 9);
    EXPECT_EQ(DigitValue(QLatin1Char('A')), 10);
    EXPECT_EQ(DigitValue(QLatin1Char('z')), 35);
    EXPECT_EQ(DigitValue(QLatin1Char('-')), -1);
    EXPECT_EQ(DigitValue(QChar(0x0663)), -1); // Arabic-Indic three is not a digit here
}
