#include "SettingsFileWriter.h"

#include "SettingsLines.h"
#include "WholeFileWriter.h"

QString TSettingsFileWriter::Write(const QString &path, const QStringList &lines) {
    return TWholeFileWriter::Write(path, Instrument::FileBytes(lines));
}
