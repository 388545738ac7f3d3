// The collaborators that hold the panel's handlers, created once the controls exist.
#include "MainForm.h"

#include "ChannelControls.h"
#include "CommandQueue.h"
#include "CommandTerminal.h"
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
}

void TMainForm::QueuedCommandToPort(const QString &command) {
    CommandQueue->QueuedCommandToPort(command);
}
