#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <termios.h>
#include <thread>

// Scripted instrument on the master side of a pseudo-terminal, for component tests.
// It keeps its own slave descriptor open (so the program may close and reopen the port),
// links COM<n> -> slave in a port-map directory, records every byte it receives, splits
// them into lines at LF (a CR before the LF is dropped) and answers each line from a script
// of replies, in a background thread.
class TPtyPeer {
public:
    using TClock = std::chrono::steady_clock;
    struct TChunk {
        QByteArray Bytes;
        int DelayMs = 0; // pause before this chunk is written
    };

    // portsDir: an existing port-map directory to link into (for several peers in one map);
    // empty: the peer makes its own temporary directory.
    explicit TPtyPeer(qint32 comNumber = 1, const QString &portsDir = QString());
    ~TPtyPeer();
    TPtyPeer(const TPtyPeer &) = delete;
    TPtyPeer &operator=(const TPtyPeer &) = delete;

    bool IsValid() const { return FMaster >= 0; }
    QString ErrorText() const { return FError; }
    // A benchmark's main: the application and a peer on COM 1, then the measurement; where
    // there is no pseudo-terminal it says why and ends cleanly.
    static int RunBench(int argc, char **argv, const std::function<int(TPtyPeer &)> &measure);
    qint32 ComNumber() const { return FComNumber; }
    QString SlavePath() const { return FSlavePath; }
    QString PortsDir() const { return FPortsDir; } // hand this to PULSEPANEL_PORTS
    QString LinkPath() const { return FLinkPath; }

    // Script: each received line takes the next entry; without one the responder (if set)
    // answers, otherwise the line goes unanswered.
    void QueueReply(const QByteArray &bytes, int delayMs = 0);
    void QueueChunks(const QList<TChunk> &chunks);
    void QueueSilence();
    void SetResponder(std::function<QByteArray(const QByteArray &line)> responder);
    int PendingScript() const;

    // Writes to the slave's input at once, outside the script (garbage, early bytes).
    bool SendNow(const QByteArray &bytes);
    // Same from the peer's thread after a pause; returns at once.
    void SendLater(const QByteArray &bytes, int delayMs);

    QByteArray Received() const;                 // every byte received, in order
    QList<QByteArray> Lines() const;             // complete lines, without CR LF
    QList<TClock::time_point> LineTimes() const; // when each line's LF arrived
    void ClearReceived();
    // Waits until at least count lines were received; false on time-out.
    bool WaitForLines(int count, int timeoutMs) const;
    // Waits until the script and every delayed send have been written out.
    bool WaitUntilIdle(int timeoutMs) const;
    // When the most recent write began, and when its last byte had reached the pty.
    TClock::time_point LastWriteBegun() const;
    TClock::time_point LastWriteDone() const;

    // The slave's settings as the master sees them (the program's port settings).
    qint32 SlaveBaud() const; // 0 when unknown
    bool SlaveTermios(termios &t) const;
    // Changes the slave's baud rate from the peer's own slave descriptor (to notice a
    // later reopen that sets it back).
    bool SetSlaveBaud(qint32 baud);

private:
    struct TAction {
        QList<TChunk> Chunks;
    };
    void Run();
    void HandleInput(const char *data, qint64 size);
    void Perform(const TAction &action);
    bool WriteMaster(const QByteArray &bytes);
    void Fail(const QString &what);
    void CloseAll();
    void Wake();

    qint32 FComNumber;
    int FMaster = -1;
    int FSlave = -1;
    int FWake[2] = {-1, -1};
    QString FSlavePath;
    QString FPortsDir;
    QString FLinkPath;
    QString FError;
    std::unique_ptr<QTemporaryDir> FOwnDir;

    mutable std::mutex FMutex;
    mutable std::condition_variable FChanged;
    QByteArray FReceived;
    QByteArray FPartialLine;
    QList<QByteArray> FLines;
    QList<TClock::time_point> FLineTimes;
    QList<TAction> FScript;
    QList<TAction> FWork; // actions due, performed by the thread
    std::function<QByteArray(const QByteArray &)> FResponder;
    int FBusy = 0;
    TClock::time_point FLastWrite;
    TClock::time_point FLastWriteBegun;
    std::mutex FWriteMutex;
    std::atomic<bool> FStop{false};
    std::thread FThread;
};
