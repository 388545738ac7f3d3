#include "SystemControls.h"

#include "AppState.h"
#include "Commands.h"
#include "MainForm.h"
#include "NumberFormat.h"
#include "PageControl.h"
#include "PageFocusMemory.h"
#include "PlusSpinEdit.h"
#include "ValueRanges.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

using namespace Instrument;

TSystemControls::TSystemControls(TMainForm &form, TAppState &state)
    : QObject(&form), FForm(form), FState(state) {
    Wire();
}

void TSystemControls::OnSpin(TPlusSpinEdit *spin, void (TSystemControls::*handler)()) {
    spin->OnChange = [this, handler](TPlusSpinEdit *) { (this->*handler)(); };
}

// Only a user's choice runs a selector handler; an index set by code sends nothing.
void TSystemControls::OnSelector(QComboBox *box, void (TSystemControls::*handler)()) {
    connect(box, &QComboBox::activated, this, [this, handler] { (this->*handler)(); });
}

void TSystemControls::Wire() {
    TMainForm &f = FForm;
    OnSpin(f.PeriodAdj, &TSystemControls::PeriodAdjChange);
    OnSpin(f.SysBurstAdj, &TSystemControls::SysBurstAdjChange);
    OnSpin(f.SysDutyOnAdj, &TSystemControls::SysDutyOnAdjChange);
    OnSpin(f.SysDutyOffAdj, &TSystemControls::SysDutyOffAdjChange);
    OnSpin(f.SysCycleCountAdj, &TSystemControls::SysCycleCountAdjChange);
    OnSpin(f.TrigThresholdAdj1, &TSystemControls::TrigThresholdAdj1Change);
    OnSpin(f.GateThresholdAdj1, &TSystemControls::GateThresholdAdj1Change);
    OnSpin(f.TrigGateThresholdAdj2, &TSystemControls::TrigGateThresholdAdj2Change);
    connect(f.AutoStartEnbl, &QCheckBox::toggled, this, &TSystemControls::AutoStartEnblClick);

    OnSelector(f.SystemModeSel, &TSystemControls::SystemModeSelChange);
    OnSelector(f.SyncOutputSel, &TSystemControls::SyncOutputSelChange);
    OnSelector(f.ExternalInputClkSel, &TSystemControls::ExternalInputClkSelChange);
    OnSelector(f.ExternalOutputClkSel, &TSystemControls::ExternalOutputClkSelChange);
    OnSelector(f.CounterSourceSel, &TSystemControls::CounterSourceSelChange);

    TTrigGateSettings &t = FState.TrigGateSettings;
    // Each function of input 1 and 2, the trigger's beside the gate's.
    const TInputSelector inputs[] = {
        {{f.TrigModeSel1, f.TrigModeSel2},
         TriggerModeCommand,
         {&t.Trig1Mode, &t.Trig2Mode},
         &TMainForm::TriggerModesEnable},
        {{f.GateModeSel1, f.GateModeSel2},
         GateModeCommand,
         {&t.Gate1Mode, &t.Gate2Mode},
         &TMainForm::GateModesEnable},
        {{f.TriggerEdgeSel1, f.TriggerEdgeSel2}, TriggerEdgeCommand, {&t.Trig1Edge, &t.Trig2Edge}},
        {{f.GateLogicSel1, f.GateLogicSel2}, GateLogicCommand, {&t.Gate1Logic, &t.Gate2Logic}},
        {{f.TrigDebounceSel1, f.TrigDebounceSel2},
         TriggerDebounceCommand,
         {&t.Trig1Debounce, &t.Trig2Debounce}},
        {{f.GateDebounceSel1, f.GateDebounceSel2},
         GateDebounceCommand,
         {&t.Gate1Debounce, &t.Gate2Debounce}},
    };
    for (const TInputSelector &selector : inputs)
        for (int input = 1; input <= 2; ++input)
            connect(selector.Box[input - 1], &QComboBox::activated, this,
                    [this, selector, input] { InputSelChange(selector, input); });

    connect(f.SystemPageControl, &TPageControl::currentChanging, this,
            &TSystemControls::SystemPageControlChanging);
    connect(f.SystemPageControl, &TPageControl::currentChanged, this,
            &TSystemControls::SystemPageControlChange);
}

void TSystemControls::Queue(const QString &command) {
    FForm.QueuedCommandToPort(command);
}

// A period off the step grid is not sent: the entry returns to the last accepted period,
// whose change notification sends that period again.
void TSystemControls::PeriodAdjChange() {
    const double value = FForm.PeriodAdj->Value();
    if (CheckResolution(value, FState.ValueRanges.PeriodRange.Increment)) {
        FState.SystemSettings.Period = value;
        Queue(PeriodCommand(value));
    } else {
        FForm.PeriodAdj->setValue(FState.SystemSettings.Period);
    }
}

void TSystemControls::SysBurstAdjChange() {
    FState.SystemSettings.BurstCount = CountAsUnsigned(FForm.SysBurstAdj->Value());
    Queue(SystemBurstCommand(FState.SystemSettings.BurstCount));
}

void TSystemControls::SysDutyOnAdjChange() {
    FState.SystemSettings.DutyOnCount = CountAsUnsigned(FForm.SysDutyOnAdj->Value());
    Queue(SystemDutyOnCommand(FState.SystemSettings.DutyOnCount));
}

void TSystemControls::SysDutyOffAdjChange() {
    FState.SystemSettings.DutyOffCount = CountAsUnsigned(FForm.SysDutyOffAdj->Value());
    Queue(SystemDutyOffCommand(FState.SystemSettings.DutyOffCount));
}

void TSystemControls::SysCycleCountAdjChange() {
    FState.SystemSettings.CycleCount = CountAsSigned(FForm.SysCycleCountAdj->Value());
    Queue(SystemCycleCommand(FState.SystemSettings.CycleCount));
}

void TSystemControls::AutoStartEnblClick() {
    Queue(AutoStartCommand(FForm.AutoStartEnbl->isChecked()));
}

void TSystemControls::SystemModeSelChange() {
    const int item = FForm.SystemModeSel->currentIndex();
    Queue(SystemModeCommand(item));
    FState.SystemSettings.SystemMode = item;
    FForm.SystemModesEnable();
}

void TSystemControls::SyncOutputSelChange() {
    const int item = FForm.SyncOutputSel->currentIndex();
    Queue(SyncOutputCommand(item));
    FState.SystemSettings.SyncOutput = item;
}

void TSystemControls::InputSelChange(const TInputSelector &selector, int input) {
    const int item = selector.Box[input - 1]->currentIndex();
    Queue(selector.Command(input, item));
    *selector.Field[input - 1] = item;
    if (selector.Enable)
        (FForm.*selector.Enable)();
}

void TSystemControls::TrigThresholdAdj1Change() {
    FState.TrigGateSettings.Trig1Level = FForm.TrigThresholdAdj1->Value();
    Queue(TriggerLevelCommand(1, FState.TrigGateSettings.Trig1Level));
}

void TSystemControls::GateThresholdAdj1Change() {
    FState.TrigGateSettings.Gate1Level = FForm.GateThresholdAdj1->Value();
    Queue(Gate1LevelCommand(FState.TrigGateSettings.Gate1Level));
}

void TSystemControls::TrigGateThresholdAdj2Change() {
    FState.TrigGateSettings.TrigGate2Level = FForm.TrigGateThresholdAdj2->Value();
    Queue(TriggerLevelCommand(2, FState.TrigGateSettings.TrigGate2Level));
}

void TSystemControls::ExternalInputClkSelChange() {
    const int item = FForm.ExternalInputClkSel->currentIndex();
    FState.SystemSettings.InputClock = item;
    Queue(InputClockCommand(item));
}

void TSystemControls::ExternalOutputClkSelChange() {
    const int item = FForm.ExternalOutputClkSel->currentIndex();
    Queue(OutputClockCommand(item));
    FState.SystemSettings.OutputClock = item;
}

void TSystemControls::CounterSourceSelChange() {
    const int item = FForm.CounterSourceSel->currentIndex();
    Queue(CounterSourceCommand(item));
    FState.SystemSettings.CounterSource = item;
}

void TSystemControls::SystemPageControlChanging(int leavingIndex) {
    PageFocusMemory::Remember(FForm.FActiveSysControls, leavingIndex, FForm.focusWidget());
}

void TSystemControls::SystemPageControlChange(int index) {
    PageFocusMemory::Restore(FForm.FActiveSysControls, index);
}
