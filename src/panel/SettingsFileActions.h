#pragma once

#include "SettingsFileSequence.h"

#include <QObject>
#include <QTimer>

class QAction;
class QWidget;
class TMessageForm;
class TSession;

// The Storage menu's settings-file entries and the Tools menu's capture: the sequences
// get the session (lines, read-back, prompts) and the window's message window. One restore sequence
// lives for the whole run, so the open dialog starts from the file chosen last.
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

    struct TControls {
        QAction *SaveToFile1, *RestoreSettingsFromFile1, *CaptureScreenShot1;
        QWidget *CaptureTarget; // the window the screen shot shows
        TMessageForm &MessageForm;
    };

    TSettingsFileActions(TSession &session, const TControls &controls, QObject *parent);

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
    TSettingsFileSeams Seams();

    TSession &FSession;
    TControls FControls;
    TSettingsFileSequence FSequence;
    TRequest FPending = TRequest::None;
    TOutcome FLastOutcome = TOutcome::Deferred;
    bool FRunning = false;
};
