#include "SettingsLines.h"
#include "Commands.h"
#include "SystemDateTime.h"

#include <gtest/gtest.h>

using namespace Instrument;

namespace {

TEST(SettingsLines, SingleValueAndRecordLines) {
    EXPECT_EQ(RecordLine(0, "1 0.5 NORM 1 1 1 0"), "*CFG 0 1 0.5 NORM 1 1 1 0");
    EXPECT_EQ(RecordLine(92, "DIS LOW 2.50 DIS"), "*CFG 92 DIS LOW 2.50 DIS");
    EXPECT_EQ(RecordLine(7, "x"), "*CFG 7 x");
    EXPECT_EQ(AutoStartLine(0), ":SYST:AUT 0");
    EXPECT_EQ(AutoStartLine(-3), ":SYST:AUT -3");
    EXPECT_EQ(InputClockLine("100"), ":SYST:ICLOCK 100");
    EXPECT_EQ(OutputClockLine("80"), ":SYST:OCL 80");
    EXPECT_EQ(SyncOutputLine("TRIG"), ":SYST:SYNC TRIG");
    EXPECT_EQ(CounterEnableLine(1), ":COUN:STAT 1");
    EXPECT_EQ(CounterSourceLine("CH10"), ":COUN:SEL CH10");
}

TEST(Captions, Labels) {
    EXPECT_EQ(SerialNumberLabel(-5), "Serial Number: -5");
    EXPECT_EQ(FirmwareLabel("1.00"), "Firmware Ver: 1.00");
    EXPECT_EQ(FPGALabel("1.25"), "FPGA Ver: 1.25");
}

TEST(Captions, DateLineFromClockHasNoBlankAfterComma) {
    const QString line = DateLine(QDateTime(QDate(2025, 3, 14), QTime(13, 2, 3)));
    EXPECT_TRUE(line.startsWith("// "));
    const qsizetype comma = line.lastIndexOf(QLatin1Char(','));
    ASSERT_GT(comma, 3);
    EXPECT_NE(line.at(comma + 1), QLatin1Char(' '));
    EXPECT_TRUE(line.endsWith("13:02:03") || line.endsWith("1:02:03 PM")) << line.toStdString();
    const QString zone = QDateTime(QDate(2025, 3, 14), QTime(13, 2, 3)).timeZoneAbbreviation();
    EXPECT_FALSE(line.contains(zone)) << line.toStdString();
}

TEST(Captions, TimeFormatsLoseOnlyTheirTimeZone) {
    EXPECT_EQ(WithoutTimeZone("HH:mm:ss t"), "HH:mm:ss");
    EXPECT_EQ(WithoutTimeZone("h:mm:ss AP t"), "h:mm:ss AP");
    EXPECT_EQ(WithoutTimeZone("t HH:mm:ss"), "HH:mm:ss");
    EXPECT_EQ(WithoutTimeZone("h 'at' mm t"), "h 'at' mm"); // quoted text is kept whole
    EXPECT_EQ(WithoutTimeZone("HH:mm:ss"), "HH:mm:ss");
}

TEST(CalibrationLines, HeaderSpellsVersionInFull) {
    TIdentity id;
    id.SerialNumber = 1234;
    id.FirmwareVersion = QStringLiteral("1.00");
    id.FPGAVersion = QStringLiteral("1.25");
    const QStringList lines = CalibrationHeaderLines("// d,t", "caption", id);
    EXPECT_EQ(lines, (QStringList{"// d,t", "// caption", "// Serial Number: 1234",
                                  "// Firmware Version: 1.00", "// FPGA Version: 1.25"}));
}

TEST(FileText, CrLfAfterEveryLine) {
    EXPECT_EQ(FileBytes({"// a", "*CFG 0 x", ""}), QByteArray("// a\r\n*CFG 0 x\r\n\r\n"));
    EXPECT_EQ(FileBytes({}), QByteArray());
}

TEST(FileText, SplitsAtAnyLineEndAndHonoursByteOrderMarks) {
    EXPECT_EQ(SplitFileLines("a\r\nb\rc\nd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitFileLines("a\r\n"), (QStringList{"a"}));
    EXPECT_EQ(SplitFileLines("\r\n\r\n"), (QStringList{"", ""}));
    EXPECT_EQ(SplitFileLines(""), QStringList());
    EXPECT_EQ(SplitFileLines("\n\r"), (QStringList{"", ""}));
    EXPECT_EQ(SplitFileLines("\xEF\xBB\xBF:SYST:AUT 1\r\n"), (QStringList{":SYST:AUT 1"}));
    EXPECT_EQ(SplitFileLines(QByteArray("\xFF\xFE:\0A\0\r\0\n\0B\0", 12)),
              (QStringList{":A", "B"}));
    EXPECT_EQ(SplitFileLines(QByteArray("\xFE\xFF\0:\0A\0\n\0B", 10)), (QStringList{":A", "B"}));
    const QStringList roundTrip = {"// 3/14/25,1:02:03 PM", "// Serial Number: 1234",
                                   "*CFG 0 1 0.001 BURS 4000000000 1 1 0", ":SYST:ICLOCK SYS"};
    EXPECT_EQ(SplitFileLines(FileBytes(roundTrip)), roundTrip);
}

TEST(FileText, CommentLinesHoldTwoSlashesAnywhere) {
    EXPECT_TRUE(IsCommentLine("// date"));
    EXPECT_TRUE(IsCommentLine(":PULS1:DEL 0.1 // note"));
    EXPECT_FALSE(IsCommentLine(":PULS1:DEL 0.1 / 2"));
    EXPECT_FALSE(IsCommentLine(""));
}

} // namespace
