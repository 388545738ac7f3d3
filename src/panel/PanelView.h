#pragma once

#include "SessionView.h"

class TMainForm;
class TVersionInfo;

// The main window as the session's view: what a read-back, the status poll and run/stop
// write into the window's controls, labels and message window.
class TPanelView : public TSessionView {
public:
    TPanelView(TMainForm &form, const TVersionInfo &version) : FForm(form), FVersion(version) {}

    void ShowProgress(const QString &label) override;
    void SetProgressLabel(const QString &label) override;
    void HideProgress() override;
    QString ShowIdentity(const Instrument::TIdentity &identity, qint32 port, qint32 baud) override;
    void ShowDemoState() override;
    void ShowChannelCount(int channelCount) override;
    bool HasChannel(int n) const override;
    void ShowValueRanges() override;
    void ShowSystemRecord(const Instrument::TRecordStatus &status) override;
    void ShowTrigGateRecord(int record, const Instrument::TRecordStatus &status) override;
    void ShowSingleValue(TSingleValue which, qint32 value) override;
    void ShowChannelRecord(int n, const Instrument::TRecordStatus &status) override;
    void ShowChannelModes(int n) override;
    void ReadBackShown() override;
    void ShowRunState(bool running) override;
    void ShowShotCount(const QString &text) override;
    bool ShotCountWanted() const override;

private:
    TMainForm &FForm;
    const TVersionInfo &FVersion;
};
