#include "SettingsFileWriter.h"
#include "TestFolder.h"
#include "WholeFileWriter.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

QString Native(const QString &path) {
    return QDir::toNativeSeparators(path);
}

TEST(SettingsFileWriter, WritesEveryLineWithCrLfAndNoByteOrderMark) {
    TTestFolder folder;
    const QString path = folder.File("settings.txt");
    const QStringList lines = {"// 01.02.2024,13:14:15", "*CFG 0 1 0.000100000 0", "",
                               ":SYST:AUT 1", ":COUN:SEL CH1"};
    EXPECT_EQ(TSettingsFileWriter::Write(path, lines), QString());
    EXPECT_EQ(TTestFolder::Read(path), QByteArray("// 01.02.2024,13:14:15\r\n"
                                                  "*CFG 0 1 0.000100000 0\r\n"
                                                  "\r\n"
                                                  ":SYST:AUT 1\r\n"
                                                  ":COUN:SEL CH1\r\n"));
    EXPECT_EQ(folder.Entries(), QStringList{"settings.txt"}); // no temporary left behind
}

TEST(SettingsFileWriter, EmptyListGivesEmptyFileAndEightBitText) {
    TTestFolder folder;
    const QString path = folder.File("empty.txt");
    EXPECT_EQ(TSettingsFileWriter::Write(path, {}), QString());
    EXPECT_EQ(TTestFolder::Read(path), QByteArray());

    // Latin-1 characters go out as single bytes, not UTF-8.
    EXPECT_EQ(TSettingsFileWriter::Write(path, {QString::fromUtf8("// 5 \u00b5s")}), QString());
    EXPECT_EQ(TTestFolder::Read(path), QByteArray("// 5 \xb5s\r\n"));
}

TEST(SettingsFileWriter, ReplacesAnEarlierFileCompletely) {
    TTestFolder folder;
    const QString path = folder.Write("s.txt", QByteArray(5000, 'x'));
    EXPECT_EQ(TSettingsFileWriter::Write(path, {"*CFG 1 a"}), QString());
    EXPECT_EQ(TTestFolder::Read(path), QByteArray("*CFG 1 a\r\n"));
}

TEST(SettingsFileWriter, ReadOnlyFolderNamesFileReasonAndFolderAndKeepsEarlierFile) {
    TTestFolder folder;
    const QString dir = folder.File("locked");
    const QString path = folder.Write("locked/s.txt", "old\r\n");
    QString error;
    {
        TReadOnlyFolder readOnly(dir);
        ASSERT_TRUE(readOnly.Active());
        error = TSettingsFileWriter::Write(path, {"*CFG 1 new"});
    }
    EXPECT_EQ(error, "Cannot write file \"" + Native(path) +
                         "\": Permission denied. The folder \"" + Native(dir) + "\" is read-only.");
    EXPECT_EQ(TTestFolder::Read(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"s.txt"});
}

TEST(SettingsFileWriter, MissingFolderNamesTheReason) {
    TTestFolder folder;
    const QString path = folder.File("no/such/dir/s.txt");
    EXPECT_EQ(TSettingsFileWriter::Write(path, {"x"}),
              "Cannot write file \"" + Native(path) + "\": No such file or directory.");
}

TEST(WholeFileWriter, WritesBinaryBytesUnchanged) {
    TTestFolder folder;
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += char(i);
    const QString path = folder.File("b.bin");
    EXPECT_EQ(TWholeFileWriter::Write(path, bytes), QString());
    EXPECT_EQ(TTestFolder::Read(path), bytes);
}

} // namespace
