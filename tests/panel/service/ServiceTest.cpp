// The service window against pulsesim: access, calibration read-back, adjustments and the
// calibration file, compared with the wire and the simulator's own dump.
#include "LivePanelFixture.h"

#include "CalibrationFile.h"
#include "CalibrationReadBack.h"
#include "MessageForm.h"
#include "OnceDuringReadBack.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "RadioGroup.h"
#include "ServiceForm.h"
#include "ServiceWindow.h"
#include "TestFolder.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString Unsecure = ":SYST:SEC 27183";

TSimLaunch Launch(const QString &model, bool unsecured = true, QStringList extra = {}) {
    TSimLaunch l;
    l.Model = model;
    l.Unsecured = unsecured;
    l.ExtraArgs = extra;
    return l;
}

// The wire query of a list line ("*SER 1234" asks "*SER?").
QString QueryOf(const QString &line) {
    return line.section(' ', 0, 0) + '?';
}

int ListSize(int channels) {
    return 5 + 1 + 1 + 1 + 6 + 4 * channels;
}

} // namespace

class ServiceTest : public LivePanelTest {
protected:
    TServiceForm &W() { return *Form->Service().Form; }
    TCalibrationFile &File() { return *Form->Service().File; }
    // The simulator's service section in read-back order, the secure line as the
    // unsecure command: what the calibration list holds after its header.
    QStringList DumpedCalLines() const {
        QStringList lines = Sim->Dump().value("service");
        if (!lines.isEmpty())
            lines[0] = Unsecure;
        return lines;
    }
    bool CalIdle() {
        return QTest::qWaitFor(
            [&] {
                return !Form->Session().State.CalRetrievePending &&
                       !Form->Session().State.CalLoadPending && !W().CalTimer.isActive();
            },
            15000);
    }
    // Tools "Service Window" on an unsecured instrument: the window, read back.
    void OpenWindow() {
        ASSERT_TRUE(Form->ServiceWindowMenu->isVisible());
        Form->ServiceWindowMenu->trigger();
        ASSERT_TRUE(CalIdle());
        ASSERT_TRUE(W().isVisible());
    }
    // The control takes the focus as after a click; keys then go where a keyboard's go.
    void Type(QWidget *w, const QList<int> &keys) {
        w->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == w; }, 2000));
        for (int key : keys)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
    }
    void EnterCode(const QString &code, bool accepted = true) {
        Prompts.QueueInput(code, accepted);
        Prompts.QueueOK(); // "System Unsecured" or "Incorrect Code"
        Form->ServiceMenu->trigger();
    }
    QString LastMessage() const { return Prompts.Texts().value(Prompts.Texts().size() - 1); }
};

struct TReadBackCase {
    const char *Model;
    bool Unsecured;
    int Channels;
};

class ServiceReadBackTest : public ServiceTest,
                            public ::testing::WithParamInterface<TReadBackCase> {};

TEST_P(ServiceReadBackTest, AsksInOrderAndListsWhatItRead) {
    const TReadBackCase c = GetParam();
    ASSERT_TRUE(StartPanel(Launch(c.Model, c.Unsecured)));
    const int mark = Mark();
    if (c.Unsecured) {
        OpenWindow();
    } else {
        EnterCode("27183");
        EXPECT_EQ(LastMessage(), "System Unsecured");
        EXPECT_FALSE(W().isVisible());
        // The next status poll opens the window; the read-back follows 100 ms later.
        ASSERT_TRUE(QTest::qWaitFor([&] { return W().isVisible(); }, 5000));
        ASSERT_TRUE(CalIdle());
    }
    const QStringList list = Form->Session().State.CalibrationList;
    const QStringList expected = DumpedCalLines();
    ASSERT_EQ(list.size(), ListSize(c.Channels));
    EXPECT_EQ(list.mid(1, 4), QStringList({"// " + Form->windowTitle(), "// Serial Number: 1234",
                                           "// Firmware Version: 1.00", "// FPGA Version: 1.25"}));
    EXPECT_EQ(list.mid(5), expected);
    QStringList wire = c.Unsecured ? QStringList() : QStringList({Unsecure});
    for (const QString &line : expected.mid(1))
        wire << QueryOf(line);
    EXPECT_EQ(SentSince(mark), wire);

    const QString last = QString::number(c.Channels);
    EXPECT_EQ(W().ChPageCalibration->count(), c.Channels);
    EXPECT_EQ(W().ChPageCalibration->tabText(c.Channels - 1), "Ch " + last);
    EXPECT_EQ(W().ChDelayCalAdj[c.Channels]->objectName(), "ChDelayCalAdj" + last);
    EXPECT_EQ(W().ChAmpOffAdj[c.Channels]->parent()->objectName(), "ChAmpOffGrp" + last);
    EXPECT_EQ(W().NumChSelect->ItemIndex(), c.Channels == 6 ? 0 : 1);
    EXPECT_TRUE(Form->ServiceWindowMenu->isVisible());
    // The factors differ from the controls' defaults: the handlers ran, their commands
    // were discarded, and the reminder is up.
    EXPECT_TRUE(W().StoreCalReminderLbl->isVisible());
    EXPECT_EQ(Form->Session().State.ChannelSettings[c.Channels].AmpOffsetCal,
              W().ChAmpOffAdj[c.Channels]->Value());
    EXPECT_FALSE(Form->Session().State.Link.CommandsDisabled);
    EXPECT_FALSE(Form->MessageForm->isVisible());
    // Each channel's controls and model hold what was read: writing the delay read must
    // not move the width read before it.
    QStringList shown, held;
    for (int n = 1; n <= c.Channels; ++n) {
        const auto &m = Form->Session().State.ChannelSettings[n];
        const QString ch = ":PULS" + QString::number(n) + ":CAL:";
        shown << ch + "WIDT " + QString::number(W().ChWidthCalAdj[n]->Value())
              << ch + "DEL " + QString::number(W().ChDelayCalAdj[n]->Value())
              << ch + "GAIN " + QString::number(W().ChAmpGainAdj[n]->Value())
              << ch + "OFFS " + QString::number(W().ChAmpOffAdj[n]->Value());
        held << ch + "WIDT " + QString::number(m.WidthCal)
             << ch + "DEL " + QString::number(m.DelayCal)
             << ch + "GAIN " + QString::number(m.AmpGainCal)
             << ch + "OFFS " + QString::number(m.AmpOffsetCal);
    }
    EXPECT_EQ(shown, expected.mid(9));
    EXPECT_EQ(held, expected.mid(9));

    // A second opening builds nothing more and reads everything again (unsecuring
    // again until a panel read-back has seen the lock open).
    const int again = Mark();
    OpenWindow();
    EXPECT_EQ(W().ChPageCalibration->count(), c.Channels);
    EXPECT_EQ(SentSince(again), wire);
}

INSTANTIATE_TEST_SUITE_P(Models, ServiceReadBackTest,
                         ::testing::Values(TReadBackCase{"6180-6", false, 6},
                                           TReadBackCase{"6180-12", true, 12}));

TEST_F(ServiceTest, WrongOrCancelledCodeLocksAndClosesTheWindow) {
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    for (bool accepted : {true, false}) {
        Form->ServiceWindowMenu->setVisible(true);
        W().show();
        EnterCode(accepted ? "2718" : "", accepted);
        EXPECT_EQ(LastMessage(), "Incorrect Code");
        EXPECT_FALSE(W().isVisible());
        EXPECT_FALSE(Form->ServiceWindowMenu->isVisible());
        EXPECT_FALSE(Form->Session().State.InstrumentUnsecured);
    }
    EXPECT_EQ(Prompts.Shown[0].caption, "Unsecure Form");
    EXPECT_EQ(Prompts.Shown[0].text, "Enter Code:");
}

TEST_F(ServiceTest, BadgeReplySelectsTheCompanyOnlyWhenItNamesOne) {
    struct TCase {
        QString Fault;
        int Company; // expected selection
        QString Line;
    };
    const TCase cases[] = {
        {"", 1, ":SYST:BAD 1 12"},
        {"field 1 1 7 :SYST:BAD?", 1, ":SYST:BAD 7 12"}, // beyond the items: unchanged
        {"truncate 1 1 :SYST:BAD?", 1, ":SYST:BAD 1"},   // no blank: no badge
    };
    ASSERT_TRUE(StartPanel(Launch("6180-12")));
    ASSERT_TRUE(Panel.Sim().Control("secure 0") == "ok");
    ASSERT_EQ(Form->Session().Exchange.SendCommand(":SYST:BAD 1 12"), "ok");
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Line.toStdString());
        if (!c.Fault.isEmpty()) {
            ASSERT_TRUE(Sim->InjectFault(c.Fault));
        }
        OpenWindow();
        EXPECT_EQ(W().CompanySel->ItemIndex(), c.Company);
        EXPECT_EQ(W().CompanySel->button(1)->text(), "VK 6180");
        EXPECT_EQ(Form->Session().State.Badge, 1);
        EXPECT_EQ(Form->Session().State.CalibrationList.value(7), c.Line);
        EXPECT_FALSE(Form->Session().State.CalRetrievePending);
    }
}

TEST_F(ServiceTest, ValuesBeyondTheLimitsAreListedAsReadAndShownClamped) {
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    ASSERT_TRUE(Sim->InjectFault("field 1 1 0 :PULS2:CAL:GAIN?"));
    ASSERT_TRUE(Sim->InjectFault("garble 1 :PULS3:CAL:OFFS?"));
    OpenWindow();
    EXPECT_EQ(W().ChAmpGainAdj[2]->Value(), 2000.0);
    EXPECT_TRUE(Form->Session().State.CalibrationList.contains(":PULS2:CAL:GAIN 0"));
    EXPECT_EQ(W().ChAmpOffAdj[3]->Value(), 0.0); // not a number: 0
    EXPECT_TRUE(Form->Session().State.CalibrationList.contains(":PULS3:CAL:OFFS 0"));
}

// Each change goes out at once, as the instrument takes it; a delay change moves the
// width by the same amount within its limits.
TEST_F(ServiceTest, AdjustmentsSendTheirCommands) {
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    TServiceForm &w = W();
    w.ChPageCalibration->setCurrentIndex(2);
    const auto cal = [&](int delay, int width) {
        return [&w, delay, width] {
            w.ChDelayCalAdj[3]->setValue(delay);
            w.ChWidthCalAdj[3]->setValue(width);
        };
    };
    const auto delay = [&](int value) {
        return [&w, value] { w.ChDelayCalAdj[3]->setValue(value); };
    };
    const auto serial = [&](const QString &text) {
        return [this, &w, text] {
            Type(w.SerialNumEdit, {});
            w.SerialNumEdit->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::mouseClick(w.SerialNumSetBtn, Qt::LeftButton);
        };
    };
    const auto click = [](QAbstractButton *b) {
        return [b] { QTest::mouseClick(b, Qt::LeftButton); };
    };
    const std::function<void()> none = [] {};
    struct TCase {
        const char *Name;
        std::function<void()> Setup, Act;
        QStringList Sent;
        QString Message = QString();
    };
    const TCase cases[] = {
        {"delay 25 to 30, width 20",
         cal(25, 20),
         delay(30),
         {":PULS3:CAL:DEL 30", ":PULS3:CAL:WIDT 25"}},
        {"width stops at 50", cal(25, 48), delay(30), {":PULS3:CAL:DEL 30", ":PULS3:CAL:WIDT 50"}},
        {"width stops at 0", cal(30, 2), delay(25), {":PULS3:CAL:DEL 25", ":PULS3:CAL:WIDT 0"}},
        {"Up key on the delay",
         cal(25, 20),
         [&] { Type(w.ChDelayCalAdj[3], {Qt::Key_Up}); },
         {":PULS3:CAL:DEL 26", ":PULS3:CAL:WIDT 21"}},
        {"Down key on a gate gain",
         [&] { w.Gate1AmpGainAdj->setValue(3000); },
         [&] { Type(w.Gate1AmpGainAdj, {Qt::Key_Down}); },
         {":GATE1:CAL:GAIN 2999"}},
        {"serial 00042", none, serial("00042"), {"*SER 42"}},
        {"serial 12a", none, serial("12a"), {}, "'12a' is not a valid integer value"},
        {"36 channels with VK 6180",
         click(w.CompanySel->button(1)),
         click(w.NumChSelect->button(3)),
         {":SYST:BAD 1 36"}},
        {"store", none, click(w.StoreCalsBtn), {"*STR 0"}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        c.Setup();
        ASSERT_TRUE(WaitIdle());
        const int mark = Mark();
        const int shown = Prompts.Shown.size();
        w.ShowReminder(true);
        Prompts.QueueOK(c.Message.isEmpty() ? 0 : 1);
        c.Act();
        EXPECT_EQ(WaitForSent(mark, c.Sent.size()), c.Sent);
        EXPECT_EQ(Prompts.Shown.size(), shown + (c.Message.isEmpty() ? 0 : 1));
        if (!c.Message.isEmpty()) {
            EXPECT_EQ(LastMessage(), c.Message);
        }
        EXPECT_EQ(w.StoreCalReminderLbl->isVisible(), c.Sent.value(0) != "*STR 0");
    }
    EXPECT_EQ(Form->Session().State.ChannelSettings[3].WidthCal, 21);
    EXPECT_EQ(Form->Session().State.Identity.SerialNumber, 42);
    EXPECT_EQ(Form->Session().State.ChannelCount, 36);
    EXPECT_EQ(Form->Session().State.Badge, 1);
}

TEST_F(ServiceTest, StoreWhileCommandsAreDisabledKeepsTheReminder) {
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    W().ShowReminder(true);
    Form->Session().State.Link.CommandsDisabled =
        true; // as while a panel read-back fills the controls
    QTest::mouseClick(W().StoreCalsBtn, Qt::LeftButton);
    EXPECT_TRUE(W().StoreCalReminderLbl->isVisible());
    EXPECT_TRUE(Form->Session().State.PendingCommands.isEmpty());
    // A calibration read-back in the middle hands the flag back as it found it.
    EXPECT_TRUE(Form->Service().ReadBack->RetrieveCals());
    EXPECT_TRUE(Form->Session().State.Link.CommandsDisabled);
    Form->Session().State.Link.CommandsDisabled = false;
}

TEST_F(ServiceTest, ChannelSelectionWithoutCompanySendsNothingAndSaysWhy) {
    ASSERT_TRUE(StartPanel(Launch("6180-6", true, {"--fault", "truncate 1 1 :SYST:BAD?"})));
    OpenWindow();
    ASSERT_EQ(W().CompanySel->ItemIndex(), -1);
    const int mark = Mark();
    Prompts.QueueOK();
    QTest::mouseClick(W().NumChSelect->button(1), Qt::LeftButton);
    EXPECT_EQ(WaitForSent(mark, 0), QStringList());
    EXPECT_EQ(LastMessage(),
              "Select a company first: the badge and channel count are sent together.");
    EXPECT_EQ(Form->Session().State.ChannelCount, 6);
}

// A count raised beyond the pages built: the next read-back builds the missing pages.
TEST_F(ServiceTest, OptimizeReadsTheNewFactorsAndRaisedCountsGetTheirPages) {
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    QTest::mouseClick(W().CompanySel->button(1), Qt::LeftButton);
    QTest::mouseClick(W().NumChSelect->button(1), Qt::LeftButton); // 12 channels
    ASSERT_TRUE(WaitIdle());
    const int mark = Mark();
    QTest::mouseClick(W().OptimizeCals, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return W().CalTimer.isActive() || !Form->Session().State.CalRetrievePending; },
        2000));
    ASSERT_TRUE(CalIdle());
    EXPECT_EQ(SentSince(mark).value(0), "*OPT");
    EXPECT_EQ(W().ChPageCalibration->count(), 12);
    // The instrument has six channels: the other six answer with errors, listed as 0.
    EXPECT_EQ(Form->Session().State.CalibrationList.size(), ListSize(12));
    EXPECT_EQ(Form->Session().State.CalibrationList.mid(5, ListSize(6) - 5), DumpedCalLines());
    EXPECT_EQ(Form->Session().State.CalibrationList.last(), ":PULS12:CAL:OFFS 0");
}

// Calibration work asked for while a status poll waits for its reply runs after it,
// never between the poll's query and its reply.
TEST_F(ServiceTest, WorkAskedForDuringAPollWaitsForIt) {
    TTestFolder folder;
    const QString path = folder.File("cal.txt");
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    struct TCase {
        const char *Name;
        std::function<void()> Act;
    };
    const TCase cases[] = {
        {"open", [&] { Form->ServiceWindowMenu->trigger(); }},
        {"save",
         [&] {
             Prompts.QueueFileName(path);
             QTest::mouseClick(W().SaveCalsBtn, Qt::LeftButton);
         }},
        {"load",
         [&] {
             Prompts.QueueFileName(path);
             Prompts.QueueOK(); // "Settings loaded."
             QTest::mouseClick(W().LoadCalsBtn, Qt::LeftButton);
         }},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Name);
        ASSERT_TRUE(Sim->InjectFault("delay 1 600 :PULS0:STAT?"));
        bool deferred = false;
        const TOnceWhen during(
            [&] { return Form->Session().State.StatusBusy && Form->Session().ComPort.InUse(); },
            [&] {
                c.Act();
                deferred = W().CalTimer.isActive();
            });
        ASSERT_TRUE(QTest::qWaitFor([&] { return during.Done(); }, 5000));
        EXPECT_TRUE(deferred);
        ASSERT_TRUE(CalIdle());
        EXPECT_EQ(Form->Session().State.CalibrationList.mid(5), DumpedCalLines());
    }
    EXPECT_EQ(QFile(path).exists(), true);
}

// A file saved and loaded back on the same instrument sends every line, changes nothing
// and leaves nothing to store.
TEST_F(ServiceTest, SavedFileLoadsBackLineForLine) {
    TTestFolder folder;
    const QString path = folder.File("cal.txt");
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    Prompts.QueueFileName(path);
    QTest::mouseClick(W().SaveCalsBtn, Qt::LeftButton);
    ASSERT_TRUE(CalIdle());
    const QStringList saved =
        QString::fromLatin1(TTestFolder::Read(path)).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(saved, Form->Session().State.CalibrationList);
    EXPECT_EQ(Prompts.FileDialogs.last().caption, "Save calibration parameters");
    const QStringList before = Sim->Dump().value("service");

    const int mark = Mark();
    Prompts.QueueFileName(path);
    Prompts.QueueOK();
    QTest::mouseClick(W().LoadCalsBtn, Qt::LeftButton);
    ASSERT_TRUE(CalIdle());
    EXPECT_EQ(LastMessage(), "Settings loaded.");
    const QStringList sent = SentSince(mark);
    EXPECT_EQ(sent.mid(0, 9 + 4 * 6), saved.mid(5));
    EXPECT_EQ(Sim->Dump().value("service"), before);
    EXPECT_FALSE(W().StoreCalReminderLbl->isVisible());
}

TEST_F(ServiceTest, FilesWithoutCommandsReadBackAndSaySo) {
    TTestFolder folder;
    struct TCase {
        QByteArray Bytes;
        QStringList Messages;
    };
    const TCase cases[] = {
        {"// one\r\n// two\r\n", {"Settings loaded."}},
        {"", {"Empty file.", "Settings loaded."}},
    };
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    for (const TCase &c : cases) {
        const int mark = Mark();
        const int shown = Prompts.Shown.size();
        Prompts.QueueFileName(folder.Write("f.txt", c.Bytes));
        Prompts.QueueOK(c.Messages.size());
        QTest::mouseClick(W().LoadCalsBtn, Qt::LeftButton);
        ASSERT_TRUE(CalIdle());
        EXPECT_EQ(Prompts.Texts().mid(shown + 1), c.Messages); // after the open dialog
        const QStringList sent = SentSince(mark);
        EXPECT_EQ(sent.size(), ListSize(6) - 6); // the read-back's queries only
        EXPECT_TRUE(sent.filter(QRegularExpression("^[^?]*$")).isEmpty());
    }
}

TEST_F(ServiceTest, LostSecureReplyKeepsTheServiceWindowLocked) {
    TSimPanel &p = Panel;
    Sim = &p.AddSim(Launch("6180-6", true, {"--fault", "drop 1 :SYST:SEC?"}));
    Prompts.QueueButton(TPrompts::mbIgnore);
    ASSERT_TRUE(p.StartAndLaunch());
    Form = p.Form.get();
    EXPECT_TRUE(Prompts.Texts().contains("Communications lost. Restart?"));
    EXPECT_FALSE(Form->Session().State.InstrumentUnsecured);
    EXPECT_FALSE(Form->ServiceWindowMenu->isVisible());
}

// A file saved from one instrument gives another its factors, serial number, badge and
// channel count.
TEST_F(ServiceTest, FileFromOneInstrumentMakesAnotherEqual) {
    TTestFolder folder;
    const QString path = folder.File("cal.txt");
    ASSERT_TRUE(StartPanel(Launch("6180-6")));
    OpenWindow();
    W().Trig1AmpGainAdj->setValue(3333);
    W().ChAmpOffAdj[4]->setValue(-7);
    ASSERT_TRUE(WaitIdle());
    Prompts.QueueFileName(path);
    QTest::mouseClick(W().SaveCalsBtn, Qt::LeftButton);
    ASSERT_TRUE(CalIdle());

    TSimPanel other;
    TSimLaunch launch = Launch("6180-6");
    launch.Serial = 777;
    other.AddSim(launch);
    ASSERT_TRUE(other.StartAndLaunch());
    TServiceWindow &service = other.Form->Service();
    other.Form->ServiceWindowMenu->trigger();
    other.Prompts.QueueFileName(path);
    other.Prompts.QueueOK();
    QTest::mouseClick(service.Form->LoadCalsBtn, Qt::LeftButton);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return other.Prompts.Texts().contains("Settings loaded."); }, 15000));
    EXPECT_EQ(other.Sim().Dump().value("service"), Sim->Dump().value("service"));
    EXPECT_EQ(other.Form->Session().State.CalibrationList.mid(5), DumpedCalLines());
}
