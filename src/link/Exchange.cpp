#include "Exchange.h"

#include "AppControl.h"
#include "CommLog.h"
#include "LinkState.h"
#include "NumberFormat.h"
#include "Prompts.h"
#include "ReplyText.h"
#include "TerminalEcho.h"
#include "VKComPort.h"

#include <QThread>

#include <limits>

const char *const TExchange::CommunicationsLostMessage = "Communications lost. Restart?";

namespace {

const QByteArray LineEnd("\r\n");

// Replies travel as 8-bit text; Latin-1 keeps every byte as one character.
QString AsText(const QByteArray &bytes) {
    return QString::fromLatin1(bytes);
}

} // namespace

TExchange::TExchange(TVKComPort &port, TLinkState &state, TCommLog &log, TTerminalEcho &terminal,
                     TAppControl &app, TPrompts &prompts)
    : FPort(port), FState(state), FLog(log), FTerminal(terminal), FApp(app), FPrompts(prompts) {}

TExchange::~TExchange() {
    if (FTimeoutHandlerAttached)
        FPort.OnTimeout = nullptr;
}

void TExchange::AttachTimeoutHandler() {
    FPort.OnTimeout = [this](TVKComPort *) { HandleCommTimeout(); };
    FTimeoutHandlerAttached = true;
}

// A port that was closed is opened on demand.
bool TExchange::PortReady() {
    if (FPort.Opened() || FPort.Open())
        return true;
    PortFailed();
    return false;
}

// The line becomes the last command; false when it could not go out whole.
bool TExchange::WriteLine(const QByteArray &text) {
    FLastCommand = text;
    FLineWritten = FPort.Write(text + LineEnd);
    if (!FLineWritten)
        PortFailed();
    return FLineWritten;
}

// Nothing could go out (the port does not open, or refuses the line): once the program
// runs no reply can come, so the user is asked as for a lost reply, and the port counts
// as gone. Not in demo mode, where no instrument is expected, nor during the search, which
// tries ports that may fail.
void TExchange::PortFailed() {
    if (FState.DemoMode || !FPort.AllowEvents())
        return;
    FState.PortGone = true;
    HandleCommTimeout();
}

QString TExchange::SendQuery(const QByteArray &command) {
    FLineWritten = false;
    if (FPort.InUse())
        return QString();
    QThread::msleep(PauseMs);
    if (!PortReady())
        return QString();
    FPort.Flush();
    if (!WriteLine(command + '?'))
        return QString();
    FLog.Sent(FLastCommand);
    const QString reply = AsText(TrimTrailingControl(FPort.Read()));
    FLog.Received(reply);
    return reply;
}

bool TExchange::QueryNumber(const QByteArray &command, qint64 &value) {
    return NumberOfReply(SendQuery(command), value);
}

bool TExchange::NumberOfReply(const QString &text, qint64 &value) {
    QByteArray reply = text.toLatin1();
    if (reply.isEmpty())
        reply = "0";
    if (const auto number = Instrument::ParseInt64(QString::fromLatin1(TrimControl(reply)))) {
        value = *number;
        return true;
    }
    value = 0;
    FLog.ExceptionError();
    return false;
}

qint32 TExchange::QueryInteger(const QByteArray &command) {
    return QueryIntegerReply(command).value_or(0);
}

std::optional<qint32> TExchange::QueryIntegerReply(const QByteArray &command) {
    const QString reply = SendQuery(command);
    qint64 value = 0;
    if (!NumberOfReply(reply, value))
        return std::nullopt;
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max()) {
        FLog.ExceptionError();
        return std::nullopt;
    }
    if (reply.isEmpty())
        return std::nullopt; // counts as 0, but nothing answered
    return static_cast<qint32>(value);
}

qint64 TExchange::QueryUnsigned(const QByteArray &command) {
    qint64 value = 0;
    if (!QueryNumber(command, value))
        return 0;
    return static_cast<qint64>(static_cast<quint32>(static_cast<quint64>(value)));
}

QString TExchange::SendCommand(const QByteArray &command) {
    FLineWritten = false;
    if (FState.CommandsDisabled) {
        FLog.CommandDisabled(command);
        return QString();
    }
    if (FPort.InUse()) {
        FLog.ComportInUse(command);
        return QString();
    }
    QThread::msleep(PauseMs);
    if (!PortReady())
        return QString();
    FPort.Flush();
    if (!WriteLine(command))
        return QString();
    Echo(AsText(TrimTrailingControl(command)), TTerminalEcho::CommandColour);
    FLog.Sent(command);
    return ReadAndShowResponse();
}

QString TExchange::ReadResponse() {
    const QString reply = AsText(TrimTrailingControl(FPort.Read()));
    FLog.Received(reply);
    return reply;
}

QString TExchange::ReadAndShowResponse() {
    const QString reply = ReadResponse();
    Echo(reply, TTerminalEcho::ReplyColour);
    return reply;
}

void TExchange::Echo(const QString &text, quint32 colour) {
    FTerminal.AppendLine(u'(' + TCommLog::TimeOfDay() + QStringLiteral(") ") + text, colour);
}

// Runs inside the Read that timed out; that Read then returns what it collected.
// A closed box counts as Ignore: the program keeps running, as it does when the restart
// could not start a new instance.
void TExchange::HandleCommTimeout() {
    if (!FState.DemoMode && !FPort.DevicePresent())
        FState.PortGone = true; // the cable took the device node with it
    FLog.TimeoutError();
    FPort.Flush();
    FApp.StopStatusTimer();
    const TPrompts::TButton answer = FPrompts.Message(
        QString::fromLatin1(CommunicationsLostMessage),
        TPrompts::mbYes | TPrompts::mbNo | TPrompts::mbIgnore, TPrompts::iconWarning);
    if (answer == TPrompts::mbYes && FApp.RestartApp())
        return;
    if (answer == TPrompts::mbNo) {
        FApp.ExitApp();
    } else {
        FPort.Flush();
        FApp.StartStatusTimer();
    }
}
