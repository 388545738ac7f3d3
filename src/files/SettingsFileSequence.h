#pragma once

#include "SettingsFileReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class TPrompts;

// What the settings-file sequences need from the main window. Required: SendCommand,
// Pause, ShowMessageWindow, CloseMessageWindow, ReadBack, SettingsLines. The others may
// be left empty.
struct TSettingsFileSeams {
    // Sends one line with the exchange's SendCommand (echoed and logged there).
    std::function<void(const QByteArray &line)> SendCommand;
    // Waits the given number of milliseconds.
    std::function<void(int ms)> Pause;
    // Lets the user interface handle its pending events after a line went out.
    std::function<void()> ProcessEvents;
    // The modeless message window: set its label and show it; close it.
    std::function<void(const QString &label)> ShowMessageWindow;
    std::function<void()> CloseMessageWindow;
    // The complete read-back (Initialize). False when it stopped on a reply it could not
    // convert; it has reported that itself. Exceptions pass through untouched.
    std::function<bool()> ReadBack;
    // The settings list as the last read-back left it.
    std::function<QStringList()> SettingsLines;
    // False while another exchange waits for its reply; the sequence is then not started
    // and the caller tries again once the port is free.
    std::function<bool()> PortIsFree;
    // True once the program is ending: the replay stops at its next step, silently.
    std::function<bool()> Ending;
    // True once the port is gone: the replay stops after the line that found it so,
    // closes its message window and says nothing more (the status poll asks next).
    std::function<bool()> PortGone;
    // The save dialog's title; empty: the settings file's.
    QString SaveCaption;
    // The file chosen last in any open dialog of the program, so that each starts from
    // it; null: this sequence keeps its own.
    QString *LastOpenedFile = nullptr;
};

// The two Storage menu entries around the settings file: "Save Settings To File" (read
// back, ask for a name, write) and "Restore Settings From File" (ask for a file, send its
// command lines one by one, read back).
class TSettingsFileSequence {
public:
    static constexpr int LinePauseMs = 30;

    enum class TOutcome {
        Done,      // file written, or settings loaded and read back
        Cancelled, // the user cancelled the file dialog
        Failed,    // the file could not be read or written; an error box said why
        Stopped,   // the read-back stopped on a reply it could not convert
        Deferred,  // another exchange was running; nothing was done
        Ended,     // the program began to end during the replay
        PortLost,  // the port went away during the replay; the rest was not sent
    };

    TSettingsFileSequence(TSettingsFileSeams seams, TPrompts &prompts);

    TOutcome Save();
    TOutcome Restore();
    // Steps 3 to 6 of a restore for lines already loaded; the lines are copied first, so
    // the caller's list may change while they are sent.
    TOutcome Replay(const QList<QByteArray> &lines);

    // The file chosen last; the open dialog starts from it.
    QString LastRestoredFile() const { return LastFile(); }

private:
    bool PortIsFree() const;
    QString &LastFile();
    const QString &LastFile() const;
    bool Ending() const;
    bool PortGone() const;
    void Inform(const QString &text);
    void ShowError(const QString &text);
    static QString WithDefaultExtension(const QString &path);

    TSettingsFileSeams FSeams;
    TPrompts &FPrompts;
    QString FLastRestoredFile;
};
