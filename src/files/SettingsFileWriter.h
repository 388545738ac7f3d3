#pragma once

#include <QString>
#include <QStringList>

// Writes the settings list as a settings file: 8-bit text, CR LF after every line (the
// last one too), no byte-order mark; the complete file or nothing.
class TSettingsFileWriter {
public:
    // Empty on success, otherwise a message naming the file and the reason.
    static QString Write(const QString &path, const QStringList &lines);
};
