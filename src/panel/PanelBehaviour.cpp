// The collaborators that hold the panel's handlers, created once the controls exist.
#include "MainForm.h"

#include "ChannelControls.h"
#include "CommandQueue.h"
#include "CommandTerminal.h"
#include "ServiceAccess.h"
#include "ServiceWindow.h"
#include "StatusPoll.h"
#include "StorageBins.h"
#include "SystemControls.h"

#include <QAction>

void TMainForm::CreateBehaviour() {
    CommandQueue = FSession.Queue;
    SystemControls =
        new TSystemControls(FSession,
                            {SystemPageControl,
                             {PeriodAdj, SysBurstAdj, SysDutyOnAdj, SysDutyOffAdj, SysCycleCountAdj,
                              AutoStartEnbl, SystemModeSel, SyncOutputSel},
                             {TrigModeSel1, TrigModeSel2, TriggerEdgeSel1, TriggerEdgeSel2,
                              TrigDebounceSel1, TrigDebounceSel2, GateModeSel1, GateModeSel2,
                              GateLogicSel1, GateLogicSel2, GateDebounceSel1, GateDebounceSel2,
                              TrigThresholdAdj1, GateThresholdAdj1, TrigGateThresholdAdj2},
                             {ExternalInputClkSel, ExternalOutputClkSel, CounterSourceSel},
                             FActiveSysControls},
                            *this, this);
    ChannelControls = new TChannelControls(
        FSession,
        {ChPageControl, ChEnablebox, ChDelayAdj, ChWidthAdj, ChBurstAdj, ChWaitCountAdj,
         ChDutyOnAdj, ChDutyOffAdj, ChAmplitudeAdj, ChAmplitudeAdjGrp, ChModeSel, ChPolaritySel,
         ChOutputModeSel, ChGateModeSel, ChSyncSourceSel, ChControlSel, ChGateLogicSel, ChMuxSelect,
         FActiveChControls},
        *this, this);
    connect(this, &TMainForm::ChannelPageCreated, ChannelControls, &TChannelControls::WireChannel);
    StatusPoll = new TStatusPoll(FSession, {RunStopbtn, ShotCountEnbl, ClearShotCount}, this);
    StorageBins = new TStorageBins(
        FSession, {this, Storage1, SaveToBin, RestoreFromBin, BinSave, BinRestore}, this);
    CommandTerminal = new TCommandTerminal(FSession, SendEdit, SendBtn, this);
    connect(Up1, &QAction::triggered, &FSession, &TSession::RequestRefresh);
    connect(TimingDiagram1, &QAction::triggered, this,
            [this] { Guarded([this] { TimingDiagram1Click(); }); });

    const TServiceLinks links{
        FSession,
        State,
        Exchange,
        PortRule,
        *MessageForm,
        Prompts,
        [this](const QString &command) { return QueuedCommandToPort(command); },
        [this] { return windowTitle(); },
        [this](const std::exception &e) { ReportException(e); }};
    FService = std::make_unique<TServiceWindow>(this, *ServiceMenu, *ServiceWindowMenu, links);
    FSession.OpenServiceWindow = [this] { FService->Access->OpenServiceWindow(); };
}

bool TMainForm::QueuedCommandToPort(const QString &command) {
    return FSession.QueueCommand(command);
}

void TMainForm::UpdateStorageBins() {
    StorageBins->UpdateStorageBins();
}
