#include "DiagramFlags.h"

#include "EngineeringUnits.h"
#include "Keywords.h"
#include "ValueRanges.h"

namespace Diagram {

namespace {

// Times in flag texts show every picosecond the entries can hold.
constexpr double FlagResolution = 1e-12;
// Sums of whole steps carry binary noise far below a picosecond.
constexpr double EndTolerance = 1e-13;

QString Prefixed(int channel, const QString &text) {
    return RowName(channel) + QStringLiteral(": ") + text;
}

QString OffGrid(const char *what, double value, double step) {
    return QStringLiteral("%1 %2 is not a whole number of %3 steps")
        .arg(QLatin1String(what), FormatTime(value, FlagResolution), FormatTime(step));
}

void CountFlags(QStringList &out, int channel, int mode, qint64 burst, qint64 on, qint64 off) {
    if (mode == Instrument::cmBurst && burst == 0)
        out << Prefixed(channel, QStringLiteral("burst count is 0"));
    if (mode == Instrument::cmDutyCycle && on == 0)
        out << Prefixed(channel, QStringLiteral("duty-cycle on count is 0"));
    if (mode == Instrument::cmDutyCycle && off == 0)
        out << Prefixed(channel, QStringLiteral("duty-cycle off count is 0"));
}

} // namespace

QString RowName(int channel) {
    return channel == ChainT0 ? QStringLiteral("T0") : QStringLiteral("Ch %1").arg(channel);
}

QString ChainText(const QVector<int> &path) {
    QStringList names;
    for (const int n : path)
        names << (n == ChainTrigger ? QStringLiteral("Trig") : RowName(n));
    return names.join(QStringLiteral(" \u2192 "));
}

QStringList SystemFlags(const TDiagramSnapshot &s) {
    QStringList out;
    // The system and channel mode tables share the burst and duty-cycle indexes.
    CountFlags(out, ChainT0, s.SystemMode, s.BurstCount, s.DutyOnCount, s.DutyOffCount);
    return out;
}

QStringList ChannelFlags(const TDiagramSnapshot &s, int channel, const TSyncChain &chain) {
    const TChannelSnapshot &c = s.Channels[size_t(channel)];
    QStringList out;
    if (!c.Enabled)
        return out;
    const double end = chain.Start + c.Width;
    if (s.SystemMode == Instrument::smContinuous && s.Period > 0.0 && end - s.Period > EndTolerance)
        out << Prefixed(channel, QStringLiteral("delay + width end at %1, past the %2 period")
                                     .arg(FormatTime(end, FlagResolution), FormatTime(s.Period)));
    if (!Instrument::CheckResolution(c.Delay, s.DelayStep))
        out << Prefixed(channel, OffGrid("delay", c.Delay, s.DelayStep));
    if (!Instrument::CheckResolution(c.Width, s.WidthStep))
        out << Prefixed(channel, OffGrid("width", c.Width, s.WidthStep));
    const int ref = SyncReference(c.SyncSource);
    if (chain.Loop)
        out << Prefixed(
            channel,
            QStringLiteral("sync chain loops (%1), drawn from T0").arg(ChainText(chain.Path)));
    else if (chain.ReferenceMissing)
        out << Prefixed(
            channel,
            QStringLiteral("synced to %1, which this model does not have").arg(RowName(ref)));
    else if (ref > ChainT0 && !s.Channels[size_t(ref)].Enabled)
        out << Prefixed(channel,
                        QStringLiteral("synced to %1, which is disabled").arg(RowName(ref)));
    CountFlags(out, channel, c.Mode, c.BurstCount, c.DutyOnCount, c.DutyOffCount);
    return out;
}

} // namespace Diagram
