#include "SettingsFileReader.h"

#include "SettingsLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QList<QByteArray> TSettingsFileContent::CommandLines() const {
    QList<QByteArray> commands;
    for (const QByteArray &line : Lines)
        if (!IsCommentLine(line))
            commands << line;
    return commands;
}

bool TSettingsFileContent::IsCommentLine(const QByteArray &line) {
    return line.contains("//");
}

TSettingsFileContent TSettingsFileReader::Read(const QString &path) {
    QFile file(path);
    if (QFileInfo(path).isDir())
        return Failure(path, QStringLiteral("it is a folder"));
    if (!file.open(QIODevice::ReadOnly))
        return Failure(path, file.errorString());
    // Read one byte past the bound so that files without a known size are caught too.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure(path, file.errorString());
    if (bytes.size() > MaxFileBytes)
        return Failure(path, QStringLiteral("the file is larger than %1 bytes and is not a "
                                            "settings file")
                                 .arg(MaxFileBytes));
    return Parse(path, bytes);
}

TSettingsFileContent TSettingsFileReader::Parse(const QString &path, const QByteArray &bytes) {
    const QStringList lines = Instrument::SplitFileLines(bytes);
    TSettingsFileContent content;
    content.Lines.reserve(lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString problem = LineProblem(lines.at(i));
        if (!problem.isEmpty())
            return Failure(path, QStringLiteral("line %1 %2").arg(i + 1).arg(problem));
        content.Lines << lines.at(i).toLatin1();
    }
    content.Ok = true;
    return content;
}

QString TSettingsFileReader::LineProblem(const QString &line) {
    if (line.size() > MaxLineLength)
        return QStringLiteral("is longer than %1 characters").arg(MaxLineLength);
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        // U+FFFD stands for bytes that did not decode under the byte-order mark.
        if ((u < 0x20 && u != u'\t') || u == 0x7F || u == 0xFFFD)
            return QStringLiteral("holds binary data; this is not a text file");
    }
    if (Instrument::IsCommentLine(line))
        return QString(); // never sent, so its characters do not matter
    for (const QChar c : line)
        if (c.unicode() > 0xFF)
            return QStringLiteral("holds characters that cannot be sent as 8-bit text");
    return QString();
}

QString TSettingsFileReader::FailureMessage(const QString &path, const QString &reason) {
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    return QStringLiteral("Cannot read file \"%1\": %2.").arg(shownPath, reason);
}

TSettingsFileContent TSettingsFileReader::Failure(const QString &path, const QString &reason) {
    TSettingsFileContent content;
    content.Error = FailureMessage(path, reason);
    return content;
}
