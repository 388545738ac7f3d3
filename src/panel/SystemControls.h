#pragma once

#include <QObject>
#include <cstdint>

class TMainForm;
struct TAppState;
class TPlusSpinEdit;
class QComboBox;

// Handlers of the three system pages (period, system mode and counts, trigger/gate inputs,
// clocks, counter source, sync output) and the focus memory per page. Each change queues
// its command, updates its mirror and runs the enabling rule it affects.
class TSystemControls : public QObject {
    Q_OBJECT
public:
    TSystemControls(TMainForm &form, TAppState &state);

    void PeriodAdjChange();
    void SysBurstAdjChange();
    void SysDutyOnAdjChange();
    void SysDutyOffAdjChange();
    void SysCycleCountAdjChange();
    void AutoStartEnblClick();
    void SystemModeSelChange();
    void SyncOutputSelChange();
    void TrigThresholdAdj1Change();
    void GateThresholdAdj1Change();
    void TrigGateThresholdAdj2Change();
    void ExternalInputClkSelChange();
    void ExternalOutputClkSelChange();
    void CounterSourceSelChange();

    void SystemPageControlChanging(int leavingIndex);
    void SystemPageControlChange(int index);

private:
    void Wire();
    void OnSpin(TPlusSpinEdit *spin, void (TSystemControls::*handler)());
    void OnSelector(QComboBox *box, void (TSystemControls::*handler)());
    // A trigger/gate selector of both inputs: the command carries the chosen item, the
    // input's mirror keeps it, and a mode runs its enabling rule.
    struct TInputSelector {
        QComboBox *Box[2];
        QString (*Command)(int input, int item);
        std::int32_t *Field[2];
        void (TMainForm::*Enable)() = nullptr;
    };
    void InputSelChange(const TInputSelector &selector, int input);
    void Queue(const QString &command);

    TMainForm &FForm;
    TAppState &FState;
};
