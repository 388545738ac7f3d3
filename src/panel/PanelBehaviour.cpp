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
    CommandQueue = new TCommandQueue(*this, State);
    SystemControls = new TSystemControls(*this, State);
    ChannelControls = new TChannelControls(*this, State);
    StatusPoll = new TStatusPoll(*this, State);
    StorageBins = new TStorageBins(*this, State, *CommandQueue);
    CommandTerminal = new TCommandTerminal(*this, *CommandQueue);
    connect(&TaskTimer, &QTimer::timeout, CommandQueue, &TCommandQueue::TaskTimerTimer);
    connect(&StatusTimer, &QTimer::timeout, StatusPoll, &TStatusPoll::StatusTimerTimer);
    connect(Up1, &QAction::triggered, CommandQueue, &TCommandQueue::Up1Click);
    connect(TimingDiagram1, &QAction::triggered, this,
            [this] { Guarded([this] { TimingDiagram1Click(); }); });

    const TServiceLinks links{
        State,
        Exchange,
        PortRule,
        *MessageForm,
        Prompts,
        [this](const QString &command) { return QueuedCommandToPort(command); },
        [this] { return windowTitle(); },
        [this](const std::exception &e) { ReportException(e); }};
    Service = std::make_unique<TServiceWindow>(this, *ServiceMenu, *ServiceWindowMenu, links);
    StatusPoll->OpenServiceWindow = [this] { Service->Access->OpenServiceWindow(); };
}

bool TMainForm::QueuedCommandToPort(const QString &command) {
    return CommandQueue->QueuedCommandToPort(command);
}
