#include "ReplyText.h"

#include <gtest/gtest.h>

TEST(ReplyText, TrimsCodes32AndBelowButNotHighBytes) {
    EXPECT_EQ(TrimTrailingControl(QByteArray(" 12 \r\n\t\x01")), QByteArray(" 12"));
    EXPECT_EQ(TrimTrailingControl(QByteArray("\r\n")), QByteArray());
    EXPECT_EQ(TrimTrailingControl(QByteArray("ab\xe9\xa0")), QByteArray("ab\xe9\xa0"));
    EXPECT_EQ(TrimControl(QByteArray("\r\n 12 \r")), QByteArray("12"));
    EXPECT_EQ(TrimControl(QByteArray("   ")), QByteArray());
    EXPECT_EQ(TrimControl(QByteArray("\x7f"
                                     "a")),
              QByteArray("\x7f"
                         "a"));
}
