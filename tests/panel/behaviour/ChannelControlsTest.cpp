// Channel handlers of a two-digit channel, resolution tests, mux masks, focus per tab.
#include "LivePanelFixture.h"

#include "CheckListBox.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QTest>
#include <tuple>
#include <utility>

using ChannelControlsTest = LivePanelTest;

namespace {

// Unchecks every multiplexer item as the user would, so that later clicks start from a
// known mask whatever the instrument held.
void ClearMux(TCheckListBox *mux) {
    for (int i = 0; i < mux->count(); ++i)
        mux->setChecked(i, false);
}

} // namespace

TEST_F(ChannelControlsTest, EveryHandlerOfChannel12SendsItsCommandAndKeepsItsMirror) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int channel1Mux = f.Session().State.ChannelSettings[1].MuxMask;
    ClearMux(f.ChMuxSelect[12]);
    WaitIdle();
    const int mark = Mark();
    const bool enable = !f.ChEnablebox[12]->isChecked();
    f.ChEnablebox[12]->setChecked(enable);
    f.ChDelayAdj[12]->setValue(0.000000125);
    f.ChWidthAdj[12]->setValue(0.00000002);
    Choose(f.ChModeSel[12], 2);
    f.ChBurstAdj[12]->setValue(5);
    f.ChWaitCountAdj[12]->setValue(3);
    f.ChDutyOnAdj[12]->setValue(4);
    f.ChDutyOffAdj[12]->setValue(6);
    Choose(f.ChPolaritySel[12], 1);
    Choose(f.ChOutputModeSel[12], 1);
    f.ChAmplitudeAdj[12]->setValue(7.5);
    Choose(f.ChGateModeSel[12], 1);
    Choose(f.ChSyncSourceSel[12], 1);
    f.ChMuxSelect[12]->setChecked(1, true);
    f.ChMuxSelect[12]->setChecked(3, true);
    Choose(f.ChControlSel[12], 1);
    Choose(f.ChGateLogicSel[12], 1);

    const QStringList expected{enable ? ":PULS12:STAT 1" : ":PULS12:STAT 0",
                               ":PULS12:DEL 0.00000012500",
                               ":PULS12:WIDT 0.00000002000",
                               ":PULS12:MOD BURS",
                               ":PULS12:BCO 5",
                               ":PULS12:WCO 3",
                               ":PULS12:PCO 4",
                               ":PULS12:OCO 6",
                               ":PULS12:OUTP:POL INV",
                               ":PULS12:OUTP:MOD ADJ",
                               ":PULS12:OUTP:AMPL 7.50",
                               ":PULS12:CGAT PULS",
                               ":PULS12:SYNC SYNA",
                               ":PULS12:MUX 2",
                               ":PULS12:MUX 10",
                               ":PULS12:CONT GATA",
                               ":PULS12:CLOG HIGH"};
    EXPECT_EQ(WaitForSent(mark, expected.size()), expected);

    const auto &ch = f.Session().State.ChannelSettings[12];
    EXPECT_EQ(ch.Enabled, enable ? 1 : 0);
    EXPECT_DOUBLE_EQ(ch.Delay, 0.000000125);
    EXPECT_DOUBLE_EQ(ch.Width, 0.00000002);
    EXPECT_EQ(ch.Mode, 2);
    EXPECT_EQ(ch.BurstCount, 5);
    EXPECT_EQ(ch.WaitCount, 3);
    EXPECT_EQ(ch.DutyOnCount, 4);
    EXPECT_EQ(ch.DutyOffCount, 6);
    EXPECT_EQ(ch.Polarity, 1);
    EXPECT_EQ(ch.OutputMode, 1);
    EXPECT_DOUBLE_EQ(ch.Amplitude, 7.5);
    EXPECT_EQ(ch.GateMode, 1);
    EXPECT_EQ(ch.MuxMask, 10);
    EXPECT_EQ(ch.ControlMode, 1);
    EXPECT_EQ(ch.GateLogic, 1);
    // Channel 1 is untouched.
    EXPECT_EQ(f.Session().State.ChannelSettings[1].MuxMask, channel1Mux);
}

TEST_F(ChannelControlsTest, DelayAndWidthOffTheStepAreRevertedAndResent) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    f.ChDelayAdj[3]->setValue(0.000000001);
    f.ChWidthAdj[3]->setValue(0.00000003);
    WaitIdle();
    const int mark = Mark();
    f.ChDelayAdj[3]->setValue(0.00000000013); // 0.52 of a 0.25 ns step
    EXPECT_DOUBLE_EQ(f.ChDelayAdj[3]->Value(), 0.000000001);
    f.ChDelayAdj[3]->setValue(0.00000000025);
    f.ChWidthAdj[3]->setValue(0.0000000301);
    EXPECT_DOUBLE_EQ(f.ChWidthAdj[3]->Value(), 0.00000003);
    EXPECT_EQ(WaitForSent(mark, 3),
              QStringList({":PULS3:DEL 0.00000000100", ":PULS3:DEL 0.00000000025",
                           ":PULS3:WIDT 0.00000003000"}));
    EXPECT_DOUBLE_EQ(f.Session().State.ChannelSettings[3].Delay, 0.00000000025);
}

TEST_F(ChannelControlsTest, ModeAndOutputModeEnableTheirControls) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    // Burst, Duty Cycle, Normal: the burst count, the duty cycle's on and off counts.
    for (const auto &[mode, burst, duty] :
         {std::tuple{2, true, false}, std::tuple{3, false, true}, std::tuple{0, false, false}}) {
        Choose(f.ChModeSel[7], mode);
        EXPECT_EQ(f.ChBurstCountGrp[7]->isEnabled(), burst) << mode;
        EXPECT_EQ(f.ChDutyOnGrp[7]->isEnabled(), duty) << mode;
        EXPECT_EQ(f.ChDutyOffGrp[7]->isEnabled(), duty) << mode;
    }
    EXPECT_TRUE(f.ChWaitCountAdj[7]->isEnabled());
    EXPECT_TRUE(f.ChWaitCountAdj[7]->InputEnabled());
    // Adjustable, then TTL: the amplitude.
    for (const auto &[outputMode, amplitude] : {std::pair{1, true}, std::pair{0, false}}) {
        Choose(f.ChOutputModeSel[7], outputMode);
        EXPECT_EQ(f.ChAmplitudeAdjGrp[7]->isEnabled(), amplitude) << outputMode;
        EXPECT_EQ(f.ChAmplitudeAdj[7]->InputEnabled(), amplitude) << outputMode;
    }
    // Other channels keep theirs.
    EXPECT_TRUE(f.ChWaitCountAdj[8]->isEnabled());
}

TEST_F(ChannelControlsTest, SixChannelMuxNeverCarriesBit4) {
    TSimLaunch launch;
    launch.Model = "6180-6";
    ASSERT_TRUE(StartPanel(launch));
    TMainForm &f = *Form;
    ASSERT_EQ(f.ChMuxSelect[6]->count(), 4);
    ClearMux(f.ChMuxSelect[6]);
    WaitIdle();
    const int mark = Mark();
    for (int i = 0; i < 4; ++i)
        f.ChMuxSelect[6]->setChecked(i, true);
    f.ChMuxSelect[6]->setChecked(0, false);
    EXPECT_EQ(WaitForSent(mark, 5), QStringList({":PULS6:MUX 1", ":PULS6:MUX 3", ":PULS6:MUX 7",
                                                 ":PULS6:MUX 15", ":PULS6:MUX 14"}));
}

TEST_F(ChannelControlsTest, EachChannelTabRemembersItsFocusedControl) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_TRUE(ShowActive());
    QTest::mouseClick(f.ChPageControl->tabButton(2), Qt::LeftButton); // channel 3
    f.ChWidthAdj[3]->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), f.ChWidthAdj[3]);
    QTest::mouseClick(f.ChPageControl->tabButton(3), Qt::LeftButton); // channel 4
    f.ChDelayAdj[4]->setFocus();
    QTest::mouseClick(f.ChPageControl->tabButton(2), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f.ChWidthAdj[3]);
    QTest::mouseClick(f.ChPageControl->tabButton(3), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), f.ChDelayAdj[4]);
}

// A screen reader's increase and decrease send as the spin buttons do, and so does a
// value it sets.
TEST_F(ChannelControlsTest, AccessibleActionsOfANumericEntrySendLikeItsSpinButtons) {
    ASSERT_TRUE(StartPanel());
    QAccessibleInterface *entry = QAccessible::queryAccessibleInterface(Form->ChWaitCountAdj[12]);
    ASSERT_TRUE(entry && entry->actionInterface() && entry->valueInterface());
    const double start = Form->ChWaitCountAdj[12]->Value();
    const int mark = Mark();
    entry->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    entry->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    entry->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    entry->valueInterface()->setCurrentValue(42);
    const auto wco = [](double v) { return ":PULS12:WCO " + QString::number(v); };
    EXPECT_EQ(WaitForSent(mark, 4),
              QStringList({wco(start + 1), wco(start + 2), wco(start + 1), wco(42)}));
}
