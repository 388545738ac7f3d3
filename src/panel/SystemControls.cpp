#include "SystemControls.h"

#include "AppState.h"
#include "Commands.h"
#include "EnablingRules.h"
#include "EntryValue.h"
#include "PlusSpinEdit.h"
#include "Session.h"
#include "ValueRanges.h"

#include <QCheckBox>
#include <QComboBox>

using namespace Instrument;

TSystemControls::TSystemControls(TSession &session, const TControls &controls,
                                 TEnablingRules &rules, QObject *parent)
    : QObject(parent), FSession(session), FState(session.State), FControls(controls),
      FRules(rules) {
    WireSystemPage();
    WireTrigGatePage();
    WireAdditionalPage();
    PageFocusMemory::Follow(FControls.SystemPageControl, FControls.FocusMemory, this);
}

template <class T, class F>
void TSystemControls::OnValue(TPlusSpinEdit *spin, T &field, F command) {
    spin->OnChange = [this, &field, command](TPlusSpinEdit *sender) {
        EntryValue::Store(field, sender->Value());
        Queue(command(field));
    };
}

void TSystemControls::OnSelector(QComboBox *box, std::function<QString(int)> command,
                                 std::int32_t &field, TEnable enable) {
    connect(box, &QComboBox::activated, this, [this, box, command, &field, enable] {
        const int item = box->currentIndex();
        Queue(command(item));
        field = item;
        if (enable)
            (FRules.*enable)();
    });
}

void TSystemControls::WireSystemPage() {
    const TSystemPage &p = FControls.System;
    TSystemSettings &m = FState.SystemSettings;
    p.PeriodAdj->OnChange = [this](TPlusSpinEdit *) { PeriodAdjChange(); };
    OnValue(p.SysBurstAdj, m.BurstCount, SystemBurstCommand);
    OnValue(p.SysDutyOnAdj, m.DutyOnCount, SystemDutyOnCommand);
    OnValue(p.SysDutyOffAdj, m.DutyOffCount, SystemDutyOffCommand);
    OnValue(p.SysCycleCountAdj, m.CycleCount, SystemCycleCommand);
    QCheckBox *autoStart = p.AutoStartEnbl;
    connect(autoStart, &QCheckBox::toggled, this,
            [this, autoStart] { Queue(AutoStartCommand(autoStart->isChecked())); });
    OnSelector(p.SystemModeSel, SystemModeCommand, m.SystemMode,
               &TEnablingRules::SystemModesEnable);
    OnSelector(p.SyncOutputSel, SyncOutputCommand, m.SyncOutput);
}

void TSystemControls::WireTrigGatePage() {
    const TTrigGatePage &p = FControls.TrigGate;
    TTrigGateSettings &m = FState.TrigGateSettings;
    // Each selector function of input 1 and 2, the trigger's beside the gate's.
    struct TInputSelector {
        QComboBox *Box[2];
        QString (*Command)(int input, int item);
        std::int32_t *Field[2];
        TEnable Enable = nullptr;
    };
    const TInputSelector inputs[] = {
        {{p.TrigModeSel1, p.TrigModeSel2},
         TriggerModeCommand,
         {&m.Trig1Mode, &m.Trig2Mode},
         &TEnablingRules::TriggerModesEnable},
        {{p.GateModeSel1, p.GateModeSel2},
         GateModeCommand,
         {&m.Gate1Mode, &m.Gate2Mode},
         &TEnablingRules::GateModesEnable},
        {{p.TriggerEdgeSel1, p.TriggerEdgeSel2}, TriggerEdgeCommand, {&m.Trig1Edge, &m.Trig2Edge}},
        {{p.GateLogicSel1, p.GateLogicSel2}, GateLogicCommand, {&m.Gate1Logic, &m.Gate2Logic}},
        {{p.TrigDebounceSel1, p.TrigDebounceSel2},
         TriggerDebounceCommand,
         {&m.Trig1Debounce, &m.Trig2Debounce}},
        {{p.GateDebounceSel1, p.GateDebounceSel2},
         GateDebounceCommand,
         {&m.Gate1Debounce, &m.Gate2Debounce}},
    };
    for (const TInputSelector &s : inputs)
        for (int input = 1; input <= 2; ++input)
            OnSelector(
                s.Box[input - 1],
                [command = s.Command, input](int item) { return command(input, item); },
                *s.Field[input - 1], s.Enable);

    OnValue(p.TrigThresholdAdj1, m.Trig1Level,
            [](double volts) { return TriggerLevelCommand(1, volts); });
    OnValue(p.GateThresholdAdj1, m.Gate1Level, Gate1LevelCommand);
    OnValue(p.TrigGateThresholdAdj2, m.TrigGate2Level,
            [](double volts) { return TriggerLevelCommand(2, volts); });
}

void TSystemControls::WireAdditionalPage() {
    const TAdditionalPage &p = FControls.Additional;
    TSystemSettings &m = FState.SystemSettings;
    OnSelector(p.ExternalInputClkSel, InputClockCommand, m.InputClock);
    OnSelector(p.ExternalOutputClkSel, OutputClockCommand, m.OutputClock);
    OnSelector(p.CounterSourceSel, CounterSourceCommand, m.CounterSource);
}

void TSystemControls::Queue(const QString &command) {
    FSession.QueueCommand(command);
}

// A period off the step grid is not sent: the entry returns to the last accepted period,
// whose change notification sends that period again.
void TSystemControls::PeriodAdjChange() {
    TPlusSpinEdit *period = FControls.System.PeriodAdj;
    const double value = period->Value();
    if (CheckResolution(value, FState.ValueRanges.PeriodRange.Increment)) {
        FState.SystemSettings.Period = value;
        Queue(PeriodCommand(value));
    } else {
        period->setValue(FState.SystemSettings.Period);
    }
}
