#pragma once

#include <QObject>

class TMainForm;
struct TAppState;
class QWidget;

// Handlers shared by the same control of every channel: each finds its channel from the
// digits of the sending control's name, queues the channel command and keeps the
// channel's mirror current. Also the focus memory per channel tab.
class TChannelControls : public QObject {
    Q_OBJECT
public:
    TChannelControls(TMainForm &form, TAppState &state);

    void SetChEnableState(QWidget *sender);
    void SetChannelDelay(QWidget *sender);
    void SetChannelWidth(QWidget *sender);
    void SetChannelMode(QWidget *sender);
    void SetChannelBurst(QWidget *sender);
    void SetChannelWaitCount(QWidget *sender);
    void SetChannelDCOn(QWidget *sender);
    void SetChannelDCOff(QWidget *sender);
    void SetChannelPolarity(QWidget *sender);
    void SetChannelOuputMode(QWidget *sender);
    void SetChAmplitude(QWidget *sender);
    void SetChannelGateMode(QWidget *sender);
    void SetChannelSyncSource(QWidget *sender);
    void SetChannelMux(QWidget *sender);
    void SetChannelControlMode(QWidget *sender);
    void SetChannelGateLogic(QWidget *sender);

    void ChPageControlChanging(int leavingIndex);
    void ChPageControlChange(int index);

private:
    // Numeric entries of channel 1 are wired before the copies are made, which inherit
    // them; the selectors, check box and check list of every channel are wired here.
    void WireNumericEntries(int n);
    void WireChannel(int n);
    // Channel number of a sender, or 0 when its name carries none in 1..36.
    static int ChannelOf(const QWidget *sender);
    void Queue(const QString &command);

    TMainForm &FForm;
    TAppState &FState;
};
