#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <sys/types.h>

// How to start one simulated instrument.
struct TSimLaunch {
    QString Model = "6180-12";
    QString Brand = "VK";
    qint64 Serial = 1234;
    QString Firmware = "1.00";
    QString Fpga = "1.25";
    int Baud = 115200;
    bool Unsecured = false;
    QString PortsDir; // empty: no COM link
    int Com = 1;
    QStringList ExtraArgs; // e.g. {"--pace"}, {"--fault", "drop 1 *IDN?"}
};

// One line of the transcript: Kind is "RX" (Baud set), "TX" or "--" (a note).
struct TSimTranscriptEntry {
    double Seconds = 0;
    QString Kind;
    int Baud = 0;
    QByteArray Text; // unescaped
};

// A pulsesim child process for tests. Needs no event loop (the test may block its main
// thread while the program under test waits for a reply): the child runs on its own and
// everything here talks to it with blocking calls that have time limits.
class TSimProcess {
public:
    explicit TSimProcess(TSimLaunch launch = TSimLaunch());
    ~TSimProcess();
    TSimProcess(const TSimProcess &) = delete;
    TSimProcess &operator=(const TSimProcess &) = delete;

    // Starts the simulator and waits until its pty (and COM link) exist.
    bool Start(QString *error = nullptr);
    // SIGTERM, then waits; returns the exit code (-1 when it had to be killed).
    int Stop();
    bool Running() const { return FPid > 0; }

    QString SlavePath() const { return FSlavePath; }
    QString LinkPath() const { return FLinkPath; }
    QString TranscriptPath() const;
    QString FinalDumpPath() const; // written by Stop()

    // A control command (see sim/SimControl.h); its reply, or an empty text on failure.
    QString Control(const QString &command) const;
    bool InjectFault(const QString &faultText) const {
        return Control("fault " + faultText) == "ok";
    }
    bool Vanish() const { return Control("vanish") == "ok"; }
    bool SignalVanish() const; // SIGUSR1, as a user would

    QList<TSimTranscriptEntry> Transcript() const;
    QStringList ReceivedLines() const; // the text of every RX entry, in order
    // Dump of the running instrument, by section ("state", "bin 3", ...).
    QMap<QString, QStringList> Dump() const;
    static QMap<QString, QStringList> ReadDump(const QString &path);
    static QString BinaryPath();

private:
    bool ReadStartupLine(int fd, QByteArray &line, int timeoutMs);

    TSimLaunch FLaunch;
    QTemporaryDir FDir;
    pid_t FPid = -1;
    QString FSlavePath;
    QString FLinkPath;
    mutable int FDumpCount = 0;
};
