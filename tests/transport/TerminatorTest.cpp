#include "VKComPort.h"

#include <gtest/gtest.h>

namespace {

struct TTerminatorCase {
    QByteArray Text;
    QByteArray Bytes;
};

} // namespace

TEST(Terminator, CodesLettersAndVerbatimFallback) {
    const TTerminatorCase cases[] = {
        {"#13", "\r"},
        {"\r", "\r"},
        {"#13#10", "\r\n"},
        {"OK#13", "OK\r"},
        {"#13X", "#13X"}, // a letter inside a code: the whole text verbatim
        {"##13", "##13"}, // empty code between two '#'
        {"#", ""},        // lone '#': raw mode
        {"", ""},         // nothing: raw mode
        {"#13#", "\r"},   // a trailing '#' opens an empty code that is never converted
        {"#0", QByteArray(1, '\0')},
        {"#255", "\xff"},
        {"#256", "?"},                    // no 8-bit form
        {"#99999999999", "#99999999999"}, // out of range: verbatim
        {"A#66", "AB"},
        {"A#66C", "A#66C"}, // after a '#' everything up to the next '#' is code
        {"#65#66", "AB"},
    };
    for (const TTerminatorCase &c : cases) {
        TVKComPort port;
        port.setEndOfResponse(c.Text);
        EXPECT_EQ(port.EndOfResponse(), c.Text) << c.Text.toStdString();
        EXPECT_EQ(port.EndOfResponseRaw(), c.Bytes) << c.Text.toStdString();
    }
}

TEST(Terminator, DefaultsAndVersion) {
    TVKComPort port;
    EXPECT_FALSE(port.AllowEvents());
    EXPECT_EQ(port.Baud(), 9600);
    EXPECT_EQ(port.Handshaking(), TVKComPort::hsNone);
    EXPECT_EQ(port.Parity(), TVKComPort::parNone);
    EXPECT_EQ(port.EndOfResponse(), QByteArray());
    EXPECT_EQ(port.ResponseTime(), 1000u);
    EXPECT_EQ(port.Port(), 1);
    EXPECT_TRUE(port.ShowErrors());
    EXPECT_FALSE(port.TimedOut());
    EXPECT_FALSE(port.InUse());
    EXPECT_FALSE(port.Opened());
    EXPECT_FALSE(port.State());
    EXPECT_EQ(port.InCount(), 0);
    EXPECT_EQ(port.Version(), QByteArray("2.0.2"));
    port.setVersion("9.9");
    EXPECT_EQ(port.Version(), QByteArray("2.0.2"));
    port.setResponseTime(4500);
    EXPECT_EQ(port.ResponseTime(), 4500u);
    EXPECT_FALSE(port.Opened()); // settings on a closed port are only stored
    port.setBaud(115200);
    port.setPort(3);
    EXPECT_EQ(port.Baud(), 115200);
    EXPECT_EQ(port.Port(), 3);
    EXPECT_FALSE(port.Opened());
}
