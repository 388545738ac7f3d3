#include "StorageBins.h"

#include "Commands.h"
#include "Session.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

using namespace Instrument;

TStorageBins::TStorageBins(TSession &session, const TMenus &menus, QObject *parent)
    : QObject(parent), FSession(session), FMenus(menus) {
    Wire(FMenus.BinSave[1], &TStorageBins::SaveStorageBin);
    Wire(FMenus.BinRestore[0], &TStorageBins::RecallStorageBin);
    Wire(FMenus.BinRestore[1], &TStorageBins::RecallStorageBin);
}

void TStorageBins::Wire(QAction *action, void (TStorageBins::*handler)(QObject *)) {
    connect(action, &QAction::triggered, this,
            [this, action, handler] { (this->*handler)(action); });
}

QAction *TStorageBins::NewBinAction(const QString &stem, int bin,
                                    void (TStorageBins::*handler)(QObject *)) {
    auto *action = new QAction(QString::number(bin), FMenus.ActionOwner);
    action->setObjectName(stem + QString::number(bin));
    Wire(action, handler);
    return action;
}

void TStorageBins::UpdateStorageBins() {
    TAppState &state = FSession.State;
    if (state.BinsCreated)
        return;
    const int last = qMin(state.ChannelCount, int(Instrument::MaxChannels));
    for (int n = 2; n <= last; ++n) {
        FMenus.BinSave[n] = NewBinAction("BinSave", n, &TStorageBins::SaveStorageBin);
        FMenus.SaveToBin->addAction(FMenus.BinSave[n]);
        FMenus.BinRestore[n] = NewBinAction("BinRestore", n, &TStorageBins::RecallStorageBin);
        FMenus.RestoreFromBin->addAction(FMenus.BinRestore[n]);
    }
    if (last > BinsPerColumn) {
        LayOutColumns(FMenus.SaveToBin, FMenus.SaveToBin->actions());
        LayOutColumns(FMenus.RestoreFromBin, FMenus.RestoreFromBin->actions());
    }
    state.BinsCreated = true;
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
            FMenus.Storage1->hide();
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
        FSession.SaveBin(bin);
}

void TStorageBins::RecallStorageBin(QObject *sender) {
    const int bin = NumberFromName(sender->objectName());
    if (bin >= 0)
        FSession.RecallBin(bin);
}
