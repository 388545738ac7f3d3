#include "SettingsFileSequence.h"
#include "ScriptedPrompts.h"
#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

using TOutcome = TSettingsFileSequence::TOutcome;

// The main window as the sequences see it: every call lands in one event list, message
// boxes and file dialogs included, so the order of everything can be compared literally.
class TFakeWindow : public TScriptedPrompts {
public:
    QStringList Events;
    QStringList SettingsList;
    bool ReadBackCompletes = true;
    bool EndingNow = false;
    bool PortGoneNow = false;
    bool PortFree = true;
    std::function<void(const QByteArray &)> OnSend;

    TSettingsFileSeams Seams() {
        TSettingsFileSeams s;
        s.SendCommand = [this](const QByteArray &line) {
            Events << "send " + QString::fromLatin1(line);
            if (OnSend)
                OnSend(line);
        };
        s.Pause = [this](int ms) { Events << QString("pause %1").arg(ms); };
        s.ProcessEvents = [this] { Events << "events"; };
        s.ShowMessageWindow = [this](const QString &label) { Events << "show " + label; };
        s.CloseMessageWindow = [this] { Events << "close"; };
        s.ReadBack = [this] {
            Events << "readback";
            return ReadBackCompletes;
        };
        s.SettingsLines = [this] { return SettingsList; };
        s.PortIsFree = [this] { return PortFree; };
        s.Ending = [this] { return EndingNow; };
        s.PortGone = [this] { return PortGoneNow; };
        return s;
    }

    TAnswer Answer(const TQuestion &q) override {
        if (q.Kind == akMessage)
            Events << QString(q.Icon == iconError ? "error " : "info ") + q.Text;
        else if (q.Kind != akInput)
            Events << (q.Kind == akOpen ? "open" : "save");
        return TScriptedPrompts::Answer(q);
    }
};

QStringList Sent(const QStringList &events) {
    QStringList sent;
    for (const QString &e : events)
        if (e.startsWith("send "))
            sent << e.mid(5);
    return sent;
}

TEST(SettingsRestore, SendsCommandLinesInOrderWithPausesThenReadsBack) {
    TTestFolder folder;
    const QString path = folder.Write("s.txt", "// 01.02.2024,13:14:15\r\n"
                                               "*CFG 0 1 0.000100000\r\n"
                                               ":PULS1:DEL 1 // hand edit\r\n"
                                               "\r\n"
                                               ":SYST:AUT 1\r\n");
    TFakeWindow w;
    w.QueueFileName(path);
    w.QueueOK();
    TSettingsFileSequence seq(w.Seams(), w);
    EXPECT_EQ(seq.Restore(), TOutcome::Done);
    EXPECT_EQ(w.Events, (QStringList{"open", "show Loading. Please wait...", "pause 30", "pause 30",
                                     "send *CFG 0 1 0.000100000", "events", "pause 30", "pause 30",
                                     "send ", "events", "pause 30", "send :SYST:AUT 1", "events",
                                     "readback", "close", "info Settings loaded."}));
    // The open dialog: no caption, filter or folder, default extension "txt".
    ASSERT_EQ(w.FileDialogs.first().kind, "open");
    EXPECT_EQ(w.FileDialogs.first().caption, QString());
    EXPECT_EQ(w.FileDialogs.first().filter, QString());
    EXPECT_EQ(w.FileDialogs.first().defaultExt, "txt");
    EXPECT_EQ(w.FileDialogs.first().dir, QString());

    // The next open dialog starts from the file chosen before.
    w.Events.clear();
    w.QueueFileName(QString());
    EXPECT_EQ(seq.Restore(), TOutcome::Cancelled);
    EXPECT_EQ(w.FileDialogs.last().dir, path);
    EXPECT_EQ(w.Events, QStringList{"open"}); // nothing loaded, sent or read back
}

TEST(SettingsRestore, CommentsOnlyAndEmptyFilesStillReadBack) {
    TTestFolder folder;
    TFakeWindow w;
    w.QueueFileName(folder.Write("c.txt", "// a\r\n// b\r\n"));
    w.QueueOK();
    TSettingsFileSequence seq(w.Seams(), w);
    EXPECT_EQ(seq.Restore(), TOutcome::Done);
    EXPECT_EQ(w.Events, (QStringList{"open", "show Loading. Please wait...", "pause 30", "pause 30",
                                     "readback", "close", "info Settings loaded."}));

    w.Events.clear();
    w.QueueFileName(folder.Write("e.txt", ""));
    w.QueueOK(2);
    EXPECT_EQ(seq.Restore(), TOutcome::Done);
    EXPECT_EQ(w.Events, (QStringList{"open", "info Empty file.", "readback", "close",
                                     "info Settings loaded."}));
}

TEST(SettingsRestore, UnreadableFilesSendNothingAndDoNotReadBack) {
    TTestFolder folder;
    TFakeWindow w;
    TSettingsFileSequence seq(w.Seams(), w);

    // The file vanishes between the dialog and the read.
    const QString gone = folder.Write("gone.txt", "*RST\r\n");
    w.QueueFileName(gone, [&] { QFile::remove(gone); });
    w.QueueOK();
    EXPECT_EQ(seq.Restore(), TOutcome::Failed);
    EXPECT_EQ(w.Events,
              (QStringList{"open", "error Cannot read file \"" + QDir::toNativeSeparators(gone) +
                                       "\": No such file or directory."}));

    w.Events.clear();
    const QString binary = folder.Write("b.txt", QByteArray("*RST\r\n\x00\x01\x02", 9));
    w.QueueFileName(binary);
    w.QueueOK();
    EXPECT_EQ(seq.Restore(), TOutcome::Failed);
    EXPECT_EQ(w.Events,
              (QStringList{"open", "error Cannot read file \"" + QDir::toNativeSeparators(binary) +
                                       "\": line 2 holds binary data; this is not a "
                                       "text file."}));
    EXPECT_TRUE(Sent(w.Events).isEmpty());
}

TEST(SettingsRestore, ReplaysItsOwnCopyWhenTheListIsClearedMeanwhile) {
    TFakeWindow w;
    TSettingsFileSequence seq(w.Seams(), w);
    QList<QByteArray> settingsList{"*CFG 0 a", "*CFG 90 b", "*CFG 1 c"};
    // A read-back run from the events processed after a line empties the list.
    w.OnSend = [&](const QByteArray &) { settingsList.clear(); };
    w.QueueOK();
    EXPECT_EQ(seq.Replay(settingsList), TOutcome::Done);
    EXPECT_EQ(Sent(w.Events), (QStringList{"*CFG 0 a", "*CFG 90 b", "*CFG 1 c"}));
}

TEST(SettingsRestore, StoppedReadBackLeavesTheMessageWindowAndSaysNothingMore) {
    TFakeWindow w;
    w.ReadBackCompletes = false;
    TSettingsFileSequence seq(w.Seams(), w);
    EXPECT_EQ(seq.Replay({"*RST"}), TOutcome::Stopped);
    EXPECT_EQ(w.Events, (QStringList{"show Loading. Please wait...", "pause 30", "send *RST",
                                     "events", "readback"}));

    // A read-back that throws passes the exception on the same way.
    TSettingsFileSeams seams = w.Seams();
    seams.ReadBack = []() -> bool { throw std::runtime_error("conversion"); };
    TSettingsFileSequence throwing(seams, w);
    w.Events.clear();
    EXPECT_THROW(throwing.Replay({"*RST"}), std::runtime_error);
    EXPECT_FALSE(w.Events.contains("close"));
}

TEST(SettingsRestore, EndingProgramStopsTheReplayAtTheNextLine) {
    TFakeWindow w;
    TSettingsFileSequence seq(w.Seams(), w);
    w.OnSend = [&](const QByteArray &) { w.EndingNow = true; };
    EXPECT_EQ(seq.Replay({"a", "b", "c"}), TOutcome::Ended);
    EXPECT_EQ(Sent(w.Events), QStringList{"a"});
    EXPECT_FALSE(w.Events.contains("readback"));
    EXPECT_EQ(w.Shown.size(), 0);
}

// The port went away with a line: nothing more is sent or read, the window closes and the
// replay says nothing (the status poll asks what to do next).
TEST(SettingsRestore, PortGoneEndsTheReplayAfterThatLineAndClosesItsWindow) {
    TFakeWindow w;
    TSettingsFileSequence seq(w.Seams(), w);
    w.OnSend = [&](const QByteArray &line) { w.PortGoneNow = line == "b"; };
    EXPECT_EQ(seq.Replay({"a", "b", "c"}), TOutcome::PortLost);
    EXPECT_EQ(w.Events, (QStringList{"show Loading. Please wait...", "pause 30", "send a", "events",
                                     "pause 30", "send b", "close"}));
    EXPECT_EQ(w.Shown.size(), 0);
}

TEST(SettingsFileSequence, BusyPortDefersBothEntries) {
    TFakeWindow w;
    w.PortFree = false;
    TSettingsFileSequence seq(w.Seams(), w);
    EXPECT_EQ(seq.Restore(), TOutcome::Deferred);
    EXPECT_EQ(seq.Save(), TOutcome::Deferred);
    EXPECT_TRUE(w.Events.isEmpty());
}

TEST(SettingsSave, ReadsBackThenAsksThenWritesTheFreshList) {
    TTestFolder folder;
    TFakeWindow w;
    w.SettingsList = {"// stale"};
    TSettingsFileSeams seams = w.Seams();
    seams.ReadBack = [&] {
        w.Events << "readback";
        w.SettingsList = {"// 01.02.2024,13:14:15", "*CFG 0 1", ":SYST:AUT 0"};
        return true;
    };
    const QString path = folder.File("saved.txt");
    w.QueueFileName(path);
    TSettingsFileSequence seq(seams, w);
    EXPECT_EQ(seq.Save(), TOutcome::Done);
    EXPECT_EQ(w.Events, (QStringList{"readback", "save"})); // no message on success
    const TScriptedPrompts::TFileDialog &dialog = w.FileDialogs.first();
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.caption, "Save system parameters");
    EXPECT_EQ(dialog.dir, QDir::currentPath());
    EXPECT_EQ(dialog.filter, "Text file|*.txt");
    EXPECT_EQ(dialog.defaultExt, "txt");
    EXPECT_EQ(TTestFolder::Read(path), QByteArray("// 01.02.2024,13:14:15\r\n*CFG 0 1\r\n"
                                                  ":SYST:AUT 0\r\n"));
}

TEST(SettingsSave, NameWithoutExtensionGetsTxt) {
    TTestFolder folder;
    TFakeWindow w;
    w.SettingsList = {"*CFG 0 1"};
    w.QueueFileName(folder.File("plain"));
    TSettingsFileSequence seq(w.Seams(), w);
    EXPECT_EQ(seq.Save(), TOutcome::Done);
    EXPECT_EQ(folder.Entries(), QStringList{"plain.txt"});
    EXPECT_EQ(TTestFolder::Read(folder.File("plain.txt")), QByteArray("*CFG 0 1\r\n"));
}

TEST(SettingsSave, CancelStoppedReadBackAndReadOnlyFolder) {
    TTestFolder folder;
    TFakeWindow w;
    TSettingsFileSequence seq(w.Seams(), w);
    w.QueueFileName(QString());
    w.QueueOK();
    EXPECT_EQ(seq.Save(), TOutcome::Cancelled);
    EXPECT_EQ(w.Events, (QStringList{"readback", "save", "info Save to file was cancelled"}));

    w.Events.clear();
    w.ReadBackCompletes = false;
    EXPECT_EQ(seq.Save(), TOutcome::Stopped); // no dialog, nothing written
    EXPECT_EQ(w.Events, QStringList{"readback"});

    w.Events.clear();
    w.ReadBackCompletes = true;
    w.SettingsList = {"*CFG 0 1"};
    const QString dir = folder.File("ro");
    w.QueueFileName(dir + "/s.txt");
    w.QueueOK();
    {
        TReadOnlyFolder readOnly(dir);
        ASSERT_TRUE(readOnly.Active());
        EXPECT_EQ(seq.Save(), TOutcome::Failed);
    }
    const QString nativeDir = QDir::toNativeSeparators(dir);
    EXPECT_EQ(w.Events, (QStringList{"readback", "save",
                                     "error Cannot write file \"" + nativeDir + QDir::separator() +
                                         "s.txt\": Permission denied. The folder \"" + nativeDir +
                                         "\" is read-only."}));
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

} // namespace
