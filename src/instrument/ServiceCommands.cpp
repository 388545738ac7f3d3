#include "ServiceCommands.h"

#include "Commands.h"
#include "NumberFormat.h"
#include "TextTrim.h"

#include <cmath>
#include <limits>

namespace Instrument {

QString SerialNumberCommand(std::int32_t serial) {
    return QStringLiteral("*SER ") + FormatSigned(serial);
}

QString BadgeCommand(int badge, int channelCount) {
    return QStringLiteral(":SYST:BAD ") + QString::number(badge) + QLatin1Char(' ') +
           QString::number(channelCount);
}

QString InputCalQuery(TCalInput input, TCalFactor factor) {
    const char *prefix = input == TCalInput::Trigger1    ? ":TRIG1:CAL:"
                         : input == TCalInput::TrigGate2 ? ":TRIG2:CAL:"
                                                         : ":GATE1:CAL:";
    return QLatin1String(prefix) +
           (factor == TCalFactor::Gain ? QStringLiteral("GAIN") : QStringLiteral("OFFS"));
}

QString InputCalCommand(TCalInput input, TCalFactor factor, std::int32_t value) {
    return InputCalQuery(input, factor) + QLatin1Char(' ') + FormatSigned(value);
}

QString ChannelCalQuery(int channel, TChannelCal kind) {
    const char *suffix = kind == TChannelCal::Width     ? ":CAL:WIDT"
                         : kind == TChannelCal::Delay   ? ":CAL:DEL"
                         : kind == TChannelCal::AmpGain ? ":CAL:GAIN"
                                                        : ":CAL:OFFS";
    return ChannelPrefix(channel) + QLatin1String(suffix);
}

QString ChannelCalCommand(int channel, TChannelCal kind, std::int32_t value) {
    return ChannelCalQuery(channel, kind) + QLatin1Char(' ') + FormatSigned(value);
}

QString BadgeLine(const QString &reply) {
    return Query::Badge + QLatin1Char(' ') + reply;
}

QStringList CalibrationHeaderLines(const TIdentity &identity) {
    return {QStringLiteral("// Serial Number: ") + QString::number(identity.SerialNumber),
            QStringLiteral("// Firmware Version: ") + identity.FirmwareVersion,
            QStringLiteral("// FPGA Version: ") + identity.FPGAVersion};
}

std::int32_t CalValueOf(double value) {
    const double r = std::nearbyint(value); // the default rounding mode: ties to even
    if (!(r >= std::numeric_limits<std::int32_t>::min() &&
          r <= std::numeric_limits<std::int32_t>::max()))
        return 0;
    return static_cast<std::int32_t>(r);
}

int BadgeOfReply(const QString &reply) {
    const qsizetype blank = reply.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return -1;
    QStringView head = QStringView(reply).left(blank);
    while (!head.isEmpty() && IsReplyWhite(head.back()))
        head.chop(1);
    const auto v = ParseInt32(head);
    return v ? *v : -1;
}

} // namespace Instrument
