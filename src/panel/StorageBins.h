#pragma once

#include "ModelTable.h"

#include <QObject>
#include <array>

class TSession;
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
    using TBinActions = std::array<QAction *, Instrument::MaxChannels + 1>;

    // The Storage menu and its bin items; entries 2..N are filled here.
    struct TMenus {
        QObject *ActionOwner;
        QMenu *Storage1, *SaveToBin, *RestoreFromBin;
        TBinActions &BinSave, &BinRestore;
    };

    TStorageBins(TSession &session, const TMenus &menus, QObject *parent);

    // Builds bins 2..ChannelCount once per run (BinsCreated).
    void UpdateStorageBins();
    void SaveStorageBin(QObject *sender);
    void RecallStorageBin(QObject *sender);

private:
    QAction *NewBinAction(const QString &stem, int bin, void (TStorageBins::*handler)(QObject *));
    void Wire(QAction *action, void (TStorageBins::*handler)(QObject *));
    // Replaces the menu's bin items by a grid of columns holding the same actions.
    void LayOutColumns(QMenu *menu, const QList<QAction *> &bins);

    TSession &FSession;
    TMenus FMenus;
};
