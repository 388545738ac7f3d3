// The read-back: what goes on the wire, what the controls show, the settings list, and how
// a broken record or the program ending in the middle stops it.
#include "CheckListBox.h"
#include "MessageForm.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "SimPanel.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

TSimLaunch Model(const QString &model) {
    TSimLaunch launch;
    launch.Model = model;
    return launch;
}

QStringList ExpectedQueries(int channels) {
    QStringList q = {"*IDN?",      "*IDN?",       "*CFG? 0?",    "*CFG? 90?",  "*CFG? 91?",
                     "*CFG? 92?",  "*CFG? 93?",   ":SYST:SEC?",  ":SYST:AUT?", ":SYST:ICLOCK?",
                     ":SYST:OCL?", ":SYST:SYNC?", ":COUN:STAT?", ":COUN:SEL?"};
    for (int n = 1; n <= channels; ++n)
        q << QString("*CFG?%1?").arg(n);
    return q;
}

TEST(ReadBackTest, QueriesGoOutInOrderAndNoSettingCommandIsSent) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_EQ(p.Received(0), ExpectedQueries(6));
    EXPECT_FALSE(p.Form->Session().State.Link.CommandsDisabled);
    EXPECT_EQ(p.Form->Session().State.ReadBackActive, 0);
    EXPECT_TRUE(p.Form->Session().StatusTimer.isActive());
    EXPECT_FALSE(p.Form->MessageForm->isVisible());
    EXPECT_TRUE(p.Prompts.Texts().isEmpty());
}

TEST(ReadBackTest, ChannelCountOfTheModelGivesThatManyTabs) {
    for (const auto &[model, channels] : QList<QPair<QString, int>>{
             {"6180-6", 6}, {"4190-12", 12}, {"631K-24", 24}, {"627-36", 36}}) {
        SCOPED_TRACE(model.toStdString());
        TSimPanel p;
        p.AddSim(Model(model));
        ASSERT_TRUE(p.StartAndLaunch());
        EXPECT_EQ(p.Form->Session().State.ChannelCount, channels);
        EXPECT_EQ(p.Form->ChPageControl->count(), channels);
        EXPECT_EQ(p.Form->ChPageControl->tabText(channels - 1), QString("Ch %1").arg(channels));
        const int muxItems = channels < 12 ? 4 : 5;
        EXPECT_EQ(p.Form->ChMuxSelect[1]->count(), muxItems);
        EXPECT_EQ(p.Form->ChMuxSelect[channels]->count(), muxItems);
        EXPECT_EQ(p.Received(0).last(), QString("*CFG?%1?").arg(channels));
        // The model's ranges reach every channel.
        const double maxTime = channels == 36 ? 2.0 : 2000.0;
        EXPECT_EQ(p.Form->ChDelayAdj[channels]->MaxValue(), maxTime);
        EXPECT_EQ(p.Form->ChWidthAdj[channels]->MaxValue(), maxTime);
        EXPECT_EQ(p.Form->ChDelayAdj[channels]->Decimals(), 12);
        EXPECT_EQ(p.Form->SysBurstAdj->MaxValue(), channels == 36 ? 10000000.0 : 4000000000.0);
        EXPECT_EQ(p.Form->ChWaitCountAdj[channels]->MaxValue(),
                  channels == 36 ? 1000000.0 : 10000000.0);
    }
}

// Instrument settings that differ from the power-on state on several pages and channels.
const QStringList PresetSettings = {
    ":PULS0:PER 0.001000000",
    ":PULS0:MOD BURS",
    ":PULS0:BCO 4000000000",
    ":PULS0:PCO 17",
    ":PULS0:OCO 23",
    ":PULS0:CYCL 99",
    ":TRIG1:MOD TRIG",
    ":TRIG1:EDG FALL",
    ":TRIG1:LEV 3.25",
    ":TRIG2:MOD DIS",
    ":GATE2:MOD PULS",
    ":GATE1:MOD CHAN",
    ":GAT1:LOG HIGH",
    ":GATE1:LEV 1.75",
    ":GAT2:DEB ENAB",
    ":SYST:AUT 1",
    ":SYST:ICL 25",
    ":SYST:OCL 100",
    ":SYST:SYNC Ch4",
    ":COUN:STAT 1",
    ":COUN:SEL CH8",
    ":PULS3:DEL 0.00000012500",
    ":PULS3:WIDT 0.00000500000",
    ":PULS3:MOD DCYC",
    ":PULS3:PCO 7",
    ":PULS3:OCO 9",
    ":PULS3:WCO 5",
    ":PULS3:OUTP:MOD ADJ",
    ":PULS3:OUTP:AMPL 7.50",
    ":PULS3:OUTP:POL INV",
    ":PULS3:MUX 10",
    ":PULS3:SYNC SYNB",
    ":PULS3:CONT GATB",
    ":PULS3:CGAT OUTP",
    ":PULS3:CLOG HIGH",
    ":PULS3:STAT 0",
    ":PULS12:DEL 0.00000150000",
    ":PULS12:MOD BURS",
    ":PULS12:BCO 33",
    ":PULS12:MUX 31",
    ":PULS4:STAT 1",
};

TEST(ReadBackTest, ControlsShowTheInstrumentsValues) {
    TSimPanel p;
    p.AddSim(Model("6180-12"));
    ASSERT_TRUE(p.Preset(0, PresetSettings));
    ASSERT_TRUE(p.StartAndLaunch());
    TMainForm &f = *p.Form;
    EXPECT_TRUE(p.Prompts.Texts().isEmpty()) << p.Prompts.Texts().join("|").toStdString();

    EXPECT_DOUBLE_EQ(f.PeriodAdj->Value(), 0.001);
    EXPECT_EQ(f.SystemModeSel->currentIndex(), 2);
    EXPECT_EQ(f.SysBurstAdj->Value(), 4000000000.0);
    EXPECT_EQ(f.SysDutyOnAdj->Value(), 17.0);
    EXPECT_EQ(f.SysDutyOffAdj->Value(), 23.0);
    EXPECT_EQ(f.SysCycleCountAdj->Value(), 99.0);
    EXPECT_EQ(f.Session().State.SystemSettings.BurstCount, 4000000000u);
    // Burst mode: burst count on, duty cycle off.
    EXPECT_TRUE(f.SysBurstAdj->InputEnabled());
    EXPECT_TRUE(f.BurstCountGrp->isEnabled());
    EXPECT_FALSE(f.DutyCycleGrp->isEnabled());
    EXPECT_FALSE(f.SysDutyOnAdj->InputEnabled());

    EXPECT_EQ(f.TrigModeSel1->currentIndex(), 1);
    EXPECT_EQ(f.TriggerEdgeSel1->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(f.TrigThresholdAdj1->Value(), 3.25);
    EXPECT_TRUE(f.TrigThresholdAdj1->InputEnabled());
    EXPECT_EQ(f.GateModeSel1->currentIndex(), 3);
    EXPECT_EQ(f.GateLogicSel1->currentIndex(), 1);
    EXPECT_DOUBLE_EQ(f.GateThresholdAdj1->Value(), 1.75);
    EXPECT_EQ(f.GateModeSel2->currentIndex(), 1);
    EXPECT_EQ(f.GateDebounceSel2->currentIndex(), 1);
    // Trigger 2 off, gate 2 on: the shared threshold on, the trigger 2 edge off.
    EXPECT_TRUE(f.TrigGateThresholdGrp2->isEnabled());
    EXPECT_FALSE(f.ExtTrigEdgeGrp2->isEnabled());
    EXPECT_TRUE(f.GateLogicGrp2->isEnabled());

    EXPECT_TRUE(f.AutoStartEnbl->isChecked());
    EXPECT_EQ(f.ExternalInputClkSel->currentText(), "25 MHz Ext");
    EXPECT_EQ(f.ExternalOutputClkSel->currentText(), "100 MHz");
    EXPECT_EQ(f.SyncOutputSel->currentText(), "Ch 4");
    EXPECT_TRUE(f.ShotCountEnbl->isChecked());
    EXPECT_EQ(f.CounterSourceSel->currentText(), "Ch 8");
    EXPECT_TRUE(f.CounterSourceSel->isEnabled());
    EXPECT_FALSE(f.ServiceWindowMenu->isVisible());
    EXPECT_FALSE(f.Session().State.InstrumentUnsecured);

    EXPECT_FALSE(f.ChEnablebox[3]->isChecked());
    EXPECT_TRUE(f.ChEnablebox[4]->isChecked());
    EXPECT_DOUBLE_EQ(f.ChDelayAdj[3]->Value(), 0.000000125);
    EXPECT_DOUBLE_EQ(f.ChWidthAdj[3]->Value(), 0.000005);
    EXPECT_EQ(f.ChModeSel[3]->currentText(), "Duty Cycle");
    EXPECT_EQ(f.ChDutyOnAdj[3]->Value(), 7.0);
    EXPECT_EQ(f.ChDutyOffAdj[3]->Value(), 9.0);
    EXPECT_EQ(f.ChWaitCountAdj[3]->Value(), 5.0);
    EXPECT_EQ(f.ChOutputModeSel[3]->currentText(), "Adjustable");
    EXPECT_TRUE(f.ChAmplitudeAdj[3]->InputEnabled());
    EXPECT_TRUE(f.ChAmplitudeAdjGrp[3]->isEnabled());
    EXPECT_FALSE(f.ChAmplitudeAdjGrp[4]->isEnabled()); // TTL
    EXPECT_DOUBLE_EQ(f.ChAmplitudeAdj[3]->Value(), 7.5);
    EXPECT_EQ(f.ChPolaritySel[3]->currentText(), "Inverted");
    EXPECT_EQ(f.ChSyncSourceSel[3]->currentText(), "Sync B");
    EXPECT_EQ(f.ChControlSel[3]->currentText(), "Gate B");
    EXPECT_EQ(f.ChGateModeSel[3]->currentText(), "Out Inh");
    EXPECT_EQ(f.ChGateLogicSel[3]->currentText(), "Active High");
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.ChMuxSelect[3]->Checked(i), i == 1 || i == 3) << i;
    // Duty cycle mode on channel 3, burst on channel 12, normal elsewhere.
    EXPECT_TRUE(f.ChDutyOnGrp[3]->isEnabled());
    EXPECT_FALSE(f.ChBurstCountGrp[3]->isEnabled());
    EXPECT_TRUE(f.ChBurstCountGrp[12]->isEnabled());
    EXPECT_FALSE(f.ChDutyOffGrp[12]->isEnabled());
    EXPECT_FALSE(f.ChBurstCountGrp[5]->isEnabled());
    EXPECT_TRUE(f.ChWaitCountAdj[5]->InputEnabled());
    EXPECT_DOUBLE_EQ(f.ChDelayAdj[12]->Value(), 0.0000015);
    EXPECT_EQ(f.ChBurstAdj[12]->Value(), 33.0);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(f.ChMuxSelect[12]->Checked(i)) << i;
    // Gate 1 in Channel mode: every channel's gate selectors are on.
    for (int n = 1; n <= 12; ++n) {
        EXPECT_TRUE(f.ChGateModeSel[n]->isEnabled()) << n;
        EXPECT_TRUE(f.ChGateLogicSel[n]->isEnabled()) << n;
    }
    EXPECT_EQ(f.ChPageControl->currentIndex(), 0);
    EXPECT_EQ(f.SystemPageControl->currentIndex(), 0);
    EXPECT_EQ(f.ShotCountlbl->text(), "Count: ----");
}

TEST(ReadBackTest, SettingsListHoldsTheInstrumentsStateInFileOrder) {
    TSimPanel p;
    TSimLaunch launch = Model("631K-24");
    launch.Brand = "HTX";
    launch.Serial = 4711;
    launch.Firmware = "2.10";
    launch.Fpga = "3.05";
    p.AddSim(launch);
    ASSERT_TRUE(p.Preset(0, PresetSettings));
    ASSERT_TRUE(p.StartAndLaunch());
    const QStringList list = p.Form->Session().State.SettingsList;
    const QString caption =
        "Halvorn Trevaxis Model 631K-24  SW Version: 1.0.0.0 ComPort: 1 Baud: 115200";
    EXPECT_EQ(p.Form->windowTitle(), caption);
    EXPECT_TRUE(p.Form->HTXBanner->isVisibleTo(p.Form.get()));
    EXPECT_FALSE(p.Form->VKBlueBanner->isVisibleTo(p.Form.get()));
    ASSERT_EQ(list.size(), 5 + 5 + 6 + 24);
    EXPECT_TRUE(list[0].startsWith("// ")) << list[0].toStdString();
    EXPECT_TRUE(list[0].contains(','));
    EXPECT_EQ(list.mid(1, 4), (QStringList{"// " + caption, "// Serial Number: 4711",
                                           "// Firmware Ver: 2.10", "// FPGA Ver: 3.05"}));
    // The simulator's own account of its state, in the settings-file form.
    QStringList state = p.Sim(0).Dump().value("state");
    ASSERT_GE(state.size(), 2);
    state = state.mid(0, state.size() - 2); // run state and shot count are not settings
    EXPECT_EQ(list.mid(5), state);
}

TEST(ReadBackTest, UnsecuredInstrumentShowsTheServiceWindowItem) {
    TSimPanel p;
    TSimLaunch launch = Model("6180-6");
    launch.Unsecured = true;
    p.AddSim(launch);
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_TRUE(p.Form->Session().State.InstrumentUnsecured);
    EXPECT_TRUE(p.Form->ServiceWindowMenu->isVisible());
}

TEST(ReadBackTest, RunningOutputShowsStopUntilTheLaunchClearsTheFlag) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.Preset(0, {":PULS0:STAT ON"}));
    ASSERT_TRUE(p.Start());
    p.Form->Session().LaunchTimer.stop();
    p.Form->Initialize();
    EXPECT_TRUE(p.Form->Session().State.SystemSettings.SystemRunning);
    EXPECT_EQ(p.Form->RunStopbtn->text(), "Stop");
    EXPECT_TRUE(p.Form->PulseAnimate->isVisibleTo(p.Form.get()));
    p.Form->LaunchTimerTimer();
    EXPECT_FALSE(p.Form->Session().State.SystemSettings.SystemRunning);
    EXPECT_EQ(p.Form->RunStopbtn->text(), "Run");
    EXPECT_FALSE(p.Form->PulseAnimate->isVisibleTo(p.Form.get()));
}

TEST(ReadBackTest, SecondInitializeReadsAgainButBuildsNothing) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.StartAndLaunch());
    TCheckListBox *mux6 = p.Form->ChMuxSelect[6];
    const int tabs = p.Form->ChPageControl->count();
    ASSERT_TRUE(p.Preset(0, {":PULS6:DEL 0.00000000100"}));
    p.Form->Session().State.RefreshRequested = true;
    p.Form->Initialize();
    p.Form->Session().State.RefreshRequested = false;
    EXPECT_EQ(p.Form->ChPageControl->count(), tabs);
    EXPECT_EQ(p.Form->ChMuxSelect[6], mux6);
    EXPECT_EQ(p.Form->ChMuxSelect[1]->count(), 4);
    EXPECT_EQ(p.Received(0), ExpectedQueries(6).mid(2));
    EXPECT_DOUBLE_EQ(p.Form->ChDelayAdj[6]->Value(), 1e-9);
    EXPECT_EQ(p.Form->Session().State.SettingsList.size(), 5 + 5 + 6 + 6);
}

TEST(ReadBackTest, CommandsDisabledOfAnOuterActivitySurvivesTheReadBack) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.StartAndLaunch());
    p.Form->Session().State.Link.CommandsDisabled = true;
    p.Form->Initialize();
    EXPECT_TRUE(p.Form->Session().State.Link.CommandsDisabled);
}

TEST(ReadBackTest, RecordEndingEarlyStopsTheReadBackAndLeavesThePanelUsable) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.Preset(0, {":PULS2:DEL 0.00000002000", ":PULS2:MUX 5", ":PULS2:CGAT PULS"}));
    ASSERT_TRUE(p.Sim(0).InjectFault("truncate 1 12 *CFG?2?"));
    ASSERT_TRUE(p.Start());
    bool messageShownDuringReadBack = false;
    QTimer::singleShot(0, [&] { messageShownDuringReadBack = p.Form->MessageForm->isVisible(); });
    p.Prompts.QueueOK();
    p.Launch();

    ASSERT_EQ(p.Prompts.Shown.size(), 1);
    EXPECT_EQ(p.Prompts.Shown[0].icon, TPrompts::iconError);
    EXPECT_FALSE(p.Prompts.Shown[0].text.isEmpty());
    EXPECT_TRUE(messageShownDuringReadBack);
    // Nothing after the broken record was asked for.
    EXPECT_EQ(p.Received(0), ExpectedQueries(2));
    // Fields before the broken one are stored and shown; the record is in the list.
    EXPECT_DOUBLE_EQ(p.Form->ChDelayAdj[2]->Value(), 0.00000002);
    EXPECT_TRUE(p.Form->Session().State.SettingsList.last().startsWith("*CFG 2 "));
    EXPECT_EQ(p.Form->Session().State.SettingsList.last().split(' ').size(), 2 + 12);
    EXPECT_EQ(p.Form->Session().State.ChannelSettings[2].GateMode, 0); // field 15 never reached
    // The panel is not left half-dead: commands on, polling on, window closed, no request.
    EXPECT_FALSE(p.Form->Session().State.Link.CommandsDisabled);
    EXPECT_TRUE(p.Form->Session().StatusTimer.isActive());
    EXPECT_FALSE(p.Form->MessageForm->isVisible());
    EXPECT_FALSE(p.Form->Session().State.RefreshRequested);
    EXPECT_EQ(p.Form->Session().State.ReadBackActive, 0);

    // A later read-back completes (the fault fired once).
    const int before = p.Received(0).size();
    p.Form->Initialize();
    EXPECT_EQ(p.Received(0).mid(before), ExpectedQueries(6).mid(2));
    EXPECT_EQ(p.Form->ChDelayAdj[2]->Value(), 0.00000002);
    EXPECT_TRUE(p.Form->ChMuxSelect[2]->Checked(0));
    EXPECT_TRUE(p.Form->ChMuxSelect[2]->Checked(2));
    EXPECT_EQ(p.Form->ChGateModeSel[2]->currentText(), "Pulse Inh");
}

TEST(ReadBackTest, GarbledOrEmptyRecordsReportAnErrorAndNeverCrash) {
    for (const QString &fault : {QString("garble 1 *CFG? 0?"), QString("truncate 1 0 *CFG? 92?"),
                                 QString("garble 1 *CFG?4?")}) {
        SCOPED_TRACE(fault.toStdString());
        TSimPanel p;
        p.AddSim(Model("6180-6"));
        ASSERT_TRUE(p.Sim(0).InjectFault(fault));
        p.Prompts.QueueOK();
        ASSERT_TRUE(p.StartAndLaunch());
        ASSERT_EQ(p.Prompts.Shown.size(), 1);
        EXPECT_EQ(p.Prompts.Shown[0].icon, TPrompts::iconError);
        EXPECT_FALSE(p.Form->Session().State.Link.CommandsDisabled);
        p.Form->Initialize();
        EXPECT_EQ(p.Prompts.Shown.size(), 1);
        EXPECT_EQ(p.Form->Session().State.SettingsList.size(), 5 + 5 + 6 + 6);
    }
}

TEST(ReadBackTest, UnknownKeywordKeepsTheSelectionAndABadNumberStopsWithItsMessage) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(
        p.Preset(0, {":PULS3:OUTP:MOD ADJ", ":PULS3:OUTP:AMPL 7.50", ":PULS3:OUTP:POL INV"}));
    ASSERT_TRUE(p.StartAndLaunch());
    ASSERT_TRUE(p.Prompts.Shown.isEmpty());
    EXPECT_EQ(p.Form->ChOutputModeSel[3]->currentText(), "Adjustable");
    EXPECT_TRUE(p.Form->ChAmplitudeAdjGrp[3]->isEnabled());

    // Output mode and polarity in words this program does not know: both stay as they were,
    // the reply goes into the settings list unchanged, and no error is raised.
    ASSERT_TRUE(p.Sim(0).InjectFault("field 1 9 PECL *CFG?3?"));
    p.Form->Initialize();
    ASSERT_TRUE(p.Sim(0).InjectFault("field 1 10 SIDEWAYS *CFG?3?"));
    p.Form->Initialize();
    EXPECT_TRUE(p.Prompts.Shown.isEmpty());
    EXPECT_EQ(p.Form->ChOutputModeSel[3]->currentText(), "Adjustable");
    EXPECT_EQ(p.Form->Session().State.ChannelSettings[3].OutputMode, 1);
    EXPECT_TRUE(p.Form->ChAmplitudeAdjGrp[3]->isEnabled());
    EXPECT_DOUBLE_EQ(p.Form->ChAmplitudeAdj[3]->Value(), 7.5);
    EXPECT_EQ(p.Form->ChPolaritySel[3]->currentIndex(),
              p.Form->Session().State.ChannelSettings[3].Polarity);
    EXPECT_EQ(p.Form->Session().State.ChannelSettings[3].Polarity, 1);
    EXPECT_TRUE(p.Form->Session().State.SettingsList.contains(
        "*CFG 3 0 0.00000000000 0.00000010000 NORM 1 1 1 0 ADJ SIDEWAYS 7.50 4 DIS DIS DIS LOW"))
        << p.Form->Session().State.SettingsList.join('\n').toStdString();

    // A delay that is no number stops the read-back with the conversion message.
    ASSERT_TRUE(p.Sim(0).InjectFault("field 1 2 0.5e-9x *CFG?3?"));
    p.Prompts.QueueOK();
    p.Form->Guarded([&] { p.Form->Initialize(); }); // as every handler runs
    ASSERT_EQ(p.Prompts.Shown.size(), 1);
    EXPECT_EQ(p.Prompts.Shown[0].text, "'0.5e-9x' is not a valid floating point value");
    EXPECT_EQ(p.Received(0).last(), "*CFG?3?");
    EXPECT_FALSE(p.Form->Session().State.Link.CommandsDisabled);
}

TEST(ReadBackTest, ClosingTheWindowDuringTheReadBackEndsItQuietly) {
    TSimPanel p;
    p.AddSim(Model("6180-12"));
    ASSERT_TRUE(p.Start());
    p.Sim(0).Control("delay 40");
    QTimer::singleShot(300, p.Form.get(), [&] { p.Form->close(); });
    p.Launch();
    EXPECT_TRUE(p.Form->Session().State.Ending);
    EXPECT_EQ(p.Quits, 1);
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
    EXPECT_TRUE(p.Prompts.Texts().isEmpty()) << p.Prompts.Texts().join("|").toStdString();
    const int sent = p.Received(0).size();
    EXPECT_LT(sent, ExpectedQueries(12).size());
    QTest::qWait(200);
    EXPECT_EQ(p.Received(0).size(), sent);
    EXPECT_FALSE(p.Form->Session().StatusTimer.isActive());
    EXPECT_TRUE(p.Form->Session().State.SettingsList.isEmpty());
}

// A 6-channel window, started but not yet read back, whose instrument drops one reply.
bool StartedWithLostReply(TSimPanel &p, const QString &fault) {
    p.AddSim(Model("6180-6"));
    if (!p.Sim(0).InjectFault(fault) || !p.Start())
        return false;
    p.Form->Session().ComPort.setResponseTime(300);
    return true;
}

TEST(ReadBackTest, LostReplyAnsweredWithRestartStopsTheReadBackAndFreesThePort) {
    TSimPanel p;
    ASSERT_TRUE(StartedWithLostReply(p, "drop 1 *CFG?3?"));
    bool portClosedAtRestart = false;
    p.OnRestart = [&] { portClosedAtRestart = !p.Form->Session().ComPort.Opened(); };
    p.Prompts.QueueButton(TPrompts::mbYes);
    p.Launch();
    EXPECT_EQ(p.Prompts.Texts(), QStringList{"Communications lost. Restart?"});
    EXPECT_EQ(p.Restarts, 1);
    EXPECT_TRUE(portClosedAtRestart);
    EXPECT_EQ(p.Received(0), ExpectedQueries(3));
    EXPECT_FALSE(p.Form->Session().StatusTimer.isActive());
    EXPECT_FALSE(p.Form->MessageForm->isVisible());
}

TEST(ReadBackTest, LostReplyIgnoredGoesOnAndReportsTheEmptyRecord) {
    TSimPanel p;
    ASSERT_TRUE(StartedWithLostReply(p, "drop 1 *CFG?5?"));
    p.Prompts.QueueButton(TPrompts::mbIgnore);
    p.Prompts.QueueOK();
    p.Launch();
    ASSERT_EQ(p.Prompts.Shown.size(), 2);
    EXPECT_EQ(p.Prompts.Shown[0].text, "Communications lost. Restart?");
    EXPECT_EQ(p.Prompts.Shown[1].icon, TPrompts::iconError);
    EXPECT_EQ(p.Received(0), ExpectedQueries(5));
    EXPECT_EQ(p.Form->Session().State.SettingsList.last(), "*CFG 5 ");
    EXPECT_FALSE(p.Form->Session().State.Link.CommandsDisabled);
}

} // namespace

namespace {

TEST(ReadBackTest, MessageWindowTellsWhichChannelIsBeingRead) {
    TSimPanel p;
    p.AddSim(Model("6180-6"));
    ASSERT_TRUE(p.Start());
    QStringList seen;
    QTimer watcher; // fires inside every wait for a reply
    watcher.setInterval(0);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        const QString text = p.Form->MessageForm->isVisible()
                                 ? p.Form->MessageForm->MessageLabel->text()
                                 : QString("(hidden)");
        if (seen.isEmpty() || seen.last() != text)
            seen << text;
    });
    watcher.start();
    p.Launch();
    watcher.stop();
    EXPECT_EQ(seen, (QStringList{"Initializing System", "Initializing Ch 1", "Initializing Ch 2",
                                 "Initializing Ch 3", "Initializing Ch 4", "Initializing Ch 5",
                                 "Initializing Ch 6"}));
    EXPECT_FALSE(p.Form->MessageForm->isVisible());
}

} // namespace
