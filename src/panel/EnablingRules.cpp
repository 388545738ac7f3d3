// Which controls are enabled, by the modes held in the mirrors.
#include "MainForm.h"

#include "CheckListBox.h"
#include "PlusSpinEdit.h"
#include "SingleValues.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSignalBlocker>

namespace {

void SetControlEnabled(QWidget *widget, bool on) {
    if (!widget)
        return;
    // The spin edit keeps its own enabled state (it stays focusable, input is ignored).
    if (auto *spin = qobject_cast<TPlusSpinEdit *>(widget))
        spin->setInputEnabled(on);
    else
        widget->setEnabled(on);
}

void SetAllEnabled(std::initializer_list<QWidget *> widgets, bool on) {
    for (QWidget *w : widgets)
        SetControlEnabled(w, on);
}

} // namespace

void TMainForm::SystemModesEnable() {
    const int mode = State.SystemSettings.SystemMode;
    if (mode < 0 || mode > 3)
        return;
    SetAllEnabled({BurstCountGrp, SysBurstAdj}, mode == 2);
    SetAllEnabled({DutyCycleGrp, SysDutyOnAdj, SysDutyOffAdj, SysCycleCountAdj}, mode == 3);
}

void TMainForm::TriggerModesEnable() {
    const Instrument::TTrigGateSettings &m = State.TrigGateSettings;
    if (m.Trig1Mode == 0 || m.Trig1Mode == 1)
        SetAllEnabled({ExtThresholdGrp1, TrigThresholdAdj1, ExtTrigEdgeGrp1, TriggerEdgeSel1},
                      m.Trig1Mode == 1);
    if (m.Trig2Mode == 0 || m.Trig2Mode == 1)
        SetAllEnabled({ExtTrigEdgeGrp2, TriggerEdgeSel2}, m.Trig2Mode == 1);
    SetAllEnabled({TrigGateThresholdGrp2, TrigGateThresholdAdj2},
                  m.Trig2Mode != 0 || m.Gate2Mode != 0);
}

void TMainForm::GateModesEnable() {
    const Instrument::TTrigGateSettings &m = State.TrigGateSettings;
    SetAllEnabled({GateThresholdGrp1, GateThresholdAdj1, GateLogicGrp1, GateLogicSel1},
                  m.Gate1Mode != 0);
    SetAllEnabled({GateLogicGrp2, GateLogicSel2}, m.Gate2Mode != 0);
    SetAllEnabled({TrigGateThresholdGrp2, TrigGateThresholdAdj2},
                  m.Trig2Mode != 0 || m.Gate2Mode != 0);
    const bool channelGating = m.Gate1Mode == 3 || m.Gate2Mode == 3;
    // Channel 1's page exists before the first read-back sets the channel count.
    const int last = qBound(1, State.ChannelCount, int(MaxChannels));
    for (int n = 1; n <= last; ++n)
        SetAllEnabled({ChGateModeSel[n], ChGateLogicSel[n]}, channelGating);
}

void TMainForm::ChModesEnable(int chnum) {
    if (chnum < 1 || chnum > MaxChannels || !ChModeSel[chnum])
        return;
    const int mode = State.ChannelSettings[chnum].Mode;
    if (mode < 0 || mode > 3)
        return;
    SetAllEnabled({ChBurstCountGrp[chnum], ChBurstAdj[chnum]}, mode == 2);
    SetAllEnabled(
        {ChDutyOnGrp[chnum], ChDutyOnAdj[chnum], ChDutyOffGrp[chnum], ChDutyOffAdj[chnum]},
        mode == 3);
}

void TMainForm::UpdateChMux(int chnum) {
    if (chnum < 1 || chnum > MaxChannels || !ChMuxSelect[chnum])
        return;
    TCheckListBox *list = ChMuxSelect[chnum];
    const std::int32_t mask = State.ChannelSettings[chnum].MuxMask;
    const int items = qMin(list->count(), Instrument::MuxItemCountFor(State.ChannelCount));
    // Check marks set from code must not look like a user's click.
    const QSignalBlocker blocker(list);
    for (int i = 0; i < items; ++i)
        list->setChecked(i, Instrument::MuxItemChecked(mask, i));
}
