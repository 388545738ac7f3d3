#include "VKComPort.h"

#include "PortLock.h"
#include "PortMap.h"
#include "PortPicker.h"
#include "Prompts.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QScopeGuard>
#include <QSerialPort>
#include <QThread>
#include <QTimer>
#include <cerrno>
#include <limits>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace {

const char *const PortInUseText = "Port is in use -- operation aborted";
const char *const TimeoutText = "Timeout waiting for response.";
const char *const RawReadErrorText = "Raw read error.";

// Milliseconds left, rounded up so that a wait never ends just before the deadline.
int RemainingMs(const QDeadlineTimer &deadline) {
    const qint64 ns = deadline.remainingTimeNSecs();
    if (ns <= 0)
        return 0;
    return int(qMin<qint64>((ns + 999999) / 1000000, std::numeric_limits<int>::max()));
}

// Appends the character with the given code in 8 bits; codes past Latin-1 have no 8-bit
// form and become '?', as a code-page conversion would give.
void AppendCode(QByteArray &out, const QByteArray &digits, bool &ok) {
    if (digits.isEmpty()) {
        ok = false;
        return;
    }
    quint64 code = 0;
    for (char c : digits) {
        if (c < '0' || c > '9' || code > quint64(std::numeric_limits<qint32>::max())) {
            ok = false;
            return;
        }
        code = code * 10 + quint64(c - '0');
    }
    if (code > quint64(std::numeric_limits<qint32>::max())) {
        ok = false;
        return;
    }
    out.append(code <= 0xFF ? char(code) : '?');
}

} // namespace

TVKComPort::TVKComPort(QObject *owner) : QObject(owner), FPort(new QSerialPort(this)) {}

TVKComPort::~TVKComPort() {
    Close();
}

// --- terminator ---------------------------------------------------------------------------

QByteArray TVKComPort::ParseTerminator(const QByteArray &text) {
    QByteArray bytes;
    QByteArray digits;
    bool insideCode = false;
    bool ok = true;
    for (char c : text) {
        if (c == '#') {
            if (insideCode) {
                AppendCode(bytes, digits, ok);
                digits.clear();
            }
            insideCode = true;
        } else if (insideCode) {
            digits.append(c);
        } else {
            bytes.append(c);
        }
    }
    if (!digits.isEmpty())
        AppendCode(bytes, digits, ok);
    return ok ? bytes : text;
}

void TVKComPort::setEndOfResponse(const QByteArray &value) {
    FEndOfResponse = value;
    FEndOfResponseRaw = ParseTerminator(value);
}

// --- settings that reopen -----------------------------------------------------------------

void TVKComPort::ReopenIfOpen() {
    if (!Opened())
        return;
    Close();
    Open();
}

// --- state --------------------------------------------------------------------------------

bool TVKComPort::Opened() const {
    return FPort->isOpen();
}

qint32 TVKComPort::InCount() const {
    if (!Opened())
        return 0;
    FPort->clearError();
    qint64 count = FPort->bytesAvailable();
#ifdef Q_OS_UNIX
    // Bytes still in the driver: QSerialPort only learns of them when it next reads.
    int queued = 0;
    if (::ioctl(int(FPort->handle()), FIONREAD, &queued) == 0 && queued > 0)
        count += queued;
#endif
    return qint32(qMin<qint64>(count, std::numeric_limits<qint32>::max()));
}

bool TVKComPort::DevicePresent() const {
    const QString device = PortMap().DevicePath(FPortNumber);
    if (device.isEmpty() || !QFileInfo::exists(device))
        return false;
    // A renumbered machine may give COM n to another device now.
    return FOpenedDevice.isEmpty() || device == FOpenedDevice;
}

bool TVKComPort::State() const {
    if (!Opened())
        return false;
#ifdef Q_OS_UNIX
    termios t;
    return ::tcgetattr(int(FPort->handle()), &t) == 0;
#else
    return true;
#endif
}

TPortMap TVKComPort::PortMap() const {
    return TPortMap::Resolve(FPortsDirectory);
}

// --- open / close -------------------------------------------------------------------------

bool TVKComPort::OpenOnce(QString &reason) {
    const QString device = PortMap().DevicePath(FPortNumber);
    if (device.isEmpty()) {
        reason = qt_error_string(ENOENT);
        return false;
    }
    FPort->setPortName(device);
    if (FPort->open(QIODevice::ReadWrite)) {
        FOpenedDevice = device;
        return true;
    }
    reason = FPort->errorString();
    // Qt reports a port held by another program as a permission error; say who holds it.
    if (FPort->error() == QSerialPort::PermissionError) {
        const QString held = TPortLock::HeldReason(device);
        if (!held.isEmpty())
            reason = held;
    }
    FPort->clearError();
    return false;
}

bool TVKComPort::Open() {
    if (Opened())
        Close();
    QPointer<TVKComPort> self(this);
    for (;;) {
        QString reason;
        if (OpenOnce(reason))
            break;
        if (!FShowErrors || !FPrompts)
            break;
        const TPrompts::TButton answer = FPrompts->Message(
            QStringLiteral("Error opening COM%1: %2").arg(FPortNumber).arg(reason),
            TPrompts::mbAbort | TPrompts::mbRetry, TPrompts::iconWarning);
        if (!self)
            return false;
        if (answer != TPrompts::mbRetry)
            break;
    }
    if (Opened())
        ApplySettings();
    return Opened();
}

void TVKComPort::ApplySettings() {
    if (!State())
        return; // settings unreadable: leave the device as it is
    // Failures here are ignored, as a driver that refuses one setting still carries bytes
    // (a pseudo-terminal has no modem lines, for instance).
    FPort->setBaudRate(FBaudRate);
    FPort->setDataBits(QSerialPort::Data8);
    FPort->setStopBits(QSerialPort::OneStop);
    switch (FParity) {
    case parNone:
        FPort->setParity(QSerialPort::NoParity);
        break;
    case parEven:
        FPort->setParity(QSerialPort::EvenParity);
        break;
    case parOdd:
        FPort->setParity(QSerialPort::OddParity);
        break;
    }
    switch (FHandshake) {
    case hsNone: // no flow control, DTR and RTS not driven
        FPort->setFlowControl(QSerialPort::NoFlowControl);
        FPort->setDataTerminalReady(false);
        FPort->setRequestToSend(false);
        break;
    case hsHardware: // CTS/RTS flow control, DTR not driven
        FPort->setFlowControl(QSerialPort::HardwareControl);
        FPort->setDataTerminalReady(false);
        break;
    case hsAssertAll: // no flow control, DTR and RTS raised
        FPort->setFlowControl(QSerialPort::NoFlowControl);
        FPort->setDataTerminalReady(true);
        FPort->setRequestToSend(true);
        break;
    }
    FPort->clearError();
}

void TVKComPort::Close() {
    if (FPort->isOpen())
        FPort->close();
    FPort->clearError();
}

bool TVKComPort::EnsureOpen() {
    if (Opened())
        return true;
    QPointer<TVKComPort> self(this);
    return Open() && self;
}

void TVKComPort::Flush() {
    if (Opened())
        FPort->clear(QSerialPort::AllDirections);
}

// --- write --------------------------------------------------------------------------------

bool TVKComPort::Write(const QByteArray &sData) {
    return WriteRaw(sData.constData(), quint32(sData.size()));
}

bool TVKComPort::WriteRaw(const char *bData, quint32 bSize) {
    if (!EnsureOpen())
        return false;
    return WriteAll(bData, bSize);
}

bool TVKComPort::WriteAll(const char *data, qint64 size) {
    if (size == 0)
        return true;
    if (FPort->write(data, size) != size) {
        FPort->clear(QSerialPort::Output);
        return false;
    }
    // The bytes must have left before the call returns; allow the line time plus a margin
    // so that a stalled line (flow control held off) cannot block for ever.
    const qint64 lineMs = size * 11 * 1000 / qMax(1, FBaudRate);
    const QDeadlineTimer deadline(2000 + lineMs, Qt::PreciseTimer);
    while (FPort->isOpen() && FPort->bytesToWrite() > 0 && !deadline.hasExpired())
        if (!FPort->waitForBytesWritten(RemainingMs(deadline)))
            break;
    if (!FPort->isOpen())
        return false;
    if (FPort->bytesToWrite() > 0) {
        FPort->clear(QSerialPort::Output); // a short write must not go out later unasked
        return false;
    }
    return true;
}

// --- read ---------------------------------------------------------------------------------

bool TVKComPort::event(QEvent *e) {
    // A handler running inside a Read's wait may deleteLater() the port; the Read must
    // finish on a live object first.
    if (e->type() == QEvent::DeferredDelete && FPortInUse) {
        FDeletePending = true;
        return true;
    }
    return QObject::event(e);
}

void TVKComPort::ShowMessage(const QString &text) {
    if (FPrompts)
        FPrompts->Message(text, TPrompts::mbOK, TPrompts::iconNone);
}

bool TVKComPort::RefuseWhileInUse() {
    if (!FPortInUse)
        return false;
    if (FShowErrors)
        ShowMessage(QString::fromLatin1(PortInUseText));
    return true;
}

QByteArray TVKComPort::ReadQueued(qint64 count) {
    if (count <= 0 || !Opened())
        return QByteArray();
    while (FPort->bytesAvailable() < count && FPort->waitForReadyRead(0)) {
    }
    return FPort->read(count);
}

QByteArray TVKComPort::Read() {
    if (RefuseWhileInUse())
        return QByteArray();
    if (!EnsureOpen())
        return QByteArray();
    QPointer<TVKComPort> self(this);
    FPortInUse = true;
    const auto release = qScopeGuard([&] {
        if (!self)
            return;
        FPortInUse = false;
        if (FDeletePending) {
            FDeletePending = false;
            deleteLater();
        }
    });
    if (FEndOfResponseRaw.isEmpty())
        return ReadQueued(InCount());
    return ReadTerminated();
}

bool TVKComPort::TerminatorReceived(const QByteArray &received, const QByteArray &terminator,
                                    qsizetype &searchFrom) {
    if (received.indexOf(terminator, searchFrom) >= 0)
        return true;
    // Only the tail can still complete a terminator split over two chunks.
    searchFrom = qMax<qsizetype>(0, received.size() - terminator.size() + 1);
    return false;
}

QByteArray TVKComPort::ReadTerminated() {
    QPointer<TVKComPort> self(this);
    QByteArray result;
    qsizetype searchFrom = 0;
    QDeadlineTimer deadline(qint64(FResponseTime), Qt::PreciseTimer);
    for (;;) {
        FTimedOut = false;
        bool complete = false;
        bool closed = false;
        for (;;) {
            if (Opened())
                result += FPort->readAll();
            if (TerminatorReceived(result, FEndOfResponseRaw, searchFrom)) {
                complete = true;
                break;
            }
            if (deadline.hasExpired() || !Opened()) {
                FTimedOut = true;
                closed = !Opened();
                break;
            }
            WaitForInput(deadline);
            if (!self)
                return result;
        }
        if (complete)
            return result;
        if (closed)
            return result; // closed by a handler during the wait: nothing more can arrive
        if (FAllowEvents && OnTimeout) {
            const auto handler = OnTimeout;
            handler(this);
            if (!self || !Opened())
                return result;
        }
        if (!FShowErrors || !FPrompts)
            return result;
        const TPrompts::TButton answer =
            FPrompts->Message(QString::fromLatin1(TimeoutText),
                              TPrompts::mbAbort | TPrompts::mbRetry, TPrompts::iconWarning);
        if (!self || answer != TPrompts::mbRetry || !Opened())
            return result;
        deadline = QDeadlineTimer(qint64(FResponseTime), Qt::PreciseTimer);
    }
}

void TVKComPort::WaitForInput(const QDeadlineTimer &deadline) {
    if (FAllowEvents && QCoreApplication::instance()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        connect(FPort, &QIODevice::readyRead, &loop, &QEventLoop::quit);
        connect(FPort, &QIODevice::aboutToClose, &loop, &QEventLoop::quit);
        timer.start(RemainingMs(deadline));
        loop.exec();
        return;
    }
    if (FPort->waitForReadyRead(RemainingMs(deadline)))
        return;
    // An error (a vanished device) makes waitForReadyRead return at once: pace the
    // remaining wait instead of spinning on it.
    if (!deadline.hasExpired())
        QThread::msleep(qMin(RemainingMs(deadline), 5));
}

qint64 TVKComPort::ReadRaw(char *buffer, qint64 capacity) {
    if (RefuseWhileInUse())
        return 0;
    if (!EnsureOpen())
        return 0;
    QPointer<TVKComPort> self(this);
    FPortInUse = true;
    const auto release = qScopeGuard([&] {
        if (self)
            FPortInUse = false;
    });
    const qint64 count = qMin<qint64>(InCount(), qMax<qint64>(0, capacity));
    if (count <= 0 || !buffer)
        return 0;
    while (FPort->bytesAvailable() < count && FPort->waitForReadyRead(0)) {
    }
    const qint64 got = FPort->read(buffer, count);
    if (got < 0) {
        ShowMessage(QString::fromLatin1(RawReadErrorText)); // shown whatever ShowErrors says
        return 0;
    }
    return got;
}

// --- port list and choice -----------------------------------------------------------------

QList<qint32> TVKComPort::GetValidSerialPorts() const {
    return PortMap().Numbers();
}

bool TVKComPort::Pick() {
    const TPortMap map = PortMap();
    const QList<qint32> ports = map.Numbers();
    if (ports.isEmpty() || !FPicker)
        return false;
    const bool savedShowErrors = FShowErrors;
    const qint32 savedPort = FPortNumber;
    const bool wasOpen = Opened();

    QStringList items;
    int selected = -1;
    FShowErrors = false;
    for (qint32 n : ports) {
        FPortNumber = n;
        if (!Open())
            continue;
        items << TPortMap::ItemText(n, map.DevicePath(n));
        if (n == savedPort)
            selected = int(items.size()) - 1;
    }
    // The probe's handle belongs to some other port than Port: never leave it open.
    Close();
    FPortNumber = savedPort;
    if (wasOpen)
        Open();
    FShowErrors = savedShowErrors;

    QPointer<TVKComPort> self(this);
    QString chosen;
    const bool confirmed = FPicker->Choose(items, selected, chosen);
    if (!self || !confirmed)
        return false;
    const qint32 number = TPortMap::NumberOfItem(chosen);
    if (number <= 0)
        return false;
    FPortNumber = number; // stored without reopening: the caller opens it
    return true;
}
