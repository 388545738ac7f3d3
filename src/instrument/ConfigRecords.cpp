#include "ConfigRecords.h"

#include "Commands.h"
#include "ConversionError.h"
#include "Keywords.h"
#include "NumberFormat.h"
#include "TextTrim.h"

#include <algorithm>

namespace Instrument {

void TRecordStatus::ThrowIfFailed() const {
    if (!Ok())
        throw TConversionError(Error);
}

namespace {

// A reply that never found its line end can be kilobytes long: the message quotes only
// its start, so that the error box stays readable.
constexpr qsizetype MaxQuotedField = 40;

QString Quoted(const QString &field) {
    const QString shown =
        field.size() > MaxQuotedField ? field.left(MaxQuotedField) + QStringLiteral("...") : field;
    return QLatin1Char('\'') + shown + QLatin1Char('\'');
}

} // namespace

QString NotAnIntegerMessage(const QString &field) {
    return Quoted(field) + QStringLiteral(" is not a valid integer value");
}

QString NotADecimalMessage(const QString &field) {
    return Quoted(field) + QStringLiteral(" is not a valid floating point value");
}

namespace {

// Walks one record field by field and converts each into the mirror. Every conversion
// returns false once a field has failed, so a chain of them stops at the first failure.
class TRecordReader {
public:
    TRecordReader(const QString &record, int fieldCount, bool trimLast)
        : FRest(record), FFieldCount(fieldCount), FTrimLast(trimLast) {}

    bool Flag01(bool &out) {
        const QString f = NextField();
        if (f == QLatin1String("1"))
            out = true;
        else if (f == QLatin1String("0"))
            out = false;
        else
            MarkUnrecognised();
        return Done();
    }

    bool Keyword(const QStringList &keywords, std::int32_t &out) {
        const int index = static_cast<int>(keywords.indexOf(NextField()));
        if (index >= 0)
            out = index;
        else
            MarkUnrecognised();
        return Done();
    }

    bool Keyword(const TKeywordTable &table, std::int32_t &out) {
        return Keyword(table.Keywords, out);
    }

    bool Decimal(double &out) {
        return Number(out, ParseDouble, NotADecimalMessage, [](double v) { return v; });
    }

    bool Int32(std::int32_t &out) {
        return Number(out, ParseInt32, NotAnIntegerMessage, [](std::int32_t v) { return v; });
    }

    // Read as 64 bits, the low 32 kept.
    bool Low32(std::uint32_t &out) {
        return Number(out, ParseInt64, NotAnIntegerMessage, LowBits32);
    }

    const TRecordStatus &Status() const { return FStatus; }

private:
    QString NextField() {
        ++FField;
        if (FField == FFieldCount)
            return FTrimLast ? TrimTrailingWhite(FRest) : FRest;
        const qsizetype blank = FRest.indexOf(QLatin1Char(' '));
        if (blank < 0)
            return QString(); // the rest stays for the next field
        const QString field = TrimTrailingWhite(QStringView(FRest).left(blank));
        FRest = FRest.mid(blank + 1);
        return field;
    }

    // A number field: one that does not parse stops the record with message's text.
    template <typename T, typename V, typename Keep>
    bool Number(T &out, std::optional<V> (*parse)(QStringView), QString (*message)(const QString &),
                Keep keep) {
        const QString f = NextField();
        const std::optional<V> v = parse(f);
        if (!v)
            return Fail(message(f));
        out = keep(*v);
        return Done();
    }

    void MarkUnrecognised() { FStatus.Unrecognised |= 1u << (FField - 1); }

    bool Done() {
        FStatus.FieldsApplied = FField;
        return true;
    }

    bool Fail(const QString &message) {
        FStatus.Error = message;
        return false;
    }

    QString FRest;
    int FFieldCount;
    bool FTrimLast;
    int FField = 0;
    TRecordStatus FStatus;
};

} // namespace

TRecordStatus ParseSystemRecord(const QString &record, TSystemSettings &m) {
    TRecordReader r(record, SystemFieldCount, true);
    r.Flag01(m.SystemRunning) && r.Decimal(m.Period) &&
        r.Keyword(SystemModeTable(), m.SystemMode) && r.Low32(m.BurstCount) &&
        r.Low32(m.DutyOnCount) && r.Low32(m.DutyOffCount) && r.Int32(m.CycleCount);
    return r.Status();
}

namespace {

// Trigger and gate records share their layout: mode, edge or logic, level, debounce; the
// second input's two records share one level.
TRecordStatus ParseInputRecord(int number, const QString &record, TTrigGateSettings &m) {
    const struct {
        int Number, FieldCount;
        const TKeywordTable &Modes, &EdgesOrLogics;
        std::int32_t &Mode, &EdgeOrLogic;
        double &Level;
        std::int32_t &Debounce;
    } inputs[] = {
        {Trigger1Record, TriggerFieldCount, TriggerModeTable(), TriggerEdgeTable(), m.Trig1Mode,
         m.Trig1Edge, m.Trig1Level, m.Trig1Debounce},
        {Trigger2Record, TriggerFieldCount, TriggerModeTable(), TriggerEdgeTable(), m.Trig2Mode,
         m.Trig2Edge, m.TrigGate2Level, m.Trig2Debounce},
        {Gate1Record, GateFieldCount, GateModeTable(), GateLogicTable(), m.Gate1Mode, m.Gate1Logic,
         m.Gate1Level, m.Gate1Debounce},
        {Gate2Record, GateFieldCount, GateModeTable(), GateLogicTable(), m.Gate2Mode, m.Gate2Logic,
         m.TrigGate2Level, m.Gate2Debounce},
    };
    const auto &in = *std::find_if(std::begin(inputs), std::end(inputs),
                                   [&](const auto &i) { return i.Number == number; });
    TRecordReader r(record, in.FieldCount, false);
    r.Keyword(in.Modes, in.Mode) && r.Keyword(in.EdgesOrLogics, in.EdgeOrLogic) &&
        r.Decimal(in.Level) && r.Keyword(DebounceTable(), in.Debounce);
    return r.Status();
}

} // namespace

TRecordStatus ParseTriggerRecord(int input, const QString &record, TTrigGateSettings &m) {
    return ParseInputRecord(input == 1 ? Trigger1Record : Trigger2Record, record, m);
}

TRecordStatus ParseGateRecord(int input, const QString &record, TTrigGateSettings &m) {
    return ParseInputRecord(input == 1 ? Gate1Record : Gate2Record, record, m);
}

TRecordStatus ParseChannelRecord(const QString &record, TChannelSettings &m) {
    TRecordReader r(record, ChannelFieldCount, false);
    r.Int32(m.Enabled) && r.Decimal(m.Delay) && r.Decimal(m.Width) &&
        r.Keyword(ChannelModeTable(), m.Mode) && r.Int32(m.BurstCount) && r.Int32(m.DutyOnCount) &&
        r.Int32(m.DutyOffCount) && r.Int32(m.WaitCount) &&
        r.Keyword(OutputModeTable(), m.OutputMode) && r.Keyword(PolarityTable(), m.Polarity) &&
        r.Decimal(m.Amplitude) && r.Int32(m.MuxMask) &&
        r.Keyword(ChannelControlTable(), m.ControlMode) &&
        r.Keyword(ChannelSyncSourceTable(), m.SyncSource) &&
        r.Keyword(ChannelGateModeTable(), m.GateMode) &&
        r.Keyword(ChannelGateLogicTable(), m.GateLogic);
    return r.Status();
}

} // namespace Instrument
