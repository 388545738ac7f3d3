#pragma once

#include "Identity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// Lines of the settings list (and so of the settings file), of the calibration list, and
// the window texts they quote.
namespace Instrument {

// "// " + text.
QString CommentLine(const QString &text);
// "// " + date + "," + time (no blank after the comma).
QString DateLine(const QString &date, const QString &time);
// The same with the system's short date and long time formats.
QString DateLine(const QDateTime &when);

// company + " Model " + model + "  SW Version: " + version + " ComPort: " + port +
// " Baud: " + baud.
QString WindowCaption(const QString &companyName, const QString &model, const QString &fileVersion,
                      int port, int baud);
// Demo mode: " Model 631K-12  SW Version: " when the program's company string contains
// "Halvorn", else " Model 6180-12  SW Version: ", then the version and " ComPort: Demo".
QString DemoCaption(const QString &programCompanyName, const QString &fileVersion);

QString SerialNumberLabel(std::int32_t serial); // "Serial Number: 1234"
QString FirmwareLabel(const QString &version);  // "Firmware Ver: 1.00"
QString FPGALabel(const QString &version);      // "FPGA Ver: 1.25"

// The five comment lines a read-back starts the settings list with.
QStringList SettingsHeaderLines(const QString &dateLine, const QString &caption,
                                const TIdentity &identity);

// "*CFG " + record number + " " + reply, for records 0, 90..93 and channels.
QString RecordLine(int record, const QString &reply);
// The single-value lines; integers in decimal, keyword replies as received.
QString AutoStartLine(std::int32_t value);       // ":SYST:AUT 1"
QString InputClockLine(const QString &reply);    // ":SYST:ICLOCK SYS"
QString OutputClockLine(const QString &reply);   // ":SYST:OCL T0"
QString SyncOutputLine(const QString &reply);    // ":SYST:SYNC Ch1"
QString CounterEnableLine(std::int32_t value);   // ":COUN:STAT 0"
QString CounterSourceLine(const QString &reply); // ":COUN:SEL CH1"

// Everything one complete read-back gathered, in the form the settings file keeps it.
struct TSettingsSnapshot {
    QString DateLine; // already "// date,time"
    QString Caption;
    TIdentity Identity;
    QString SystemRecord;
    std::array<QString, 4> TrigGateRecords; // records 90, 91, 92, 93
    std::int32_t AutoStart = 0;
    QString InputClockReply;
    QString OutputClockReply;
    QString SyncOutputReply;
    std::int32_t CounterEnable = 0;
    QString CounterSourceReply;
    QStringList ChannelRecords; // channel 1 first
};

// The settings file, line by line: 5 comments, "*CFG 0 ", "*CFG 90 ".."*CFG 93 ", the six
// ":SYST:"/":COUN:" lines, one "*CFG n " line per channel.
QStringList SettingsFileLines(const TSettingsSnapshot &snapshot);

// The calibration list's five comment lines.
QStringList CalibrationHeaderLines(const QString &dateLine, const QString &caption,
                                   const TIdentity &identity);

// File text: 8-bit, every line ended by CR LF, no byte-order mark.
QByteArray FileBytes(const QStringList &lines);
// Lines of a command file: split at CR LF, CR or LF; a UTF-8 or UTF-16 byte-order mark
// selects that encoding, otherwise 8-bit text. A final line end adds no empty line.
QStringList SplitFileLines(const QByteArray &bytes);
// A line holding "//" anywhere is a comment and is never sent.
bool IsCommentLine(const QString &line);

} // namespace Instrument
