#pragma once

#include <QByteArray>
#include <QString>

// Writes a complete file or nothing: the bytes go to a temporary file beside the target,
// which replaces the target only once every byte has been written. A failure leaves any
// earlier file as it was.
class TWholeFileWriter {
public:
    // Empty on success, otherwise a message naming the file and the reason.
    static QString Write(const QString &path, const QByteArray &bytes);

    // "Cannot write file "<path>": <reason>." and, when the folder cannot be written to,
    // a sentence saying that it is read-only.
    static QString FailureMessage(const QString &path, const QString &reason);

private:
    static bool FolderIsWritable(const QString &folder);
};
