#include "Keywords.h"

#include <iterator>

namespace Instrument {

QString TKeywordTable::KeywordAt(int index) const {
    if (index < 0 || index >= Keywords.size())
        return QString();
    return Keywords.at(index);
}

int TKeywordTable::IndexOf(const QString &keyword) const {
    return static_cast<int>(Keywords.indexOf(keyword));
}

namespace {

TKeywordTable Table(std::initializer_list<std::pair<const char *, const char *>> items) {
    TKeywordTable t;
    for (const auto &[keyword, caption] : items) {
        t.Keywords << QString::fromLatin1(keyword);
        t.Captions << QString::fromLatin1(caption);
    }
    return t;
}

// The external clock rates in MHz; the input selector lacks the last one.
constexpr int ClockRatesMHz[] = {10, 20, 25, 30, 40, 50, 60, 80, 100};
constexpr int InputClockRates = 8;

// The first item, then one per clock rate: keyword "<rate>", caption "<rate> MHz<suffix>".
TKeywordTable ClockTable(const char *keyword, const char *caption, int rates, const char *suffix) {
    TKeywordTable t = Table({{keyword, caption}});
    for (int i = 0; i < rates; ++i) {
        const QString rate = QString::number(ClockRatesMHz[i]);
        t.Keywords << rate;
        t.Captions << rate + QStringLiteral(" MHz") + QLatin1String(suffix);
    }
    return t;
}

enum TSelector {
    SystemMode,
    SyncOutput,
    TriggerMode,
    TriggerEdge,
    Debounce,
    GateMode,
    GateLogic,
    InputClock,
    OutputClock,
    CounterSource,
    ChannelMode,
    Polarity,
    OutputMode,
    ChannelGateMode,
    ChannelSyncSource,
    ChannelControl,
    ChannelGateLogic,
    SelectorCount
};

// Every selector's items, in TSelector order; built on first use.
const TKeywordTable &Of(TSelector selector) {
    static const TKeywordTable tables[SelectorCount] = {
        Table({{"NORM", "Continuous"},
               {"SING", "Single Shot"},
               {"BURS", "Burst"},
               {"DCYC", "Duty Cycle"}}),
        Table({{"T0", "T0"},
               {"Ch1", "Ch 1"},
               {"Ch2", "Ch 2"},
               {"Ch4", "Ch 4"},
               {"Ch6", "Ch 6"},
               {"TRIG", "Trig"},
               {"GATE", "Gate"}}),
        Table({{"DIS", "Disabled"}, {"TRIG", "Triggered"}}),
        Table({{"RIS", "Rising"}, {"FALL", "Falling"}}),
        Table({{"DIS", "Disabled"}, {"ENAB", "Enabled"}}),
        Table({{"DIS", "Disabled"},
               {"PULS", "Pulse Inhibit"},
               {"OUTP", "Output Inhibit"},
               {"CHAN", "Channel"}}),
        Table({{"LOW", "Low"}, {"HIGH", "High"}}),
        ClockTable("SYS", "System Osc", InputClockRates, " Ext"),
        ClockTable("T0", "To Pulse", int(std::size(ClockRatesMHz)), ""),
        Table({{"T0", "T0"}, {"CH1", "Ch 1"}, {"CH6", "Ch 6"}, {"CH8", "Ch 8"}, {"CH10", "Ch 10"}}),
        Table({{"NORM", "Normal"},
               {"SING", "Single Shot"},
               {"BURS", "Burst"},
               {"DCYC", "Duty Cycle"}}),
        Table({{"NORM", "Normal"}, {"INV", "Inverted"}}),
        Table({{"TTL", "TTL/CMOS"}, {"ADJ", "Adjustable"}}),
        Table({{"DIS", "Disabled"}, {"PULS", "Pulse Inh"}, {"OUTP", "Out Inh"}}),
        Table({{"DIS", "Disabled"}, {"SYNA", "Sync A"}, {"SYNB", "Sync B"}, {"SYNT", "Sync Trig"}}),
        Table({{"DIS", "Disabled"}, {"GATA", "Gate A"}, {"GATB", "Gate B"}, {"INHB", "Inhibit B"}}),
        Table({{"LOW", "Active Low"}, {"HIGH", "Active High"}}),
    };
    return tables[selector];
}

} // namespace

// clang-format off
const TKeywordTable &SystemModeTable() { return Of(SystemMode); }
const TKeywordTable &SyncOutputTable() { return Of(SyncOutput); }
const TKeywordTable &TriggerModeTable() { return Of(TriggerMode); }
const TKeywordTable &TriggerEdgeTable() { return Of(TriggerEdge); }
const TKeywordTable &DebounceTable() { return Of(Debounce); }
const TKeywordTable &GateModeTable() { return Of(GateMode); }
const TKeywordTable &GateLogicTable() { return Of(GateLogic); }
const TKeywordTable &InputClockTable() { return Of(InputClock); }
const TKeywordTable &OutputClockTable() { return Of(OutputClock); }
const TKeywordTable &CounterSourceTable() { return Of(CounterSource); }
const TKeywordTable &ChannelModeTable() { return Of(ChannelMode); }
const TKeywordTable &PolarityTable() { return Of(Polarity); }
const TKeywordTable &OutputModeTable() { return Of(OutputMode); }
const TKeywordTable &ChannelGateModeTable() { return Of(ChannelGateMode); }
const TKeywordTable &ChannelSyncSourceTable() { return Of(ChannelSyncSource); }
const TKeywordTable &ChannelControlTable() { return Of(ChannelControl); }
const TKeywordTable &ChannelGateLogicTable() { return Of(ChannelGateLogic); }
// clang-format on

const QStringList &InputClockReplyKeywords() {
    static const QStringList k =
        InputClockTable().Keywords + QStringList{QString::number(ClockRatesMHz[InputClockRates])};
    return k;
}

const QStringList &MuxItems() {
    static const QStringList items = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"),
                                      QStringLiteral("3"), QStringLiteral("4")};
    return items;
}

const QStringList &CompanyItems() {
    static const QStringList items = {QStringLiteral("HTX 631K"), QStringLiteral("VK 6180"),
                                      QStringLiteral("Reserved"), QStringLiteral("VK 4190")};
    return items;
}

const QStringList &ChannelCountItems() {
    static const QStringList items = {QStringLiteral("6"), QStringLiteral("12"),
                                      QStringLiteral("24"), QStringLiteral("36")};
    return items;
}

int ChannelCountOfItem(int item) {
    static constexpr int counts[] = {6, 12, 24, 36};
    return item >= 0 && item < 4 ? counts[item] : -1;
}

int ItemOfChannelCount(int channels) {
    for (int i = 0; i < 4; ++i)
        if (ChannelCountOfItem(i) == channels)
            return i;
    return -1;
}

} // namespace Instrument
