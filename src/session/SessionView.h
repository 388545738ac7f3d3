#pragma once

#include "ConfigRecords.h"
#include "Identity.h"

#include <QString>
#include <QtGlobal>

// What a session shows while it runs its sequences. The window writes its controls here
// (their handlers run while commands are disabled, so what they queue is discarded); a
// program without a window keeps the defaults, which show nothing. Each call comes after
// the session has updated the mirrors it names.
class TSessionView {
public:
    // The seven options with queries of their own, in read-back order.
    enum class TSingleValue {
        Secure,
        AutoStart,
        InputClock,
        OutputClock,
        SyncOutput,
        CounterEnable,
        CounterSource
    };

    virtual ~TSessionView() = default;

    // The message window of a read-back: shown with a label, relabelled, closed.
    virtual void ShowProgress(const QString &label) { (void)label; }
    virtual void SetProgressLabel(const QString &label) { (void)label; }
    virtual void HideProgress() {}

    // Shows who answered; returns the caption the settings list names it by.
    virtual QString ShowIdentity(const Instrument::TIdentity &identity, qint32 port, qint32 baud) {
        (void)identity, (void)port, (void)baud;
        return QString();
    }
    virtual void ShowDemoState() {}
    // The channel count of this read-back is known (pages and bins follow it).
    virtual void ShowChannelCount(int channelCount) { (void)channelCount; }
    // False when channel n has nothing to show: its record is then not read.
    virtual bool HasChannel(int n) const { return n >= 1; }
    virtual void ShowValueRanges() {}
    virtual void ShowSystemRecord(const Instrument::TRecordStatus &status) { (void)status; }
    // record: the trigger or gate record number.
    virtual void ShowTrigGateRecord(int record, const Instrument::TRecordStatus &status) {
        (void)record, (void)status;
    }
    virtual void ShowSingleValue(TSingleValue which, qint32 value) { (void)which, (void)value; }
    virtual void ShowChannelRecord(int n, const Instrument::TRecordStatus &status) {
        (void)n, (void)status;
    }
    // Channel n read without fault: its dependent controls follow its modes.
    virtual void ShowChannelModes(int n) { (void)n; }
    virtual void ReadBackShown() {}

    virtual void ShowRunState(bool running) { (void)running; }
    virtual void ShowShotCount(const QString &text) { (void)text; }
    // Whether the poll also reads the shot count (the window: its page is shown).
    virtual bool ShotCountWanted() const { return false; }
};

// What the calibration read-back shows; the service window writes its controls here.
class TCalibrationView {
public:
    virtual ~TCalibrationView() = default;
    // The message window: the system's factors (channel 0) or channel n's being read.
    virtual void ShowProgress(int channel) { (void)channel; }
    virtual void HideProgress() {}
    // Makes room for the channels' factors; returns how many channels can be shown.
    virtual int PrepareChannels(int channelCount) { return channelCount; }
    virtual void ShowSerialNumber(qint32 serial) { (void)serial; }
    // False when the badge names no item: state and view then keep theirs.
    virtual bool AcceptsBadge(int badge) const { return badge >= 0; }
    virtual void ShowBadge(int badge) { (void)badge; }
    virtual void ShowChannelCount(int channelCount) { (void)channelCount; }
    // index 0..5: trigger 1 gain, offset; trig/gate 2 gain, offset; gate 1 gain, offset.
    virtual void ShowInputCal(int index, qint32 value) { (void)index, (void)value; }
    // kind 0..3: width, delay, amplitude gain, amplitude offset.
    virtual void ShowChannelCal(int n, int kind, qint32 value) { (void)n, (void)kind, (void)value; }
};
