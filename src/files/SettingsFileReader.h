#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a settings (or any command) file holds, ready to be replayed.
struct TSettingsFileContent {
    bool Ok = false;
    QString Error;           // when not Ok: names the file and the reason
    QList<QByteArray> Lines; // every line in file order, 8-bit, comment lines included

    bool IsEmpty() const { return Lines.isEmpty(); }
    // The lines that go to the instrument: all but those holding "//".
    QList<QByteArray> CommandLines() const;
    static bool IsCommentLine(const QByteArray &line);
};

// Loads a command file: lines split at CR LF, CR or LF; a UTF-8 or UTF-16 byte-order mark
// selects that encoding, otherwise the bytes are 8-bit text. Files that cannot be command
// text (binary data, oversized files or lines, characters beyond 8 bits in a command) are
// refused as a whole, so that nothing of them reaches the instrument.
class TSettingsFileReader {
public:
    // A saved file of 36 channels is a few kilobytes; these bounds leave ample room.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;
    static constexpr int MaxLineLength = 4096;

    static TSettingsFileContent Read(const QString &path);
    // The same for bytes already in memory; path only names the file in messages.
    static TSettingsFileContent Parse(const QString &path, const QByteArray &bytes);

    static QString FailureMessage(const QString &path, const QString &reason);

private:
    static TSettingsFileContent Failure(const QString &path, const QString &reason);
    static QString LineProblem(const QString &line);
};
