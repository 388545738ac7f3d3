#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class TVKComPort;
class TPrompts;
class TCommLog;
class TTerminalEcho;
class TAppControl;
struct TLinkState;

// Every exchange with the instrument: write one line (command + CR LF), read one reply
// line through the port. Queries are not echoed; commands and their replies are echoed
// to the command terminal. Both are written to the communication log when it is on.
//
// Re-entrancy: while a Read waits with events on, a timer or the user may start another
// exchange. Such a nested call finds the port InUse and is refused at once, before any
// pause or flush, so the reply the outer exchange waits for is never discarded.
class TExchange {
public:
    static const char *const CommunicationsLostMessage;
    static constexpr unsigned long PauseMs = 30; // before every exchange

    TExchange(TVKComPort &port, TLinkState &state, TCommLog &log, TTerminalEcho &terminal,
              TAppControl &app, TPrompts &prompts);
    ~TExchange();
    TExchange(const TExchange &) = delete;
    TExchange &operator=(const TExchange &) = delete;

    // Routes the port's time-out event to HandleCommTimeout (until this object dies).
    void AttachTimeoutHandler();

    // command + "?"; returns the reply without trailing characters of code 32 or less.
    // Empty when the port is busy with another read (nothing written, nothing logged).
    QString SendQuery(const QByteArray &command);
    // The reply as a decimal number; 0 when empty or not a number (the latter logged).
    qint32 QueryInteger(const QByteArray &command);
    // The same, but empty when nothing usable came back (no reply, not a number).
    std::optional<qint32> QueryIntegerReply(const QByteArray &command);
    // The reply as a 64-bit number taken modulo 2^32 (0 .. 4294967295); 0 when empty or
    // not a number.
    qint64 QueryUnsigned(const QByteArray &command);
    // Sends a setting command and echoes it and its reply. Refused (empty result) while
    // CommandsDisabled is set or the port is busy; each refusal is logged.
    QString SendCommand(const QByteArray &command);
    // Reads one reply line (trailing characters of code 32 or less removed) and logs it.
    QString ReadResponse();
    // ReadResponse, then echoes the reply in green.
    QString ReadAndShowResponse();
    // The port's time-out event: asks "Communications lost. Restart?" (Yes / No / Ignore).
    // Also the reaction when a line cannot be written (the port does not open, or the
    // write fails): then nothing is logged as sent and no reply is awaited.
    void HandleCommTimeout();

    // The text last written by SendQuery or SendCommand, without the line end.
    QByteArray LastCommand() const { return FLastCommand; }
    // Whether the last SendQuery or SendCommand put its line on the wire.
    bool LineWritten() const { return FLineWritten; }

private:
    void Echo(const QString &text, quint32 colour);
    bool QueryNumber(const QByteArray &command, qint64 &value);
    // An empty reply counts as 0; a reply that is not a number as 0 with a log line.
    bool NumberOfReply(const QString &reply, qint64 &value);
    bool PortReady();
    bool WriteLine(const QByteArray &text);
    void PortFailed();

    TVKComPort &FPort;
    TLinkState &FState;
    TCommLog &FLog;
    TTerminalEcho &FTerminal;
    TAppControl &FApp;
    TPrompts &FPrompts;
    QByteArray FLastCommand;
    bool FTimeoutHandlerAttached = false;
    bool FLineWritten = false;
};
