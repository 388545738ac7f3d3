// Storage menu "Save Settings To File" / "Restore Settings From File" and Tools menu
// "Capture Screen Shot", driven through the menu actions of a window connected to pulsesim.
#include "JpegProbe.h"
#include "LivePanelFixture.h"
#include "MessageForm.h"
#include "PlusSpinEdit.h"
#include "PtyPeer.h"
#include "SettingsFileActions.h"
#include "SimPanel.h"
#include "TestFolder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QStringDecoder>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>

namespace {

const QString SaveCancelledText = "Save to file was cancelled";
const QString SettingsLoadedText = "Settings loaded.";

// The process's working directory moved into a fresh folder for one test.
class TWorkingDir {
public:
    TWorkingDir() : FPrevious(QDir::currentPath()) { QDir::setCurrent(Folder.Path()); }
    ~TWorkingDir() { QDir::setCurrent(FPrevious); }
    TTestFolder Folder;

private:
    QString FPrevious;
};

// The lines of a file written with CR LF after every line; a line end of any other kind
// shows up as a line that still holds CR or LF.
QStringList CrLfLines(const QByteArray &bytes) {
    QStringList lines = QString::fromLatin1(bytes).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    else
        lines << "<no CR LF at the end>";
    return lines;
}

// What the instrument received that was not a query.
QStringList CommandsIn(const QStringList &received) {
    QStringList out;
    for (const QString &line : received)
        if (!line.contains('?'))
            out << line;
    return out;
}

// The texts of the message boxes shown, file dialogs left out.
QStringList Messages(const TScriptedPrompts &prompts) {
    QStringList out;
    for (const TScriptedPrompts::TShown &shown : prompts.Shown)
        if (shown.kind == "message")
            out << shown.text;
    return out;
}

// The message boxes shown, file dialogs left out.
QList<TScriptedPrompts::TShown> Boxes(const TScriptedPrompts &prompts) {
    QList<TScriptedPrompts::TShown> out;
    for (const TScriptedPrompts::TShown &shown : prompts.Shown)
        if (shown.kind == "message")
            out << shown;
    return out;
}

// The one box a write into the read-only folder dir shows.
void ExpectWriteRefused(const TScriptedPrompts &prompts, const QString &file, const QString &dir) {
    const QList<TScriptedPrompts::TShown> boxes = Boxes(prompts);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0].icon, TPrompts::iconError);
    EXPECT_EQ(boxes[0].text, "Cannot write file \"" + QDir::toNativeSeparators(file) +
                                 "\": Permission denied. The folder \"" +
                                 QDir::toNativeSeparators(dir) + "\" is read-only.");
}

QStringList SettingLinesOfState(const TSimProcess &sim, int channels) {
    return sim.Dump().value("state").mid(0, 11 + channels);
}

// The live panel with its dialogs and boxes scripted.
TSimLaunch ModelLaunch(const QString &model) {
    TSimLaunch launch;
    launch.Model = model;
    return launch;
}

struct TConnectedPanel : TLivePanel {
    explicit TConnectedPanel(const TSimLaunch &launch = TSimLaunch(),
                             const QStringList &preset = QStringList()) {
        Ok = Start(launch, preset);
    }
    TMainForm &Form() { return *P.Form; }
    TSimProcess &Sim() { return P.Sim(0); }
    // Lines received from here on.
    void Mark() { FMark = TLivePanel::Mark(); }
    QStringList ReceivedSinceMark() const { return SentSince(FMark); }
    // Each answers the dialog with path and acknowledges the boxes that follow.
    QString SaveTo(const QString &path, int boxes = 0) {
        P.Prompts.QueueFileName(path);
        P.Prompts.QueueOK(boxes);
        Form().SaveToFile1->trigger();
        return path;
    }
    // On screen, as a capture needs it.
    bool Exposed() {
        Form().show();
        return QTest::qWaitForWindowExposed(&Form());
    }
    QStringList SavedLines(const QString &path) {
        return CrLfLines(TTestFolder::Read(SaveTo(path)));
    }
    void RestoreFrom(const QString &path, int boxes = 1) {
        P.Prompts.QueueFileName(path);
        P.Prompts.QueueOK(boxes);
        Form().RestoreSettingsFromFile1->trigger();
    }

    TSimPanel &P = Panel;
    bool Ok = false;

private:
    int FMark = 0;
};

const QStringList PresetA = {":PULS0:PER 0.000200000",
                             ":PULS2:WIDT 0.00000002000",
                             ":PULS3:DEL 0.00000100000",
                             ":PULS3:STAT 1",
                             ":SYST:AUT 1",
                             ":COUN:STAT 1"};
const QStringList PresetB = {":PULS0:PER 0.000500000", ":PULS5:DEL 0.00000400000", ":PULS1:STAT 1"};

// --- saving ----------------------------------------------------------------------------

TEST(SettingsFileSave, TwelveChannelFileHoldsTheFreshlyReadStateLineForLine) {
    TWorkingDir wd;
    TConnectedPanel panel(TSimLaunch(), PresetA);
    ASSERT_TRUE(panel.Ok);
    // Changed behind the panel's back: only a fresh read-back puts it in the file.
    ASSERT_EQ(panel.Form().Session().Exchange.SendCommand(":PULS4:DEL 0.00000300000"), "ok");
    panel.Mark();

    const QString path = panel.SaveTo(wd.Folder.File("bench12")); // typed without extension
    EXPECT_TRUE(Messages(panel.P.Prompts).isEmpty())
        << Messages(panel.P.Prompts).join("|").toStdString();
    ASSERT_EQ(panel.P.Prompts.FileDialogs.size(), 1);
    const TScriptedPrompts::TFileDialog dialog = panel.P.Prompts.FileDialogs[0];
    EXPECT_EQ(dialog.kind, "save");
    EXPECT_EQ(dialog.caption, "Save system parameters");
    EXPECT_EQ(dialog.dir, QDir::currentPath());
    EXPECT_EQ(dialog.filter, "Text file|*.txt");
    EXPECT_EQ(dialog.defaultExt, "txt");
    EXPECT_EQ(wd.Folder.Entries(), QStringList{"bench12.txt"}); // nothing else left behind

    const QByteArray bytes = TTestFolder::Read(path + ".txt");
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList lines = CrLfLines(bytes);
    ASSERT_EQ(lines.size(), 28);
    EXPECT_TRUE(lines[0].startsWith("// ")) << lines[0].toStdString();
    EXPECT_EQ(lines[1],
              "// Orvane Selkrin Model 6180-12  SW Version: 1.0.0.0 ComPort: 1 Baud: 115200");
    EXPECT_EQ(lines.mid(2, 3), QStringList({"// Serial Number: 1234", "// Firmware Ver: 1.00",
                                            "// FPGA Ver: 1.25"}));
    EXPECT_EQ(lines.mid(5), SettingLinesOfState(panel.Sim(), 12));
    EXPECT_TRUE(lines.contains(
        "*CFG 4 0 0.00000300000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 8 DIS DIS DIS LOW"))
        << lines.join("\n").toStdString();
    // The read-back came before the dialog and sent no setting.
    EXPECT_TRUE(CommandsIn(panel.ReceivedSinceMark()).isEmpty());
    EXPECT_EQ(panel.ReceivedSinceMark().size(), 1 + 4 + 7 + 12);
}

TEST(SettingsFileSave, ThirtySixChannelFileHasFiftyTwoLines) {
    TWorkingDir wd;
    TConnectedPanel panel(ModelLaunch("6180-36"));
    ASSERT_TRUE(panel.Ok);
    const QStringList lines = panel.SavedLines(wd.Folder.File("bench36.txt"));
    ASSERT_EQ(lines.size(), 52);
    EXPECT_EQ(lines.mid(5), SettingLinesOfState(panel.Sim(), 36));
    EXPECT_TRUE(lines[51].startsWith("*CFG 36 ")) << lines[51].toStdString();
}

// The save dialog is modal and lets events through: a read-back that another activity runs
// meanwhile and that stops half-way must not leave a partial file; the file holds the
// save's own complete read-back.
TEST(SettingsFileSave, ReadBackStoppedWhileTheDialogIsOpenLeavesTheFileWhole) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString path = wd.Folder.File("whole.txt");
    panel.P.Prompts.QueueFileName(path, [&] {
        ASSERT_TRUE(panel.Sim().InjectFault("garble 1 *CFG?5"));
        panel.Form().Guarded([&] { panel.Form().Initialize(); });
    });
    panel.P.Prompts.QueueOK();
    panel.Form().SaveToFile1->trigger();
    ASSERT_EQ(Boxes(panel.P.Prompts).size(), 1); // the stopped read-back's error report
    const QStringList lines = CrLfLines(TTestFolder::Read(path));
    ASSERT_EQ(lines.size(), 28) << lines.join("\n").toStdString();
    EXPECT_EQ(lines.mid(5), SettingLinesOfState(panel.Sim(), 12));
}

TEST(SettingsFileSave, CancelSaysSoAndWritesNothing) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    panel.SaveTo(QString(), 1);
    EXPECT_EQ(Messages(panel.P.Prompts), QStringList{SaveCancelledText});
    EXPECT_EQ(Boxes(panel.P.Prompts).value(0).icon, TPrompts::iconInformation);
    EXPECT_TRUE(wd.Folder.Entries().isEmpty());
}

TEST(SettingsFileSave, DemoModeFileHoldsTheDateLineOnly) {
    TWorkingDir wd;
    TSimPanel p;
    p.AddSim();
    p.Keys->LeftShift = true;
    p.Prompts.QueueOK();
    ASSERT_TRUE(p.StartAndLaunch());
    p.Prompts.QueueFileName(wd.Folder.File("demo.txt"));
    p.Form->SaveToFile1->trigger();
    const QStringList lines = CrLfLines(TTestFolder::Read(wd.Folder.File("demo.txt")));
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].startsWith("// ") && lines[0].contains(',')) << lines[0].toStdString();
    EXPECT_EQ(Messages(p.Prompts), QStringList{"Entering Demo Mode"});
    EXPECT_TRUE(p.Received(0).isEmpty());

    // Demo mode blocks no command: the replay opens the form's port (COM 1) on demand,
    // and the demo read-back sends nothing more.
    p.Prompts.QueueFileName(wd.Folder.Write("r.txt", ":PULS1:DEL 0.00000100000\r\n"));
    p.Prompts.QueueOK();
    p.Form->RestoreSettingsFromFile1->trigger();
    // Demo reads do not wait for the reply: the line reaches the instrument a moment later.
    (void)QTest::qWaitFor([&] { return !p.Received(0).isEmpty(); }, 5000);
    EXPECT_EQ(p.Received(0), QStringList{":PULS1:DEL 0.00000100000"});
    EXPECT_EQ(Messages(p.Prompts), QStringList({"Entering Demo Mode", SettingsLoadedText}));
}

// COM1 opens but nothing answers, as on a machine without the instrument: the window's
// port has no terminator until a connection step sets one, so demo mode reads whatever
// is there at once. A change and a replayed file go out without "Communications lost".
TEST(SettingsFileRestore, DemoModeOnASilentPortSendsWithoutWaitingForReplies) {
    TWorkingDir wd;
    TSimPanel p;
    TPtyPeer silent(1, p.PortsDir());
    ASSERT_TRUE(silent.IsValid()) << silent.ErrorText().toStdString();
    p.Keys->LeftShift = true;
    p.Prompts.QueueOK(); // "Entering Demo Mode"
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_TRUE(p.Form->Session().ComPort.EndOfResponse().isEmpty());

    p.Form->ChWaitCountAdj[1]->setValue(5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !silent.Lines().isEmpty(); }, 2000));
    p.Prompts.QueueFileName(
        wd.Folder.Write("r.txt", ":PULS1:DEL 0.00000100000\r\n:PULS2:WCO 3\r\n"));
    p.Prompts.QueueOK(); // "Settings loaded."
    p.Form->RestoreSettingsFromFile1->trigger();
    const QList<QByteArray> expected{":PULS1:WCO 5", ":PULS1:DEL 0.00000100000", ":PULS2:WCO 3"};
    (void)QTest::qWaitFor([&] { return silent.Lines().size() >= expected.size(); }, 5000);
    EXPECT_EQ(silent.Lines(), expected);
    EXPECT_FALSE(p.Form->Session().ComPort.TimedOut());
    EXPECT_EQ(Messages(p.Prompts), QStringList({"Entering Demo Mode", SettingsLoadedText}));
}

TEST(SettingsFileSave, ReadOnlyWorkingFolderIsNamedInTheErrorAndNothingIsWritten) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString dir = wd.Folder.File("ro");
    const QString path = dir + "/settings.txt";
    TReadOnlyFolder readOnly(dir);
    ASSERT_TRUE(readOnly.Active());
    QDir::setCurrent(dir);
    panel.SaveTo(path, 1);
    ExpectWriteRefused(panel.P.Prompts, path, dir);
    EXPECT_TRUE(QDir(dir).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// --- restoring ---------------------------------------------------------------------------

TEST(SettingsFileRestore, FileSavedFromOneInstrumentMakesAnotherEqual) {
    TWorkingDir wd;
    TConnectedPanel source(TSimLaunch(), PresetA);
    ASSERT_TRUE(source.Ok);
    const QString path = wd.Folder.File("a.txt");
    const QStringList fileLines = source.SavedLines(path);

    TConnectedPanel target(TSimLaunch(), PresetB);
    ASSERT_TRUE(target.Ok);
    ASSERT_NE(SettingLinesOfState(target.Sim(), 12), SettingLinesOfState(source.Sim(), 12));
    target.Mark();
    target.RestoreFrom(path);

    EXPECT_EQ(SettingLinesOfState(target.Sim(), 12), SettingLinesOfState(source.Sim(), 12));
    const QStringList received = target.ReceivedSinceMark();
    ASSERT_GE(received.size(), 23);
    EXPECT_EQ(received.mid(0, 23), fileLines.mid(5)); // in file order, before the read-back
    EXPECT_TRUE(CommandsIn(received.mid(23)).isEmpty());
    EXPECT_EQ(Messages(target.P.Prompts), QStringList{SettingsLoadedText});
    EXPECT_EQ(Boxes(target.P.Prompts).value(0).icon, TPrompts::iconInformation);
    EXPECT_FALSE(target.Form().MessageForm->isVisible());
    // The panel shows what was loaded, and the list is that of the final read-back.
    EXPECT_EQ(target.Form().ChDelayAdj[3]->Value(), 0.000001);
    EXPECT_EQ(target.Form().Session().State.SettingsList.mid(5), fileLines.mid(5));
    const TScriptedPrompts::TFileDialog dialog = target.P.Prompts.FileDialogs.value(0);
    EXPECT_EQ(dialog.kind, "open");
    EXPECT_EQ(dialog.defaultExt, "txt");
    EXPECT_TRUE(dialog.caption.isEmpty() && dialog.filter.isEmpty());
}

TEST(SettingsFileRestore, OpenDialogStartsFromTheFileChosenLast) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString path = wd.Folder.Write("only-comments.txt", "// x\r\n");
    panel.RestoreFrom(path);
    panel.RestoreFrom(QString(), 0); // cancelled: nothing sent, nothing said
    ASSERT_EQ(panel.P.Prompts.FileDialogs.size(), 2);
    EXPECT_TRUE(panel.P.Prompts.FileDialogs[0].dir.isEmpty());
    EXPECT_EQ(panel.P.Prompts.FileDialogs[1].dir, path);
    EXPECT_EQ(Messages(panel.P.Prompts), QStringList{SettingsLoadedText});
}

TEST(SettingsFileRestore, CommentLinesAreSkippedWholeAndTheRestSentInOrder) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    {
        SCOPED_TRACE("every line a comment: nothing sent, still read back");
        const QString path = wd.Folder.Write("c.txt", "// one\r\n//two\r\n  // three\r\n");
        panel.Mark();
        panel.RestoreFrom(path);
        const QStringList received = panel.ReceivedSinceMark();
        EXPECT_TRUE(CommandsIn(received).isEmpty()) << received.join("|").toStdString();
        EXPECT_EQ(received.size(), 1 + 4 + 7 + 12);
        EXPECT_EQ(Messages(panel.P.Prompts), QStringList{SettingsLoadedText});
    }
    {
        SCOPED_TRACE("a command with a trailing note is skipped whole");
        const QString path = wd.Folder.Write(
            "n.txt", ":PULS1:DEL 0.00000200000 // note\n:PULS2:WIDT 0.00000003000\r");
        panel.Mark();
        panel.RestoreFrom(path);
        EXPECT_EQ(CommandsIn(panel.ReceivedSinceMark()), QStringList{":PULS2:WIDT 0.00000003000"});
        EXPECT_EQ(panel.Form().ChDelayAdj[1]->Value(), 0.0);
        EXPECT_EQ(panel.Form().ChWidthAdj[2]->Value(), 0.00000003);
    }
}

TEST(SettingsFileRestore, EmptyFileSaysSoThenReadsBack) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString path = wd.Folder.Write("empty.txt", "");
    panel.Mark();
    panel.RestoreFrom(path, 2);
    EXPECT_EQ(Messages(panel.P.Prompts), QStringList({"Empty file.", SettingsLoadedText}));
    EXPECT_EQ(panel.ReceivedSinceMark().size(), 1 + 4 + 7 + 12);
}

TEST(SettingsFileRestore, ThirtySixChannelFileIntoTwelveChannelsSendsEveryLine) {
    TWorkingDir wd;
    TConnectedPanel source(ModelLaunch("6180-36"));
    ASSERT_TRUE(source.Ok);
    const QString path = wd.Folder.File("big.txt");
    const QStringList fileLines = source.SavedLines(path);
    ASSERT_EQ(fileLines.size(), 52);

    TConnectedPanel target;
    ASSERT_TRUE(target.Ok);
    target.Mark();
    target.RestoreFrom(path);
    EXPECT_EQ(CommandsIn(target.ReceivedSinceMark()), fileLines.mid(5));
    EXPECT_EQ(Messages(target.P.Prompts), QStringList{SettingsLoadedText});
    EXPECT_EQ(target.Form().Session().State.ChannelCount, 12);
}

TEST(SettingsFileRestore, ByteOrderMarksSelectTheEncoding) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString text = "// saved\r\n:PULS1:DEL 0.00000500000\r\n:PULS0:PER 0.000300000\r\n";
    const QStringList expected = {":PULS1:DEL 0.00000500000", ":PULS0:PER 0.000300000"};
    struct TCase {
        const char *name;
        QByteArray bytes;
    };
    QStringEncoder utf16be(QStringConverter::Utf16BE);
    QStringEncoder utf16le(QStringConverter::Utf16LE);
    const TCase cases[] = {
        {"utf8bom.txt", "\xEF\xBB\xBF" + text.toUtf8()},
        {"utf16le.txt", QByteArray("\xFF\xFE") + QByteArray(utf16le(text))},
        {"utf16be.txt", QByteArray("\xFE\xFF") + QByteArray(utf16be(text))},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.name);
        panel.Mark();
        panel.RestoreFrom(wd.Folder.Write(c.name, c.bytes));
        EXPECT_EQ(CommandsIn(panel.ReceivedSinceMark()), expected);
    }
    EXPECT_EQ(Messages(panel.P.Prompts),
              QStringList({SettingsLoadedText, SettingsLoadedText, SettingsLoadedText}));
}

TEST(SettingsFileRestore, BadFilesSendNothingAndSayWhy) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QString binary =
        wd.Folder.Write("bin.txt", QByteArray(":PULS1:DEL 1\r\n\x01\x02\0\xFF", 18));
    const QString huge = wd.Folder.Write("huge.txt", QByteArray(10 * 1024 * 1024, 'A'));
    const QString longLine =
        wd.Folder.Write("long.txt", ":PULS1:DEL 0.00000100000\r\n" + QByteArray(5000, 'B'));
    const QString vanished = wd.Folder.Write("gone.txt", ":PULS1:DEL 0.00000100000\r\n");
    struct TCase {
        QString path;
        QString reason;
        std::function<void()> beforeRead;
    };
    const TCase cases[] = {
        {binary, "line 2 holds binary data; this is not a text file", {}},
        {huge, "the file is larger than 1048576 bytes and is not a settings file", {}},
        {longLine, "line 2 is longer than 4096 characters", {}},
        {vanished, "No such file or directory", [vanished] { QFile::remove(vanished); }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        panel.P.Prompts.Shown.clear();
        panel.Mark();
        panel.P.Prompts.QueueFileName(c.path, c.beforeRead);
        panel.P.Prompts.QueueOK();
        panel.Form().RestoreSettingsFromFile1->trigger();
        EXPECT_TRUE(panel.ReceivedSinceMark().isEmpty())
            << panel.ReceivedSinceMark().join("|").toStdString();
        ASSERT_EQ(Boxes(panel.P.Prompts).size(), 1);
        EXPECT_EQ(Boxes(panel.P.Prompts)[0].icon, TPrompts::iconError);
        EXPECT_EQ(Boxes(panel.P.Prompts)[0].text, "Cannot read file \"" +
                                                      QDir::toNativeSeparators(c.path) +
                                                      "\": " + c.reason + ".");
        EXPECT_FALSE(panel.Form().MessageForm->isVisible());
    }
}

TEST(SettingsFileRestore, ReadBackStoppedByABadRecordEndsWithoutSettingsLoaded) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    ASSERT_TRUE(panel.Sim().InjectFault("garble 1 *CFG? 0"));
    panel.RestoreFrom(wd.Folder.Write("s.txt", ":PULS1:DEL 0.00000100000\r\n"));
    ASSERT_EQ(Boxes(panel.P.Prompts).size(), 1)
        << Messages(panel.P.Prompts).join("|").toStdString();
    EXPECT_NE(Boxes(panel.P.Prompts)[0].text, SettingsLoadedText);
    EXPECT_FALSE(panel.Form().MessageForm->isVisible());
    EXPECT_FALSE(panel.Form().Session().State.Link.CommandsDisabled);
    EXPECT_EQ(panel.Form().SettingsFileActions().LastOutcome(),
              TSettingsFileSequence::TOutcome::Stopped);
}

// A read-back started while the replay lets events through clears the settings list; the
// replay goes on with the file's lines regardless.
TEST(SettingsFileRestore, ReadBackDuringTheReplayDoesNotCutItShort) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    const QStringList lines = {":PULS1:DEL 0.00000100000", ":PULS2:DEL 0.00000200000",
                               ":PULS3:DEL 0.00000300000", ":PULS4:DEL 0.00000400000"};
    const QString path = wd.Folder.Write("r.txt", (lines.join("\r\n") + "\r\n").toLatin1());
    // Re-posted at every pass of the event loop, so one is waiting when the replay lets
    // events through; a refresh waits for a free port like any exchange.
    int readBacks = 0;
    bool armed = false;
    std::function<void()> refresh = [&] {
        if (!armed || readBacks > 0)
            return;
        if (panel.Form().Session().ComPort.InUse() ||
            panel.Form().Session().State.ReadBackActive > 0) {
            QTimer::singleShot(0, refresh);
            return;
        }
        ++readBacks;
        panel.Form().Guarded([&] { panel.Form().Initialize(); });
    };
    panel.Mark();
    panel.P.Prompts.QueueFileName(path, [&] {
        armed = true;
        QTimer::singleShot(0, refresh);
    });
    panel.P.Prompts.QueueOK();
    panel.Form().RestoreSettingsFromFile1->trigger();
    EXPECT_EQ(readBacks, 1);
    EXPECT_EQ(CommandsIn(panel.ReceivedSinceMark()), lines);
    EXPECT_EQ(Messages(panel.P.Prompts), QStringList{SettingsLoadedText});
    EXPECT_EQ(panel.Form().ChDelayAdj[4]->Value(), 0.000004);
}

// A click handled while another exchange waits for its reply must not start a second
// exchange in the middle of it: the save runs once the port is free.
TEST(SettingsFileRestore, SaveClickedDuringAnExchangeRunsAfterIt) {
    TWorkingDir wd;
    TConnectedPanel panel;
    ASSERT_TRUE(panel.Ok);
    ASSERT_TRUE(panel.Sim().InjectFault("delay 1 300 :SYST:AUT"));
    panel.P.Prompts.QueueFileName(wd.Folder.File("later.txt"));
    QTimer::singleShot(50, &panel.Form(), [&] { panel.Form().SaveToFile1->trigger(); });
    panel.Mark();
    const qint32 autoStart = panel.Form().Session().Exchange.QueryInteger(":SYST:AUT");
    EXPECT_EQ(autoStart, 0);
    // The query's reply came first; the save had not started inside the wait.
    EXPECT_EQ(panel.ReceivedSinceMark(), QStringList{":SYST:AUT?"});
    EXPECT_TRUE(panel.P.Prompts.FileDialogs.isEmpty());
    EXPECT_EQ(panel.Form().SettingsFileActions().Pending(), TSettingsFileActions::TRequest::Save);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(wd.Folder.File("later.txt")), 10000);
    EXPECT_EQ(panel.Form().SettingsFileActions().Pending(), TSettingsFileActions::TRequest::None);
    EXPECT_EQ(CrLfLines(TTestFolder::Read(wd.Folder.File("later.txt"))).size(), 28);
    EXPECT_TRUE(Messages(panel.P.Prompts).isEmpty());
}

// --- capture -------------------------------------------------------------------------------

// A connected window on screen, as a capture needs it, in a fresh working folder.
class CaptureScreenShot : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(panel.Ok);
        ASSERT_TRUE(panel.Exposed());
    }
    TWorkingDir wd;
    TConnectedPanel panel;
};

TEST_F(CaptureScreenShot, WindowPictureIsABaselineQuality90JpegReplacedByTheNext) {
    wd.Folder.Write("ScreenShot.jpg", "an earlier picture");

    panel.Form().CaptureScreenShot1->trigger();
    const QByteArray first = TTestFolder::Read(wd.Folder.File("ScreenShot.jpg"));
    const TDecoded facts = Decode(first);
    EXPECT_EQ(QSize(facts.Width, facts.Height), panel.Form().frameGeometry().size());
    EXPECT_FALSE(facts.Progressive);
    EXPECT_TRUE(first.contains("\xFF\xC0")); // baseline frame header
    EXPECT_EQ(facts.Components, 3);
    EXPECT_EQ(facts.Quant, Quality90Tables());

    panel.Form().SerialNumberlbl->setText("Serial Number: 999999 changed for the second picture");
    QApplication::processEvents();
    panel.Form().CaptureScreenShot1->trigger();
    const QByteArray second = TTestFolder::Read(wd.Folder.File("ScreenShot.jpg"));
    EXPECT_NE(second, first);
    const TDecoded next = Decode(second);
    EXPECT_EQ(QSize(next.Width, next.Height), panel.Form().frameGeometry().size());
    EXPECT_EQ(wd.Folder.Entries(), QStringList{"ScreenShot.jpg"});
    EXPECT_TRUE(Messages(panel.P.Prompts).isEmpty());
}

TEST_F(CaptureScreenShot, ReadOnlyWorkingFolderGivesAnErrorAndKeepsTheEarlierFile) {
    const QString dir = wd.Folder.File("ro");
    QDir().mkpath(dir);
    const QString earlier = dir + "/ScreenShot.jpg";
    {
        QFile f(earlier);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("earlier picture");
    }
    QDir::setCurrent(dir);
    {
        TReadOnlyFolder readOnly(dir);
        ASSERT_TRUE(readOnly.Active());
        panel.P.Prompts.QueueOK();
        panel.Form().CaptureScreenShot1->trigger();
    }
    EXPECT_EQ(TTestFolder::Read(earlier), QByteArray("earlier picture"));
    ExpectWriteRefused(panel.P.Prompts, earlier, dir);
}

} // namespace
