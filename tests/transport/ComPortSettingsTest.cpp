#include "PortFixture.h"

#include <QDir>
#include <QFile>
#include <termios.h>

using TComPortSettings = TPortFixture;

// A pseudo-terminal forces 8 bits and clears PARENB whatever is asked, so parity shows
// only in PARODD there.
TEST_F(TComPortSettings, OpenAppliesBaudOneStopAndParity) {
    Port.setBaud(19200);
    Port.setParity(TVKComPort::parOdd);
    ASSERT_TRUE(Port.Open());
    EXPECT_TRUE(Port.State());
    termios t;
    ASSERT_TRUE(Peer.SlaveTermios(t));
    EXPECT_EQ(Peer.SlaveBaud(), 19200);
    EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t(CS8));
    EXPECT_EQ(t.c_cflag & CSTOPB, tcflag_t(0));
    EXPECT_NE(t.c_cflag & PARODD, tcflag_t(0));
    EXPECT_EQ(t.c_cflag & CRTSCTS, tcflag_t(0));
    Port.setParity(TVKComPort::parEven);
    ASSERT_TRUE(Peer.SlaveTermios(t));
    EXPECT_EQ(t.c_cflag & PARODD, tcflag_t(0));
}

TEST_F(TComPortSettings, ChangingASettingReopensOnlyWhenItDiffersAndThePortIsOpen) {
    ASSERT_TRUE(Port.Open());
    ASSERT_EQ(Peer.SlaveBaud(), 9600);

    Port.setBaud(115200);
    EXPECT_TRUE(Port.Opened());
    EXPECT_EQ(Peer.SlaveBaud(), 115200);

    // The peer changes the rate behind the port's back; a reopen would set it again.
    ASSERT_TRUE(Peer.SetSlaveBaud(4800));
    Port.setBaud(115200);
    EXPECT_EQ(Peer.SlaveBaud(), 4800);
    Port.setParity(TVKComPort::parNone);
    Port.setHandshaking(TVKComPort::hsNone);
    Port.setPort(1);
    EXPECT_EQ(Peer.SlaveBaud(), 4800);

    Port.setParity(TVKComPort::parOdd); // differs: reopened, every setting applied again
    termios t;
    ASSERT_TRUE(Peer.SlaveTermios(t));
    EXPECT_EQ(Peer.SlaveBaud(), 115200);
    EXPECT_NE(t.c_cflag & PARODD, tcflag_t(0));

    Port.setHandshaking(TVKComPort::hsHardware);
    ASSERT_TRUE(Peer.SlaveTermios(t));
    EXPECT_NE(t.c_cflag & CRTSCTS, tcflag_t(0));
    Port.setHandshaking(TVKComPort::hsAssertAll);
    ASSERT_TRUE(Peer.SlaveTermios(t));
    EXPECT_EQ(t.c_cflag & CRTSCTS, tcflag_t(0));
    EXPECT_TRUE(Port.Opened());

    // Closed: stored only.
    Port.Close();
    ASSERT_TRUE(Peer.SetSlaveBaud(4800));
    Port.setBaud(9600);
    EXPECT_FALSE(Port.Opened());
    EXPECT_EQ(Peer.SlaveBaud(), 4800);
    ASSERT_TRUE(Port.Open());
    EXPECT_EQ(Peer.SlaveBaud(), 9600);
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(TComPortSettings, ChangingThePortNumberMovesToTheOtherDevice) {
    TPtyPeer second(2, Peer.PortsDir());
    ASSERT_TRUE(second.IsValid());
    ASSERT_TRUE(Port.Write("one\r\n"));
    Port.setPort(2);
    EXPECT_TRUE(Port.Opened());
    ASSERT_TRUE(Port.Write("two\r\n"));
    ASSERT_TRUE(second.WaitForLines(1, 5000));
    ASSERT_TRUE(Peer.WaitForLines(1, 5000));
    EXPECT_EQ(Peer.Received(), QByteArray("one\r\n"));
    EXPECT_EQ(second.Received(), QByteArray("two\r\n"));
}

TEST_F(TComPortSettings, OpenFailureNamesThePortAndTheSystemsReason) {
    Port.setPort(7); // not in the map
    Prompts.QueueButton(TPrompts::mbAbort);
    EXPECT_FALSE(Port.Open());
    EXPECT_EQ(Prompts.Texts(), QStringList{"Error opening COM7: No such file or directory"});
    EXPECT_EQ(Prompts.Shown[0].buttons, TPrompts::mbAbort | TPrompts::mbRetry);
    EXPECT_EQ(Prompts.Shown[0].icon, TPrompts::iconWarning);

    // The operations that need the port fail the same way.
    Prompts.Shown.clear();
    Prompts.QueueButton(TPrompts::mbAbort);
    Prompts.QueueButton(TPrompts::mbAbort);
    EXPECT_FALSE(Port.Write("x\r\n"));
    EXPECT_EQ(Port.Read(), QByteArray());
    EXPECT_EQ(Prompts.Texts().size(), 2);

    // Without ShowErrors: silent.
    Prompts.Shown.clear();
    Port.setShowErrors(false);
    EXPECT_FALSE(Port.Open());
    EXPECT_TRUE(Prompts.Shown.isEmpty());

    // A device that is no terminal: the reason is the system's.
    const QString plain = QDir(Peer.PortsDir()).filePath("plain");
    {
        QFile f(plain);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(plain, QDir(Peer.PortsDir()).filePath("COM9")));
    Port.setShowErrors(true);
    Port.setPort(9);
    Prompts.QueueButton(TPrompts::mbAbort);
    EXPECT_FALSE(Port.Open());
    EXPECT_EQ(Prompts.Texts(), QStringList{"Error opening COM9: Inappropriate ioctl for device"});
}

TEST_F(TComPortSettings, RetryOpensOnceThePortExists) {
    Port.setPort(5);
    Prompts.QueueButton(TPrompts::mbRetry);
    TPtyPeer *late = nullptr;
    Prompts.QueueButton(TPrompts::mbRetry, [&] { late = new TPtyPeer(5, Peer.PortsDir()); });
    EXPECT_TRUE(Port.Open());
    EXPECT_EQ(Prompts.Texts(), (QStringList{"Error opening COM5: No such file or directory",
                                            "Error opening COM5: No such file or directory"}));
    ASSERT_TRUE(Port.Write("hello\r\n"));
    ASSERT_NE(late, nullptr);
    ASSERT_TRUE(late->WaitForLines(1, 5000));
    EXPECT_EQ(late->Lines(), QList<QByteArray>{"hello"});
    Port.Close();
    delete late;
}
