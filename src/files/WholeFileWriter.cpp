#include "WholeFileWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

QString TWholeFileWriter::Write(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return FailureMessage(path, file.errorString());
    if (file.write(bytes) != bytes.size())
        return FailureMessage(path, file.errorString()); // the temporary file is discarded
    if (!file.commit())
        return FailureMessage(path, file.errorString());
    return QString();
}

QString TWholeFileWriter::FailureMessage(const QString &path, const QString &reason) {
    const QFileInfo info(path);
    const QString shownPath = QDir::toNativeSeparators(info.absoluteFilePath());
    QString text = QStringLiteral("Cannot write file \"%1\": %2.").arg(shownPath, reason);
    const QString folder = info.absolutePath();
    if (QFileInfo(folder).isDir() && !FolderIsWritable(folder))
        text += QStringLiteral(" The folder \"%1\" is read-only.")
                    .arg(QDir::toNativeSeparators(folder));
    return text;
}

bool TWholeFileWriter::FolderIsWritable(const QString &folder) {
#ifdef Q_OS_UNIX
    // Effective ids decide what this process may create; QFileInfo asks with the real ones.
    return ::faccessat(AT_FDCWD, QFile::encodeName(folder).constData(), W_OK, AT_EACCESS) == 0;
#else
    return QFileInfo(folder).isWritable();
#endif
}
