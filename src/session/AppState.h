#pragma once

#include "Identity.h"
#include "LinkState.h"
#include "Settings.h"
#include "ValueRanges.h"

#include <QString>
#include <QStringList>

// The program-wide state of one running panel: what the instrument is, the last known
// value of every setting, the command queue and the flags that keep exchanges apart.
// Owned by the main window and handed by reference; several panels may live in one
// process (tests), each with its own.
struct TAppState {
    // --- the instrument -------------------------------------------------------------------
    Instrument::TIdentity Identity;       // filled by the search; empty after a manual connection
    int ChannelCount = 0;                 // set by every live read-back from the model
    Instrument::TValueRanges ValueRanges; // PeriodRange, DelayRange, WidthRange, CountLimits

    // --- settings mirrors -------------------------------------------------------------------
    Instrument::TSystemSettings SystemSettings; // SystemSettings.SystemRunning: output runs
    Instrument::TTrigGateSettings TrigGateSettings;
    Instrument::TChannelSettingsArray ChannelSettings{}; // entry n: channel n

    // --- link -------------------------------------------------------------------------------
    TLinkState Link; // CommandsDisabled, DemoMode

    // --- deferred whole-panel work and the command queue -----------------------------------
    bool RefreshRequested = false;
    bool RecallPending = false;
    int RecallBin = 0;
    bool TaskBusy = false;   // a task-timer pass is at work
    bool StatusBusy = false; // a status poll is at work
    bool CommandsPending = false;
    int PendingCount = 0;
    QStringList PendingCommands; // the queue, oldest first

    // Depth of running read-backs (Initialize). While above 0 the task pass and the status
    // tick do not start exchanges of their own; they try again at their next tick.
    int ReadBackActive = 0;

    // Service window work that holds the status poll back (calibration file load,
    // calibration read-back), and an accepted service code waiting for the next poll.
    bool CalLoadPending = false;
    bool CalRetrievePending = false;
    bool ServiceUnlockRequested = false;
    // Running now (not only requested): a calibration load between its lines, a
    // settings-file save or restore between its steps. Both dispatch events meanwhile.
    bool CalLoadActive = false;
    bool SettingsFileActive = false;

    // --- built once per run --------------------------------------------------------------------
    bool TabsCreated = false;
    bool BinsCreated = false;

    bool InstrumentUnsecured = false; // the service lock was open at the last read-back
    int Badge = -1;                   // brand and model index 0..3 of the service window

    // The open dialog starts from the file chosen last, for settings and calibrations alike.
    QString LastOpenedFile;

    // --- text lists ---------------------------------------------------------------------------
    QStringList SettingsList;    // lines of the last read-back (the settings file)
    QStringList CalibrationList; // lines of the last calibration read-back

    QString UserName;       // USERNAME at start, part of the log file name
    QString StartTimeStamp; // "MM-dd-yy_HH-mm-ss" of the start

    // The program is ending (exit or restart decided). From then on the port is never
    // opened again, loops stop at their next step and no new message box appears.
    bool Ending = false;
};
