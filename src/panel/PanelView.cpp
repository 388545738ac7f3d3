#include "PanelView.h"

#include "CheckListBox.h"
#include "Commands.h"
#include "Keywords.h"
#include "MainForm.h"
#include "MessageForm.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "SettingsLines.h"
#include "SingleValues.h"
#include "StatusPoll.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

using namespace Instrument;

namespace {

void SetGroupAndSpinEnabled(QGroupBox *group, TPlusSpinEdit *spin, bool on) {
    if (group)
        group->setEnabled(on);
    if (spin)
        spin->setInputEnabled(on);
}

} // namespace

void TPanelView::ShowProgress(const QString &label) {
    FForm.MessageForm->ShowMessage(label);
}

void TPanelView::SetProgressLabel(const QString &label) {
    FForm.MessageForm->MessageLabel->setText(label);
}

void TPanelView::HideProgress() {
    FForm.MessageForm->hide();
}

// Brand, caption and identity labels.
QString TPanelView::ShowIdentity(const TIdentity &id, qint32 port, qint32 baud) {
    const TBrandInfo brand = BrandInfo(id.Manufacturer);
    if (brand.Banner == TBanner::VKBlue) {
        FForm.VKBlueBanner->show();
        FForm.HTXBanner->hide();
    } else if (brand.Banner == TBanner::HTX) {
        FForm.VKBlueBanner->hide();
        FForm.HTXBanner->show();
    }
    const QString caption =
        WindowCaption(brand.CompanyName, id.ModelNumber, FForm.VersionInfo.FileVersion, port, baud);
    FForm.setWindowTitle(caption);
    FForm.SerialNumberlbl->setText(SerialNumberLabel(id.SerialNumber));
    FForm.FWVersionlbl->setText(FirmwareLabel(id.FirmwareVersion));
    FForm.FPGAVersionlbl->setText(FPGALabel(id.FPGAVersion));
    return caption;
}

void TPanelView::ShowDemoState() {
    FForm.ShowDemoState();
}

void TPanelView::ShowChannelCount(int channelCount) {
    TCheckListBox *mux1 = FForm.ChMuxSelect[1];
    if (channelCount < 12 && mux1->count() > MuxItemCountSmall)
        delete mux1->takeItem(MuxItemCountSmall);
    if (!FForm.State.TabsCreated)
        FForm.CreateChannelTabs(channelCount);
    if (!FForm.State.BinsCreated)
        FForm.UpdateStorageBins();
}

bool TPanelView::HasChannel(int n) const {
    return n >= 1 && n <= TMainForm::MaxChannels && FForm.ChDelayAdj[n];
}

void TPanelView::ShowValueRanges() {
    FForm.SetResolutionRanges();
}

void TPanelView::ShowSystemRecord(const TRecordStatus &status) {
    const TSystemSettings &m = FForm.State.SystemSettings;
    if (status.Applied(sfPeriod))
        FForm.PeriodAdj->setValue(m.Period);
    if (status.Applied(sfMode))
        FForm.SystemModeSel->setCurrentIndex(m.SystemMode);
    if (status.Applied(sfBurstCount))
        FForm.SysBurstAdj->setValue(m.BurstCount);
    if (status.Applied(sfDutyOnCount))
        FForm.SysDutyOnAdj->setValue(m.DutyOnCount);
    if (status.Applied(sfDutyOffCount))
        FForm.SysDutyOffAdj->setValue(m.DutyOffCount);
    if (status.Applied(sfCycleCount))
        FForm.SysCycleCountAdj->setValue(m.CycleCount);
}

void TPanelView::ShowTrigGateRecord(int record, const TRecordStatus &status) {
    TTrigGateSettings &m = FForm.State.TrigGateSettings;
    TMainForm &f = FForm;
    // Trigger and gate records share their layout: mode, edge or logic, level, debounce.
    static_assert(int(tfMode) == int(gfMode) && int(tfEdge) == int(gfLogic) &&
                  int(tfLevel) == int(gfLevel) && int(tfDebounce) == int(gfDebounce));
    struct TInputControls {
        int Record;
        QComboBox *Mode, *EdgeOrLogic, *Debounce;
        TPlusSpinEdit *Level;
        std::int32_t &ModeField, &EdgeOrLogicField, &DebounceField;
        double &LevelField;
    };
    const TInputControls inputs[] = {
        {Trigger1Record, f.TrigModeSel1, f.TriggerEdgeSel1, f.TrigDebounceSel1, f.TrigThresholdAdj1,
         m.Trig1Mode, m.Trig1Edge, m.Trig1Debounce, m.Trig1Level},
        {Trigger2Record, f.TrigModeSel2, f.TriggerEdgeSel2, f.TrigDebounceSel2,
         f.TrigGateThresholdAdj2, m.Trig2Mode, m.Trig2Edge, m.Trig2Debounce, m.TrigGate2Level},
        {Gate1Record, f.GateModeSel1, f.GateLogicSel1, f.GateDebounceSel1, f.GateThresholdAdj1,
         m.Gate1Mode, m.Gate1Logic, m.Gate1Debounce, m.Gate1Level},
        {Gate2Record, f.GateModeSel2, f.GateLogicSel2, f.GateDebounceSel2, f.TrigGateThresholdAdj2,
         m.Gate2Mode, m.Gate2Logic, m.Gate2Debounce, m.TrigGate2Level},
    };
    for (const TInputControls &c : inputs) {
        if (c.Record != record)
            continue;
        if (status.Applied(tfMode))
            c.Mode->setCurrentIndex(c.ModeField);
        if (status.Applied(tfEdge))
            c.EdgeOrLogic->setCurrentIndex(c.EdgeOrLogicField);
        if (status.Applied(tfLevel))
            c.Level->setValue(c.LevelField);
        if (status.Applied(tfDebounce))
            c.Debounce->setCurrentIndex(c.DebounceField);
    }
}

void TPanelView::ShowSingleValue(TSingleValue which, qint32 value) {
    const TSystemSettings &m = FForm.State.SystemSettings;
    switch (which) {
    case TSingleValue::Secure:
        FForm.ServiceWindowMenu->setVisible(value != 0);
        break;
    case TSingleValue::AutoStart:
        FForm.AutoStartEnbl->setChecked(IsCheckedReply(value));
        break;
    case TSingleValue::InputClock:
        FForm.ExternalInputClkSel->setCurrentIndex(m.InputClock);
        break;
    case TSingleValue::OutputClock:
        FForm.ExternalOutputClkSel->setCurrentIndex(m.OutputClock);
        break;
    case TSingleValue::SyncOutput:
        FForm.SyncOutputSel->setCurrentIndex(m.SyncOutput);
        break;
    case TSingleValue::CounterEnable:
        FForm.ShotCountEnbl->setChecked(IsCheckedReply(value));
        break;
    case TSingleValue::CounterSource:
        FForm.CounterSourceSel->setCurrentIndex(m.CounterSource);
        FForm.CounterSourceSel->setEnabled(true);
        break;
    }
}

void TPanelView::ShowChannelRecord(int n, const TRecordStatus &status) {
    TMainForm &f = FForm;
    const TChannelSettings &m = f.State.ChannelSettings[n];
    for (int field = cfEnabled; field <= status.FieldsApplied; ++field) {
        switch (field) {
        case cfEnabled:
            f.ChEnablebox[n]->setChecked(m.Enabled == 1);
            break;
        case cfDelay:
            f.ChDelayAdj[n]->setValue(m.Delay);
            break;
        case cfWidth:
            f.ChWidthAdj[n]->setValue(m.Width);
            break;
        case cfMode:
            f.ChModeSel[n]->setCurrentIndex(m.Mode);
            break;
        case cfBurstCount:
            f.ChBurstAdj[n]->setValue(m.BurstCount);
            break;
        case cfDutyOnCount:
            f.ChDutyOnAdj[n]->setValue(m.DutyOnCount);
            break;
        case cfDutyOffCount:
            f.ChDutyOffAdj[n]->setValue(m.DutyOffCount);
            break;
        case cfWaitCount:
            f.ChWaitCountAdj[n]->setValue(m.WaitCount);
            break;
        case cfOutputMode:
            f.ChOutputModeSel[n]->setCurrentIndex(m.OutputMode);
            if (status.Recognised(cfOutputMode) && (m.OutputMode == 0 || m.OutputMode == 1))
                SetGroupAndSpinEnabled(f.ChAmplitudeAdjGrp[n], f.ChAmplitudeAdj[n],
                                       m.OutputMode == 1);
            break;
        case cfPolarity:
            f.ChPolaritySel[n]->setCurrentIndex(m.Polarity);
            break;
        case cfAmplitude:
            f.ChAmplitudeAdj[n]->setValue(m.Amplitude);
            break;
        case cfMuxMask:
            f.UpdateChMux(n);
            break;
        case cfControlMode:
            f.ChControlSel[n]->setCurrentIndex(m.ControlMode);
            break;
        case cfSyncSource:
            f.ChSyncSourceSel[n]->setCurrentIndex(m.SyncSource);
            break;
        case cfGateMode:
            f.ChGateModeSel[n]->setCurrentIndex(m.GateMode);
            break;
        case cfGateLogic:
            f.ChGateLogicSel[n]->setCurrentIndex(m.GateLogic);
            break;
        }
    }
}

void TPanelView::ShowChannelModes(int n) {
    FForm.ChModesEnable(n);
}

void TPanelView::ReadBackShown() {
    FForm.PeriodAdj->setInputEnabled(true);
    FForm.ChPageControl->setCurrentIndex(0);
    FForm.SystemPageControl->setCurrentIndex(0);
    FForm.SystemModesEnable();
    FForm.TriggerModesEnable();
    FForm.GateModesEnable();
    FForm.SystemPageControl->setVisible(true);
    FForm.ChPageControl->setVisible(true);
}

void TPanelView::ShowRunState(bool running) {
    FForm.ShowRunState(running);
}

void TPanelView::ShowShotCount(const QString &text) {
    FForm.ShotCountlbl->setText(text);
}

bool TPanelView::ShotCountWanted() const {
    return FForm.SystemPageControl->currentIndex() == TStatusPoll::ShotCountPage;
}
