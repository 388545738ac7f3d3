#include "PortLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QStringList>

// The folders and name Qt's serial port uses for its lock: "/dev/" dropped from the device,
// other '/' turned into '_' ("/dev/pts/3" -> "LCK..pts_3"), in the first readable folder
// that holds the file already or can be written to.
QString TPortLock::LockFilePath(const QString &device) {
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QStringList folders{QStringLiteral("/var/lock"), QStringLiteral("/etc/locks"),
                              QStringLiteral("/var/spool/locks"), QStringLiteral("/var/spool/uucp"),
                              QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    for (const QString &folder : folders) {
        const QString path = folder + QStringLiteral("/LCK..") + name;
        const QFileInfo info(folder);
        if (info.isReadable() && (QFileInfo::exists(path) || info.isWritable()))
            return path;
    }
    return QString();
}

QString TPortLock::HeldReason(const QString &device) {
    const QString path = LockFilePath(device);
    if (path.isEmpty() || !QFileInfo::exists(path))
        return QString();
    QLockFile lock(path);
    qint64 pid = 0;
    QString host;
    QString program;
    // A lock left by a process that has ended is not a holder: Qt's open takes it over.
    if (!lock.getLockInfo(&pid, &host, &program) || lock.tryLock(0)) {
        if (lock.isLocked())
            lock.unlock();
        return QString();
    }
    QString reason = QString::fromLatin1(InUse);
    if (pid > 0)
        reason += program.isEmpty() ? QStringLiteral(" (process %1)").arg(pid)
                                    : QStringLiteral(" (%1, process %2)").arg(program).arg(pid);
    return reason;
}
