#include "PortMap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <limits>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <vector>
#include <windows.h>
#else
#include <QSerialPortInfo>
#endif

namespace {

// Decimal digits only, 0..INT32_MAX; -1 otherwise.
qint32 Decimal(QStringView digits) {
    if (digits.isEmpty())
        return -1;
    qint64 value = 0;
    for (QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<qint32>::max())
            return -1;
    }
    return qint32(value);
}

// Decimal digits only, 1..INT32_MAX; 0 otherwise.
qint32 PositiveDecimal(QStringView digits) {
    return qMax(0, Decimal(digits));
}

// Splits a device name into its text and trailing number, for natural ordering.
struct TNaturalKey {
    QString Prefix;
    qint64 Number = -1;
    QString Whole;

    explicit TNaturalKey(const QString &name) : Whole(name) {
        qsizetype i = name.size();
        while (i > 0 && name.at(i - 1).isDigit() && name.size() - i < 18)
            --i;
        Prefix = name.left(i);
        if (i < name.size())
            Number = name.mid(i).toLongLong();
    }
    bool operator<(const TNaturalKey &o) const {
        if (Prefix != o.Prefix)
            return Prefix < o.Prefix;
        if (Number != o.Number)
            return Number < o.Number;
        return Whole < o.Whole;
    }
};

void SortAndDropZeros(QList<TPortEntry> &entries) {
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const TPortEntry &e) { return e.Number <= 0; }),
                  entries.end());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TPortEntry &a, const TPortEntry &b) { return a.Number < b.Number; });
}

bool IsModem(const QString &description) {
    return description.contains(QLatin1String("modem"), Qt::CaseInsensitive);
}

} // namespace

qint32 TPortMap::NumberOfName(const QString &name) {
    if (!name.startsWith(QLatin1String("COM")))
        return 0;
    return PositiveDecimal(QStringView(name).mid(3));
}

QString TPortMap::ItemText(qint32 number, const QString &device) {
    const QString com = QStringLiteral("COM%1").arg(number);
    if (device.isEmpty() || device == com)
        return com;
    return QStringLiteral("%1 (%2)").arg(com, device);
}

qint32 TPortMap::NumberOfItem(const QString &item) {
    if (!item.startsWith(QLatin1String("COM")))
        return 0;
    qsizetype end = 3;
    while (end < item.size() && item.at(end) >= u'0' && item.at(end) <= u'9')
        ++end;
    return PositiveDecimal(QStringView(item).mid(3, end - 3));
}

TPortMap TPortMap::Resolve(const QString &dir) {
    if (!dir.isEmpty())
        return FromDirectory(dir);
    const QString fromEnvironment = qEnvironmentVariable(EnvironmentVariable);
    if (!fromEnvironment.isEmpty())
        return FromDirectory(fromEnvironment);
    return FromSystem();
}

TPortMap TPortMap::FromDirectory(const QString &dir) {
    TPortMap map;
    const QFileInfoList entries = QDir(dir).entryInfoList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        const qint32 number = NumberOfName(entry.fileName());
        if (number <= 0 || !map.DevicePath(number).isEmpty())
            continue;
        // canonicalFilePath() is empty for a dangling or looping link.
        const QString device = entry.canonicalFilePath();
        if (device.isEmpty())
            continue;
        const QFileInfo target(device);
        if (!target.exists() || target.isDir() || !target.isReadable())
            continue;
        map.FEntries.append({number, device});
    }
    SortAndDropZeros(map.FEntries);
    return map;
}

TPortMap TPortMap::FromDevices(const QList<TSerialDevice> &devices) {
    static const QRegularExpression ttyS(QStringLiteral("^/dev/ttyS(\\d+)$"));
    TPortMap map;
    qint32 highest = 0;
    QList<TSerialDevice> others;
    for (const TSerialDevice &d : devices) {
        if (IsModem(d.Description))
            continue;
        const QRegularExpressionMatch m = ttyS.match(d.Location);
        if (!m.hasMatch()) {
            others.append(d);
            continue;
        }
        if (!d.HasUart)
            continue;
        const qint32 k = Decimal(m.capturedView(1));
        if (k < 0 || k == std::numeric_limits<qint32>::max())
            continue;
        const qint32 number = k + 1;
        if (!map.DevicePath(number).isEmpty())
            continue;
        map.FEntries.append({number, d.Location});
        highest = qMax(highest, number);
    }
    std::stable_sort(others.begin(), others.end(),
                     [](const TSerialDevice &a, const TSerialDevice &b) {
                         return TNaturalKey(a.Location) < TNaturalKey(b.Location);
                     });
    qint32 next = highest;
    for (const TSerialDevice &d : others) {
        if (next == std::numeric_limits<qint32>::max())
            break;
        map.FEntries.append({++next, d.Location});
    }
    SortAndDropZeros(map.FEntries);
    return map;
}

#ifdef Q_OS_WIN

// The registry's serial-port list. Its value names are device paths full of backslashes,
// which QSettings takes for key separators, so the key is read with the registry API.
TPortMap TPortMap::FromSystem() {
    TPortMap map;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return map;
    std::vector<wchar_t> name(16384); // the registry's longest value name, with its NUL
    std::vector<wchar_t> data(256);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = DWORD(name.size());
        DWORD dataBytes = DWORD(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        const LONG result = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<LPBYTE>(data.data()), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue; // unreadable or not a port name: the others are still listed
        if (QString::fromWCharArray(name.data(), int(nameLength)).contains(QLatin1String("Modem")))
            continue;
        QString port = QString::fromWCharArray(data.data(), int(dataBytes / sizeof(wchar_t)));
        while (port.endsWith(QChar(u'\0')))
            port.chop(1);
        const qint32 number = PositiveDecimal(QStringView(port).mid(3));
        if (number > 0)
            map.FEntries.append({number, port});
    }
    RegCloseKey(key);
    SortAndDropZeros(map.FEntries);
    return map;
}

#else

namespace {

// The serial core reports the UART type of every ttyS node; 0 means none was found.
bool HasUart(const QString &portName) {
    if (!portName.startsWith(QLatin1String("ttyS")))
        return true;
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(portName));
    if (!type.open(QIODevice::ReadOnly))
        return true;
    return type.readAll().trimmed() != "0";
}

} // namespace

TPortMap TPortMap::FromSystem() {
    QList<TSerialDevice> devices;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        devices.append({info.systemLocation(), info.description(), HasUart(info.portName())});
    return FromDevices(devices);
}

#endif

QList<qint32> TPortMap::Numbers() const {
    QList<qint32> numbers;
    for (const TPortEntry &e : FEntries)
        numbers.append(e.Number);
    return numbers;
}

QString TPortMap::DevicePath(qint32 number) const {
    for (const TPortEntry &e : FEntries)
        if (e.Number == number)
            return e.Device;
    return QString();
}
