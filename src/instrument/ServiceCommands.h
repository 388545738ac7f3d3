#pragma once

#include "Identity.h"

#include <QString>
#include <QStringList>
#include <cstdint>

// Service window commands: secure mode, serial number, badge, calibration factors.
namespace Instrument {

inline const QString AccessCode = QStringLiteral("27183");
inline const QString UnsecureCommand = QStringLiteral(":SYST:SEC 27183");
inline const QString StoreCalsCommand = QStringLiteral("*STR 0");
inline const QString OptimizeCalsCommand = QStringLiteral("*OPT");

namespace Query {
inline const QString SerialNumber = QStringLiteral("*SER");
inline const QString Badge = QStringLiteral(":SYST:BAD");
} // namespace Query

QString SerialNumberCommand(std::int32_t serial);  // "*SER 42"
QString BadgeCommand(int badge, int channelCount); // ":SYST:BAD 1 36"

// Calibration of the trigger/gate inputs.
enum class TCalInput { Trigger1, TrigGate2, Gate1 };
enum class TCalFactor { Gain, Offset };
QString InputCalQuery(TCalInput input, TCalFactor factor); // ":TRIG1:CAL:GAIN"
QString InputCalCommand(TCalInput input, TCalFactor factor, std::int32_t value);

// Calibration of channel n, in the order the read-back takes them.
enum class TChannelCal { Width, Delay, AmpGain, AmpOffset };
QString ChannelCalQuery(int channel, TChannelCal kind);                       // ":PULS12:CAL:DEL"
QString ChannelCalCommand(int channel, TChannelCal kind, std::int32_t value); // "... 30"

// The calibration list's line for a ":SYST:BAD" reply: the command with the whole reply.
QString BadgeLine(const QString &reply);
// "// Serial Number: 1234", "// Firmware Version: 1.00", "// FPGA Version: 1.25".
QStringList CalibrationHeaderLines(const TIdentity &identity);

// A calibration entry's value as the instrument takes it: the nearest integer, ties to
// even.
std::int32_t CalValueOf(double value);

// Badge number of a ":SYST:BAD" reply: the integer before its first blank (trailing
// blanks removed). -1 when there is no blank or that text is not an integer.
int BadgeOfReply(const QString &reply);

} // namespace Instrument
