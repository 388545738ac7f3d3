#include "ChannelControls.h"

#include "AppState.h"
#include "CheckListBox.h"
#include "Commands.h"
#include "Keywords.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "PageControl.h"
#include "PageFocusMemory.h"
#include "PlusSpinEdit.h"
#include "ValueRanges.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

using namespace Instrument;

TChannelControls::TChannelControls(TMainForm &form, TAppState &state)
    : QObject(&form), FForm(form), FState(state) {
    for (int n = 1; n <= TMainForm::MaxChannels; ++n)
        if (FForm.ChDelayAdj[n]) {
            WireNumericEntries(n);
            WireChannel(n);
        }
    // A copied page's numeric entries bring the template's OnChange with them.
    connect(&FForm, &TMainForm::ChannelPageCreated, this, &TChannelControls::WireChannel);
    connect(FForm.ChPageControl, &TPageControl::currentChanging, this,
            &TChannelControls::ChPageControlChanging);
    connect(FForm.ChPageControl, &TPageControl::currentChanged, this,
            &TChannelControls::ChPageControlChange);
}

void TChannelControls::WireNumericEntries(int n) {
    using THandler = void (TChannelControls::*)(QWidget *);
    const auto spin = [this](TPlusSpinEdit *edit, THandler handler) {
        edit->OnChange = [this, handler](TPlusSpinEdit *sender) { (this->*handler)(sender); };
    };
    TMainForm &f = FForm;
    spin(f.ChDelayAdj[n], &TChannelControls::SetChannelDelay);
    spin(f.ChWidthAdj[n], &TChannelControls::SetChannelWidth);
    spin(f.ChBurstAdj[n], &TChannelControls::SetChannelBurst);
    spin(f.ChWaitCountAdj[n], &TChannelControls::SetChannelWaitCount);
    spin(f.ChDutyOnAdj[n], &TChannelControls::SetChannelDCOn);
    spin(f.ChDutyOffAdj[n], &TChannelControls::SetChannelDCOff);
    spin(f.ChAmplitudeAdj[n], &TChannelControls::SetChAmplitude);
}

void TChannelControls::WireChannel(int n) {
    using THandler = void (TChannelControls::*)(QWidget *);
    // Only a user's choice runs a selector handler; an index set by code sends nothing.
    const auto selector = [this](QComboBox *box, THandler handler) {
        connect(box, &QComboBox::activated, this, [this, box, handler] { (this->*handler)(box); });
    };
    TMainForm &f = FForm;
    selector(f.ChModeSel[n], &TChannelControls::SetChannelMode);
    selector(f.ChPolaritySel[n], &TChannelControls::SetChannelPolarity);
    selector(f.ChOutputModeSel[n], &TChannelControls::SetChannelOuputMode);
    selector(f.ChGateModeSel[n], &TChannelControls::SetChannelGateMode);
    selector(f.ChSyncSourceSel[n], &TChannelControls::SetChannelSyncSource);
    selector(f.ChControlSel[n], &TChannelControls::SetChannelControlMode);
    selector(f.ChGateLogicSel[n], &TChannelControls::SetChannelGateLogic);
    QCheckBox *enable = f.ChEnablebox[n];
    connect(enable, &QCheckBox::toggled, this, [this, enable] { SetChEnableState(enable); });
    TCheckListBox *mux = f.ChMuxSelect[n];
    connect(mux, &QListWidget::itemChanged, this, [this, mux] { SetChannelMux(mux); });
}

int TChannelControls::ChannelOf(const QWidget *sender) {
    const int n = sender ? NumberFromName(sender->objectName()) : -1;
    return n >= 1 && n <= TMainForm::MaxChannels ? n : 0;
}

void TChannelControls::Queue(const QString &command) {
    FForm.QueuedCommandToPort(command);
}

void TChannelControls::SetChEnableState(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.Enabled = FForm.ChEnablebox[n]->isChecked() ? 1 : 0;
    Queue(ChannelEnableCommand(n, ch.Enabled != 0));
}

// A time off the step grid is not sent: the entry returns to the last accepted value,
// whose change notification sends that value again.
void TChannelControls::SetChannelDelay(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    const double value = FForm.ChDelayAdj[n]->Value();
    if (CheckResolution(value, FState.ValueRanges.DelayRange.Increment)) {
        ch.Delay = value;
        Queue(ChannelDelayCommand(n, value));
    } else {
        FForm.ChDelayAdj[n]->setValue(ch.Delay);
    }
}

void TChannelControls::SetChannelWidth(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    const double value = FForm.ChWidthAdj[n]->Value();
    if (CheckResolution(value, FState.ValueRanges.WidthRange.Increment)) {
        ch.Width = value;
        Queue(ChannelWidthCommand(n, value));
    } else {
        FForm.ChWidthAdj[n]->setValue(ch.Width);
    }
}

void TChannelControls::SetChannelMode(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChModeSel[n]->currentIndex();
    Queue(ChannelModeCommand(n, item));
    FState.ChannelSettings[n].Mode = item;
    FForm.ChModesEnable(n);
}

void TChannelControls::SetChannelBurst(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.BurstCount = CountAsSigned(FForm.ChBurstAdj[n]->Value());
    Queue(ChannelBurstCommand(n, ch.BurstCount));
}

void TChannelControls::SetChannelWaitCount(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.WaitCount = CountAsSigned(FForm.ChWaitCountAdj[n]->Value());
    Queue(ChannelWaitCommand(n, ch.WaitCount));
}

void TChannelControls::SetChannelDCOn(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.DutyOnCount = CountAsSigned(FForm.ChDutyOnAdj[n]->Value());
    Queue(ChannelDutyOnCommand(n, ch.DutyOnCount));
}

void TChannelControls::SetChannelDCOff(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.DutyOffCount = CountAsSigned(FForm.ChDutyOffAdj[n]->Value());
    Queue(ChannelDutyOffCommand(n, ch.DutyOffCount));
}

void TChannelControls::SetChannelPolarity(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChPolaritySel[n]->currentIndex();
    Queue(ChannelPolarityCommand(n, item));
    FState.ChannelSettings[n].Polarity = item;
}

void TChannelControls::SetChannelOuputMode(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChOutputModeSel[n]->currentIndex();
    if (item == omTTL || item == omAdjustable) {
        const bool adjustable = item == omAdjustable;
        FForm.ChAmplitudeAdjGrp[n]->setEnabled(adjustable);
        FForm.ChAmplitudeAdj[n]->setInputEnabled(adjustable);
    }
    Queue(ChannelOutputModeCommand(n, item));
    FState.ChannelSettings[n].OutputMode = item;
}

void TChannelControls::SetChAmplitude(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FState.ChannelSettings[n];
    ch.Amplitude = FForm.ChAmplitudeAdj[n]->Value();
    Queue(ChannelAmplitudeCommand(n, ch.Amplitude));
}

void TChannelControls::SetChannelGateMode(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChGateModeSel[n]->currentIndex();
    Queue(ChannelGateModeCommand(n, item));
    FState.ChannelSettings[n].GateMode = item;
}

void TChannelControls::SetChannelSyncSource(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    Queue(ChannelSyncSourceCommand(n, FForm.ChSyncSourceSel[n]->currentIndex()));
}

// Every click sends the whole mask of the items the list has; a 6-channel model's list
// lacks item 4, so its mask never carries bit 4.
void TChannelControls::SetChannelMux(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const TCheckListBox *mux = FForm.ChMuxSelect[n];
    int mask = 0;
    for (int i = 0; i < MuxItemCount; ++i)
        if (mux->Checked(i))
            mask |= 1 << i;
    FState.ChannelSettings[n].MuxMask = mask;
    Queue(ChannelMuxCommand(n, mask));
}

void TChannelControls::SetChannelControlMode(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChControlSel[n]->currentIndex();
    Queue(ChannelControlCommand(n, item));
    FState.ChannelSettings[n].ControlMode = item;
}

void TChannelControls::SetChannelGateLogic(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FForm.ChGateLogicSel[n]->currentIndex();
    Queue(ChannelGateLogicCommand(n, item));
    FState.ChannelSettings[n].GateLogic = item;
}

void TChannelControls::ChPageControlChanging(int leavingIndex) {
    PageFocusMemory::Remember(FForm.FActiveChControls, leavingIndex, FForm.focusWidget());
}

void TChannelControls::ChPageControlChange(int index) {
    PageFocusMemory::Restore(FForm.FActiveChControls, index);
}
