// The system options band: SystemPageControl with the pages "System Options",
// "External Trig/Gate" and "Additional Options" (with the shot counter group).
#include "MainForm.h"

#include "ControlLimits.h"
#include "FormParts.h"
#include "Keywords.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace FormParts;
using namespace Instrument;

namespace {

const TSpinSetup PeriodSetup{9, 5e-9, 5e-8, 5000.0, 0.001, QChar(',')};
const TSpinSetup SystemCountSetup{0, 1.0, Instrument::BurstCountMin, 4000000000.0, 1.0, QChar(',')};
const TSpinSetup CycleCountSetup{0, 1.0, Instrument::WaitCountMin, 10000000.0, 0.0, QChar(',')};
const TSpinSetup ThresholdSetup{2,
                                Instrument::ThresholdLimits.Increment,
                                Instrument::ThresholdLimits.MinValue,
                                Instrument::ThresholdLimits.MaxValue,
                                2.5,
                                QChar()};

QWidget *NewPage(const QString &name) {
    auto *page = new QWidget;
    page->setObjectName(name);
    return page;
}

// A page holding one captioned group that fills it.
QGroupBox *PageGroup(QWidget *page, const QString &name, const QString &caption) {
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    QGroupBox *group = Group(page, name, caption);
    layout->addWidget(group);
    return group;
}

QGridLayout *Grid(QWidget *parent) {
    auto *grid = new QGridLayout(parent);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    return grid;
}

} // namespace

void TMainForm::BuildSystemOptions() {
    SystemOptions = Group(nullptr, "SystemOptions", QString());
    SystemOptions->setMinimumSize(619, 260);
    SystemPageControl = Named<TPageControl>("SystemPageControl", 0, SystemOptions);
    auto *layout = new QVBoxLayout(SystemOptions);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(SystemPageControl);

    SystemPageControl->addPage(BuildSystemPage(), "System Options");
    SystemPageControl->addPage(BuildExtTrigGatePage(), "External Trig/Gate");
    SystemPageControl->addPage(BuildAdditionalPage(), "Additional Options");
}

QWidget *TMainForm::BuildSystemPage() {
    SystemPage = NewPage("SystemPage");
    SystemGrp = PageGroup(SystemPage, "SystemGrp", "System");
    QGridLayout *grid = Grid(SystemGrp);

    PeriodAdj = Spin(nullptr, "PeriodAdj", PeriodSetup);
    SetHint(PeriodAdj, "Sets system pulse period");
    PeriodGrp = Boxed(SystemGrp, "PeriodGrp", "Period", PeriodAdj);

    SystemModeSel = Selector(nullptr, "SystemModeSel", SystemModeTable().Captions);
    PulseModeGrp = Boxed(SystemGrp, "PulseModeGrp", "Pulse Mode", SystemModeSel);

    SyncOutputSel = Selector(nullptr, "SyncOutputSel", SyncOutputTable().Captions);
    SyncOutputGrp = Boxed(SystemGrp, "SyncOutputGrp", "Sync Ouput", SyncOutputSel);

    SysBurstAdj = Spin(nullptr, "SysBurstAdj", SystemCountSetup);
    SetHint(SysBurstAdj, "Sets number of burst counts when in system burst mode");
    BurstCountGrp = Boxed(SystemGrp, "BurstCountGrp", "Burst Count", SysBurstAdj);

    AutoStartEnbl = Named<QCheckBox>("AutoStartEnbl", "Auto Start", SystemGrp);
    SetHint(AutoStartEnbl, "Sets system auto start (will start on power up)");

    DutyCycleGrp = Group(SystemGrp, "DutyCycleGrp", "Duty Cycle");
    auto *duty = new QHBoxLayout(DutyCycleGrp);
    duty->setContentsMargins(6, 2, 6, 4);
    SysDutyOnAdj = Spin(nullptr, "SysDutyOnAdj", SystemCountSetup);
    SetHint(SysDutyOnAdj, "Sets number of on counts when in system duty cycle mode");
    OnCountGrp = Boxed(DutyCycleGrp, "OnCountGrp", "On Counts", SysDutyOnAdj);
    SysDutyOffAdj = Spin(nullptr, "SysDutyOffAdj", SystemCountSetup);
    SetHint(SysDutyOffAdj, "Sets number of off counts when in system duty cycle mode");
    OffCountGrp = Boxed(DutyCycleGrp, "OffCountGrp", "Off Counts", SysDutyOffAdj);
    SysCycleCountAdj = Spin(nullptr, "SysCycleCountAdj", CycleCountSetup);
    CycleCountGrp = Boxed(DutyCycleGrp, "CycleCountGrp", "Cycle Counts", SysCycleCountAdj);
    duty->addWidget(OnCountGrp);
    duty->addWidget(OffCountGrp);
    duty->addWidget(CycleCountGrp);

    grid->addWidget(PeriodGrp, 0, 0);
    grid->addWidget(PulseModeGrp, 0, 1);
    grid->addWidget(SyncOutputGrp, 0, 2);
    grid->addWidget(BurstCountGrp, 1, 0);
    grid->addWidget(AutoStartEnbl, 1, 1, Qt::AlignCenter);
    grid->addWidget(DutyCycleGrp, 2, 0, 1, 3);
    grid->setRowStretch(3, 1);
    return SystemPage;
}

QWidget *TMainForm::BuildExtTrigGatePage() {
    ExtTrigGatePage = NewPage("ExtTrigGatePage");
    ExtTrigGateGrp = PageGroup(ExtTrigGatePage, "ExtTrigGateGrp", "External Trigger/Gate");
    QGridLayout *grid = Grid(ExtTrigGateGrp);
    QWidget *g = ExtTrigGateGrp;
    const QStringList &TriggerModes = TriggerModeTable().Captions;
    const QStringList &TriggerEdges = TriggerEdgeTable().Captions;
    const QStringList &Debounces = DebounceTable().Captions;
    const QStringList &GateModes = GateModeTable().Captions;
    const QStringList &GateLogics = GateLogicTable().Captions;

    TrigModeSel1 = Selector(nullptr, "TrigModeSel1", TriggerModes);
    TrigModeGrp1 = Boxed(g, "TrigModeGrp1", "Trigger 1 Mode", TrigModeSel1);
    TriggerEdgeSel1 = Selector(nullptr, "TriggerEdgeSel1", TriggerEdges);
    ExtTrigEdgeGrp1 = Boxed(g, "ExtTrigEdgeGrp1", "Trigger 1 Edge", TriggerEdgeSel1);
    TrigDebounceSel1 = Selector(nullptr, "TrigDebounceSel1", Debounces);
    TrigDebounceGrp1 = Boxed(g, "TrigDebounceGrp1", "Debounce", TrigDebounceSel1);
    TrigThresholdAdj1 = Spin(nullptr, "TrigThresholdAdj1", ThresholdSetup);
    SetHint(TrigThresholdAdj1, "Sets input trigger/gate threshold level");
    ExtThresholdGrp1 = Boxed(g, "ExtThresholdGrp1", "Threshold (V)", TrigThresholdAdj1);

    GateModeSel1 = Selector(nullptr, "GateModeSel1", GateModes);
    GateModeGrp1 = Boxed(g, "GateModeGrp1", "Gate 1 Mode", GateModeSel1);
    GateLogicSel1 = Selector(nullptr, "GateLogicSel1", GateLogics);
    GateLogicGrp1 = Boxed(g, "GateLogicGrp1", "Gate 1 Logic", GateLogicSel1);
    GateDebounceSel1 = Selector(nullptr, "GateDebounceSel1", Debounces);
    GateDebounceGrp1 = Boxed(g, "GateDebounceGrp1", "Debounce", GateDebounceSel1);
    GateThresholdAdj1 = Spin(nullptr, "GateThresholdAdj1", ThresholdSetup);
    SetHint(GateThresholdAdj1, "Sets input gate threshold level");
    GateThresholdGrp1 = Boxed(g, "GateThresholdGrp1", "Threshold (V)", GateThresholdAdj1);

    TrigModeSel2 = Selector(nullptr, "TrigModeSel2", TriggerModes);
    TrigModeGrp2 = Boxed(g, "TrigModeGrp2", "Trigger 2 Mode(F)", TrigModeSel2);
    TriggerEdgeSel2 = Selector(nullptr, "TriggerEdgeSel2", TriggerEdges);
    ExtTrigEdgeGrp2 = Boxed(g, "ExtTrigEdgeGrp2", "Trigger 2 Edge", TriggerEdgeSel2);
    TrigDebounceSel2 = Selector(nullptr, "TrigDebounceSel2", Debounces);
    TrigDebounceGrp2 = Boxed(g, "TrigDebounceGrp2", "Debounce", TrigDebounceSel2);

    GateModeSel2 = Selector(nullptr, "GateModeSel2", GateModes);
    GateModeGrp2 = Boxed(g, "GateModeGrp2", "Gate 2 Mode(F)", GateModeSel2);
    GateLogicSel2 = Selector(nullptr, "GateLogicSel2", GateLogics);
    GateLogicGrp2 = Boxed(g, "GateLogicGrp2", "Gate 2 Logic", GateLogicSel2);
    GateDebounceSel2 = Selector(nullptr, "GateDebounceSel2", Debounces);
    GateDebounceGrp2 = Boxed(g, "GateDebounceGrp2", "Debounce", GateDebounceSel2);

    TrigGateThresholdAdj2 = Spin(nullptr, "TrigGateThresholdAdj2", ThresholdSetup);
    SetHint(TrigGateThresholdAdj2, "Sets input trigger/gate threshold level");
    TrigGateThresholdGrp2 =
        Boxed(g, "TrigGateThresholdGrp2", "Trig/Gate 2 Threshold (V)", TrigGateThresholdAdj2);

    // One row per input function: mode, edge or logic, debounce, threshold; the second
    // input's two rows share one threshold.
    const QList<QList<QWidget *>> rows{
        {TrigModeGrp1, ExtTrigEdgeGrp1, TrigDebounceGrp1, ExtThresholdGrp1},
        {GateModeGrp1, GateLogicGrp1, GateDebounceGrp1, GateThresholdGrp1},
        {TrigModeGrp2, ExtTrigEdgeGrp2, TrigDebounceGrp2},
        {GateModeGrp2, GateLogicGrp2, GateDebounceGrp2},
    };
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            grid->addWidget(rows[r][c], r, c);
    grid->addWidget(TrigGateThresholdGrp2, 2, 3, 2, 1, Qt::AlignVCenter);
    return ExtTrigGatePage;
}

QWidget *TMainForm::BuildAdditionalPage() {
    AdditionalPage = NewPage("AdditionalPage");
    auto *layout = new QGridLayout(AdditionalPage);
    layout->setContentsMargins(6, 6, 6, 6);

    ExternalInputClkSel = Selector(nullptr, "ExternalInputClkSel", InputClockTable().Captions);
    ExtInputClkGrp =
        Boxed(AdditionalPage, "ExtInputClkGrp", "External Input Clock", ExternalInputClkSel);
    ExternalOutputClkSel = Selector(nullptr, "ExternalOutputClkSel", OutputClockTable().Captions);
    ExtOutputClkGrp =
        Boxed(AdditionalPage, "ExtOutputClkGrp", "External Output Clock", ExternalOutputClkSel);

    ShotCounterGrp = Group(AdditionalPage, "ShotCounterGrp", "Shot Counter");
    auto *counter = new QGridLayout(ShotCounterGrp);
    counter->setContentsMargins(6, 2, 6, 4);
    CounterSourceSel = Selector(ShotCounterGrp, "CounterSourceSel", CounterSourceTable().Captions);
    ShotCountEnbl = Named<QCheckBox>("ShotCountEnbl", "Enable", ShotCounterGrp);
    ClearShotCount = Named<QPushButton>("ClearShotCount", "Clear", ShotCounterGrp);
    ShotCountlbl = Named<QLabel>("ShotCountlbl", "Count: ----", ShotCounterGrp);
    counter->addWidget(CounterSourceSel, 0, 0);
    counter->addWidget(ShotCountEnbl, 0, 1);
    counter->addWidget(ClearShotCount, 0, 2);
    counter->addWidget(ShotCountlbl, 1, 0, 1, 3);

    layout->addWidget(ExtInputClkGrp, 0, 0);
    layout->addWidget(ExtOutputClkGrp, 0, 1);
    layout->addWidget(ShotCounterGrp, 1, 0, 1, 2);
    layout->setRowStretch(2, 1);
    return AdditionalPage;
}
