#pragma once

#include "ModelTable.h"
#include "PageFocusMemory.h"

#include <QObject>
#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QGroupBox;
class TCheckListBox;
class TEnablingRules;
class TPageControl;
class TPlusSpinEdit;
class TSession;
namespace Instrument {
struct TChannelSettings;
}

// Handlers shared by the same control of every channel: each finds its channel from the
// digits of the sending control's name, queues the channel command and keeps the
// channel's mirror current. Also the focus memory per channel tab.
class TChannelControls : public QObject {
    Q_OBJECT
public:
    // Entry n refers to channel n's control; entry 0 and entries above the channel count
    // stay empty.
    template <class T> using TChannelTable = std::array<T *, Instrument::MaxChannels + 1>;

    // The channel pages' controls, one table per kind, filled as the pages are made.
    struct TControls {
        TPageControl *ChPageControl;
        const TChannelTable<QCheckBox> &ChEnablebox;
        const TChannelTable<TPlusSpinEdit> &ChDelayAdj, &ChWidthAdj, &ChBurstAdj, &ChWaitCountAdj,
            &ChDutyOnAdj, &ChDutyOffAdj, &ChAmplitudeAdj;
        const TChannelTable<QGroupBox> &ChAmplitudeAdjGrp;
        const TChannelTable<QComboBox> &ChModeSel, &ChPolaritySel, &ChOutputModeSel, &ChGateModeSel,
            &ChSyncSourceSel, &ChControlSel, &ChGateLogicSel;
        const TChannelTable<TCheckListBox> &ChMuxSelect;
        PageFocusMemory::TSlots &FocusMemory; // one slot per tab
    };

    // Wires every channel whose page exists.
    TChannelControls(TSession &session, const TControls &controls, TEnablingRules &rules,
                     QObject *parent);

    // Wires the selectors, check box and check list of channel n's page; a copied page's
    // numeric entries bring the template's handlers with them.
    void WireChannel(int n);

private:
    using TField = std::int32_t Instrument::TChannelSettings::*;
    using TTime = double Instrument::TChannelSettings::*;
    void WireNumericEntries(int n);
    // Delay and width: a time off the step grid is not sent.
    void OnTime(TPlusSpinEdit *spin, TTime field, const double &increment,
                QString (*command)(int channel, double seconds));
    template <class T>
    void OnValue(TPlusSpinEdit *spin, T Instrument::TChannelSettings::*field,
                 QString (*command)(int channel, T value));
    // Only a user's choice runs a selector handler; an index set by code sends nothing.
    // A null field: the choice is sent but not kept.
    void OnSelector(QComboBox *box, QString (*command)(int channel, int item), TField field,
                    bool modesEnable = false);
    void SetChEnableState(QWidget *sender);
    void SetChannelOuputMode(QWidget *sender);
    void SetChannelMux(QWidget *sender);
    // Channel number of a sender, or 0 when its name carries none in 1..36.
    static int ChannelOf(const QWidget *sender);
    void Queue(const QString &command);

    TSession &FSession;
    TControls FControls;
    TEnablingRules &FRules;
};
