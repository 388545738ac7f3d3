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

// A record field, the control that shows it and the mirror's value of it.
struct TShownField {
    int Field;
    QWidget *Control;
    double Value;
};

// Written from code, so no selector handler runs and nothing is sent.
void Show(QWidget *control, double value) {
    if (auto *spin = qobject_cast<TPlusSpinEdit *>(control))
        spin->setValue(value);
    else if (auto *box = qobject_cast<QComboBox *>(control))
        box->setCurrentIndex(int(value));
    else if (auto *check = qobject_cast<QCheckBox *>(control))
        check->setChecked(value != 0);
}

// The fields the record stored, in the record's order.
void ShowApplied(const TRecordStatus &status, std::initializer_list<TShownField> fields) {
    for (const TShownField &f : fields)
        if (status.Applied(f.Field))
            Show(f.Control, f.Value);
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
        WindowCaption(brand.CompanyName, id.ModelNumber, FVersion.FileVersion, port, baud);
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
    if (!FForm.Session().State.TabsCreated)
        FForm.CreateChannelTabs(channelCount);
    if (!FForm.Session().State.BinsCreated)
        FForm.UpdateStorageBins();
}

bool TPanelView::HasChannel(int n) const {
    return n >= 1 && n <= TMainForm::MaxChannels && FForm.ChDelayAdj[n];
}

void TPanelView::ShowValueRanges() {
    FForm.SetResolutionRanges();
}

void TPanelView::ShowSystemRecord(const TRecordStatus &status) {
    const TSystemSettings &m = FForm.Session().State.SystemSettings;
    TMainForm &f = FForm;
    ShowApplied(status, {{sfPeriod, f.PeriodAdj, m.Period},
                         {sfMode, f.SystemModeSel, double(m.SystemMode)},
                         {sfBurstCount, f.SysBurstAdj, double(m.BurstCount)},
                         {sfDutyOnCount, f.SysDutyOnAdj, double(m.DutyOnCount)},
                         {sfDutyOffCount, f.SysDutyOffAdj, double(m.DutyOffCount)},
                         {sfCycleCount, f.SysCycleCountAdj, double(m.CycleCount)}});
}

void TPanelView::ShowTrigGateRecord(int record, const TRecordStatus &status) {
    TTrigGateSettings &m = FForm.Session().State.TrigGateSettings;
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
    for (const TInputControls &c : inputs)
        if (c.Record == record)
            ShowApplied(status, {{tfMode, c.Mode, double(c.ModeField)},
                                 {tfEdge, c.EdgeOrLogic, double(c.EdgeOrLogicField)},
                                 {tfLevel, c.Level, c.LevelField},
                                 {tfDebounce, c.Debounce, double(c.DebounceField)}});
}

void TPanelView::ShowSingleValue(TSingleValue which, qint32 value) {
    const TSystemSettings &m = FForm.Session().State.SystemSettings;
    TMainForm &f = FForm;
    if (which == TSingleValue::Secure) {
        f.ServiceWindowMenu->setVisible(value != 0);
        return;
    }
    const double checked = IsCheckedReply(value) ? 1.0 : 0.0;
    const TShownField shown[] = {
        {int(TSingleValue::AutoStart), f.AutoStartEnbl, checked},
        {int(TSingleValue::InputClock), f.ExternalInputClkSel, double(m.InputClock)},
        {int(TSingleValue::OutputClock), f.ExternalOutputClkSel, double(m.OutputClock)},
        {int(TSingleValue::SyncOutput), f.SyncOutputSel, double(m.SyncOutput)},
        {int(TSingleValue::CounterEnable), f.ShotCountEnbl, checked},
        {int(TSingleValue::CounterSource), f.CounterSourceSel, double(m.CounterSource)},
    };
    for (const TShownField &s : shown)
        if (s.Field == int(which))
            Show(s.Control, s.Value);
    if (which == TSingleValue::CounterSource)
        f.CounterSourceSel->setEnabled(true);
}

void TPanelView::ShowChannelRecord(int n, const TRecordStatus &status) {
    TMainForm &f = FForm;
    const TChannelSettings &m = f.Session().State.ChannelSettings[n];
    // In the record's order; the multiplexer list shows its mask item by item.
    const TShownField fields[] = {
        {cfEnabled, f.ChEnablebox[n], m.Enabled == 1 ? 1.0 : 0.0},
        {cfDelay, f.ChDelayAdj[n], m.Delay},
        {cfWidth, f.ChWidthAdj[n], m.Width},
        {cfMode, f.ChModeSel[n], double(m.Mode)},
        {cfBurstCount, f.ChBurstAdj[n], double(m.BurstCount)},
        {cfDutyOnCount, f.ChDutyOnAdj[n], double(m.DutyOnCount)},
        {cfDutyOffCount, f.ChDutyOffAdj[n], double(m.DutyOffCount)},
        {cfWaitCount, f.ChWaitCountAdj[n], double(m.WaitCount)},
        {cfOutputMode, f.ChOutputModeSel[n], double(m.OutputMode)},
        {cfPolarity, f.ChPolaritySel[n], double(m.Polarity)},
        {cfAmplitude, f.ChAmplitudeAdj[n], m.Amplitude},
        {cfMuxMask, nullptr, 0.0},
        {cfControlMode, f.ChControlSel[n], double(m.ControlMode)},
        {cfSyncSource, f.ChSyncSourceSel[n], double(m.SyncSource)},
        {cfGateMode, f.ChGateModeSel[n], double(m.GateMode)},
        {cfGateLogic, f.ChGateLogicSel[n], double(m.GateLogic)},
    };
    for (const TShownField &field : fields) {
        if (!status.Applied(field.Field))
            continue;
        if (field.Field == cfMuxMask)
            f.UpdateChMux(n);
        else
            Show(field.Control, field.Value);
        if (field.Field == cfOutputMode && status.Recognised(cfOutputMode) &&
            (m.OutputMode == 0 || m.OutputMode == 1))
            SetGroupAndSpinEnabled(f.ChAmplitudeAdjGrp[n], f.ChAmplitudeAdj[n], m.OutputMode == 1);
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
