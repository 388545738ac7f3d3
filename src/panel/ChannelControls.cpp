#include "ChannelControls.h"

#include "AppState.h"
#include "CheckListBox.h"
#include "Commands.h"
#include "EnablingRules.h"
#include "EntryValue.h"
#include "Keywords.h"
#include "PlusSpinEdit.h"
#include "Session.h"
#include "ValueRanges.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>

using namespace Instrument;

TChannelControls::TChannelControls(TSession &session, const TControls &controls,
                                   TEnablingRules &rules, QObject *parent)
    : QObject(parent), FSession(session), FControls(controls), FRules(rules) {
    for (int n = 1; n <= MaxChannels; ++n)
        if (FControls.ChDelayAdj[n]) {
            WireNumericEntries(n);
            WireChannel(n);
        }
    PageFocusMemory::Follow(FControls.ChPageControl, FControls.FocusMemory, this);
}

void TChannelControls::WireNumericEntries(int n) {
    const TControls &c = FControls;
    const TValueRanges &ranges = FSession.State.ValueRanges;
    OnTime(c.ChDelayAdj[n], &TChannelSettings::Delay, ranges.DelayRange.Increment,
           ChannelDelayCommand);
    OnTime(c.ChWidthAdj[n], &TChannelSettings::Width, ranges.WidthRange.Increment,
           ChannelWidthCommand);
    OnValue(c.ChBurstAdj[n], &TChannelSettings::BurstCount, ChannelBurstCommand);
    OnValue(c.ChWaitCountAdj[n], &TChannelSettings::WaitCount, ChannelWaitCommand);
    OnValue(c.ChDutyOnAdj[n], &TChannelSettings::DutyOnCount, ChannelDutyOnCommand);
    OnValue(c.ChDutyOffAdj[n], &TChannelSettings::DutyOffCount, ChannelDutyOffCommand);
    OnValue(c.ChAmplitudeAdj[n], &TChannelSettings::Amplitude, ChannelAmplitudeCommand);
}

void TChannelControls::WireChannel(int n) {
    const TControls &c = FControls;
    OnSelector(c.ChModeSel[n], ChannelModeCommand, &TChannelSettings::Mode, true);
    OnSelector(c.ChPolaritySel[n], ChannelPolarityCommand, &TChannelSettings::Polarity);
    OnSelector(c.ChGateModeSel[n], ChannelGateModeCommand, &TChannelSettings::GateMode);
    OnSelector(c.ChSyncSourceSel[n], ChannelSyncSourceCommand, nullptr);
    OnSelector(c.ChControlSel[n], ChannelControlCommand, &TChannelSettings::ControlMode);
    OnSelector(c.ChGateLogicSel[n], ChannelGateLogicCommand, &TChannelSettings::GateLogic);
    QComboBox *output = c.ChOutputModeSel[n];
    connect(output, &QComboBox::activated, this, [this, output] { SetChannelOuputMode(output); });
    QCheckBox *enable = c.ChEnablebox[n];
    connect(enable, &QCheckBox::toggled, this, [this, enable] { SetChEnableState(enable); });
    TCheckListBox *mux = c.ChMuxSelect[n];
    connect(mux, &QListWidget::itemChanged, this, [this, mux] { SetChannelMux(mux); });
}

// A time off the step grid is not sent: the entry returns to the last accepted value,
// whose change notification sends that value again.
void TChannelControls::OnTime(TPlusSpinEdit *spin, TTime field, const double &increment,
                              QString (*command)(int, double)) {
    spin->OnChange = [this, field, &increment, command](TPlusSpinEdit *sender) {
        const int n = ChannelOf(sender);
        if (!n)
            return;
        double &accepted = FSession.State.ChannelSettings[n].*field;
        const double value = sender->Value();
        if (CheckResolution(value, increment)) {
            accepted = value;
            Queue(command(n, value));
        } else {
            sender->setValue(accepted);
        }
    };
}

template <class T>
void TChannelControls::OnValue(TPlusSpinEdit *spin, T TChannelSettings::*field,
                               QString (*command)(int, T)) {
    spin->OnChange = [this, field, command](TPlusSpinEdit *sender) {
        const int n = ChannelOf(sender);
        if (!n)
            return;
        T &mirror = FSession.State.ChannelSettings[n].*field;
        EntryValue::Store(mirror, sender->Value());
        Queue(command(n, mirror));
    };
}

void TChannelControls::OnSelector(QComboBox *box, QString (*command)(int, int), TField field,
                                  bool modesEnable) {
    connect(box, &QComboBox::activated, this, [this, box, command, field, modesEnable] {
        const int n = ChannelOf(box);
        if (!n)
            return;
        const int item = box->currentIndex();
        Queue(command(n, item));
        if (field)
            FSession.State.ChannelSettings[n].*field = item;
        if (modesEnable)
            FRules.ChModesEnable(n);
    });
}

int TChannelControls::ChannelOf(const QWidget *sender) {
    const int n = sender ? NumberFromName(sender->objectName()) : -1;
    return n >= 1 && n <= MaxChannels ? n : 0;
}

void TChannelControls::Queue(const QString &command) {
    FSession.QueueCommand(command);
}

void TChannelControls::SetChEnableState(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    TChannelSettings &ch = FSession.State.ChannelSettings[n];
    ch.Enabled = FControls.ChEnablebox[n]->isChecked() ? 1 : 0;
    Queue(ChannelEnableCommand(n, ch.Enabled != 0));
}

// The amplitude entry is usable only with the adjustable output; its controls follow
// before the command goes out.
void TChannelControls::SetChannelOuputMode(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const int item = FControls.ChOutputModeSel[n]->currentIndex();
    if (item == omTTL || item == omAdjustable) {
        const bool adjustable = item == omAdjustable;
        FControls.ChAmplitudeAdjGrp[n]->setEnabled(adjustable);
        FControls.ChAmplitudeAdj[n]->setInputEnabled(adjustable);
    }
    Queue(ChannelOutputModeCommand(n, item));
    FSession.State.ChannelSettings[n].OutputMode = item;
}

// Every click sends the whole mask of the items the list has; a 6-channel model's list
// lacks item 4, so its mask never carries bit 4.
void TChannelControls::SetChannelMux(QWidget *sender) {
    const int n = ChannelOf(sender);
    if (!n)
        return;
    const TCheckListBox *mux = FControls.ChMuxSelect[n];
    int mask = 0;
    for (int i = 0; i < MuxItemCount; ++i)
        if (mux->Checked(i))
            mask |= 1 << i;
    FSession.State.ChannelSettings[n].MuxMask = mask;
    Queue(ChannelMuxCommand(n, mask));
}
