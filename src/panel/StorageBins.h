#pragma once

#include <QObject>

class TMainForm;
struct TAppState;
class TCommandQueue;
class QAction;
class QMenu;

// The Storage menu's bins: "Save To Bin" 1..N and "Restore From Bin" "Default 0", 1..N,
// N the channel count. Every bin is one named QAction ("BinSave12", "BinRestore0") whose
// number comes from its name. Up to 12 bins the items sit in the menus as usual; more
// bins are laid out as columns starting at bins 13 and 25, a grid of buttons inside one
// widget action per menu (menus have no column break), each button showing its bin's
// action.
class TStorageBins : public QObject {
    Q_OBJECT
public:
    static constexpr int BinsPerColumn = 12;

    TStorageBins(TMainForm &form, TAppState &state, TCommandQueue &queue);

    // Builds bins 2..ChannelCount once per run (BinsCreated).
    void UpdateStorageBins();
    void SaveStorageBin(QObject *sender);
    void RecallStorageBin(QObject *sender);

private:
    QAction *NewBinAction(const QString &stem, int bin, void (TStorageBins::*handler)(QObject *));
    void Wire(QAction *action, void (TStorageBins::*handler)(QObject *));
    // Replaces the menu's bin items by a grid of columns holding the same actions.
    void LayOutColumns(QMenu *menu, const QList<QAction *> &bins);

    TMainForm &FForm;
    TAppState &FState;
    TCommandQueue &FQueue;
};
