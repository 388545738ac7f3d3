#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

class TPrompts;
class TLogMenu;

// The optional communication log: one text file per run, "SystemLogFile_" + user + "_" +
// start stamp + ".txt", lines ended by CR LF. The exchange functions write the entries.
//
// Switching logging on the first time in a run creates the file anew; switching it on
// again later in the same run appends to that file behind a new header line, so an
// earlier part of the run is never lost. Every line is flushed at once, so the lines
// written before a restart or a crash are in the file.
class TCommLog {
public:
    static const char *const CannotWriteMessage;

    // userName is the USERNAME value fixed at start (may be empty), startTime the program's
    // start time. directory empty: the process's working directory when the file is opened.
    TCommLog(TPrompts &prompts, TLogMenu &menu, const QString &userName, const QDateTime &startTime,
             const QString &directory = QString());
    ~TCommLog();
    TCommLog(const TCommLog &) = delete;
    TCommLog &operator=(const TCommLog &) = delete;

    // The USERNAME environment value, empty when unset.
    static QString UserNameFromEnvironment();
    // "SystemLogFile_" + user + "_" + "MM-dd-yy_HH-mm-ss" + ".txt"; '/', '\' and control
    // characters of the user name become '_' so the name cannot leave the directory.
    static QString FileNameFor(const QString &userName, const QDateTime &startTime);
    // Time of day of an entry: "HH:mm:ss.zzz".
    static QString TimeOfDay();

    // Names the file after the run's user and start time, which the program fixes once it
    // is connected; only before the file has been created in this run.
    void SetRunStamp(const QString &userName, const QDateTime &startTime);

    QString FilePath() const; // the file as opened (relative when no directory was given)
    bool LoggingEnabled() const { return FLoggingEnabled; }

    // Menu item and "log" switch: on when off, off when on. When the file cannot be
    // created or written, shows CannotWriteMessage and logging stays off.
    void ToggleLoggingState();
    // Closes the file and clears LoggingEnabled (program end).
    void Close();

    // Entries; each writes one line only while logging is enabled.
    void Sent(const QByteArray &text);
    void Received(const QString &reply);
    void ExceptionError();
    void CommandDisabled(const QByteArray &command);
    void ComportInUse(const QByteArray &command);
    void TimeoutError();

private:
    bool Start();
    void Stop();
    bool WriteLine(const QByteArray &line);
    void WriteEntry(const QByteArray &line);
    static QByteArray HeaderLine();

    TPrompts &FPrompts;
    TLogMenu &FMenu;
    QString FDirectory;
    QString FFilePath;
    QFile FFile;
    bool FLoggingEnabled = false;
    bool FCreatedThisRun = false;
};
