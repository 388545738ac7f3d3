#include "SettingsFileReader.h"
#include "SettingsFileWriter.h"
#include "SettingsLines.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using TLines = QList<QByteArray>;

QString Native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

TSettingsFileContent ReadBytes(const QByteArray &bytes) {
    TTestFolder folder;
    return TSettingsFileReader::Read(folder.Write("in.txt", bytes));
}

QByteArray Utf16(const QString &text, bool littleEndian) {
    QByteArray bytes = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF), hi = char(c.unicode() >> 8);
        bytes += littleEndian ? QByteArray(1, lo) + hi : QByteArray(1, hi) + lo;
    }
    return bytes;
}

TEST(SettingsFileReader, SplitsAtCrLfCrAndLfInAnyMix) {
    const TSettingsFileContent c = ReadBytes("a\r\nb\rc\nd\n\re\r\n\r\nf");
    ASSERT_TRUE(c.Ok) << c.Error.toStdString();
    EXPECT_EQ(c.Lines, (TLines{"a", "b", "c", "d", "", "e", "", "f"}));
    // A final line end adds no empty line; a blank line before it stays.
    EXPECT_EQ(ReadBytes("x\r\n").Lines, TLines{"x"});
    EXPECT_EQ(ReadBytes("x\r\n\r\n").Lines, (TLines{"x", ""}));
    EXPECT_EQ(ReadBytes("x\r").Lines, TLines{"x"});
}

TEST(SettingsFileReader, ByteOrderMarksSelectTheEncoding) {
    const TLines expected{"// \xb5s note", "*CFG 1 1 0.00000000000"};
    const QString text = QString::fromUtf8("// \u00b5s note\r\n*CFG 1 1 0.00000000000\r\n");

    const TSettingsFileContent utf8 = ReadBytes("\xEF\xBB\xBF" + text.toUtf8());
    ASSERT_TRUE(utf8.Ok);
    EXPECT_EQ(utf8.Lines, expected);

    const TSettingsFileContent le = ReadBytes(Utf16(text, true));
    ASSERT_TRUE(le.Ok) << le.Error.toStdString();
    EXPECT_EQ(le.Lines, expected);

    const TSettingsFileContent be = ReadBytes(Utf16(text, false));
    ASSERT_TRUE(be.Ok) << be.Error.toStdString();
    EXPECT_EQ(be.Lines, expected);

    // Without a mark the bytes are 8-bit text, passed on unchanged.
    EXPECT_EQ(ReadBytes("\xb5\xe9 x\r\n").Lines, TLines{"\xb5\xe9 x"});
}

TEST(SettingsFileReader, EveryLineHoldingTwoSlashesIsSkippedWhole) {
    const TSettingsFileContent c = ReadBytes("// header\r\n"
                                             "*CFG 0 1 2\r\n"
                                             ":PULS1:DEL 0.1 // note\r\n"
                                             "x//y\r\n"
                                             "a/b/c\r\n"
                                             "\r\n"
                                             ":SYST:AUT 1\r\n");
    ASSERT_TRUE(c.Ok);
    EXPECT_EQ(c.Lines.size(), 7);
    EXPECT_EQ(c.CommandLines(), (TLines{"*CFG 0 1 2", "a/b/c", "", ":SYST:AUT 1"}));
    EXPECT_TRUE(ReadBytes("// a\r\n//\r\n  // b\r\n").CommandLines().isEmpty());
}

TEST(SettingsFileReader, EmptyFileAndMarkOnlyFileHaveNoLines) {
    for (const QByteArray &bytes : {QByteArray(), QByteArray("\xEF\xBB\xBF"),
                                    QByteArray("\xFF\xFE"), QByteArray("\xFE\xFF")}) {
        const TSettingsFileContent c = ReadBytes(bytes);
        EXPECT_TRUE(c.Ok);
        EXPECT_TRUE(c.IsEmpty());
    }
}

TEST(SettingsFileReader, SavedFileReadsBackLineForLine) {
    for (int channels : {12, 36}) {
        QStringList lines = {
            "// 01.02.2024,13:14:15",
            "// Orvane Selkrin Model 6180-12  SW Version: 1.0.0.0 ComPort: 3 Baud: 115200",
            "// Serial Number: 1234",
            "// Firmware Ver: 1.00",
            "// FPGA Ver: 1.25",
            "*CFG 0 1 0.000100000 0 1",
            "*CFG 90 0 1 2.50",
            "*CFG 91 0 1 2.50",
            "*CFG 92 0 0",
            "*CFG 93 0 0",
            ":SYST:AUT 1",
            ":SYST:ICLOCK SYS",
            ":SYST:OCL T0",
            ":SYST:SYNC Ch1",
            ":COUN:STAT 0",
            ":COUN:SEL CH1",
        };
        for (int n = 1; n <= channels; ++n)
            lines << QString("*CFG %1 1 0.%2 0.000001 0").arg(n).arg(n, 11, 10, QChar('0'));

        TTestFolder folder;
        const QString path = folder.File("saved.txt");
        ASSERT_EQ(TSettingsFileWriter::Write(path, lines), QString());
        const TSettingsFileContent c = TSettingsFileReader::Read(path);
        ASSERT_TRUE(c.Ok);
        TLines expected;
        for (const QString &l : lines)
            expected << l.toLatin1();
        EXPECT_EQ(c.Lines, expected);
        EXPECT_EQ(c.CommandLines(), expected.mid(5)); // the five comment lines stay home
    }
}

TEST(SettingsFileReader, BadInputIsRefusedWholeWithAMessageNamingTheFile) {
    TTestFolder folder;
    const auto expectError = [&](const QByteArray &bytes, const QString &reason) {
        const QString path = folder.Write("bad.txt", bytes);
        const TSettingsFileContent c = TSettingsFileReader::Read(path);
        EXPECT_FALSE(c.Ok);
        EXPECT_TRUE(c.Lines.isEmpty());
        EXPECT_EQ(c.Error, "Cannot read file \"" + Native(path) + "\": " + reason + ".");
    };
    // Binary: an executable's head, and a clean first line followed by NUL bytes.
    expectError(QByteArray("\x7F"
                           "ELF\x02\x01\x01\x00\x00\x00",
                           10),
                "line 1 holds binary data; this is not a text file");
    expectError(QByteArray("*CFG 0 1\r\nab") + '\0' + '\x01' + "cd\r\n",
                "line 2 holds binary data; this is not a text file");
    // A UTF-16 file without its mark reads as 8-bit text full of NUL bytes.
    expectError(Utf16("*RST\r\n", true).mid(2),
                "line 1 holds binary data; this is not a text file");
    // Bytes that are not UTF-8 under a UTF-8 mark.
    expectError("\xEF\xBB\xBF*CFG 0 \xC3\x28\r\n",
                "line 1 holds binary data; this is not a text file");
    // One 10 MB line.
    expectError(QByteArray(10 * 1024 * 1024, 'A'),
                "the file is larger than 1048576 bytes and is not a settings file");
    // A long line in a small file.
    expectError("*CFG 0 1\r\n" + QByteArray(4097, 'B') + "\r\n",
                "line 2 is longer than 4096 characters");
    // A command line with characters beyond 8 bits; the same in a comment is harmless.
    expectError("\xEF\xBB\xBF:PULS1:DEL \xE2\x82\xAC\r\n",
                "line 1 holds characters that cannot be sent as 8-bit text");
    const TSettingsFileContent comment = ReadBytes("\xEF\xBB\xBF// \xE2\x82\xAC\r\n*RST\r\n");
    ASSERT_TRUE(comment.Ok);
    EXPECT_EQ(comment.CommandLines(), TLines{"*RST"});
}

TEST(SettingsFileReader, MissingFileAndFolderAreReportedNotRead) {
    TTestFolder folder;
    const QString gone = folder.Write("gone.txt", "*RST\r\n");
    ASSERT_TRUE(QFile::remove(gone));
    TSettingsFileContent c = TSettingsFileReader::Read(gone);
    EXPECT_FALSE(c.Ok);
    EXPECT_EQ(c.Error, "Cannot read file \"" + Native(gone) + "\": No such file or directory.");

    c = TSettingsFileReader::Read(folder.Path());
    EXPECT_FALSE(c.Ok);
    EXPECT_EQ(c.Error, "Cannot read file \"" + Native(folder.Path()) + "\": it is a folder.");
}

TEST(SettingsFileReader, AcceptsALineOfExactlyTheLimit) {
    const TSettingsFileContent c = ReadBytes(QByteArray(4096, 'C'));
    ASSERT_TRUE(c.Ok);
    EXPECT_EQ(c.Lines, TLines{QByteArray(4096, 'C')});
    EXPECT_TRUE(ReadBytes("a\tb\r\n").Ok); // a tab is text
}

} // namespace
