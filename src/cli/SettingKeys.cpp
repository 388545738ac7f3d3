#include "SettingKeys.h"

#include "Commands.h"
#include "ControlLimits.h"
#include "Keywords.h"
#include "ModelTable.h"
#include "NumberFormat.h"

#include <QRegularExpression>
#include <functional>
#include <optional>

using namespace Instrument;

namespace {

enum class TKind { Time, Level, Unsigned, Signed, Keyword, Flag, Mux };

// Limits of a value, taken from the model when the key is used.
using TLimitsOf = std::function<TLevelLimits(const TValueRanges &)>;

struct TKey {
    QString Name; // without "chN." for channel keys
    TKind Kind;
    const char *Unit; // for --help
    TLimitsOf Limits; // not for keywords, flags and masks
    const TKeywordTable &(*Table)() = nullptr;
    // Exactly one builder is set; n is the channel (0 for system and inputs).
    std::function<QString(int n, double value)> Number;
    std::function<QString(int n, int item)> Item;
};

using TNumberBuilder = std::function<QString(int, double)>;
using TItemBuilder = std::function<QString(int, int)>;

std::uint32_t U32(double v) {
    return CountAsUnsigned(v);
}
std::int32_t S32(double v) {
    return CountAsSigned(v);
}

// The model's limits and step of one kind of time value.
TKey TimeKey(const char *name, TValueRange TValueRanges::*range, TNumberBuilder build) {
    const auto limits = [range](const TValueRanges &r) -> TLevelLimits {
        return {(r.*range).MinValue, (r.*range).MaxValue, (r.*range).Increment};
    };
    return {name, TKind::Time, "s", limits, nullptr, std::move(build), nullptr};
}
TKey LevelKey(const QString &name, TLevelLimits limits, TNumberBuilder build) {
    return {name,    TKind::Level,     "V",    [limits](const TValueRanges &) { return limits; },
            nullptr, std::move(build), nullptr};
}
// Whole steps from `min` to the model's limit `max`.
template <class T>
TKey CountKey(const char *name, TKind kind, double min, T TCountLimits::*max,
              TNumberBuilder build) {
    const auto limits = [min, max](const TValueRanges &r) -> TLevelLimits {
        return {min, static_cast<double>(r.CountLimits.*max), 1.0};
    };
    return {name, kind, "count", limits, nullptr, std::move(build), nullptr};
}
TKey KeywordKey(const QString &name, const TKeywordTable &(*table)(), TItemBuilder build) {
    return {name, TKind::Keyword, "", nullptr, table, nullptr, std::move(build)};
}
TKey FlagKey(const char *name, TItemBuilder build) {
    return {name, TKind::Flag, "", nullptr, nullptr, nullptr, std::move(build)};
}

// A drop-down of an input: the key's last part, its keyword table, its command.
struct TInputSelector {
    const char *Name;
    const TKeywordTable &(*Table)();
    QString (*Command)(int input, int item);
};

// "trig1.mode" ... "gate2.debounce": both inputs alike, but gate 2 has no level of its
// own (one threshold serves trigger 2 and gate 2).
QList<TKey> InputKeys() {
    static const TInputSelector trigger[] = {{"mode", TriggerModeTable, TriggerModeCommand},
                                             {"edge", TriggerEdgeTable, TriggerEdgeCommand},
                                             {"debounce", DebounceTable, TriggerDebounceCommand}};
    static const TInputSelector gate[] = {{"mode", GateModeTable, GateModeCommand},
                                          {"logic", GateLogicTable, GateLogicCommand},
                                          {"debounce", DebounceTable, GateDebounceCommand}};
    QList<TKey> keys;
    const auto selectors = [&keys](const QString &prefix, int in, const auto &list) {
        for (const TInputSelector &s : list)
            keys << KeywordKey(prefix + s.Name, s.Table,
                               [in, s](int, int i) { return s.Command(in, i); });
    };
    for (const int in : {1, 2}) {
        const QString prefix = QStringLiteral("trig%1.").arg(in);
        selectors(prefix, in, trigger);
        keys << LevelKey(prefix + "level", ThresholdLimits,
                         [in](int, double v) { return TriggerLevelCommand(in, v); });
    }
    for (const int in : {1, 2}) {
        const QString prefix = QStringLiteral("gate%1.").arg(in);
        selectors(prefix, in, gate);
        if (in == 1)
            keys << LevelKey(prefix + "level", ThresholdLimits,
                             [](int, double v) { return Gate1LevelCommand(v); });
    }
    return keys;
}

const QList<TKey> &SystemKeys() {
    static const QList<TKey> keys =
        QList<TKey>{
            TimeKey("period", &TValueRanges::PeriodRange,
                    [](int, double v) { return PeriodCommand(v); }),
            KeywordKey("mode", SystemModeTable, [](int, int i) { return SystemModeCommand(i); }),
            CountKey("burst", TKind::Unsigned, BurstCountMin, &TCountLimits::SystemBurstMax,
                     [](int, double v) { return SystemBurstCommand(U32(v)); }),
            CountKey("dutyon", TKind::Unsigned, BurstCountMin, &TCountLimits::SystemDutyMax,
                     [](int, double v) { return SystemDutyOnCommand(U32(v)); }),
            CountKey("dutyoff", TKind::Unsigned, BurstCountMin, &TCountLimits::SystemDutyMax,
                     [](int, double v) { return SystemDutyOffCommand(U32(v)); }),
            CountKey("cycles", TKind::Signed, WaitCountMin, &TCountLimits::SystemCycleMax,
                     [](int, double v) { return SystemCycleCommand(S32(v)); }),
            FlagKey("autostart", [](int, int on) { return AutoStartCommand(on); }),
            KeywordKey("sync", SyncOutputTable, [](int, int i) { return SyncOutputCommand(i); }),
            KeywordKey("iclock", InputClockTable, [](int, int i) { return InputClockCommand(i); }),
            KeywordKey("oclock", OutputClockTable,
                       [](int, int i) { return OutputClockCommand(i); }),
            FlagKey("counter", [](int, int on) { return CounterEnableCommand(on); }),
            KeywordKey("countersource", CounterSourceTable,
                       [](int, int i) { return CounterSourceCommand(i); }),
        } +
        InputKeys();
    return keys;
}

const QList<TKey> &ChannelKeys() {
    static const QList<TKey> keys = {
        FlagKey("enabled", [](int n, int on) { return ChannelEnableCommand(n, on); }),
        TimeKey("delay", &TValueRanges::DelayRange, ChannelDelayCommand),
        TimeKey("width", &TValueRanges::WidthRange, ChannelWidthCommand),
        KeywordKey("mode", ChannelModeTable, ChannelModeCommand),
        CountKey("burst", TKind::Signed, BurstCountMin, &TCountLimits::ChannelBurstMax,
                 [](int n, double v) { return ChannelBurstCommand(n, S32(v)); }),
        CountKey("wait", TKind::Signed, WaitCountMin, &TCountLimits::ChannelWaitMax,
                 [](int n, double v) { return ChannelWaitCommand(n, S32(v)); }),
        CountKey("dutyon", TKind::Signed, BurstCountMin, &TCountLimits::ChannelDutyMax,
                 [](int n, double v) { return ChannelDutyOnCommand(n, S32(v)); }),
        CountKey("dutyoff", TKind::Signed, BurstCountMin, &TCountLimits::ChannelDutyMax,
                 [](int n, double v) { return ChannelDutyOffCommand(n, S32(v)); }),
        KeywordKey("polarity", PolarityTable, ChannelPolarityCommand),
        KeywordKey("output", OutputModeTable, ChannelOutputModeCommand),
        LevelKey("amplitude", AmplitudeLimits, ChannelAmplitudeCommand),
        KeywordKey("gate", ChannelGateModeTable, ChannelGateModeCommand),
        KeywordKey("sync", ChannelSyncSourceTable, ChannelSyncSourceCommand),
        {"mux", TKind::Mux, "", nullptr, nullptr, nullptr, ChannelMuxCommand},
        KeywordKey("control", ChannelControlTable, ChannelControlCommand),
        KeywordKey("logic", ChannelGateLogicTable, ChannelGateLogicCommand),
    };
    return keys;
}

const TKey *FindKey(const QList<TKey> &keys, const QString &name) {
    for (const TKey &k : keys)
        if (name == k.Name)
            return &k;
    return nullptr;
}

QString Number(double v) {
    return QString::number(v, 'g', 12);
}

std::optional<int> FlagOf(const QString &value) {
    const QString v = value.toLower();
    if (v == "1" || v == "on" || v == "true" || v == "yes")
        return 1;
    if (v == "0" || v == "off" || v == "false" || v == "no")
        return 0;
    return std::nullopt;
}

// The item of a keyword, in any letter case; -1 when it is not in the table.
int ItemOf(const TKeywordTable &table, const QString &value) {
    for (int i = 0; i < table.Count(); ++i)
        if (table.Keywords[i].compare(value, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TSettingKeys::TOutcome Refuse(const QString &key, const QString &why) {
    TSettingKeys::TOutcome o;
    o.Refusal = key + QStringLiteral(": ") + why;
    return o;
}

TSettingKeys::TOutcome Accept(const QString &command) {
    TSettingKeys::TOutcome o;
    o.Command = command;
    return o;
}

TSettingKeys::TOutcome BuildNumber(const TKey &k, const QString &key, const QString &value, int n,
                                   const TValueRanges &ranges) {
    const bool count = k.Kind == TKind::Unsigned || k.Kind == TKind::Signed;
    std::optional<double> v;
    if (count) {
        if (const auto i = ParseInt64(value))
            v = static_cast<double>(*i);
    } else {
        v = ParseDouble(value);
    }
    if (!v)
        return Refuse(
            key,
            QStringLiteral("\"%1\" is not %2").arg(value, count ? "a whole number" : "a number"));
    const TLevelLimits l = k.Limits(ranges);
    const QString unit = count ? QString() : QStringLiteral(" ") + QLatin1String(k.Unit);
    if (*v < l.MinValue || *v > l.MaxValue)
        return Refuse(key, QStringLiteral("%1%4 is outside %2 to %3%4")
                               .arg(value, Number(l.MinValue), Number(l.MaxValue), unit));
    // The panel's resolution test: a whole number of the model's steps.
    if (!CheckResolution(*v, l.Increment))
        return Refuse(key, QStringLiteral("%1%3 is not a whole number of %2%3 steps")
                               .arg(value, Number(l.Increment), unit));
    return Accept(k.Number(n, *v));
}

TSettingKeys::TOutcome BuildKey(const TKey &k, const QString &key, const QString &value, int n,
                                int channelCount, const TValueRanges &ranges) {
    switch (k.Kind) {
    case TKind::Keyword: {
        const TKeywordTable &table = k.Table();
        const int item = ItemOf(table, value);
        if (item < 0)
            return Refuse(key, QStringLiteral("\"%1\" is none of %2")
                                   .arg(value, table.Keywords.join(QStringLiteral(", "))));
        return Accept(k.Item(n, item));
    }
    case TKind::Flag: {
        const auto on = FlagOf(value);
        if (!on)
            return Refuse(key, QStringLiteral("\"%1\" is none of on, off, 1, 0").arg(value));
        return Accept(k.Item(n, *on));
    }
    case TKind::Mux: {
        // The check list offers four items on the small models, five on the others.
        const int items = channelCount < 12 ? MuxItemCountSmall : MuxItemCount;
        const auto mask = ParseInt32(value);
        const int max = (1 << items) - 1;
        if (!mask || *mask < 0 || *mask > max)
            return Refuse(key,
                          QStringLiteral("\"%1\" is not a mask of 0 to %2").arg(value).arg(max));
        return Accept(k.Item(n, *mask));
    }
    default:
        return BuildNumber(k, key, value, n, ranges);
    }
}

} // namespace

TSettingKeys::TOutcome TSettingKeys::Build(const QString &key, const QString &value,
                                           int channelCount, const TValueRanges &ranges) {
    static const QRegularExpression channelKey(QStringLiteral("^ch([1-9][0-9]?)\\.([a-z]+)$"));
    const QRegularExpressionMatch m = channelKey.match(key);
    if (m.hasMatch()) {
        const TKey *k = FindKey(ChannelKeys(), m.captured(2));
        const int n = m.captured(1).toInt();
        if (k && n > channelCount)
            return Refuse(key, QStringLiteral("this model has %1 channels").arg(channelCount));
        if (k)
            return BuildKey(*k, key, value, n, channelCount, ranges);
    } else if (const TKey *k = FindKey(SystemKeys(), key)) {
        return BuildKey(*k, key, value, 0, channelCount, ranges);
    }
    TOutcome o = Refuse(key, QStringLiteral("no such setting"));
    o.UnknownKey = true;
    return o;
}

QStringList TSettingKeys::HelpLines() {
    // Limits of the 12-channel models, and the 36-channel models' where they differ.
    const TValueRanges common = ChooseValueRanges(DefaultChannelCount);
    const TValueRanges large = ChooseValueRanges(MaxChannels);
    const auto limits = [&](const TKey &k, const char *unit) {
        const TLevelLimits l = k.Limits(common);
        const TLevelLimits l36 = k.Limits(large);
        QString text = QStringLiteral("%1, %2 to %3")
                           .arg(QLatin1String(unit), Number(l.MinValue), Number(l.MaxValue));
        if (l36.MaxValue != l.MaxValue)
            text += QStringLiteral(" (36 channels: to %1)").arg(Number(l36.MaxValue));
        if (l.Increment != 1.0)
            text += QStringLiteral(", step %1").arg(Number(l.Increment));
        return text;
    };
    const auto describe = [&](const TKey &k) {
        switch (k.Kind) {
        case TKind::Keyword:
            return k.Table().Keywords.join(QLatin1Char('|'));
        case TKind::Flag:
            return QStringLiteral("on|off");
        case TKind::Mux:
            return QStringLiteral("bit mask of the multiplexer items, 0 to 31 (6 channels: 15)");
        case TKind::Time:
            return limits(k, "seconds");
        case TKind::Level:
            return limits(k, "volts");
        default:
            return limits(k, "count");
        }
    };
    QStringList lines;
    for (const TKey &k : SystemKeys())
        lines << QStringLiteral("  %1 %2").arg(k.Name, -18).arg(describe(k));
    for (const TKey &k : ChannelKeys())
        lines << QStringLiteral("  chN.%1 %2").arg(k.Name, -14).arg(describe(k));
    return lines;
}
