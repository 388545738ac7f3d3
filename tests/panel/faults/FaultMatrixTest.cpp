// The fault matrix: the ways the line, the instrument and the files can fail, against the
// whole window and pulsesim, one row each. A row names the fault, where it strikes, how
// the user answers, every box the user sees (exact texts) and how the program ends.
// Afterwards nothing the user set may be lost: a change made before the fault is in the
// instrument and in the panel, and the panel (or the instance a restart started) agrees
// with the instrument's own state dump.
#include "MainForm.h"
#include "MessageForm.h"
#include "OnceDuringReadBack.h"
#include "PanelAgreement.h"
#include "SimPanel.h"
#include "TestFolder.h"

#include "CalibrationReadBack.h"
#include "ConfigRecords.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "ServiceForm.h"
#include "ServiceWindow.h"
#include "SingleValues.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTest>
#include <gtest/gtest.h>
#include <list>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

namespace {

using TButton = TPrompts::TButton;
constexpr TButton Yes = TPrompts::mbYes, No = TPrompts::mbNo, Ignore = TPrompts::mbIgnore;

const QString Lost = "Communications lost. Restart?";
const QString Gone = "Port no longer available, restart?";
const QString NoDevice = "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully "
                         "powered on\n\rbefore selecting Yes";
const QString Loaded = "Settings loaded.";
const QString NoInt = "'' is not a valid integer value";
const QString NoFloat = "'' is not a valid floating point value";
const QString BadInt = "'X!' is not a valid integer value";
const QString BadFloat = "'X!' is not a valid floating point value";
const QString BinaryFile = "Cannot read file \"<file>\": line 1 holds binary data; this is not a "
                           "text file.";
const QString HugeFile = "Cannot read file \"<file>\": the file is larger than 1048576 bytes and "
                         "is not a settings file.";
const QString MissingFile = "Cannot read file \"<file>\": No such file or directory.";
const QString LogRefused = "Log file cannot be written to. Please run program from writable "
                           "location. Logging will be disabled.";
const QString WriteRefused = "Cannot write file \"<dir>/<name>\": Permission denied. The folder "
                             "\"<dir>\" is read-only.";

enum class TStage {
    Discovery,    // the search at start-up: the fault is on the simulator from its start
    Launch,       // the first read-back: likewise
    QueuePass,    // the user's change (channel 1 mode Burst) going out
    StatusPoll,   // with "Additional Options" shown, so a poll asks twice
    Refresh,      // Tools > Refresh; these rows share one window
    Replay,       // Storage > Restore Settings From File, a file saved before
    CalReadBack,  // Tools > Service Window
    CalLoad,      // Load Cals From File, a file saved before
    Burst,        // a thousand changes queued while the port is held busy
    SettingsFile, // restoring a file of the kind Fault names
    CalFile,      // loading a calibration file of that kind
    Log,          // Tools > Logging Enabled, then Capture, Save Settings and Save Cals,
    Capture,      // each into a folder that cannot be written
    SettingsSave,
    CalSave,
};
enum class TEnd { Runs, Exits, Restarts };
constexpr TEnd Exits = TEnd::Exits, Restarts = TEnd::Restarts;

struct TFaultRow {
    const char *Name;
    TStage Stage;
    const char *Fault; // the pulsesim fault; for the file stages the kind of file
    QList<TButton> Answers;
    QStringList Seen; // every box, in order; <file>, <dir> and <name> stand for the paths
    TEnd End = TEnd::Runs;
};

void PrintTo(const TFaultRow &row, std::ostream *os) {
    *os << row.Name;
}

// The search asks only Yes or No, and only when no rate gave two answers in a row.
const TFaultRow SearchRows[] = {
    {"SearchFirstDropped", TStage::Discovery, "drop 1 *IDN?", {}, {}},
    {"SearchSecondDroppedYes", TStage::Discovery, "drop 2 *IDN?", {Yes}, {NoDevice}, Restarts},
    {"SearchSecondDroppedNo", TStage::Discovery, "drop 2 *IDN?", {No}, {NoDevice}, Exits},
    {"SearchBytesAtTheWrongRate", TStage::Discovery, "wrong-rate", {}, {}},
};

// A reply dropped at every later stage, answered Yes (restart), No (end) and Ignore (go
// on, to what that stage shows after the loss).
struct TDroppedReply {
    const char *Name;
    TStage Stage;
    const char *Fault;
    QStringList SeenOnIgnore;
};
const TDroppedReply DroppedReplies[] = {
    {"Launch", TStage::Launch, "drop 1 =*CFG?3?", {Lost, NoInt}},
    {"Queue", TStage::QueuePass, "drop 1 :PULS1:MOD", {Lost}},
    {"Poll", TStage::StatusPoll, "drop 1 =:PULS0:STAT?", {Lost}},
    {"Replay", TStage::Replay, "drop 1 *CFG 2 ", {Lost, Loaded}},
    {"CalRead", TStage::CalReadBack, "drop 1 :PULS2:CAL:GAIN?", {Lost}},
    {"CalLoad", TStage::CalLoad, "drop 1 :PULS2:CAL:DEL ", {Lost, Loaded}},
};

const TFaultRow TailRows[] = {
    // Every byte of a record replaced by junk: no blank is left, so every field but the
    // last is empty.
    {"ChannelAllJunk", TStage::Refresh, "garble 1 =*CFG?5?", {}, {NoInt}},

    // An empty reply, a reply that never ends, and bytes at the wrong rate (above).
    {"EmptyRecord", TStage::Refresh, "truncate 1 0 =*CFG?2?", {}, {NoInt}},
    {"EmptyCommandReply", TStage::QueuePass, "truncate 1 0 :PULS1:MOD", {}, {}},
    {"EmptyPollReply", TStage::StatusPoll, "truncate 1 0 =:PULS0:STAT?", {}, {}},
    {"Flood64KOnCommand", TStage::QueuePass, "flood 1 65536 :PULS1:MOD", {Ignore}, {Lost}},
    {"Flood64KOnRecord", TStage::Refresh, "flood 1 65536 =*CFG?2?", {Ignore}, {Lost, NoInt}},

    // The instrument unplugged (the device node goes): one lost reply, then the poll asks.
    {"GoneInLaunch", TStage::Launch, "vanish 1 :SYST:SEC?", {Ignore, Yes}, {Lost, Gone}, Restarts},
    {"GoneInPoll", TStage::StatusPoll, "vanish 1 :PULS0:STAT?", {Ignore, No}, {Lost, Gone}, Exits},
    {"GoneInReplay", TStage::Replay, "vanish 1 *CFG 92 ", {Ignore, Yes}, {Lost, Gone}, Restarts},

    // A spin button held while a reply keeps the port busy: every step goes out, in order.
    {"ThousandChangesWhilePortBusy", TStage::Burst, "delay 1 2000 :SYST:AUT", {}, {}},

    // Files that are not what they should be; nothing of them reaches the instrument.
    {"SettingsFileBinary", TStage::SettingsFile, "binary", {}, {BinaryFile}},
    {"SettingsFileEmpty", TStage::SettingsFile, "empty", {}, {"Empty file.", Loaded}},
    {"SettingsFileHuge", TStage::SettingsFile, "huge", {}, {HugeFile}},
    {"SettingsFileUtf16", TStage::SettingsFile, "utf16", {}, {Loaded}},
    {"SettingsFileGoneAfterDialog", TStage::SettingsFile, "deleted", {}, {MissingFile}},
    {"CalFileBinary", TStage::CalFile, "binary", {}, {BinaryFile}},
    {"CalFileEmpty", TStage::CalFile, "empty", {}, {"Empty file.", Loaded}},
    {"CalFileHuge", TStage::CalFile, "huge", {}, {HugeFile}},
    {"CalFileUtf16", TStage::CalFile, "utf16", {}, {Loaded}},
    {"CalFileGoneAfterDialog", TStage::CalFile, "deleted", {}, {MissingFile}},

    // A working folder that cannot be written.
    {"LogReadOnly", TStage::Log, "", {}, {LogRefused}},
    {"CaptureReadOnly", TStage::Capture, "ScreenShot.jpg", {}, {WriteRefused}},
    {"SettingsSaveReadOnly", TStage::SettingsSave, "settings.txt", {}, {WriteRefused}},
    {"CalSaveReadOnly", TStage::CalSave, "cals.txt", {}, {WriteRefused}},

};

// Records cut after every field and with every field garbled, read by a refresh. A field
// missing its blank is empty; an empty or garbled number stops the read-back with its
// conversion error, an unknown keyword leaves the panel's value. One letter a case, from
// cut after 0 fields and from field 1: F a decimal's error, I an integer's, - no box.
struct TRecordFaults {
    const char *Record;
    const char *Query;
    const char *Cut;
    const char *Garbled;
};
const TRecordFaults RecordFaults[] = {
    {"System", "*CFG? 0?", "FFFIIII", "-F-IIII"},
    {"Trigger1", "*CFG? 90?", "FFFF", "--F-"},
    {"Gate2", "*CFG? 93?", "FFFF", "--F-"},
    {"Channel", "*CFG?4?", "IIFFIIIIIFFFI---", "IFF-IIII--FI----"},
};

std::vector<TFaultRow> AllRows() {
    static std::list<QByteArray> texts; // the rows keep pointers into these for the run
    const auto keep = [](const QByteArray &text) { return texts.emplace_back(text).constData(); };
    const auto seen = [](char letter, const QString &noFloat, const QString &noInt) {
        return letter == 'F'   ? QStringList{noFloat}
               : letter == 'I' ? QStringList{noInt}
                               : QStringList{};
    };
    std::vector<TFaultRow> rows(std::begin(SearchRows), std::end(SearchRows));
    for (const TDroppedReply &d : DroppedReplies) {
        const QByteArray name = QByteArray(d.Name) + "Dropped";
        rows.push_back({keep(name + "Yes"), d.Stage, d.Fault, {Yes}, {Lost}, Restarts});
        rows.push_back({keep(name + "No"), d.Stage, d.Fault, {No}, {Lost}, Exits});
        rows.push_back({keep(name + "Ignore"), d.Stage, d.Fault, {Ignore}, d.SeenOnIgnore});
    }
    for (const TRecordFaults &r : RecordFaults) {
        const QByteArray record(r.Record), query(r.Query);
        for (int n = 0; r.Cut[n]; ++n)
            rows.push_back({keep(record + "CutTo" + QByteArray::number(n)),
                            TStage::Refresh,
                            keep("truncate 1 " + QByteArray::number(n) + " =" + query),
                            {},
                            seen(r.Cut[n], NoFloat, NoInt)});
        for (int n = 1; r.Garbled[n - 1]; ++n)
            rows.push_back({keep(record + "Garbled" + QByteArray::number(n)),
                            TStage::Refresh,
                            keep("field 1 " + QByteArray::number(n) + " X! =" + query),
                            {},
                            seen(r.Garbled[n - 1], BadFloat, BadInt)});
    }
    rows.insert(rows.end(), std::begin(TailRows), std::end(TailRows));
    return rows;
}

constexpr int Channels = 6;
constexpr int ReplyTimeMs = 400; // instead of 4000: the reactions are the same, only sooner
constexpr int BurstSteps = 1000;
const QString UserChange = ":PULS1:MOD BURS";

bool IsCalStage(TStage s) {
    return s == TStage::CalReadBack || s == TStage::CalLoad || s == TStage::CalFile ||
           s == TStage::CalSave;
}

QString Native(const QString &path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

// The calibration list after its header beside the instrument's service section (whose
// secure line the list holds as the unsecure command).
QStringList CalDisagreements(const TMainForm &f, const TSimProcess &sim) {
    QStringList instrument = sim.Dump().value("service");
    if (!instrument.isEmpty())
        instrument[0] = ":SYST:SEC 27183";
    const QStringList panel = f.Session().State.CalibrationList.mid(5);
    QStringList out;
    for (qsizetype i = 0; i < qMax(panel.size(), instrument.size()); ++i)
        if (panel.value(i) != instrument.value(i))
            out << "panel \"" + panel.value(i) + "\", instrument \"" + instrument.value(i) + '"';
    return out;
}

class FaultMatrix : public ::testing::TestWithParam<TFaultRow> {
public:
    static void TearDownTestSuite() { Shared.reset(); }

protected:
    void TearDown() override {
        if (Own && Own->Form) {
            Own->Form->Session().TaskTimer.stop();
            Own->Form->Session().StatusTimer.stop();
        }
    }

    // A window up to the row's stage: connected and read back, unless the fault ended that.
    bool Begin(const TFaultRow &row) {
        const bool early = row.Stage == TStage::Discovery || row.Stage == TStage::Launch;
        // The shared window's poll would go on beside this row's window (and reopen its
        // port while a row holds lesser rights): it goes once its rows are done.
        if (row.Stage != TStage::Refresh)
            Shared.reset();
        if (row.Stage == TStage::Refresh && Shared && !Shared->Form->Session().State.Ending) {
            P = Shared.get();
        } else {
            TSimLaunch launch;
            launch.Model = "6180-6";
            launch.Unsecured = true; // Tools > Service Window without the code
            if (QByteArray(row.Fault) == "wrong-rate") {
                launch.Baud = 9600;
                launch.ExtraArgs = {"--garble-wrong-baud"};
            } else if (early) {
                launch.ExtraArgs = {"--fault", row.Fault};
            }
            auto panel = std::make_unique<TSimPanel>();
            panel->AddSim(launch);
            if (row.Stage == TStage::Refresh) {
                Shared = std::move(panel);
                P = Shared.get();
            } else {
                Own = std::move(panel);
                P = Own.get();
            }
        }
        Sim = &P->Sim(0);
        FirstBox = P->Prompts.Shown.size();
        if (!P->Form) {
            if (early)
                QueueAnswers(row);
            if (P->Start()) {
                if (row.Stage != TStage::Burst)
                    P->Form->Session().ComPort.setResponseTime(ReplyTimeMs);
                P->Launch();
            }
        }
        F = P->Form.get();
        return Sim->Running();
    }

    // The row's answers go to its first boxes; every later box is acknowledged.
    void QueueAnswers(const TFaultRow &row) {
        for (const TButton answer : row.Answers)
            P->Prompts.QueueButton(answer);
        P->Prompts.QueueOK(int(row.Seen.size() - row.Answers.size()));
    }

    static bool SavesToAFile(TStage s) { return s == TStage::SettingsSave || s == TStage::CalSave; }

    // The user picks channel 1's mode Burst and it reaches the instrument.
    void MakeUserChange() {
        Choose(F->ChModeSel[1], 2);
        UserChanged = true;
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return Received().contains(UserChange) && Idle(); }, 10000));
    }

    static void Choose(QComboBox *box, int index) {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    QStringList Received() const { return P->Received(0); }
    // The message boxes of this row; file dialogs are not counted.
    QStringList Boxes() const {
        QStringList texts;
        for (const TScriptedPrompts::TShown &shown : P->Prompts.Shown.mid(FirstBox))
            if (shown.kind == "message")
                texts << shown.text;
        return texts;
    }
    TServiceForm &ServiceWindow() const { return *F->Service().Form; }

    bool Idle() const {
        const TAppState &s = F->Session().State;
        return s.Ending || (!s.TaskBusy && s.PendingCommands.isEmpty() && s.ReadBackActive == 0 &&
                            !s.StatusBusy && !s.CalRetrievePending && !s.CalLoadPending &&
                            !s.SettingsFileActive && !F->Session().ComPort.InUse());
    }

    void OpenServiceWindow() {
        F->ServiceWindowMenu->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return Idle(); }, 10000));
    }

    QString WriteFile(const QString &name, const QByteArray &bytes) {
        return Files.Write(name, bytes);
    }

    // A file of the kind a file row names, with one change against the instrument.
    QString BadFile(const char *kind, const QString &change) {
        const QByteArray k(kind);
        if (k == "binary") {
            QByteArray junk;
            for (int i = 0; i < 1024; ++i)
                junk += char(i);
            return WriteFile("binary.txt", junk);
        }
        if (k == "empty")
            return WriteFile("empty.txt", QByteArray());
        if (k == "huge")
            return WriteFile("huge.txt", QByteArray(2 * 1024 * 1024, '/'));
        const QString text = "// saved elsewhere\r\n" + change + "\r\n";
        if (k == "utf16") {
            const QByteArray bom("\xff\xfe", 2);
            return WriteFile(
                "utf16.txt",
                bom + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2));
        }
        return WriteFile("deleted.txt", text.toLatin1());
    }

    void Act(const TFaultRow &row) {
        Mark = Received().size();
        switch (row.Stage) {
        case TStage::Discovery:
        case TStage::Launch:
            return; // it all happened while the window connected
        case TStage::QueuePass:
            ASSERT_TRUE(Sim->InjectFault(row.Fault));
            QueueAnswers(row);
            Choose(F->ChModeSel[1], 2);
            UserChanged = true;
            return;
        default:
            break;
        }
        if (row.Stage != TStage::Refresh)
            MakeUserChange();
        if (IsCalStage(row.Stage) && row.Stage != TStage::CalReadBack)
            OpenServiceWindow();
        QString path;
        if (row.Stage == TStage::Replay) {
            // Saved before the user's change, which it leaves alone.
            QStringList lines = F->Session().State.SettingsList;
            lines.removeIf([](const QString &line) { return line.startsWith("*CFG 1 "); });
            path =
                WriteFile("settings.txt", (lines.join("\r\n") + "\r\n:PULS2:WCO 9\r\n").toLatin1());
        }
        if (row.Stage == TStage::CalLoad)
            path = WriteFile("cals.txt", (F->Session().State.CalibrationList.join("\r\n") +
                                          "\r\n:PULS2:CAL:DEL 30\r\n")
                                             .toLatin1());
        if (row.Stage == TStage::SettingsFile)
            path = BadFile(row.Fault, ":PULS2:WCO 9");
        if (row.Stage == TStage::CalFile)
            path = BadFile(row.Fault, ":PULS2:CAL:DEL 30");
        FilePath = path;
        if (row.Stage == TStage::SettingsFile || row.Stage == TStage::CalFile) {
            if (QByteArray(row.Fault) == "deleted")
                P->Prompts.QueueFileName(path, [path] { QFile::remove(path); });
            else
                P->Prompts.QueueFileName(path);
        } else if (row.Stage == TStage::Replay || row.Stage == TStage::CalLoad) {
            P->Prompts.QueueFileName(path);
        }
        if (*row.Fault && row.Stage <= TStage::Burst) {
            ASSERT_TRUE(Sim->InjectFault(row.Fault));
        }
        if (!SavesToAFile(row.Stage)) // those queue their dialog and box themselves
            QueueAnswers(row);
        Mark = Received().size();
        switch (row.Stage) {
        case TStage::StatusPoll:
            F->SystemPageControl->setCurrentIndex(2); // the poll reads the shot count too
            break;
        case TStage::Refresh:
            F->Up1->trigger();
            break;
        case TStage::Replay:
        case TStage::SettingsFile:
            F->RestoreSettingsFromFile1->trigger();
            break;
        case TStage::CalReadBack:
            F->ServiceWindowMenu->trigger();
            break;
        case TStage::CalLoad:
        case TStage::CalFile:
            ServiceWindow().LoadCalsBtn->click();
            break;
        case TStage::Burst:
            Burst();
            break;
        default:
            WriteIntoReadOnlyFolder(row);
            break;
        }
    }

    // A held spin button: a thousand steps of channel 1's delay, pressed on the focused
    // entry while the reply to the auto-start change keeps the port busy.
    void Burst() {
        F->show();
        F->activateWindow();
        F->ChDelayAdj[1]->setFocus();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return QApplication::focusWidget() == F->ChDelayAdj[1]; }, 5000));
        bool pressedWhileBusy = false;
        TOnceWhen during([&] { return F->Session().ComPort.InUse(); },
                         [&] {
                             for (int i = 0; i < BurstSteps; ++i)
                                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
                             pressedWhileBusy = F->Session().ComPort.InUse();
                         });
        F->AutoStartEnbl->click();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return Received().mid(Mark).filter(":PULS1:DEL ").size() >= BurstSteps; },
            120000));
        EXPECT_TRUE(pressedWhileBusy);
        const QStringList steps = Received().mid(Mark).filter(":PULS1:DEL ");
        ASSERT_EQ(steps.size(), BurstSteps);
        qint64 step = 0;
        for (int i = 1; i < steps.size(); ++i) {
            const auto at = [&](int k) {
                return qRound64(steps[k].section(' ', 1).toDouble() * 1e11);
            };
            if (i == 1)
                step = at(1) - at(0);
            ASSERT_EQ(at(i) - at(i - 1), step) << "step " << i << " out of order or missing";
        }
        EXPECT_GT(step, 0);
    }

    void WriteIntoReadOnlyFolder(const TFaultRow &row) {
        if (row.Stage == TStage::CalSave)
            OpenServiceWindow();
        FolderPath = row.Stage == TStage::Log ? P->LogDir() : Files.File("ro");
        QDir().mkpath(FolderPath);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(FolderPath);
        // The lesser rights of the read-only folder cannot reopen the port: they hold only
        // while the program writes. The saves read back first (reopening the port), so for
        // them they begin at the file dialog and end at the error box; meanwhile the poll,
        // which reopens the port too, is held back.
        const QSignalBlocker noPoll(F->Session().StatusTimer);
        std::optional<TReadOnlyFolder> readOnly;
        bool dropped = false;
        const auto drop = [&] {
            readOnly.emplace(FolderPath);
            dropped = readOnly->Active();
        };
        const QString target = QDir(FolderPath).filePath(row.Fault);
        switch (row.Stage) {
        case TStage::Log:
            drop();
            F->EnableLoggingMenu->trigger();
            EXPECT_FALSE(F->EnableLoggingMenu->isChecked());
            break;
        case TStage::Capture:
            drop();
            F->CaptureScreenShot1->trigger();
            break;
        default:
            P->Prompts.QueueFileName(target, drop);
            P->Prompts.QueueButton(TPrompts::mbOK, [&] { readOnly.reset(); });
            if (row.Stage == TStage::SettingsSave)
                F->SaveToFile1->trigger();
            else
                ServiceWindow().SaveCalsBtn->click();
            break;
        }
        readOnly.reset();
        QDir::setCurrent(previous);
        EXPECT_TRUE(dropped);
        EXPECT_TRUE(QDir(FolderPath).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Until every box has come, nothing is busy, and (for a running program) one more
    // status poll went by without a further box.
    void Settle(const TFaultRow &row) {
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return Boxes().size() >= row.Seen.size() && Idle() &&
                       (row.Stage != TStage::Refresh || Received().mid(Mark).contains("*CFG? 0?"));
            },
            20000))
            << Boxes().join(" | ").toStdString();
        if (row.End != TEnd::Runs) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return P->Quits == 1; }, 5000));
            return;
        }
        if (row.Stage == TStage::Refresh)
            return; // the next row's refresh would show a late box
        const int mark = Received().size();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return Received().mid(mark).contains(":PULS0:STAT?") && Idle(); }, 5000));
    }

    QStringList Expected(const TFaultRow &row) const {
        QStringList seen = row.Seen;
        for (QString &text : seen) {
            text.replace("<file>", Native(FilePath));
            text.replace("<dir>", QDir::toNativeSeparators(FolderPath));
            text.replace("<name>", row.Fault);
        }
        return seen;
    }

    void CheckEnd(TEnd end) {
        EXPECT_EQ(F->Session().State.Ending, end != TEnd::Runs);
        EXPECT_EQ(P->Restarts, end == TEnd::Restarts ? 1 : 0);
        EXPECT_EQ(P->Quits, end == TEnd::Runs ? 0 : 1);
    }

    // Refresh as the user would after an error, and wait until it has run.
    void RefreshAndWait(TMainForm &f) {
        const int mark = Received().size();
        f.Up1->trigger();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return Received().mid(mark).contains("*CFG?" + QString::number(Channels) + "?") &&
                       f.Session().State.ReadBackActive == 0 && !f.Session().State.TaskBusy;
            },
            10000));
    }

    void CheckNothingLost(const TFaultRow &row) {
        if (UserChanged) {
            const QString record = Sim->Dump().value("state").filter("*CFG 1 ").value(0);
            EXPECT_EQ(record.section(' ', 5, 5), "BURS")
                << "the user's change is in the instrument";
            EXPECT_EQ(F->Session().State.ChannelSettings[1].Mode, 2) << "and in the panel";
        }
        if (!QFileInfo(Sim->LinkPath()).isSymLink() || row.End == TEnd::Exits)
            return; // unplugged, or nothing left to look at
        TMainForm *view = F;
        std::unique_ptr<TMainForm> again;
        if (row.End == TEnd::Restarts) {
            again = P->StartAgain();
            view = again.get();
            ASSERT_FALSE(view->Session().State.Ending) << "the new instance found the instrument";
        } else if (row.Stage != TStage::Refresh) {
            // A complete read-back must already agree; then as after any error, Refresh.
            if (F->Session().State.SettingsList.size() == 5 + 5 + 6 + Channels) {
                EXPECT_EQ(PanelDisagreements(*F, Sim->Dump()), QStringList()) << "before a refresh";
            }
            RefreshAndWait(*F);
        }
        EXPECT_EQ(PanelDisagreements(*view, Sim->Dump()), QStringList());
        if (IsCalStage(row.Stage)) {
            view->ServiceWindowMenu->trigger();
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return !view->Session().State.CalRetrievePending; }, 10000));
            EXPECT_EQ(CalDisagreements(*view, *Sim), QStringList());
        }
        if (again) {
            again->Session().TaskTimer.stop();
            again->Session().StatusTimer.stop();
        }
    }

    static std::unique_ptr<TSimPanel> Shared; // the window the Refresh rows share
    std::unique_ptr<TSimPanel> Own;
    TSimPanel *P = nullptr;
    TMainForm *F = nullptr;
    TSimProcess *Sim = nullptr;
    TTestFolder Files;
    QString FilePath, FolderPath;
    int FirstBox = 0;
    int Mark = 0;
    bool UserChanged = false;
};

std::unique_ptr<TSimPanel> FaultMatrix::Shared;

TEST_P(FaultMatrix, UserSeesTheBoxesOfTheRowAndNothingIsLost) {
    const TFaultRow &row = GetParam();
    ASSERT_TRUE(Begin(row)) << "pulsesim did not start";
    ASSERT_TRUE(F);
    if (!F->Session().State.Ending)
        Act(row);
    Settle(row);
    EXPECT_EQ(Boxes(), Expected(row));
    EXPECT_FALSE(F->MessageForm->isVisible())
        << "an \"Initializing\" or \"Loading\" window left up";
    CheckEnd(row.End);
    CheckNothingLost(row);
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultMatrix, ::testing::ValuesIn(AllRows()),
                         [](const ::testing::TestParamInfo<TFaultRow> &info) {
                             return std::string(info.param.Name);
                         });

} // namespace
