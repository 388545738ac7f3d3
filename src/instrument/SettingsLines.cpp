#include "SettingsLines.h"

#include "Commands.h"
#include "SystemDateTime.h"

#include <QStringDecoder>

namespace Instrument {

namespace {

// A single value's line is its query followed by the value as read.
QString ValueLine(const QString &query, const QString &value) {
    return query + QLatin1Char(' ') + value;
}

} // namespace

QString CommentLine(const QString &text) {
    return QStringLiteral("// ") + text;
}

QString DateLine(const QString &date, const QString &time) {
    return CommentLine(date + QLatin1Char(',') + time);
}

QString DateLine(const QDateTime &when) {
    return DateLine(SystemShortDate(when.date()), SystemLongTime(when.time()));
}

QString SerialNumberLabel(std::int32_t serial) {
    return QStringLiteral("Serial Number: ") + QString::number(serial);
}

QString FirmwareLabel(const QString &version) {
    return QStringLiteral("Firmware Ver: ") + version;
}

QString FPGALabel(const QString &version) {
    return QStringLiteral("FPGA Ver: ") + version;
}

QString RecordLine(int record, const QString &reply) {
    return RestoreRecordCommand(record, reply);
}

QString AutoStartLine(std::int32_t value) {
    return ValueLine(Query::AutoStart, QString::number(value));
}

QString InputClockLine(const QString &reply) {
    return ValueLine(Query::InputClock, reply);
}

QString OutputClockLine(const QString &reply) {
    return ValueLine(Query::OutputClock, reply);
}

QString SyncOutputLine(const QString &reply) {
    return ValueLine(Query::SyncOutput, reply);
}

QString CounterEnableLine(std::int32_t value) {
    return ValueLine(Query::CounterEnable, QString::number(value));
}

QString CounterSourceLine(const QString &reply) {
    return ValueLine(Query::CounterSource, reply);
}

QStringList CalibrationHeaderLines(const QString &dateLine, const QString &caption,
                                   const TIdentity &identity) {
    return {dateLine, CommentLine(caption),
            QStringLiteral("// Serial Number: ") + QString::number(identity.SerialNumber),
            QStringLiteral("// Firmware Version: ") + identity.FirmwareVersion,
            QStringLiteral("// FPGA Version: ") + identity.FPGAVersion};
}

QByteArray FileBytes(const QStringList &lines) {
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += line.toLatin1();
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

QString DecodeFileText(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder d(QStringConverter::Utf16LE);
        return d(bytes.mid(2));
    }
    if (bytes.startsWith("\xFE\xFF")) {
        QStringDecoder d(QStringConverter::Utf16BE);
        return d(bytes.mid(2));
    }
    return QString::fromLatin1(bytes);
}

} // namespace

QStringList SplitFileLines(const QByteArray &bytes) {
    const QString text = DecodeFileText(bytes);
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

bool IsCommentLine(const QString &line) {
    return line.contains(QLatin1String("//"));
}

} // namespace Instrument
