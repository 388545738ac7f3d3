#pragma once

#include "AppControl.h"
#include "AppState.h"
#include "CommLog.h"
#include "Exchange.h"
#include "Guarded.h"
#include "LogMenu.h"
#include "PortRule.h"
#include "SessionView.h"
#include "TerminalEcho.h"
#include "VKComPort.h"

#include <QDateTime>
#include <QObject>
#include <QTimer>
#include <exception>
#include <functional>
#include <memory>
#include <optional>

class TCommandQueue;
class TPrompts;
class TSearchProgress;

// What a session takes from its surroundings. Null interfaces get quiet defaults: no
// terminal echo, no log menu, and a lifecycle that ends the session instead of the program.
struct TSessionSetup {
    TTerminalEcho *Terminal = nullptr;
    TAppControl *App = nullptr;
    TLogMenu *LogMenu = nullptr;
    QString PortsDirectory; // empty: PULSEPANEL_PORTS, else the machine's serial devices
    QString LogDirectory;   // empty: the working directory
};

// One conversation with one instrument, without widgets: the connection, the read-back
// into the mirrors and the settings list, the command queue and its pass, run/stop, the
// status poll, the bins, the calibration read-back, and the rule for who may use the
// port. A window (or a command-line tool) shows the state through a TSessionView and
// forwards the user's changes to the plain methods below.
class TSession : public QObject {
    Q_OBJECT
public:
    enum class TConnection { Search, Manual, Demo };

    static const char *const PortGoneMessage;        // "Port no longer available, restart?"
    static constexpr quint32 RunResponseTime = 4000; // ms per reply once connected

    TSession(TPrompts &prompts, const TSessionSetup &setup = TSessionSetup());
    ~TSession() override;

    // The view the sequences report to; null: none (the defaults of TSessionView).
    void SetView(TSessionView *view);
    TSessionView &View() { return *FView; }

    // --- connection ------------------------------------------------------------------------
    // Search: every port at every rate, identified (progress may be null). Manual: the
    // port picker names the port, 115200 baud, no identification. Demo: no instrument.
    // False when no instrument was found or no port chosen.
    bool Connect(TConnection how, TSearchProgress *progress = nullptr);
    // After a connection: reply time, run stamp, empty lists, the log when asked for, the
    // launch read-back 500 ms later.
    void BeginRun(const QDateTime &start, bool logging);

    // --- read-back ---------------------------------------------------------------------------
    // The instrument's whole state into the mirrors and the settings list (view: the
    // controls). A record field that does not convert stops it and is thrown on; a port
    // that is gone or a session that ends stops it quietly.
    void ReadBack();
    // The launch timer's tick: the first read-back once the port is free.
    void LaunchTick();
    // The calibration factors into the mirrors and the calibration list; the caller has
    // been allowed the port (TPortRule::TActivity::CalRetrieve). False when cut short.
    bool ReadCalibrations(TCalibrationView &view, const QString &caption);

    // --- commands ----------------------------------------------------------------------------
    // Appends one command to the queue; false (discarded) while a read-back runs.
    bool QueueCommand(const QString &command);
    void RequestRefresh();
    void SaveBin(int bin);
    // *RCL bin and the full read-back, at the next pass.
    void RecallBin(int bin);
    void Run();
    void Stop();
    void RunStop(); // acts on the mirror's run flag
    // Sets the run flag and shows it when it changed.
    void SetSystemRunning(bool running);
    // The status timer's tick: one poll when the port is free.
    void StatusTick();
    // One poll: run state (and the shot count when the view wants it).
    void UpdateStatus();
    // "Count: " and the count right-aligned in ten characters.
    static QString ShotCountText(quint32 count);
    // Replay of a settings or calibration file line: sent at once, echoed and logged.
    void SendLine(const QByteArray &line);

    // --- lifecycle ---------------------------------------------------------------------------
    // From here on the port is never opened again and no timer starts.
    void EnterEnding();
    // The general error report: a message box with the error's text (none once ending).
    void ReportException(const std::exception &e) noexcept;
    template <class F> void Guarded(F &&body) noexcept {
        RunGuarded([this](const std::exception &e) { ReportException(e); }, body);
    }
    // Opens the service window once its code was accepted (the poll after that).
    std::function<void()> OpenServiceWindow;

    TPrompts &Prompts;
    TAppState State;
    TVKComPort ComPort;

private:
    struct TQuietSurroundings;
    std::unique_ptr<TQuietSurroundings> FQuiet;
    TTerminalEcho &FTerminal;
    TAppControl &FApp;

public:
    TCommLog CommLog;
    TExchange Exchange;
    QTimer LaunchTimer; // 500 ms, one shot: the first read-back
    QTimer StatusTimer; // 1000 ms: the status poll
    QTimer TaskTimer;   // 5 ms: the command queue, refresh and recall
    TPortRule PortRule;
    TCommandQueue *Queue = nullptr;

signals:
    // The mirrors changed: a read-back ended, the run state changed, a calibration
    // read-back ended.
    void StateChanged();

private:
    void ReadBackLive();
    void AbortReadBack();
    void EndReadBackIfCut() const;
    QString ReadBackQuery(const QString &query);
    std::optional<qint32> ReadBackIntegerReply(const QString &query);
    void ReadIdentity();
    void ReadSystemRecord();
    void ReadTrigGateRecords();
    void ReadSingleValues();
    void ReadChannelRecord(int n);
    void ReadCalIdentity(TCalibrationView &view);
    void ReadInputCals(TCalibrationView &view);
    void ReadChannelCals(TCalibrationView &view, int n);
    qint32 QueryCal(const QString &query);

    TSessionView FNoView;
    TSessionView *FView = &FNoView;
};
