#pragma once

#include "Identity.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// Lines of the settings list (and so of the settings file) and of the calibration list.
namespace Instrument {

// "// " + text.
QString CommentLine(const QString &text);
// "// " + date + "," + time (no blank after the comma).
QString DateLine(const QString &date, const QString &time);
// The same with the system's short date and long time formats.
QString DateLine(const QDateTime &when);

QString SerialNumberLabel(std::int32_t serial); // "Serial Number: 1234"
QString FirmwareLabel(const QString &version);  // "Firmware Ver: 1.00"
QString FPGALabel(const QString &version);      // "FPGA Ver: 1.25"

// "*CFG " + record number + " " + reply, for records 0, 90..93 and channels.
QString RecordLine(int record, const QString &reply);
// The single-value lines; integers in decimal, keyword replies as received.
QString AutoStartLine(std::int32_t value);       // ":SYST:AUT 1"
QString InputClockLine(const QString &reply);    // ":SYST:ICLOCK SYS"
QString OutputClockLine(const QString &reply);   // ":SYST:OCL T0"
QString SyncOutputLine(const QString &reply);    // ":SYST:SYNC Ch1"
QString CounterEnableLine(std::int32_t value);   // ":COUN:STAT 0"
QString CounterSourceLine(const QString &reply); // ":COUN:SEL CH1"

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
