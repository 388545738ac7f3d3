#include "StorageBins.h"

#include "AppState.h"
#include "CommandQueue.h"
#include "Commands.h"
#include "MainForm.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

using namespace Instrument;

TStorageBins::TStorageBins(TMainForm &form, TAppState &state, TCommandQueue &queue)
    : QObject(&form), FForm(form), FState(state), FQueue(queue) {
    Wire(FForm.BinSave[1], &TStorageBins::SaveStorageBin);
    Wire(FForm.BinRestore[0], &TStorageBins::RecallStorageBin);
    Wire(FForm.BinRestore[1], &TStorageBins::RecallStorageBin);
}

void TStorageBins::Wire(QAction *action, void (TStorageBins::*handler)(QObject *)) {
    connect(action, &QAction::triggered, this,
            [this, action, handler] { (this->*handler)(action); });
}

QAction *TStorageBins::NewBinAction(const QString &stem, int bin,
                                    void (TStorageBins::*handler)(QObject *)) {
    auto *action = new QAction(QString::number(bin), &FForm);
    action->setObjectName(stem + QString::number(bin));
    Wire(action, handler);
    return action;
}

void TStorageBins::UpdateStorageBins() {
    if (FState.BinsCreated)
        return;
    const int last = qMin(FState.ChannelCount, int(TMainForm::MaxChannels));
    for (int n = 2; n <= last; ++n) {
        FForm.BinSave[n] = NewBinAction("BinSave", n, &TStorageBins::SaveStorageBin);
        FForm.SaveToBin->addAction(FForm.BinSave[n]);
        FForm.BinRestore[n] = NewBinAction("BinRestore", n, &TStorageBins::RecallStorageBin);
        FForm.RestoreFromBin->addAction(FForm.BinRestore[n]);
    }
    if (last > BinsPerColumn) {
        LayOutColumns(FForm.SaveToBin, FForm.SaveToBin->actions());
        LayOutColumns(FForm.RestoreFromBin, FForm.RestoreFromBin->actions());
    }
    FState.BinsCreated = true;
}

// Column c holds bins 12c+1 .. 12c+12; "Default 0" heads the first column of the restore
// menu. A vertical bar separates the columns.
void TStorageBins::LayOutColumns(QMenu *menu, const QList<QAction *> &bins) {
    auto *grid = new QWidget(menu);
    grid->setObjectName(menu->objectName() + "Columns");
    auto *layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    const bool hasDefault = NumberFromName(bins.front()->objectName()) == 0;
    int columns = 1;
    for (QAction *action : bins) {
        menu->removeAction(action);
        const int bin = NumberFromName(action->objectName());
        const int column = bin == 0 ? 0 : (bin - 1) / BinsPerColumn;
        const int shift = hasDefault && column == 0 ? 1 : 0;
        const int row = bin == 0 ? 0 : (bin - 1) % BinsPerColumn + shift;
        columns = qMax(columns, column + 1);
        auto *button = new QToolButton(grid);
        button->setObjectName(action->objectName() + "Button");
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(button, row, column * 2);
        // A chosen bin closes the menus, as a plain item would.
        connect(action, &QAction::triggered, menu, [this, menu] {
            menu->hide();
            FForm.Storage1->hide();
        });
    }
    for (int c = 1; c < columns; ++c) {
        auto *bar = new QFrame(grid);
        bar->setObjectName(QString());
        bar->setFrameShape(QFrame::VLine);
        bar->setFrameShadow(QFrame::Sunken);
        layout->addWidget(bar, 0, c * 2 - 1, BinsPerColumn + (hasDefault ? 1 : 0), 1);
    }
    auto *columnsAction = new QWidgetAction(menu);
    columnsAction->setObjectName(grid->objectName() + "Action");
    columnsAction->setDefaultWidget(grid);
    menu->addAction(columnsAction);
}

void TStorageBins::SaveStorageBin(QObject *sender) {
    const int bin = NumberFromName(sender->objectName());
    if (bin >= 0)
        FQueue.QueuedCommandToPort(SaveBinCommand(bin));
}

void TStorageBins::RecallStorageBin(QObject *sender) {
    const int bin = NumberFromName(sender->objectName());
    if (bin >= 0)
        FQueue.RequestRecall(bin);
}

void TMainForm::UpdateStorageBins() {
    StorageBins->UpdateStorageBins();
}
