// The enabling rules, driven by the mirrors alone.
#include "CheckListBox.h"
#include "PanelFixture.h"
#include "PlusSpinEdit.h"

#include <QGroupBox>

namespace {

// The names of the controls that take input: a numeric entry by its own input switch,
// anything else by being enabled.
QStringList Enabled(std::initializer_list<QWidget *> controls) {
    QStringList out;
    for (QWidget *w : controls) {
        const auto *entry = qobject_cast<TPlusSpinEdit *>(w);
        if (entry ? entry->InputEnabled() : w->isEnabled())
            out << w->objectName();
    }
    return out;
}

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
    const auto modes = [&](int trig1, int gate1, int gate2) {
        m.Trig1Mode = trig1;
        m.Gate1Mode = gate1;
        m.Gate2Mode = gate2;
        Form->TriggerModesEnable();
        Form->GateModesEnable();
    };
    modes(0, 0, 1);
    EXPECT_EQ(Enabled({Form->TrigGateThresholdGrp2, Form->TrigGateThresholdAdj2,
                       Form->ExtTrigEdgeGrp2, Form->ExtThresholdGrp1, Form->TrigThresholdAdj1,
                       Form->GateThresholdGrp1, Form->GateLogicGrp2, Form->ChGateModeSel[7]}),
              QStringList({"TrigGateThresholdGrp2", "TrigGateThresholdAdj2", "GateLogicGrp2"}));

    modes(1, 3, 0); // gate 1 in channel mode
    EXPECT_EQ(Enabled({Form->TrigGateThresholdGrp2, Form->ExtThresholdGrp1, Form->TriggerEdgeSel1,
                       Form->GateThresholdAdj1, Form->GateLogicSel2}),
              QStringList({"ExtThresholdGrp1", "TriggerEdgeSel1", "GateThresholdAdj1"}));
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
