#include "TestFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

TTestFolder::TTestFolder() {
    // Others (the "nobody" user) must be able to pass through.
    ::chmod(QFile::encodeName(FDir.path()).constData(), 0755);
}

QString TTestFolder::Write(const QString &name, const QByteArray &bytes) const {
    const QString path = File(name);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray TTestFolder::Read(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QStringList TTestFolder::Entries() const {
    return QDir(FDir.path())
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

TReadOnlyFolder::TReadOnlyFolder(const QString &path) : FPath(path) {
    QDir().mkpath(path);
    if (::chmod(QFile::encodeName(path).constData(), 0555) != 0)
        return;
    if (::geteuid() == 0) {
        constexpr uid_t nobody = 65534;
        if (::seteuid(nobody) != 0)
            return;
        FDroppedRights = true;
    }
    FActive = true;
}

TReadOnlyFolder::~TReadOnlyFolder() {
    if (FDroppedRights && ::seteuid(0) != 0)
        std::abort();
    ::chmod(QFile::encodeName(FPath).constData(), 0755);
}
