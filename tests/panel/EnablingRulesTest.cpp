// The enabling rules, driven by the mirrors alone.
#include "CheckListBox.h"
#include "PanelFixture.h"
#include "PlusSpinEdit.h"

#include <QGroupBox>

namespace {

TEST_F(PanelTest, SystemModeEnablesBurstOrDutyCycleAndLeavesUnknownModesAlone) {
    auto &m = Form->Session().State.SystemSettings;
    const auto burstOn = [&] {
        return Form->BurstCountGrp->isEnabled() && Form->SysBurstAdj->InputEnabled();
    };
    const auto dutyOn = [&] {
        return Form->DutyCycleGrp->isEnabled() && Form->SysDutyOnAdj->InputEnabled() &&
               Form->SysDutyOffAdj->InputEnabled() && Form->SysCycleCountAdj->InputEnabled();
    };
    for (const auto &[mode, burst, duty] : QList<std::tuple<int, bool, bool>>{
             {0, false, false}, {2, true, false}, {1, false, false}, {3, false, true}}) {
        m.SystemMode = mode;
        Form->SystemModesEnable();
        EXPECT_EQ(burstOn(), burst) << mode;
        EXPECT_EQ(dutyOn(), duty) << mode;
    }
    m.SystemMode = -1; // no selection: unchanged
    Form->SystemModesEnable();
    EXPECT_TRUE(dutyOn());
    EXPECT_FALSE(burstOn());
}

TEST_F(PanelTest, TriggerAndGateModesDriveThresholdsEdgesLogicAndChannelGating) {
    auto &m = Form->Session().State.TrigGateSettings;
    Form->CreateChannelTabs(12);
    Form->Session().State.ChannelCount = 12;
    m.Trig2Mode = 0;
    m.Gate2Mode = 1;
    m.Trig1Mode = 0;
    m.Gate1Mode = 0;
    Form->TriggerModesEnable();
    Form->GateModesEnable();
    EXPECT_TRUE(Form->TrigGateThresholdGrp2->isEnabled());
    EXPECT_TRUE(Form->TrigGateThresholdAdj2->InputEnabled());
    EXPECT_FALSE(Form->ExtTrigEdgeGrp2->isEnabled());
    EXPECT_FALSE(Form->ExtThresholdGrp1->isEnabled());
    EXPECT_FALSE(Form->TrigThresholdAdj1->InputEnabled());
    EXPECT_FALSE(Form->GateThresholdGrp1->isEnabled());
    EXPECT_TRUE(Form->GateLogicGrp2->isEnabled());
    EXPECT_FALSE(Form->ChGateModeSel[7]->isEnabled());

    m.Gate2Mode = 0;
    m.Trig1Mode = 1;
    m.Gate1Mode = 3; // Channel
    Form->TriggerModesEnable();
    Form->GateModesEnable();
    EXPECT_FALSE(Form->TrigGateThresholdGrp2->isEnabled());
    EXPECT_TRUE(Form->ExtThresholdGrp1->isEnabled());
    EXPECT_TRUE(Form->TriggerEdgeSel1->isEnabled());
    EXPECT_TRUE(Form->GateThresholdAdj1->InputEnabled());
    EXPECT_FALSE(Form->GateLogicSel2->isEnabled());
    for (int n = 1; n <= 12; ++n) {
        EXPECT_TRUE(Form->ChGateModeSel[n]->isEnabled()) << n;
        EXPECT_TRUE(Form->ChGateLogicSel[n]->isEnabled()) << n;
    }
    m.Gate1Mode = 2;
    Form->GateModesEnable();
    EXPECT_FALSE(Form->ChGateLogicSel[12]->isEnabled());
}

TEST_F(PanelTest, ChannelModeEnablesItsCountsAndMuxMarksFollowTheMask) {
    Form->CreateChannelTabs(6);
    Form->Session().State.ChannelCount = 6;
    auto &ch = Form->Session().State.ChannelSettings[4];
    ch.Mode = 3;
    Form->ChModesEnable(4);
    EXPECT_TRUE(Form->ChDutyOnGrp[4]->isEnabled());
    EXPECT_TRUE(Form->ChDutyOffAdj[4]->InputEnabled());
    EXPECT_FALSE(Form->ChBurstAdj[4]->InputEnabled());
    EXPECT_TRUE(Form->ChWaitCountAdj[4]->InputEnabled());
    ch.Mode = 7; // outside the table: unchanged
    Form->ChModesEnable(4);
    EXPECT_TRUE(Form->ChDutyOnGrp[4]->isEnabled());

    // Channel 1's list keeps its five items here; on a 6-channel model item 4 is never set.
    ch.MuxMask = 31;
    Form->UpdateChMux(4);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Form->ChMuxSelect[4]->Checked(i)) << i;
    EXPECT_FALSE(Form->ChMuxSelect[4]->Checked(4));
    ch.MuxMask = 5;
    Form->UpdateChMux(4);
    EXPECT_TRUE(Form->ChMuxSelect[4]->Checked(0));
    EXPECT_FALSE(Form->ChMuxSelect[4]->Checked(1));
    EXPECT_TRUE(Form->ChMuxSelect[4]->Checked(2));
}

} // namespace
