// System, trigger/gate and additional-options handlers against a simulated instrument.
#include "LivePanelFixture.h"

#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>

using SystemControlsTest = LivePanelTest;

TEST_F(SystemControlsTest, EveryHandlerSendsItsCommandAndKeepsItsMirror) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    f.PeriodAdj->setValue(0.0001);
    Choose(f.SystemModeSel, 2);
    f.SysBurstAdj->setValue(4000000000.0);
    f.SysDutyOnAdj->setValue(7);
    f.SysDutyOffAdj->setValue(9);
    f.SysCycleCountAdj->setValue(12);
    f.AutoStartEnbl->setChecked(!f.AutoStartEnbl->isChecked());
    Choose(f.SyncOutputSel, 1);
    Choose(f.TrigModeSel1, 1);
    Choose(f.TrigModeSel2, 1);
    Choose(f.TriggerEdgeSel1, 1);
    Choose(f.TriggerEdgeSel2, 1);
    Choose(f.TrigDebounceSel1, 1);
    Choose(f.TrigDebounceSel2, 1);
    Choose(f.GateModeSel1, 3);
    Choose(f.GateModeSel2, 1);
    Choose(f.GateLogicSel1, 1);
    Choose(f.GateLogicSel2, 1);
    Choose(f.GateDebounceSel1, 1);
    Choose(f.GateDebounceSel2, 1);
    f.TrigThresholdAdj1->setValue(3.0);
    f.TrigThresholdAdj1->setValue(2.5);
    f.GateThresholdAdj1->setValue(1.5);
    f.TrigGateThresholdAdj2->setValue(4.75);
    Choose(f.ExternalInputClkSel, 1);
    Choose(f.ExternalOutputClkSel, 9);
    Choose(f.CounterSourceSel, 4);
    const bool counterOn = !f.ShotCountEnbl->isChecked();
    f.ShotCountEnbl->setChecked(counterOn);
    f.ClearShotCount->click();
    const QString autoStart = f.AutoStartEnbl->isChecked() ? "1" : "0";

    const QStringList expected{":PULS0:PER 0.000100000",
                               ":PULS0:MOD BURS",
                               ":PULS0:BCO 4000000000",
                               ":PULS0:PCO 7",
                               ":PULS0:OCO 9",
                               ":PULS0:CYCL 12",
                               ":SYST:AUT " + autoStart,
                               ":SYST:SYNC Ch1",
                               ":TRIG1:MOD TRIG",
                               ":TRIG2:MOD TRIG",
                               ":TRIG1:EDG FALL",
                               ":TRIG2:EDG FALL",
                               ":TRIG1:DEB ENAB",
                               ":TRIG2:DEB ENAB",
                               ":GATE1:MOD CHAN",
                               ":GATE2:MOD PULS",
                               ":GAT1:LOG HIGH",
                               ":GAT2:LOG HIGH",
                               ":GAT1:DEB ENAB",
                               ":GAT2:DEB ENAB",
                               ":TRIG1:LEV 3.00",
                               ":TRIG1:LEV 2.50",
                               ":GATE1:LEV 1.50",
                               ":TRIG2:LEV 4.75",
                               ":SYST:ICL 10",
                               ":SYST:OCL 100",
                               ":COUN:SEL CH10",
                               counterOn ? ":COUN:STAT 1" : ":COUN:STAT 0",
                               ":COUN:CL 1"};
    EXPECT_EQ(WaitForSent(mark, expected.size()), expected);

    const auto &sys = f.Session().State.SystemSettings;
    EXPECT_DOUBLE_EQ(sys.Period, 0.0001);
    EXPECT_EQ(sys.SystemMode, 2);
    EXPECT_EQ(sys.BurstCount, 4000000000u);
    EXPECT_EQ(sys.DutyOnCount, 7u);
    EXPECT_EQ(sys.DutyOffCount, 9u);
    EXPECT_EQ(sys.CycleCount, 12);
    EXPECT_EQ(sys.SyncOutput, 1);
    EXPECT_EQ(sys.InputClock, 1);
    EXPECT_EQ(sys.OutputClock, 9);
    EXPECT_EQ(sys.CounterSource, 4);
    const auto &tg = f.Session().State.TrigGateSettings;
    EXPECT_EQ(tg.Trig1Mode, 1);
    EXPECT_EQ(tg.Trig2Edge, 1);
    EXPECT_EQ(tg.Gate1Mode, 3);
    EXPECT_EQ(tg.Gate2Mode, 1);
    EXPECT_EQ(tg.Gate2Logic, 1);
    EXPECT_EQ(tg.Gate2Debounce, 1);
    EXPECT_DOUBLE_EQ(tg.Trig1Level, 2.5);
    EXPECT_DOUBLE_EQ(tg.Gate1Level, 1.5);
    EXPECT_DOUBLE_EQ(tg.TrigGate2Level, 4.75);
    // The instrument took every setting: its record says the same.
    EXPECT_EQ(Sim->Dump().value("state").value(0), "*CFG 0 0 0.000100000 BURS 4000000000 7 9 12");
}

TEST_F(SystemControlsTest, SelectorSetByCodeSendsNothing) {
    ASSERT_TRUE(StartPanel());
    const int mark = Mark();
    Form->SystemModeSel->setCurrentIndex(3);
    Form->GateModeSel1->setCurrentIndex(2);
    Form->ChModeSel[1]->setCurrentIndex(2);
    QTest::qWait(100);
    EXPECT_TRUE(SentSince(mark).isEmpty());
}

TEST_F(SystemControlsTest, PeriodOffTheStepIsRevertedAndTheLastPeriodSentAgain) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    f.PeriodAdj->setValue(0.0002);
    WaitIdle();
    const int mark = Mark();
    f.PeriodAdj->setValue(0.000100001); // a fifth of a 5 ns step off
    EXPECT_DOUBLE_EQ(f.PeriodAdj->Value(), 0.0002);
    f.PeriodAdj->setValue(0.000100005);
    EXPECT_EQ(WaitForSent(mark, 2),
              QStringList({":PULS0:PER 0.000200000", ":PULS0:PER 0.000100005"}));
    EXPECT_DOUBLE_EQ(f.Session().State.SystemSettings.Period, 0.000100005);
}

TEST_F(SystemControlsTest, EnablingRulesFollowTheModes) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    Choose(f.SystemModeSel, 2); // Burst
    EXPECT_TRUE(f.BurstCountGrp->isEnabled());
    EXPECT_TRUE(f.SysBurstAdj->isEnabled());
    EXPECT_FALSE(f.DutyCycleGrp->isEnabled());
    Choose(f.SystemModeSel, 3); // Duty Cycle
    EXPECT_FALSE(f.BurstCountGrp->isEnabled());
    EXPECT_TRUE(f.DutyCycleGrp->isEnabled());
    Choose(f.SystemModeSel, 1); // Single Shot
    EXPECT_FALSE(f.BurstCountGrp->isEnabled());
    EXPECT_FALSE(f.DutyCycleGrp->isEnabled());

    // Trigger 2 off, gate 2 Pulse Inhibit: the shared threshold on, trigger 2 edge off.
    Choose(f.TrigModeSel2, 0);
    Choose(f.GateModeSel2, 1);
    EXPECT_TRUE(f.TrigGateThresholdGrp2->isEnabled());
    EXPECT_FALSE(f.ExtTrigEdgeGrp2->isEnabled());
    EXPECT_TRUE(f.GateLogicGrp2->isEnabled());
    Choose(f.GateModeSel2, 0);
    EXPECT_FALSE(f.TrigGateThresholdGrp2->isEnabled());
    Choose(f.TrigModeSel1, 1);
    EXPECT_TRUE(f.ExtThresholdGrp1->isEnabled());
    EXPECT_TRUE(f.TriggerEdgeSel1->isEnabled());

    // Channel gate mode on either input enables every channel's gate selectors.
    Choose(f.GateModeSel1, 3);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_TRUE(f.ChGateModeSel[n]->isEnabled()) << n;
        EXPECT_TRUE(f.ChGateLogicSel[n]->isEnabled()) << n;
    }
    Choose(f.GateModeSel1, 1);
    Choose(f.GateModeSel2, 3);
    EXPECT_TRUE(f.ChGateModeSel[12]->isEnabled());
    Choose(f.GateModeSel2, 2);
    for (int n = 1; n <= 12; ++n) {
        EXPECT_FALSE(f.ChGateModeSel[n]->isEnabled()) << n;
        EXPECT_FALSE(f.ChGateLogicSel[n]->isEnabled()) << n;
    }
}

TEST_F(SystemControlsTest, EachSystemPageRemembersItsFocusedControl) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_TRUE(ShowActive());
    Choose(f.GateModeSel1, 1); // the gate 1 threshold can take the focus
    QTest::mouseClick(f.SystemPageControl->tabButton(1), Qt::LeftButton);
    f.GateThresholdAdj1->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), f.GateThresholdAdj1);
    QTest::mouseClick(f.SystemPageControl->tabButton(0), Qt::LeftButton);
    f.PeriodAdj->setFocus();
    QTest::mouseClick(f.SystemPageControl->tabButton(1), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f.GateThresholdAdj1);
    QTest::mouseClick(f.SystemPageControl->tabButton(0), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f.PeriodAdj);
}
