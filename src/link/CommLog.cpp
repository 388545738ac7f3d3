#include "CommLog.h"

#include "LogMenu.h"
#include "Prompts.h"
#include "SystemDateTime.h"

#include <QDir>
#include <QTime>

const char *const TCommLog::CannotWriteMessage =
    "Log file cannot be written to. Please run program from writable location. Logging will "
    "be disabled.";

TCommLog::TCommLog(TPrompts &prompts, TLogMenu &menu, const QString &userName,
                   const QDateTime &startTime, const QString &directory)
    : FPrompts(prompts), FMenu(menu), FDirectory(directory) {
    SetRunStamp(userName, startTime);
}

void TCommLog::SetRunStamp(const QString &userName, const QDateTime &startTime) {
    if (FCreatedThisRun)
        return;
    const QString name = FileNameFor(userName, startTime);
    FFilePath = FDirectory.isEmpty() ? name : QDir(FDirectory).filePath(name);
}

TCommLog::~TCommLog() {
    FFile.close();
}

QString TCommLog::UserNameFromEnvironment() {
    return qEnvironmentVariable("USERNAME");
}

QString TCommLog::FileNameFor(const QString &userName, const QDateTime &startTime) {
    QString user = userName;
    for (QChar &c : user)
        if (c == u'/' || c == u'\\' || c.unicode() < 32 || c.unicode() == 127)
            c = u'_';
    return QStringLiteral("SystemLogFile_") + user + u'_' +
           startTime.toString(QStringLiteral("MM-dd-yy_HH-mm-ss")) + QStringLiteral(".txt");
}

QString TCommLog::TimeOfDay() {
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz"));
}

QString TCommLog::FilePath() const {
    return FFilePath;
}

// Short date and long time of the user's locale.
QByteArray TCommLog::HeaderLine() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString text = QStringLiteral("System Communication Log File ") +
                         Instrument::SystemShortDate(now.date()) + u',' +
                         Instrument::SystemLongTime(now.time());
    return text.toLocal8Bit();
}

void TCommLog::ToggleLoggingState() {
    if (FLoggingEnabled) {
        Stop();
        return;
    }
    FLoggingEnabled = true;
    FMenu.SetLoggingChecked(true);
    if (!Start()) {
        FFile.close();
        FLoggingEnabled = false;
        FMenu.SetLoggingChecked(false);
        FPrompts.Message(QString::fromLatin1(CannotWriteMessage));
    }
}

bool TCommLog::Start() {
    FFile.setFileName(FFilePath);
    const QIODevice::OpenMode mode = FCreatedThisRun ? (QIODevice::WriteOnly | QIODevice::Append)
                                                     : (QIODevice::WriteOnly | QIODevice::Truncate);
    if (!FFile.open(mode))
        return false;
    FCreatedThisRun = true;
    return WriteLine(HeaderLine());
}

void TCommLog::Stop() {
    FLoggingEnabled = false;
    FMenu.SetLoggingChecked(false);
    FFile.close();
}

void TCommLog::Close() {
    FFile.close();
    FLoggingEnabled = false;
}

bool TCommLog::WriteLine(const QByteArray &line) {
    const QByteArray bytes = line + "\r\n";
    return FFile.write(bytes) == bytes.size() && FFile.flush();
}

// A line that cannot be written (disk full, medium gone) switches logging off with the
// same message, rather than losing the rest of the log silently.
void TCommLog::WriteEntry(const QByteArray &line) {
    if (!FLoggingEnabled)
        return;
    if (!WriteLine(line)) {
        Stop();
        FPrompts.Message(QString::fromLatin1(CannotWriteMessage));
    }
}

void TCommLog::Sent(const QByteArray &text) {
    WriteEntry("Sent    (" + TimeOfDay().toLatin1() + "): " + text);
}

void TCommLog::Received(const QString &reply) {
    WriteEntry("Received(" + TimeOfDay().toLatin1() + "): " + reply.toLatin1());
}

void TCommLog::ExceptionError() {
    WriteEntry("Exception Error (" + TimeOfDay().toLatin1());
}

void TCommLog::CommandDisabled(const QByteArray &command) {
    WriteEntry("Command Disabled:    (" + TimeOfDay().toLatin1() + "): " + command);
}

void TCommLog::ComportInUse(const QByteArray &command) {
    WriteEntry("Comport in use:    (" + TimeOfDay().toLatin1() + "): " + command);
}

void TCommLog::TimeoutError() {
    WriteEntry("Timeout Error(" + TimeOfDay().toLatin1() + ")");
}
