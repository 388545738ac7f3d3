#pragma once

#include "PageFocusMemory.h"

#include <QObject>
#include <cstdint>
#include <functional>

struct TAppState;
class QCheckBox;
class QComboBox;
class TEnablingRules;
class TPageControl;
class TPlusSpinEdit;
class TSession;

// Handlers of the three system pages (period, system mode and counts, trigger/gate inputs,
// clocks, counter source, sync output) and the focus memory per page. Each change queues
// its command, updates its mirror and runs the enabling rule it affects.
class TSystemControls : public QObject {
    Q_OBJECT
public:
    // "System Options"
    struct TSystemPage {
        TPlusSpinEdit *PeriodAdj, *SysBurstAdj, *SysDutyOnAdj, *SysDutyOffAdj, *SysCycleCountAdj;
        QCheckBox *AutoStartEnbl;
        QComboBox *SystemModeSel, *SyncOutputSel;
    };
    // "External Trig/Gate"
    struct TTrigGatePage {
        QComboBox *TrigModeSel1, *TrigModeSel2, *TriggerEdgeSel1, *TriggerEdgeSel2;
        QComboBox *TrigDebounceSel1, *TrigDebounceSel2;
        QComboBox *GateModeSel1, *GateModeSel2, *GateLogicSel1, *GateLogicSel2;
        QComboBox *GateDebounceSel1, *GateDebounceSel2;
        TPlusSpinEdit *TrigThresholdAdj1, *GateThresholdAdj1, *TrigGateThresholdAdj2;
    };
    // "Additional Options" (the shot counter's Enable and Clear belong to the status poll)
    struct TAdditionalPage {
        QComboBox *ExternalInputClkSel, *ExternalOutputClkSel, *CounterSourceSel;
    };
    struct TControls {
        TPageControl *SystemPageControl;
        TSystemPage System;
        TTrigGatePage TrigGate;
        TAdditionalPage Additional;
        PageFocusMemory::TSlots &FocusMemory; // one slot per page
    };

    TSystemControls(TSession &session, const TControls &controls, TEnablingRules &rules,
                    QObject *parent);

private:
    using TEnable = void (TEnablingRules::*)();
    void WireSystemPage();
    void WireTrigGatePage();
    void WireAdditionalPage();
    void PeriodAdjChange();
    // The entry's value goes into its mirror (as the mirror's type holds it) and the
    // command carries the mirror.
    template <class T, class F> void OnValue(TPlusSpinEdit *spin, T &field, F command);
    // Only a user's choice runs a selector handler; an index set by code sends nothing.
    // The command carries the chosen item, the mirror keeps it, and a mode runs its rule.
    void OnSelector(QComboBox *box, std::function<QString(int item)> command, std::int32_t &field,
                    TEnable enable = nullptr);
    void Queue(const QString &command);

    TSession &FSession;
    TAppState &FState;
    TControls FControls;
    TEnablingRules &FRules;
};
