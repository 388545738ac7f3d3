#pragma once

#include <QList>
#include <QString>

// One port: the number n of COM n and the device that COM n opens.
struct TPortEntry {
    qint32 Number = 0;
    QString Device;
};

// A serial device as the system reports it, input to the automatic numbering.
struct TSerialDevice {
    QString Location;    // e.g. /dev/ttyS0, /dev/ttyUSB1
    QString Description; // the driver's or product's description
    bool HasUart = true; // false for a ttyS<k> node behind which no UART was found
};

// Resolves COM numbers to devices.
//
// With a port-map directory (PULSEPANEL_PORTS), its entries named COM<n> (n decimal, 1 or
// more; usually symbolic links to device nodes) are the complete list and COM n opens the
// link's final target. Entries with other names, dangling or looping links, directories and
// unreadable targets are skipped. When two names give the same number (COM7, COM07), the
// first in name order wins.
//
// Otherwise the machine's serial devices are numbered deterministically:
//   - /dev/ttyS<k> is COM k+1, whatever else is present;
//   - every other device (ttyUSB, ttyACM, ttyAMA, rfcomm, ...) follows after the highest
//     ttyS number listed, in natural order of the device name (ttyACM0 < ttyUSB0 <
//     ttyUSB2 < ttyUSB10);
//   - modems (a description containing "modem", any case) and ttyS nodes without a UART
//     are left out; they take no number.
// A PULSEPANEL_PORTS naming no readable directory gives an empty list, never the
// machine's own ports. On Windows, without a port-map directory, the list is the system's
// serial-port registry.
class TPortMap {
public:
    static constexpr const char *EnvironmentVariable = "PULSEPANEL_PORTS";

    // dir when given, else PULSEPANEL_PORTS when set, else the system's devices.
    static TPortMap Resolve(const QString &dir = QString());
    static TPortMap FromDirectory(const QString &dir);
    static TPortMap FromSystem();
    static TPortMap FromDevices(const QList<TSerialDevice> &devices);

    const QList<TPortEntry> &Entries() const { return FEntries; } // ascending by number
    QList<qint32> Numbers() const;
    QString DevicePath(qint32 number) const; // empty when the number is not mapped
    // Number of a COM<digits> text (all digits after "COM"); 0 when it is not one.
    static qint32 NumberOfName(const QString &name);
    // The port-choice item "COM<n> (<device>)", or "COM<n>" when the device says no more.
    static QString ItemText(qint32 number, const QString &device);
    // The number written after "COM" at the start of an item (all its digits); 0 if none.
    static qint32 NumberOfItem(const QString &item);

private:
    QList<TPortEntry> FEntries;
};
