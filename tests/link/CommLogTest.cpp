#include "CommLog.h"
#include "LinkDoubles.h"
#include "ScriptedPrompts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QDateTime StartTime(QDate(2024, 3, 15), QTime(14, 5, 9));
const QString LogName = QStringLiteral("SystemLogFile_operator_03-15-24_14-05-09.txt");
const QString HeaderPattern = QStringLiteral("^System Communication Log File \\S.*,\\S.*$");
const QString CannotWrite = QStringLiteral("Log file cannot be written to. Please run program "
                                           "from writable location. Logging will be disabled.");

class CommLogTest : public ::testing::Test {
protected:
    QTemporaryDir Dir;
    TScriptedPrompts Prompts;
    TRecordingLogMenu Menu;
    TCommLog Log{Prompts, Menu, QStringLiteral("operator"), StartTime, Dir.path()};

    QStringList Lines() const { return ReadCrLfLines(Dir.filePath(LogName)); }
};

void ExpectHeader(const QString &line) {
    EXPECT_TRUE(QRegularExpression(HeaderPattern).match(line).hasMatch()) << line.toStdString();
}

} // namespace

TEST(CommLogName, UserAndStartStampMakeTheName) {
    EXPECT_EQ(TCommLog::FileNameFor(QStringLiteral("operator"), StartTime), LogName);
    // 24-hour hours, minutes not month, two-digit year.
    EXPECT_EQ(TCommLog::FileNameFor(QStringLiteral("op"),
                                    QDateTime(QDate(2031, 11, 2), QTime(21, 7, 45, 999))),
              QStringLiteral("SystemLogFile_op_11-02-31_21-07-45.txt"));
    // Unset user name: two underscores in a row.
    EXPECT_EQ(TCommLog::FileNameFor(QString(), StartTime),
              QStringLiteral("SystemLogFile__03-15-24_14-05-09.txt"));
}

TEST(CommLogName, UserNameCannotLeaveTheDirectory) {
    EXPECT_EQ(TCommLog::FileNameFor(QStringLiteral("../../etc/x\ty\\z\nw"), StartTime),
              QStringLiteral("SystemLogFile_.._.._etc_x_y_z_w_03-15-24_14-05-09.txt"));
}

TEST(CommLogName, TimeOfDayHasMillisecondsAnd24Hours) {
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^([01]\\d|2[0-3]):[0-5]\\d:[0-5]\\d\\.\\d{3}$"))
                    .match(TCommLog::TimeOfDay())
                    .hasMatch());
}

TEST_F(CommLogTest, SwitchingOnWritesOnlyTheHeaderAndChecksTheMenu) {
    EXPECT_FALSE(Log.LoggingEnabled());
    Log.ToggleLoggingState();
    EXPECT_TRUE(Log.LoggingEnabled());
    EXPECT_EQ(Menu.Checked, QList<bool>{true});
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 1);
    ExpectHeader(lines[0]);
    EXPECT_TRUE(Prompts.Shown.isEmpty());
}

TEST_F(CommLogTest, EveryEntryHasItsExactLayout) {
    Log.ToggleLoggingState();
    Log.Sent(":SYST:AUT?");
    Log.Received(QStringLiteral("1"));
    Log.ExceptionError();
    Log.CommandDisabled(":PULS1:STAT ON");
    Log.ComportInUse(":PULS2:STAT OFF");
    Log.TimeoutError();
    QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 7);
    lines.removeFirst();
    for (QString &line : lines)
        line = NormaliseTimes(line);
    EXPECT_EQ(lines, QStringList({"Sent    (T): :SYST:AUT?", "Received(T): 1", "Exception Error (T",
                                  "Command Disabled:    (T): :PULS1:STAT ON",
                                  "Comport in use:    (T): :PULS2:STAT OFF", "Timeout Error(T)"}));
}

TEST_F(CommLogTest, NothingIsWrittenWhileOff) {
    Log.Sent(":SYST:AUT?");
    EXPECT_FALSE(QFile::exists(Dir.filePath(LogName)));
    Log.ToggleLoggingState();
    Log.ToggleLoggingState();
    EXPECT_FALSE(Log.LoggingEnabled());
    EXPECT_EQ(Menu.Checked, QList<bool>({true, false}));
    Log.Received(QStringLiteral("late"));
    EXPECT_EQ(Lines().size(), 1);
}

TEST_F(CommLogTest, FirstSwitchReplacesAnOldFileLaterSwitchesAppend) {
    {
        QFile old(Dir.filePath(LogName));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("stale line\r\n");
    }
    Log.ToggleLoggingState();
    Log.Sent("*RUN");
    Log.ToggleLoggingState();
    Log.ToggleLoggingState();
    Log.Received(QStringLiteral("OK"));
    const QStringList lines = Lines();
    ASSERT_EQ(lines.size(), 4);
    ExpectHeader(lines[0]);
    EXPECT_EQ(NormaliseTimes(lines[1]), QStringLiteral("Sent    (T): *RUN"));
    ExpectHeader(lines[2]);
    EXPECT_EQ(NormaliseTimes(lines[3]), QStringLiteral("Received(T): OK"));
}

TEST_F(CommLogTest, CloseEndsLoggingLikeProgramEnd) {
    Log.ToggleLoggingState();
    Log.Close();
    EXPECT_FALSE(Log.LoggingEnabled());
    Log.Sent("*RUN");
    EXPECT_EQ(Lines().size(), 1);
}

TEST_F(CommLogTest, BytesOfRepliesArriveUnchanged) {
    Log.ToggleLoggingState();
    Log.Received(QString::fromLatin1("a<b&\xe9"));
    QFile file(Dir.filePath(LogName));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("): a<b&\xe9\r\n"));
}

// The working directory cannot be written: the message, logging stays off, no check mark.
TEST(CommLogFailure, MissingDirectoryGivesTheMessageAndStaysOff) {
    QTemporaryDir dir;
    TScriptedPrompts prompts;
    TRecordingLogMenu menu;
    TCommLog log(prompts, menu, QStringLiteral("operator"), StartTime,
                 dir.filePath(QStringLiteral("no/such/dir")));
    prompts.QueueOK();
    log.ToggleLoggingState();
    EXPECT_FALSE(log.LoggingEnabled());
    EXPECT_EQ(prompts.Texts(), QStringList{CannotWrite});
    EXPECT_EQ(menu.Checked, QList<bool>({true, false}));
    log.Sent("*RUN"); // must not crash or write anywhere
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("no/such/dir/") + LogName)));
}

TEST_F(CommLogTest, NameTakenByADirectoryGivesTheMessage) {
    ASSERT_TRUE(QDir(Dir.path()).mkdir(LogName));
    Prompts.QueueOK();
    Log.ToggleLoggingState();
    EXPECT_FALSE(Log.LoggingEnabled());
    EXPECT_EQ(Prompts.Texts(), QStringList{CannotWrite});
}

TEST_F(CommLogTest, FullDeviceGivesTheMessageAndStaysOff) {
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), Dir.filePath(LogName)));
    Prompts.QueueOK();
    Log.ToggleLoggingState();
    EXPECT_FALSE(Log.LoggingEnabled());
    EXPECT_EQ(Prompts.Texts(), QStringList{CannotWrite});
    EXPECT_EQ(Menu.Checked, QList<bool>({true, false}));
}
