#include "PortFixture.h"

#include <QFile>
#include <QThread>

using TComPortIo = TPortFixture;

TEST_F(TComPortIo, WriteSendsExactlyTheBytesGivenAndOpensOnDemand) {
    EXPECT_FALSE(Port.Opened());
    ASSERT_TRUE(Port.Write("*IDN?\r\n"));
    EXPECT_TRUE(Port.Opened());
    ASSERT_TRUE(Port.WriteRaw(":PULS1:DEL 0.00000012500\r\n", 26));
    EXPECT_TRUE(Port.Write(QByteArray())); // nothing to send is no failure
    const QByteArray binary("\x00\x01\xfe\xff\r\n", 6);
    ASSERT_TRUE(Port.Write(binary));
    ASSERT_TRUE(Peer.WaitForLines(3, 5000));
    EXPECT_EQ(Peer.Received(), QByteArray("*IDN?\r\n:PULS1:DEL 0.00000012500\r\n") + binary);
    EXPECT_EQ(Peer.Lines(), (QList<QByteArray>{"*IDN?", ":PULS1:DEL 0.00000012500",
                                               QByteArray("\x00\x01\xfe\xff", 4)}));
}

TEST_F(TComPortIo, ReadCollectsUpToTheTerminatorWhateverTheChunking) {
    struct TCase {
        const char *Name;
        QList<TPtyPeer::TChunk> Chunks;
        QByteArray Expected;
    };
    const QList<TCase> cases = {
        {"whole", {{"OK\r", 0}}, "OK\r"},
        {"split with pauses", {{"6180", 0}, {"-3", 60}, {"6\r", 60}}, "6180-36\r"},
        {"two replies in one chunk", {{"0\r1\r", 0}}, "0\r1\r"},
        {"terminator in its own chunk", {{"42", 0}, {"\r", 80}}, "42\r"},
        {"only the terminator: an empty reply", {{"\r", 0}}, "\r"},
        {"only CR LF", {{"\r\n", 0}}, "\r\n"},
        {"binary before the terminator",
         {{QByteArray("\x00\xff\x7f", 3), 0}, {"\r", 10}},
         QByteArray("\x00\xff\x7f\r", 4)},
    };
    for (const bool allowEvents : {false, true}) {
        Port.setAllowEvents(allowEvents);
        for (const TCase &c : cases) {
            Port.Flush(); // an LF after the CR need not come along with it
            Peer.QueueChunks(c.Chunks);
            SendLine("Q");
            EXPECT_EQ(Port.Read(), c.Expected) << c.Name << " events " << allowEvents;
            EXPECT_FALSE(Port.TimedOut()) << c.Name;
            EXPECT_FALSE(Port.InUse());
            ASSERT_TRUE(Peer.WaitUntilIdle(5000));
        }
    }
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(TComPortIo, MultiByteTerminatorSplitOverChunks) {
    Port.setEndOfResponse("#13#10");
    Peer.QueueChunks({{"AB\r", 0}, {"\nCD", 80}});
    SendLine("Q");
    // The reply is complete only with the LF; the rest of that chunk comes along.
    EXPECT_EQ(Port.Read(), QByteArray("AB\r\nCD"));
    EXPECT_FALSE(Port.TimedOut());
}

TEST_F(TComPortIo, RawModeReturnsWhatIsQueuedWithoutWaiting) {
    Port.setEndOfResponse("#");
    ASSERT_TRUE(Port.Open());
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(Port.Read(), QByteArray());
    EXPECT_LT(clock.elapsed(), 2500); // far below ResponseTime: it did not wait
    ASSERT_TRUE(Peer.SendNow("raw\rbytes"));
    for (int i = 0; i < 500 && Port.InCount() < 9; ++i)
        QThread::msleep(2);
    EXPECT_EQ(Port.InCount(), 9);
    EXPECT_EQ(Port.Read(), QByteArray("raw\rbytes"));
    EXPECT_EQ(Port.InCount(), 0);
    EXPECT_FALSE(Port.TimedOut());
}

TEST_F(TComPortIo, InCountFlushAndReadRawWithCapacity) {
    EXPECT_EQ(Port.InCount(), 0); // closed
    ASSERT_TRUE(Port.Open());
    EXPECT_TRUE(Port.State());
    ASSERT_TRUE(Peer.SendNow("0123456789"));
    for (int i = 0; i < 500 && Port.InCount() < 10; ++i)
        QThread::msleep(2);
    EXPECT_EQ(Port.InCount(), 10);
    char buffer[8] = {};
    EXPECT_EQ(Port.ReadRaw(buffer, 4), 4);
    EXPECT_EQ(QByteArray(buffer, 4), QByteArray("0123"));
    EXPECT_EQ(Port.InCount(), 6);
    Port.Flush();
    EXPECT_EQ(Port.InCount(), 0);
    EXPECT_EQ(Port.ReadRaw(buffer, sizeof buffer), 0);
    EXPECT_FALSE(Port.InUse());
    Port.Close();
    EXPECT_FALSE(Port.Opened());
    EXPECT_FALSE(Port.State());
    EXPECT_EQ(Port.InCount(), 0);
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(TComPortIo, MegabytesWithoutTerminatorEndAtTheResponseTime) {
    Port.setResponseTime(300);
    Port.setShowErrors(false);
    QByteArray flood(2 * 1024 * 1024, 'x');
    for (qsizetype i = 0; i < flood.size(); i += 7)
        flood[i] = char(i % 13 == 0 ? 0 : 0xA5); // binary, never CR
    ASSERT_TRUE(Port.Open());
    Peer.SendLater(flood, 0);
    QElapsedTimer clock;
    clock.start();
    const QByteArray got = Port.Read();
    EXPECT_TRUE(Port.TimedOut());
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_GT(got.size(), 0);
    EXPECT_TRUE(flood.startsWith(got));
    Port.Close(); // the peer's pending write must not hold up its shutdown
}

// The device is there while COM n still names the one the port opened: not once its link
// is gone, nor once COM n names another device.
TEST_F(TComPortIo, DevicePresentWhileComNumberStillNamesTheOpenedDevice) {
    EXPECT_TRUE(Port.DevicePresent()) << "never opened: the map alone decides";
    ASSERT_TRUE(Port.Open());
    EXPECT_TRUE(Port.DevicePresent());
    auto other = std::make_unique<TPtyPeer>(2, Peer.PortsDir());
    ASSERT_TRUE(QFile::remove(Peer.LinkPath()));
    EXPECT_FALSE(Port.DevicePresent());
    ASSERT_TRUE(QFile::link(other->SlavePath(), Peer.LinkPath()));
    EXPECT_FALSE(Port.DevicePresent()) << "COM1 is another device now";
}
