#pragma once

#include "SessionView.h"

// What pulsectl shows of a session: a progress bar on standard error while the read-back
// or a replay runs (only when standard error is a terminal), and the values the read-back
// reports without keeping them in the mirrors.
class TCtlView : public TSessionView {
public:
    explicit TCtlView(bool quiet);

    QString ShowIdentity(const Instrument::TIdentity &identity, qint32 port, qint32 baud) override;
    void ShowChannelCount(int channelCount) override { FChannelCount = channelCount; }
    void ShowProgress(const QString &label) override { Progress(label, 0); }
    void SetProgressLabel(const QString &label) override;
    void HideProgress() override;
    void ShowSingleValue(TSingleValue which, qint32 value) override;
    void ShowShotCount(const QString &text) override { ShotCount = text; }
    bool ShotCountWanted() const override { return true; }

    // The replay's progress: `done` of `total` lines sent.
    void ReplayProgress(int done, int total);

    qint32 AutoStart = 0;
    qint32 CounterEnable = 0;
    QString ShotCount;

private:
    void Progress(const QString &label, double fraction);

    bool FShown = false;
    bool FTerminal;
    int FChannelCount = 0;
    int FDone = 0;
};
