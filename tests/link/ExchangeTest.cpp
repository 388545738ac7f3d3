#include "Exchange.h"
#include "CommLog.h"
#include "CommandsDisabledScope.h"
#include "LinkDoubles.h"
#include "LinkState.h"
#include "PtyPeer.h"
#include "ScriptedPrompts.h"
#include "VKComPort.h"

#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QDateTime StartTime(QDate(2024, 3, 15), QTime(14, 5, 9));
const QString LogName = QStringLiteral("SystemLogFile_operator_03-15-24_14-05-09.txt");

// One exchange layer over a pty whose other end is a scripted instrument.
class ExchangeTest : public ::testing::Test {
protected:
    QTemporaryDir LogDir;
    TPtyPeer Peer{1};
    TScriptedPrompts Prompts;
    TRecordingLogMenu Menu;
    TRecordingTerminal Terminal;
    TRecordingApp App;
    TLinkState State;
    TCommLog Log{Prompts, Menu, QStringLiteral("operator"), StartTime, LogDir.path()};
    TVKComPort Port;
    TExchange Exchange{Port, State, Log, Terminal, App, Prompts};

    void SetUp() override {
        ASSERT_TRUE(Peer.IsValid()) << Peer.ErrorText().toStdString();
        Port.setPortsDirectory(Peer.PortsDir());
        Port.setPrompts(&Prompts);
        Port.setPort(Peer.ComNumber());
        Port.setBaud(115200);
        Port.setEndOfResponse("#13");
        Port.setShowErrors(false);
        Port.setResponseTime(2000); // a loaded machine must not turn replies into time-outs
        ASSERT_TRUE(Port.Open());
    }

    // The log's lines after the header, times replaced by "T".
    QStringList LogEntries() const {
        QStringList lines = ReadCrLfLines(LogDir.filePath(LogName));
        if (!lines.isEmpty())
            lines.removeFirst();
        for (QString &line : lines)
            line = NormaliseTimes(line);
        return lines;
    }

    // Terminal lines as "<colour>|<text with times as T>".
    QStringList TerminalLines() const {
        QStringList out;
        for (const TRecordingTerminal::TLine &line : Terminal.Lines)
            out << QString::number(line.colour, 16) + u'|' + NormaliseTimes(line.text);
        return out;
    }
};

} // namespace

// A query goes out with "?" and CR LF and its reply comes back trimmed, logged but not
// echoed; a command goes out as given, echoed and logged with its reply.
TEST_F(ExchangeTest, QueriesAndCommandsAreWrittenLoggedAndOnlyCommandsEchoed) {
    Log.ToggleLoggingState();
    Peer.QueueReply("1 \t\r\n");
    EXPECT_EQ(Exchange.SendQuery(":SYST:AUT"), QStringLiteral("1"));
    EXPECT_EQ(Exchange.LastCommand(), QByteArray(":SYST:AUT?"));
    EXPECT_TRUE(Terminal.Lines.isEmpty()) << "queries are not echoed";
    Peer.QueueReply("ok\r");
    EXPECT_EQ(Exchange.SendCommand(":PULS1:STAT ON  "), QStringLiteral("ok"));
    EXPECT_EQ(Peer.Received(), QByteArray(":SYST:AUT?\r\n:PULS1:STAT ON  \r\n"));
    EXPECT_EQ(Exchange.LastCommand(), QByteArray(":PULS1:STAT ON  "));
    EXPECT_EQ(TerminalLines(), QStringList({"0|(T) :PULS1:STAT ON", "8000|(T) ok"}));
    EXPECT_EQ(LogEntries(), QStringList({"Sent    (T): :SYST:AUT?", "Received(T): 1",
                                         "Sent    (T): :PULS1:STAT ON  ", "Received(T): ok"}));
    const QRegularExpression echo(QStringLiteral("^\\(\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\) ok$"));
    EXPECT_TRUE(echo.match(Terminal.Lines.last().text).hasMatch());
}

TEST_F(ExchangeTest, QueriesGoOutWhileCommandsAreDisabled) {
    TCommandsDisabledScope disabled(State);
    Peer.QueueReply("7\r");
    EXPECT_EQ(Exchange.QueryInteger(":PULS1:WCO"), 7);
    EXPECT_EQ(Peer.Received(), QByteArray(":PULS1:WCO?\r\n"));
}

TEST_F(ExchangeTest, StaleInputIsDiscardedBeforeTheQuery) {
    ASSERT_TRUE(Peer.SendNow("stale\r"));
    const QDeadlineTimer limit(2000);
    while (Port.InCount() == 0 && !limit.hasExpired())
        QThread::msleep(5);
    ASSERT_GT(Port.InCount(), 0);
    Peer.QueueReply("fresh\r");
    EXPECT_EQ(Exchange.SendQuery("*IDN"), QStringLiteral("fresh"));
}

// A reply that is only the terminator is a complete, empty answer: no time-out, no
// question, no time-out line.
TEST_F(ExchangeTest, ReplyOfOnlyTheTerminatorIsAnEmptyAnswerAtOnce) {
    Log.ToggleLoggingState();
    Port.setAllowEvents(true);
    Exchange.AttachTimeoutHandler();
    for (const QByteArray &reply : {QByteArray("\r"), QByteArray("\r\n")}) {
        Peer.QueueReply(reply);
        EXPECT_EQ(Exchange.QueryIntegerReply(":SYST:AUT"), std::nullopt);
        EXPECT_FALSE(Port.TimedOut());
        Peer.QueueReply(reply);
        EXPECT_EQ(Exchange.SendCommand(":SYST:AUT 1"), QString());
        EXPECT_FALSE(Port.TimedOut());
    }
    EXPECT_EQ(TerminalLines(),
              QStringList({"0|(T) :SYST:AUT 1", "8000|(T) ", "0|(T) :SYST:AUT 1", "8000|(T) "}));
    const QStringList pair = {"Sent    (T): :SYST:AUT?",
                              "Received(T): ", "Sent    (T): :SYST:AUT 1", "Received(T): "};
    EXPECT_EQ(LogEntries(), pair + pair);
    EXPECT_TRUE(App.Calls.isEmpty());
}

// The instrument needs 30 ms after each reply: whatever the kind of exchange, its line
// arrives no sooner after the reply before it had begun to go out.
TEST_F(ExchangeTest, EachLineArrivesAtLeast30MsAfterThePreviousReply) {
    Peer.SetResponder([](const QByteArray &) { return QByteArray("1\r"); });
    const std::function<void()> exchanges[] = {
        [&] { Exchange.SendQuery(":SYST:AUT"); },      [&] { Exchange.SendCommand(":SYST:AUT 1"); },
        [&] { Exchange.QueryUnsigned(":COUN:PULS"); }, [&] { Exchange.SendCommand(":SYST:AUT 0"); },
        [&] { Exchange.QueryInteger(":SYST:AUT"); },
    };
    TPtyPeer::TClock::time_point replyBegun;
    int lines = 0;
    for (const auto &exchange : exchanges) {
        exchange();
        ASSERT_TRUE(Peer.WaitForLines(++lines, 2000));
        if (lines > 1) {
            const auto gap = std::chrono::duration_cast<std::chrono::microseconds>(
                Peer.LineTimes()[lines - 1] - replyBegun);
            EXPECT_GE(gap.count(), 30000) << "microseconds before " << Peer.Lines().last().data();
        }
        replyBegun = Peer.LastWriteBegun();
    }
}

TEST_F(ExchangeTest, RepliesKeepMarkupCharactersAndHighBytes) {
    Peer.QueueReply("<b>&amp;\xe9\r");
    EXPECT_EQ(Exchange.SendCommand("*X"), QString::fromLatin1("<b>&amp;\xe9"));
}

TEST_F(ExchangeTest, DisabledCommandIsNeitherSentNorEchoedAndLoggedOnce) {
    Log.ToggleLoggingState();
    {
        TCommandsDisabledScope outer(State);
        { TCommandsDisabledScope inner(State); }
        EXPECT_TRUE(State.CommandsDisabled) << "inner scope must restore, not clear";
        EXPECT_EQ(Exchange.SendCommand(":PULS1:STAT ON"), QString());
    }
    EXPECT_FALSE(State.CommandsDisabled);
    EXPECT_FALSE(Peer.WaitForLines(1, 200));
    EXPECT_TRUE(Peer.Received().isEmpty());
    EXPECT_TRUE(Terminal.Lines.isEmpty());
    EXPECT_EQ(LogEntries(), QStringList({"Command Disabled:    (T): :PULS1:STAT ON"}));
}

TEST_F(ExchangeTest, ReadAndShowResponseEchoesInGreen) {
    Log.ToggleLoggingState();
    ASSERT_TRUE(Peer.SendNow("late reply \r"));
    EXPECT_EQ(Exchange.ReadAndShowResponse(), QStringLiteral("late reply"));
    EXPECT_EQ(TerminalLines(), QStringList({"8000|(T) late reply"}));
    ASSERT_TRUE(Peer.SendNow("quiet\r"));
    EXPECT_EQ(Exchange.ReadResponse(), QStringLiteral("quiet"));
    EXPECT_EQ(Terminal.Lines.size(), 1);
    EXPECT_EQ(LogEntries(), QStringList({"Received(T): late reply", "Received(T): quiet"}));
}

TEST_F(ExchangeTest, IntegerConversions) {
    Port.setResponseTime(500);
    struct TCase {
        QByteArray reply; // sent back for the query; empty: no reply at all
        qint32 integer;
        bool logged; // an "Exception Error (" line follows
    };
    const TCase cases[] = {
        {"42\r\n", 42, false}, {"-17\r", -17, false},     {"  5\r", 5, false}, {"", 0, false},
        {"   \r", 0, false},   {"12a\r", 0, true},        {"nan\r", 0, true},  {"1.5\r", 0, true},
        {"abc\r", 0, true},    {"4000000000\r", 0, true},
    };
    Log.ToggleLoggingState();
    for (const TCase &c : cases) {
        if (c.reply.isEmpty())
            Peer.QueueSilence();
        else
            Peer.QueueReply(c.reply);
        EXPECT_EQ(Exchange.QueryInteger(":SYST:AUT"), c.integer) << c.reply.constData();
        QStringList entries = LogEntries();
        ASSERT_GE(entries.size(), 2);
        EXPECT_EQ(entries.last() == QStringLiteral("Exception Error (T"), c.logged)
            << c.reply.constData();
    }
}

TEST_F(ExchangeTest, NonNumericReplyLogsSentReceivedException) {
    Log.ToggleLoggingState();
    Peer.QueueReply("abc\r");
    EXPECT_EQ(Exchange.QueryInteger(":COUN:COUN"), 0);
    EXPECT_EQ(LogEntries(),
              QStringList({"Sent    (T): :COUN:COUN?", "Received(T): abc", "Exception Error (T"}));
}

TEST_F(ExchangeTest, UnsignedConversionsWrapModulo2To32) {
    struct TCase {
        QByteArray reply;
        qint64 value;
    };
    const TCase cases[] = {
        {"4000000000\r", 4000000000LL},
        {"4294967295\r", 4294967295LL},
        {"4294967296\r", 0},
        {"4294967297\r", 1},
        {"-1\r", 4294967295LL},
        {"123\r\n", 123},
        {"99999999999999999999\r", 0},
        {"12a\r", 0},
        {"nan\r", 0},
    };
    for (const TCase &c : cases) {
        Peer.QueueReply(c.reply);
        EXPECT_EQ(Exchange.QueryUnsigned(":COUN:COUN"), c.value) << c.reply.constData();
    }
}

// A timer that fires while the outer query waits starts two more exchanges. Both must be
// refused at once: a pause and flush would discard the outer reply already on the line.
TEST_F(ExchangeTest, NestedExchangeWhileInUseIsRefusedWithoutFlushing) {
    Log.ToggleLoggingState();
    Port.setAllowEvents(true);
    Exchange.AttachTimeoutHandler();
    QString nestedQuery = QStringLiteral("untouched");
    QString nestedCommand = QStringLiteral("untouched");
    bool wasInUse = false;
    QTimer::singleShot(0, [&] {
        wasInUse = Port.InUse();
        ASSERT_TRUE(Peer.SendNow("OUTER\r"));
        const QDeadlineTimer limit(5000); // the reply is queued before the nested calls
        while (Port.InCount() < 6 && !limit.hasExpired())
            QThread::msleep(1);
        ASSERT_EQ(Port.InCount(), 6);
        nestedQuery = Exchange.SendQuery(":IN");
        nestedCommand = Exchange.SendCommand(":CMD");
    });
    EXPECT_EQ(Exchange.SendQuery(":OUT"), QStringLiteral("OUTER"));
    EXPECT_TRUE(wasInUse);
    EXPECT_EQ(nestedQuery, QString());
    EXPECT_EQ(nestedCommand, QString());
    // The peer reads in its own thread: wait for the line, then make sure none follows.
    ASSERT_TRUE(Peer.WaitForLines(1, 5000));
    EXPECT_FALSE(Peer.WaitForLines(2, 200));
    EXPECT_EQ(Peer.Received(), QByteArray(":OUT?\r\n"));
    EXPECT_TRUE(Terminal.Lines.isEmpty());
    EXPECT_TRUE(Prompts.Shown.isEmpty()) << "no communications-lost box";
    EXPECT_EQ(LogEntries(), QStringList({"Sent    (T): :OUT?", "Comport in use:    (T): :CMD",
                                         "Received(T): OUTER"}));
}

namespace {

// The lost-reply box, answered in turn; what the exchange returns and asks of the program.
struct TLostReplyCase {
    TPrompts::TButton answer;
    QStringList calls;
};

class LostReplyTest : public ExchangeTest, public ::testing::WithParamInterface<TLostReplyCase> {};

} // namespace

TEST_P(LostReplyTest, BoxAnswerDecidesAndPartialReplyIsReturned) {
    Log.ToggleLoggingState();
    Port.setAllowEvents(true);
    Port.setResponseTime(400);
    Exchange.AttachTimeoutHandler();
    Peer.QueueReply("12");
    Prompts.QueueButton(GetParam().answer);
    EXPECT_EQ(Exchange.SendQuery(":COUN:COUN"), QStringLiteral("12"));
    ASSERT_EQ(Prompts.Shown.size(), 1);
    EXPECT_EQ(Prompts.Shown[0].text, QStringLiteral("Communications lost. Restart?"));
    EXPECT_EQ(Prompts.Shown[0].buttons, TPrompts::mbYes | TPrompts::mbNo | TPrompts::mbIgnore);
    EXPECT_EQ(Prompts.Shown[0].icon, TPrompts::iconWarning);
    EXPECT_EQ(App.Calls, GetParam().calls);
    EXPECT_EQ(LogEntries(),
              QStringList({"Sent    (T): :COUN:COUN?", "Timeout Error(T)", "Received(T): 12"}));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LostReplyTest,
    ::testing::Values(TLostReplyCase{TPrompts::mbYes, {"StopStatusTimer", "RestartApp"}},
                      TLostReplyCase{TPrompts::mbNo, {"StopStatusTimer", "ExitApp"}},
                      TLostReplyCase{TPrompts::mbIgnore, {"StopStatusTimer", "StartStatusTimer"}}));

TEST_F(ExchangeTest, LostReplyWithoutEventsAsksNothing) {
    Port.setResponseTime(400);
    Exchange.AttachTimeoutHandler();
    Peer.QueueReply("3");
    EXPECT_EQ(Exchange.QueryInteger(":COUN:COUN"), 3);
    EXPECT_TRUE(Port.TimedOut());
    EXPECT_TRUE(Prompts.Shown.isEmpty());
    EXPECT_TRUE(App.Calls.isEmpty());
}

TEST_F(ExchangeTest, IgnoredLostReplyLeavesTheLineUsable) {
    Port.setAllowEvents(true);
    Port.setResponseTime(400);
    Exchange.AttachTimeoutHandler();
    Peer.QueueSilence();
    Prompts.QueueButton(TPrompts::mbIgnore);
    EXPECT_EQ(Exchange.QueryInteger(":COUN:COUN"), 0);
    Peer.QueueReply("99\r");
    EXPECT_EQ(Exchange.QueryInteger(":COUN:COUN"), 99);
    EXPECT_EQ(Prompts.Shown.size(), 1);
}

TEST(ExchangeLifetime, DestroyedExchangeLeavesNoTimeoutHandlerBehind) {
    TScriptedPrompts prompts;
    TRecordingLogMenu menu;
    TRecordingTerminal terminal;
    TRecordingApp app;
    TLinkState state;
    TCommLog log(prompts, menu, QStringLiteral("u"), StartTime, QStringLiteral("/nonexistent"));
    TVKComPort port;
    {
        TExchange exchange(port, state, log, terminal, app, prompts);
        exchange.AttachTimeoutHandler();
        EXPECT_TRUE(static_cast<bool>(port.OnTimeout));
    }
    EXPECT_FALSE(static_cast<bool>(port.OnTimeout));
}

// A port that cannot be opened again, or whose device refuses the line (it vanished while
// open), is a lost reply once the program runs: the time-out question and its log line,
// for queries and commands alike, nothing logged as sent, and the port counts as gone. In
// demo mode and during the search (events off) nothing is asked.
TEST_F(ExchangeTest, PortThatCannotTakeTheLineCountsAsALostReply) {
    struct TCase {
        bool WhileOpen; // the device goes while the port is open (the write fails)
        bool Demo, Events;
        bool Asked;
    };
    Log.ToggleLoggingState();
    for (const TCase c : {TCase{false, false, true, true}, TCase{true, false, true, true},
                          TCase{false, true, true, false}, TCase{true, true, true, false},
                          TCase{false, false, false, false}}) {
        auto device = std::make_unique<TPtyPeer>(7, LogDir.path());
        ASSERT_TRUE(device->IsValid());
        Port.Close();
        Port.setPortsDirectory(LogDir.path());
        Port.setPort(7);
        if (c.WhileOpen) {
            ASSERT_TRUE(Port.Open());
        }
        device.reset(); // the link and the pseudo-terminal go
        State.DemoMode = c.Demo;
        State.PortGone = false;
        Port.setAllowEvents(c.Events);
        if (c.Asked) { // Restart, which starts a new instance
            Prompts.QueueButton(TPrompts::mbYes);
            Prompts.QueueButton(TPrompts::mbYes);
        }
        const int shown = Prompts.Shown.size();
        const int calls = App.Calls.size();
        EXPECT_EQ(Exchange.SendQuery(":SYST:AUT"), QString());
        EXPECT_FALSE(Exchange.LineWritten());
        EXPECT_EQ(Exchange.SendCommand(":SYST:AUT 1"), QString());
        EXPECT_FALSE(Exchange.LineWritten());
        EXPECT_EQ(Prompts.Texts().mid(shown),
                  c.Asked ? QStringList(2, "Communications lost. Restart?") : QStringList());
        EXPECT_EQ(State.PortGone, c.Asked);
        EXPECT_EQ(App.Calls.mid(calls), c.Asked ? QStringList({"StopStatusTimer", "RestartApp",
                                                               "StopStatusTimer", "RestartApp"})
                                                : QStringList());
    }
    EXPECT_EQ(LogEntries(), QStringList(4, "Timeout Error(T)"));
    EXPECT_TRUE(Terminal.Lines.isEmpty()) << "nothing was sent";
}

// Yes whose new instance does not start leaves the program running as Ignore does.
TEST_F(ExchangeTest, LostReplyAnsweredYesWithoutANewInstanceGoesOnAsIgnore) {
    Port.setAllowEvents(true);
    Port.setResponseTime(300);
    Exchange.AttachTimeoutHandler();
    App.RestartStarts = false;
    Peer.QueueSilence();
    Prompts.QueueButton(TPrompts::mbYes);
    EXPECT_EQ(Exchange.QueryInteger(":COUN:COUN"), 0);
    EXPECT_EQ(App.Calls, QStringList({"StopStatusTimer", "RestartApp", "StartStatusTimer"}));
    EXPECT_FALSE(State.PortGone) << "the device is still there";
}
