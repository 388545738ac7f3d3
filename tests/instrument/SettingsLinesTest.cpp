#include "SettingsLines.h"
#include "Commands.h"
#include "SystemDateTime.h"

#include <gtest/gtest.h>

using namespace Instrument;

namespace {

TIdentity SampleIdentity() {
    TIdentity id;
    id.Manufacturer = QStringLiteral("VK");
    id.ModelNumber = QStringLiteral("6180-12");
    id.SerialNumber = 1234;
    id.FirmwareVersion = QStringLiteral("1.00");
    id.FPGAVersion = QStringLiteral("1.25");
    return id;
}

TSettingsSnapshot SampleSnapshot(int channels) {
    TSettingsSnapshot s;
    s.DateLine = DateLine(QStringLiteral("3/14/25"), QStringLiteral("1:02:03 PM"));
    s.Caption = WindowCaption(QStringLiteral("Orvane Selkrin"), QStringLiteral("6180-12"),
                              QStringLiteral("1.0.0.0"), 3, 115200);
    s.Identity = SampleIdentity();
    s.SystemRecord = QStringLiteral("1 0.001 BURS 4000000000 1 1 0");
    s.TrigGateRecords = {QStringLiteral("DIS RIS 2.50 DIS"), QStringLiteral("TRIG FALL 1.00 ENAB"),
                         QStringLiteral("PULS LOW 2.50 DIS"), QStringLiteral("DIS HIGH 2.00 DIS")};
    s.AutoStart = 1;
    s.InputClockReply = QStringLiteral("SYS");
    s.OutputClockReply = QStringLiteral("T0");
    s.SyncOutputReply = QStringLiteral("Ch1");
    s.CounterEnable = 0;
    s.CounterSourceReply = QStringLiteral("CH1");
    for (int n = 1; n <= channels; ++n)
        s.ChannelRecords << QStringLiteral("1 0.00000000000 0.00000001000 NORM 1 1 1 0 TTL NORM "
                                           "5.00 %1 DIS DIS DIS LOW")
                                .arg(n % 16);
    return s;
}

TEST(SettingsLines, TwelveChannelFileInOrder) {
    const QStringList lines = SettingsFileLines(SampleSnapshot(12));
    ASSERT_EQ(lines.size(), 28);
    const QStringList head = {
        "// 3/14/25,1:02:03 PM",
        "// Orvane Selkrin Model 6180-12  SW Version: 1.0.0.0 ComPort: 3 Baud: 115200",
        "// Serial Number: 1234",
        "// Firmware Ver: 1.00",
        "// FPGA Ver: 1.25",
        "*CFG 0 1 0.001 BURS 4000000000 1 1 0",
        "*CFG 90 DIS RIS 2.50 DIS",
        "*CFG 91 TRIG FALL 1.00 ENAB",
        "*CFG 92 PULS LOW 2.50 DIS",
        "*CFG 93 DIS HIGH 2.00 DIS",
        ":SYST:AUT 1",
        ":SYST:ICLOCK SYS",
        ":SYST:OCL T0",
        ":SYST:SYNC Ch1",
        ":COUN:STAT 0",
        ":COUN:SEL CH1",
        "*CFG 1 1 0.00000000000 0.00000001000 NORM 1 1 1 0 TTL NORM 5.00 1 DIS DIS DIS LOW",
    };
    EXPECT_EQ(lines.mid(0, head.size()), head);
    EXPECT_EQ(lines.last(),
              "*CFG 12 1 0.00000000000 0.00000001000 NORM 1 1 1 0 TTL NORM 5.00 12 DIS DIS DIS "
              "LOW");
}

TEST(SettingsLines, ThirtySixChannelsGiveFiftyTwoLines) {
    const QStringList lines = SettingsFileLines(SampleSnapshot(36));
    ASSERT_EQ(lines.size(), 52);
    EXPECT_TRUE(lines.at(51).startsWith("*CFG 36 "));
    EXPECT_TRUE(lines.at(16).startsWith("*CFG 1 "));
    int comments = 0;
    for (const QString &l : lines)
        comments += IsCommentLine(l) ? 1 : 0;
    EXPECT_EQ(comments, 5);
}

TEST(SettingsLines, EmptyRepliesStillGiveTheirLines) {
    TSettingsSnapshot s;
    s.DateLine = DateLine(QStringLiteral("d"), QStringLiteral("t"));
    const QStringList lines = SettingsFileLines(s);
    ASSERT_EQ(lines.size(), 16);
    EXPECT_EQ(lines.at(1), "// ");
    EXPECT_EQ(lines.at(2), "// Serial Number: 0");
    EXPECT_EQ(lines.at(5), "*CFG 0 ");
    EXPECT_EQ(lines.at(9), "*CFG 93 ");
    EXPECT_EQ(lines.at(11), ":SYST:ICLOCK ");
}

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

TEST(Captions, LiveDemoAndLabels) {
    EXPECT_EQ(WindowCaption("Halvorn Trevaxis", "631K-36", "1.0.0.0", 12, 9600),
              "Halvorn Trevaxis Model 631K-36  SW Version: 1.0.0.0 ComPort: 12 Baud: 9600");
    EXPECT_EQ(WindowCaption("Unknown", "", "1.0.0.0", 1, 115200),
              "Unknown Model   SW Version: 1.0.0.0 ComPort: 1 Baud: 115200");
    EXPECT_EQ(DemoCaption("Orvane Selkrin", "1.0.0.0"),
              " Model 6180-12  SW Version: 1.0.0.0 ComPort: Demo");
    EXPECT_EQ(DemoCaption("Halvorn Trevaxis", "1.0.0.0"),
              " Model 631K-12  SW Version: 1.0.0.0 ComPort: Demo");
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
    const QStringList lines = CalibrationHeaderLines("// d,t", "caption", SampleIdentity());
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
    const QStringList roundTrip = SettingsFileLines(SampleSnapshot(6));
    EXPECT_EQ(SplitFileLines(FileBytes(roundTrip)), roundTrip);
}

TEST(FileText, CommentLinesHoldTwoSlashesAnywhere) {
    EXPECT_TRUE(IsCommentLine("// date"));
    EXPECT_TRUE(IsCommentLine(":PULS1:DEL 0.1 // note"));
    EXPECT_FALSE(IsCommentLine(":PULS1:DEL 0.1 / 2"));
    EXPECT_FALSE(IsCommentLine(""));
}

} // namespace
