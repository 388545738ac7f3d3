#include "PortMap.h"
#include "PtyPeer.h"
#include "VKComPort.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Touch(const QString &path) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

} // namespace

TEST(PortMap, DirectoryListsComLinksAndSkipsBadEntries) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir d(dir.path());
    Touch(d.filePath("devA"));
    Touch(d.filePath("devB"));
    Touch(d.filePath("devC"));
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COM12")));
    ASSERT_TRUE(QFile::link(d.filePath("devB"), d.filePath("COM3")));
    ASSERT_TRUE(QFile::link(d.filePath("devC"), d.filePath("COM07"))); // leading zero: 7
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COM7")));  // 7 again: first wins
    ASSERT_TRUE(QFile::link(d.filePath("gone"), d.filePath("COM4")));  // dangling
    ASSERT_TRUE(QFile::link(d.filePath("COM5"), d.filePath("COM5")));  // loop
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COM0")));  // no port number
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COMX")));
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COM8x")));
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("com9")));
    ASSERT_TRUE(QFile::link(d.filePath("devA"), d.filePath("COM99999999999")));
    ASSERT_TRUE(d.mkpath("COM6")); // a directory names no device

    const TPortMap map = TPortMap::FromDirectory(dir.path());
    EXPECT_EQ(map.Numbers(), (QList<qint32>{3, 7, 12}));
    EXPECT_EQ(map.DevicePath(3), QFileInfo(d.filePath("devB")).canonicalFilePath());
    EXPECT_EQ(map.DevicePath(7), QFileInfo(d.filePath("devC")).canonicalFilePath());
    EXPECT_EQ(map.DevicePath(12), QFileInfo(d.filePath("devA")).canonicalFilePath());
    EXPECT_EQ(map.DevicePath(4), QString());

    TVKComPort port;
    port.setPortsDirectory(dir.path());
    EXPECT_EQ(port.GetValidSerialPorts(), (QList<qint32>{3, 7, 12}));

    EXPECT_TRUE(TPortMap::FromDirectory(d.filePath("missing")).Numbers().isEmpty());
}

TEST(PortMap, EnvironmentVariableNamesTheMap) {
    TPtyPeer peer(4);
    ASSERT_TRUE(peer.IsValid());
    const QByteArray saved = qgetenv(TPortMap::EnvironmentVariable);
    qputenv(TPortMap::EnvironmentVariable, peer.PortsDir().toLocal8Bit());
    TVKComPort port;
    const QList<qint32> ports = port.GetValidSerialPorts();
    const QString device = port.PortMap().DevicePath(4);
    // A variable naming nothing readable gives no ports, never the machine's own.
    qputenv(TPortMap::EnvironmentVariable, "/nonexistent/ports");
    const QList<qint32> none = port.GetValidSerialPorts();
    if (saved.isNull())
        qunsetenv(TPortMap::EnvironmentVariable);
    else
        qputenv(TPortMap::EnvironmentVariable, saved);
    EXPECT_EQ(ports, QList<qint32>{4});
    EXPECT_EQ(device, peer.SlavePath());
    EXPECT_TRUE(none.isEmpty());
}

TEST(PortMap, SystemDevicesAreNumberedDeterministically) {
    const QList<TSerialDevice> devices = {
        {"/dev/ttyUSB10", "FT232R USB UART", true},
        {"/dev/ttyS1", "", true},
        {"/dev/ttyACM0", "USB Modem", true}, // a modem: left out
        {"/dev/ttyUSB2", "CP2102", true},
        {"/dev/ttyS0", "", true},
        {"/dev/ttyS3", "", false}, // no UART behind it
        {"/dev/ttyS4", "", true},
        {"/dev/ttyACM1", "Pulse generator", true},
        {"/dev/ttyAMA0", "", true},
    };
    const TPortMap map = TPortMap::FromDevices(devices);
    EXPECT_EQ(map.Numbers(), (QList<qint32>{1, 2, 5, 6, 7, 8, 9}));
    const QStringList expected = {"/dev/ttyS0",   "/dev/ttyS1",   "/dev/ttyS4",   "/dev/ttyACM1",
                                  "/dev/ttyAMA0", "/dev/ttyUSB2", "/dev/ttyUSB10"};
    QStringList got;
    for (const TPortEntry &e : map.Entries())
        got << e.Device;
    EXPECT_EQ(got, expected);

    // The order of discovery does not matter.
    QList<TSerialDevice> reversed(devices.rbegin(), devices.rend());
    EXPECT_EQ(TPortMap::FromDevices(reversed).Numbers(), map.Numbers());
    EXPECT_EQ(TPortMap::FromDevices(reversed).DevicePath(9), QString("/dev/ttyUSB10"));

    // Without ttyS ports the others start at COM1.
    const TPortMap usbOnly = TPortMap::FromDevices({{"/dev/ttyUSB0", "", true}});
    EXPECT_EQ(usbOnly.Numbers(), QList<qint32>{1});
}

TEST(PortMap, ItemTextAndNumberOfItem) {
    EXPECT_EQ(TPortMap::ItemText(3, "/dev/ttyS2"), QString("COM3 (/dev/ttyS2)"));
    EXPECT_EQ(TPortMap::ItemText(3, "COM3"), QString("COM3"));
    EXPECT_EQ(TPortMap::ItemText(15, QString()), QString("COM15"));
    EXPECT_EQ(TPortMap::NumberOfItem("COM15"), 15);
    EXPECT_EQ(TPortMap::NumberOfItem("COM123"), 123);
    EXPECT_EQ(TPortMap::NumberOfItem("COM3 (/dev/ttyS2)"), 3); // the device's digits don't count
    EXPECT_EQ(TPortMap::NumberOfItem("COM12 (/dev/pts/7)"), 12);
    EXPECT_EQ(TPortMap::NumberOfItem("COM"), 0);
    EXPECT_EQ(TPortMap::NumberOfItem("/dev/ttyS2"), 0);
    EXPECT_EQ(TPortMap::NumberOfName("COM12"), 12);
    EXPECT_EQ(TPortMap::NumberOfName("COM12 "), 0);
    EXPECT_EQ(TPortMap::NumberOfName("COM-1"), 0);
}
