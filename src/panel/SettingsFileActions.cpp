#include "SettingsFileActions.h"

#include "ConversionError.h"
#include "MessageForm.h"
#include "ScreenCapture.h"
#include "Session.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QThread>

TSettingsFileActions::TSettingsFileActions(TSession &session, const TControls &controls,
                                           QObject *parent)
    : QObject(parent), FSession(session), FControls(controls), FSequence(Seams(), session.Prompts) {
    RetryTimer.setObjectName("SettingsFileRetryTimer");
    RetryTimer.setSingleShot(true);
    RetryTimer.setInterval(RetryIntervalMs);
    connect(&RetryTimer, &QTimer::timeout, this,
            [this] { FSession.Guarded([this] { RetryPending(); }); });
    connect(FControls.SaveToFile1, &QAction::triggered, this,
            [this] { FSession.Guarded([this] { SaveToFile(); }); });
    connect(FControls.RestoreSettingsFromFile1, &QAction::triggered, this,
            [this] { FSession.Guarded([this] { RestoreFromFile(); }); });
    connect(FControls.CaptureScreenShot1, &QAction::triggered, this,
            [this] { FSession.Guarded([this] { CaptureScreenShot(); }); });
}

TSettingsFileActions::TOutcome TSettingsFileActions::SaveToFile() {
    return Run(TRequest::Save);
}

TSettingsFileActions::TOutcome TSettingsFileActions::RestoreFromFile() {
    return Run(TRequest::Restore);
}

bool TSettingsFileActions::CaptureScreenShot() {
    return TScreenCapture(FSession.Prompts).Capture(*FControls.CaptureTarget);
}

TSettingsFileActions::TOutcome TSettingsFileActions::Run(TRequest request) {
    if (FSession.State.Ending)
        return TOutcome::Ended;
    TOutcome outcome = TOutcome::Deferred;
    if (!FRunning) {
        FRunning = true;
        const auto release = qScopeGuard([this] {
            FRunning = false;
            FSession.State.SettingsFileActive = false;
        });
        try {
            outcome = request == TRequest::Save ? FSequence.Save() : FSequence.Restore();
        } catch (...) {
            // The handler's guard reports it; the "Loading" window must not stay up.
            FControls.MessageForm.hide();
            throw;
        }
    }
    if (outcome == TOutcome::Deferred) {
        FPending = request;
        if (!RetryTimer.isActive())
            RetryTimer.start();
    } else {
        FLastOutcome = outcome;
    }
    return outcome;
}

void TSettingsFileActions::RetryPending() {
    const TRequest request = FPending;
    FPending = TRequest::None;
    if (request != TRequest::None)
        Run(request);
}

// Asked once at the start of a save or restore; from then on it counts as running.
bool TSettingsFileActions::PortIsFree() {
    if (!FSession.PortRule.MayStart(TPortRule::TActivity::SettingsFile))
        return false;
    FSession.State.SettingsFileActive = true;
    return true;
}

// A record that does not convert has stopped the read-back: reported here, and the
// sequence ends without its closing message. A read-back cut short because the program is
// ending or the port is gone counts as stopped too, so no further box appears and no
// half-read list is saved.
bool TSettingsFileActions::ReadBack() {
    try {
        FSession.ReadBack();
    } catch (const Instrument::TConversionError &e) {
        FSession.ReportException(e);
        return false;
    }
    return !FSession.State.Ending && !FSession.State.Link.PortGone;
}

TSettingsFileSeams TSettingsFileActions::Seams() {
    TSettingsFileSeams s;
    s.SendCommand = [this](const QByteArray &line) { FSession.SendLine(line); };
    s.Pause = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    s.ProcessEvents = [] { QCoreApplication::processEvents(); };
    s.ShowMessageWindow = [this](const QString &label) {
        FControls.MessageForm.ShowMessage(label);
    };
    s.CloseMessageWindow = [this] { FControls.MessageForm.hide(); };
    s.ReadBack = [this] { return ReadBack(); };
    s.SettingsLines = [this] { return FSession.State.SettingsList; };
    s.PortIsFree = [this] { return PortIsFree(); };
    s.Ending = [this] { return FSession.State.Ending; };
    s.PortGone = [this] { return FSession.State.Link.PortGone; };
    s.LastOpenedFile = &FSession.State.LastOpenedFile;
    return s;
}
