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

// A captioned box holding one editor; the members named first take the new widgets.
struct TBoxedSelector {
    QComboBox *&Editor;
    QGroupBox *&Box;
    QString EditorName, BoxName, Caption;
    const QStringList &Items;
};

struct TBoxedSpin {
    TPlusSpinEdit *&Editor;
    QGroupBox *&Box;
    QString EditorName, BoxName, Caption;
    const TSpinSetup &Setup;
    const char *Hint = nullptr; // none when null
};

QGroupBox *Build(QWidget *parent, const TBoxedSelector &d) {
    d.Editor = Selector(nullptr, d.EditorName, d.Items);
    return d.Box = Boxed(parent, d.BoxName, d.Caption, d.Editor);
}

QGroupBox *Build(QWidget *parent, const TBoxedSpin &d) {
    d.Editor = Spin(nullptr, d.EditorName, d.Setup);
    if (d.Hint)
        SetHint(d.Editor, d.Hint);
    return d.Box = Boxed(parent, d.BoxName, d.Caption, d.Editor);
}

// Names and captions of an input function's boxes (mode, edge or logic, debounce,
// threshold), with the input number for %1.
struct TInputFunction {
    const char *Mode, *ModeBox, *ModeCaption;
    const char *Second, *SecondBox, *SecondCaption;
    const char *Debounce, *DebounceBox;
    const char *Threshold, *ThresholdBox, *ThresholdHint;
    const QStringList &Modes, &Seconds;
};

TInputFunction TriggerFunction() {
    return {"TrigModeSel%1",
            "TrigModeGrp%1",
            "Trigger %1 Mode",
            "TriggerEdgeSel%1",
            "ExtTrigEdgeGrp%1",
            "Trigger %1 Edge",
            "TrigDebounceSel%1",
            "TrigDebounceGrp%1",
            "TrigThresholdAdj%1",
            "ExtThresholdGrp%1",
            "Sets input trigger/gate threshold level",
            TriggerModeTable().Captions,
            TriggerEdgeTable().Captions};
}
TInputFunction GateFunction() {
    return {"GateModeSel%1",
            "GateModeGrp%1",
            "Gate %1 Mode",
            "GateLogicSel%1",
            "GateLogicGrp%1",
            "Gate %1 Logic",
            "GateDebounceSel%1",
            "GateDebounceGrp%1",
            "GateThresholdAdj%1",
            "GateThresholdGrp%1",
            "Sets input gate threshold level",
            GateModeTable().Captions,
            GateLogicTable().Captions};
}

// The window's members that take one row's widgets; input 2's rows have no threshold.
struct TInputRow {
    QComboBox *&Mode, *&Second, *&Debounce;
    QGroupBox *&ModeBox, *&SecondBox, *&DebounceBox;
    TPlusSpinEdit **Threshold = nullptr;
    QGroupBox **ThresholdBox = nullptr;
};

// One input function's row of boxes; input 2's mode caption ends in "(F)".
QList<QWidget *> BuildInputRow(QWidget *parent, const TInputFunction &f, int input,
                               const TInputRow &row) {
    const auto numbered = [input](const char *pattern) {
        return QString::fromLatin1(pattern).arg(input);
    };
    const TBoxedSelector selectors[] = {
        {row.Mode, row.ModeBox, numbered(f.Mode), numbered(f.ModeBox),
         numbered(f.ModeCaption) + (input == 2 ? "(F)" : ""), f.Modes},
        {row.Second, row.SecondBox, numbered(f.Second), numbered(f.SecondBox),
         numbered(f.SecondCaption), f.Seconds},
        {row.Debounce, row.DebounceBox, numbered(f.Debounce), numbered(f.DebounceBox), "Debounce",
         DebounceTable().Captions},
    };
    QList<QWidget *> boxes;
    for (const TBoxedSelector &selector : selectors)
        boxes << Build(parent, selector);
    if (row.Threshold)
        boxes << Build(parent, TBoxedSpin{*row.Threshold, *row.ThresholdBox, numbered(f.Threshold),
                                          numbered(f.ThresholdBox), "Threshold (V)", ThresholdSetup,
                                          f.ThresholdHint});
    return boxes;
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

    Build(SystemGrp, TBoxedSpin{PeriodAdj, PeriodGrp, "PeriodAdj", "PeriodGrp", "Period",
                                PeriodSetup, "Sets system pulse period"});
    Build(SystemGrp, TBoxedSelector{SystemModeSel, PulseModeGrp, "SystemModeSel", "PulseModeGrp",
                                    "Pulse Mode", SystemModeTable().Captions});
    Build(SystemGrp, TBoxedSelector{SyncOutputSel, SyncOutputGrp, "SyncOutputSel", "SyncOutputGrp",
                                    "Sync Ouput", SyncOutputTable().Captions});
    Build(SystemGrp,
          TBoxedSpin{SysBurstAdj, BurstCountGrp, "SysBurstAdj", "BurstCountGrp", "Burst Count",
                     SystemCountSetup, "Sets number of burst counts when in system burst mode"});

    AutoStartEnbl = Named<QCheckBox>("AutoStartEnbl", "Auto Start", SystemGrp);
    SetHint(AutoStartEnbl, "Sets system auto start (will start on power up)");

    DutyCycleGrp = Group(SystemGrp, "DutyCycleGrp", "Duty Cycle");
    auto *duty = new QHBoxLayout(DutyCycleGrp);
    duty->setContentsMargins(6, 2, 6, 4);
    Build(DutyCycleGrp,
          TBoxedSpin{SysDutyOnAdj, OnCountGrp, "SysDutyOnAdj", "OnCountGrp", "On Counts",
                     SystemCountSetup, "Sets number of on counts when in system duty cycle mode"});
    Build(DutyCycleGrp,
          TBoxedSpin{SysDutyOffAdj, OffCountGrp, "SysDutyOffAdj", "OffCountGrp", "Off Counts",
                     SystemCountSetup, "Sets number of off counts when in system duty cycle mode"});
    Build(DutyCycleGrp, TBoxedSpin{SysCycleCountAdj, CycleCountGrp, "SysCycleCountAdj",
                                   "CycleCountGrp", "Cycle Counts", CycleCountSetup});
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

    // One row per input function; the second input's two rows share one threshold.
    const QList<QList<QWidget *>> rows{
        BuildInputRow(g, TriggerFunction(), 1,
                      {TrigModeSel1, TriggerEdgeSel1, TrigDebounceSel1, TrigModeGrp1,
                       ExtTrigEdgeGrp1, TrigDebounceGrp1, &TrigThresholdAdj1, &ExtThresholdGrp1}),
        BuildInputRow(g, GateFunction(), 1,
                      {GateModeSel1, GateLogicSel1, GateDebounceSel1, GateModeGrp1, GateLogicGrp1,
                       GateDebounceGrp1, &GateThresholdAdj1, &GateThresholdGrp1}),
        BuildInputRow(g, TriggerFunction(), 2,
                      {TrigModeSel2, TriggerEdgeSel2, TrigDebounceSel2, TrigModeGrp2,
                       ExtTrigEdgeGrp2, TrigDebounceGrp2}),
        BuildInputRow(g, GateFunction(), 2,
                      {GateModeSel2, GateLogicSel2, GateDebounceSel2, GateModeGrp2, GateLogicGrp2,
                       GateDebounceGrp2}),
    };
    Build(g, TBoxedSpin{TrigGateThresholdAdj2, TrigGateThresholdGrp2, "TrigGateThresholdAdj2",
                        "TrigGateThresholdGrp2", "Trig/Gate 2 Threshold (V)", ThresholdSetup,
                        "Sets input trigger/gate threshold level"});
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

    Build(AdditionalPage,
          TBoxedSelector{ExternalInputClkSel, ExtInputClkGrp, "ExternalInputClkSel",
                         "ExtInputClkGrp", "External Input Clock", InputClockTable().Captions});
    Build(AdditionalPage,
          TBoxedSelector{ExternalOutputClkSel, ExtOutputClkGrp, "ExternalOutputClkSel",
                         "ExtOutputClkGrp", "External Output Clock", OutputClockTable().Captions});

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
