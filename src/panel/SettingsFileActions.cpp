#include "SettingsFileActions.h"

#include "ConversionError.h"
#include "MainForm.h"
#include "MessageForm.h"
#include "ScreenCapture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QScopeGuard>
#include <QThread>

TSettingsFileActions::TSettingsFileActions(TMainForm &form)
    : QObject(&form), FForm(form), FSequence(Seams(), form.Prompts) {
    RetryTimer.setObjectName("SettingsFileRetryTimer");
    RetryTimer.setSingleShot(true);
    RetryTimer.setInterval(RetryIntervalMs);
    connect(&RetryTimer, &QTimer::timeout, this,
            [this] { FForm.Guarded([this] { RetryPending(); }); });
    connect(FForm.SaveToFile1, &QAction::triggered, this,
            [this] { FForm.Guarded([this] { FForm.SaveToFile1Click(); }); });
    connect(FForm.RestoreSettingsFromFile1, &QAction::triggered, this,
            [this] { FForm.Guarded([this] { FForm.RestoreSettingsFromFile1Click(); }); });
    connect(FForm.CaptureScreenShot1, &QAction::triggered, this,
            [this] { FForm.Guarded([this] { FForm.CaptureScreenShot1Click(); }); });
}

TSettingsFileActions::TOutcome TSettingsFileActions::SaveToFile() {
    return Run(TRequest::Save);
}

TSettingsFileActions::TOutcome TSettingsFileActions::RestoreFromFile() {
    return Run(TRequest::Restore);
}

bool TSettingsFileActions::CaptureScreenShot() {
    return TScreenCapture(FForm.Prompts).Capture(FForm);
}

TSettingsFileActions::TOutcome TSettingsFileActions::Run(TRequest request) {
    if (FForm.State.Ending)
        return TOutcome::Ended;
    TOutcome outcome = TOutcome::Deferred;
    if (!FRunning) {
        FRunning = true;
        const auto release = qScopeGuard([this] {
            FRunning = false;
            FForm.State.SettingsFileActive = false;
        });
        try {
            outcome = request == TRequest::Save ? FSequence.Save() : FSequence.Restore();
        } catch (...) {
            // The handler's guard reports it; the "Loading" window must not stay up.
            FForm.MessageForm->hide();
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
    if (!FForm.PortRule.MayStart(TPortRule::TActivity::SettingsFile))
        return false;
    FForm.State.SettingsFileActive = true;
    return true;
}

// A record that does not convert has stopped the read-back: reported here, and the
// sequence ends without its closing message. A read-back cut short because the program is
// ending or the port is gone counts as stopped too, so no further box appears and no
// half-read list is saved.
bool TSettingsFileActions::ReadBack() {
    try {
        FForm.Initialize();
    } catch (const Instrument::TConversionError &e) {
        FForm.ReportException(e);
        return false;
    }
    return !FForm.State.Ending && !FForm.State.Link.PortGone;
}

// Demo mode does not block commands: like the queue, the replay opens the port on demand.
void TSettingsFileActions::SendLine(const QByteArray &line) {
    FForm.Exchange.SendCommand(line);
}

TSettingsFileSeams TSettingsFileActions::Seams() {
    TSettingsFileSeams s;
    s.SendCommand = [this](const QByteArray &line) { SendLine(line); };
    s.Pause = [](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); };
    s.ProcessEvents = [] { QCoreApplication::processEvents(); };
    s.ShowMessageWindow = [this](const QString &label) { FForm.MessageForm->ShowMessage(label); };
    s.CloseMessageWindow = [this] { FForm.MessageForm->hide(); };
    s.ReadBack = [this] { return ReadBack(); };
    s.SettingsLines = [this] { return FForm.State.SettingsList; };
    s.PortIsFree = [this] { return PortIsFree(); };
    s.Ending = [this] { return FForm.State.Ending; };
    s.PortGone = [this] { return FForm.State.Link.PortGone; };
    s.LastOpenedFile = &FForm.State.LastOpenedFile;
    return s;
}
