#include "ReplyNumber.h"

#include <gtest/gtest.h>

TEST(ReplyNumber, WholeTextDecimalOnly) {
    struct TCase {
        const char *text;
        bool ok;
        qint64 value;
    };
    const TCase cases[] = {
        {"0", true, 0},
        {"12", true, 12},
        {"+7", true, 7},
        {"-42", true, -42},
        {"4000000000", true, 4000000000LL},
        {"9223372036854775807", true, 9223372036854775807LL},
        {"-9223372036854775808", true, std::numeric_limits<qint64>::min()},
        {"9223372036854775808", false, 0},
        {"-9223372036854775809", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"12a", false, 0},
        {"nan", false, 0},
        {"inf", false, 0},
        {"1.5", false, 0},
        {"1e3", false, 0},
        {"$1A", false, 0},
        {"0x10", false, 0},
        {" 12", false, 0},
        {"12 ", false, 0},
        {"1,000", false, 0},
    };
    for (const TCase &c : cases) {
        qint64 value = -1;
        EXPECT_EQ(ParseDecimalInt64(QByteArray(c.text), value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : -1) << c.text;
    }
}

TEST(ReplyNumber, TrimsCodes32AndBelow) {
    EXPECT_EQ(TrimTrailingControl(QByteArray(" 12 \r\n\t\x01")), QByteArray(" 12"));
    EXPECT_EQ(TrimTrailingControl(QByteArray("\r\n")), QByteArray());
    EXPECT_EQ(TrimTrailingControl(QByteArray("ab\xe9")), QByteArray("ab\xe9"));
    EXPECT_EQ(TrimControl(QByteArray("\r\n 12 \r")), QByteArray("12"));
    EXPECT_EQ(TrimControl(QByteArray("   ")), QByteArray());
}
