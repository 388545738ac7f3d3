#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

class QSerialPort;
class QEvent;
class QDeadlineTimer;
class TPrompts;
class TPortPicker;
class TPortMap;

// The one piece of code that touches a serial device: opens COM n (resolved through the
// port map), applies baud, parity and handshake, writes bytes and reads replies up to a
// terminator within ResponseTime. Single-threaded; with AllowEvents the wait runs a local
// event loop, so timers and input keep working while a reply is awaited.
class TVKComPort : public QObject {
    Q_OBJECT
public:
    enum THandshake { hsNone, hsHardware, hsAssertAll };
    enum TParity { parNone, parEven, parOdd };

    explicit TVKComPort(QObject *owner = nullptr);
    ~TVKComPort() override;

    bool AllowEvents() const { return FAllowEvents; }
    void setAllowEvents(bool value) { FAllowEvents = value; }
    qint32 Baud() const { return FBaudRate; }
    void setBaud(qint32 value) { ReopenOnChange(FBaudRate, value); }
    // The terminator as written, with #n character codes ("#13", "#13#10", "OK#13").
    QByteArray EndOfResponse() const { return FEndOfResponse; }
    void setEndOfResponse(const QByteArray &value);
    // The terminator as bytes; empty means raw mode.
    QByteArray EndOfResponseRaw() const { return FEndOfResponseRaw; }
    THandshake Handshaking() const { return FHandshake; }
    void setHandshaking(THandshake value) { ReopenOnChange(FHandshake, value); }
    TParity Parity() const { return FParity; }
    void setParity(TParity value) { ReopenOnChange(FParity, value); }
    qint32 InCount() const;
    bool State() const;
    bool InUse() const { return FPortInUse; }
    bool Opened() const;
    // Whether the device that COM n names is still there and is the one last opened (a
    // pulled USB adapter or a vanished pseudo-terminal takes its name with it).
    bool DevicePresent() const;
    quint32 ResponseTime() const { return FResponseTime; }
    void setResponseTime(quint32 value) { FResponseTime = value; }
    qint32 Port() const { return FPortNumber; }
    void setPort(qint32 value) { ReopenOnChange(FPortNumber, value); }
    bool ShowErrors() const { return FShowErrors; }
    void setShowErrors(bool value) { FShowErrors = value; }
    bool TimedOut() const { return FTimedOut; }
    QByteArray Version() const { return QByteArrayLiteral("2.0.2"); }
    void setVersion(const QByteArray &) {}

    // Fired by Read on a time-out while AllowEvents is on. The handler may close the port
    // or deleteLater() it; the object stays valid until that Read has returned.
    std::function<void(TVKComPort *sender)> OnTimeout;

    bool Open();
    void Close();
    void Flush();
    QByteArray Read();
    qint64 ReadRaw(char *buffer, qint64 capacity); // returns the count copied
    bool Write(const QByteArray &sData);
    bool WriteRaw(const char *bData, quint32 bSize);
    bool Pick();
    QList<qint32> GetValidSerialPorts() const;

    // Message boxes; none are shown while no prompts are installed.
    void setPrompts(TPrompts *p) { FPrompts = p; }
    TPrompts *Prompts() const { return FPrompts; }
    // The port-choice dialog used by Pick (installed by the GUI); without one Pick is false.
    void setPicker(TPortPicker *p) { FPicker = p; }
    // Port-map directory of COM<n> links; empty (default) means PULSEPANEL_PORTS or, when
    // that is unset, the machine's serial devices.
    void setPortsDirectory(const QString &dir) { FPortsDirectory = dir; }
    QString PortsDirectory() const { return FPortsDirectory; }
    TPortMap PortMap() const;

    // The byte terminator built from a #n terminator text (exposed for tests).
    static QByteArray ParseTerminator(const QByteArray &text);
    // Whether `terminator` occurs in the bytes `received` so far. `searchFrom` starts at 0
    // for a reply and remembers where the next call may begin, so each chunk is searched
    // once and a terminator split over two chunks is still found.
    static bool TerminatorReceived(const QByteArray &received, const QByteArray &terminator,
                                   qsizetype &searchFrom);

protected:
    bool event(QEvent *e) override;

private:
    bool OpenOnce(QString &reason);
    void ApplySettings();
    void ReopenIfOpen();
    // A line setting applies on the next open; an open port is reopened with it.
    template <typename T> void ReopenOnChange(T &field, T value) {
        if (field == value)
            return;
        field = value;
        ReopenIfOpen();
    }
    bool EnsureOpen();
    bool RefuseWhileInUse();
    QByteArray ReadQueued(qint64 count);
    QByteArray ReadTerminated();
    void WaitForInput(const QDeadlineTimer &deadline);
    bool WriteAll(const char *data, qint64 size);
    void ShowMessage(const QString &text);

    bool FAllowEvents = false;
    qint32 FBaudRate = 9600;
    THandshake FHandshake = hsNone;
    TParity FParity = parNone;
    QByteArray FEndOfResponse;
    QByteArray FEndOfResponseRaw;
    QSerialPort *FPort = nullptr;
    bool FPortInUse = false;
    qint32 FPortNumber = 1;
    quint32 FResponseTime = 1000;
    bool FShowErrors = true;
    bool FTimedOut = false;
    TPrompts *FPrompts = nullptr;
    TPortPicker *FPicker = nullptr;
    QString FPortsDirectory;
    QString FOpenedDevice;       // the device COM n named when the port last opened
    bool FDeletePending = false; // a deleteLater() that arrived while a Read was waiting
};
