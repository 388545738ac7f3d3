#pragma once

#include "SettingsFileSequence.h"

#include <QObject>
#include <QTimer>

class TMainForm;

// The Storage menu's settings-file entries and the Tools menu's capture, wired to the
// main window: the sequences get the window's exchange, message window, read-back and
// prompts. One restore sequence lives for the whole run, so the open dialog starts from
// the file chosen last.
//
// Saving or restoring needs the port to itself. Clicked while another exchange waits for
// its reply (a menu click handled inside a wait), or while another settings-file
// operation runs, it is deferred and tried again by a single-shot timer until the port is
// free; the latest such request wins.
class TSettingsFileActions : public QObject {
    Q_OBJECT
public:
    using TOutcome = TSettingsFileSequence::TOutcome;
    enum class TRequest { None, Save, Restore };

    static constexpr int RetryIntervalMs = 100;

    explicit TSettingsFileActions(TMainForm &form);

    TOutcome SaveToFile();
    TOutcome RestoreFromFile();
    // Writes "ScreenShot.jpg" into the working directory; false (after an error box) when
    // it could not be written.
    bool CaptureScreenShot();

    // A deferred request still waiting for the port.
    TRequest Pending() const { return FPending; }
    // Outcome of the last save or restore that ran (Deferred until one ran).
    TOutcome LastOutcome() const { return FLastOutcome; }
    QTimer RetryTimer;

private:
    TOutcome Run(TRequest request);
    void RetryPending();
    bool PortIsFree();
    bool ReadBack();
    void SendLine(const QByteArray &line);
    TSettingsFileSeams Seams();

    TMainForm &FForm;
    TSettingsFileSequence FSequence;
    TRequest FPending = TRequest::None;
    TOutcome FLastOutcome = TOutcome::Deferred;
    bool FRunning = false;
};
