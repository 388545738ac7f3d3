#include "Keywords.h"

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

} // namespace

const TKeywordTable &SystemModeTable() {
    static const TKeywordTable t = Table({{"NORM", "Continuous"},
                                          {"SING", "Single Shot"},
                                          {"BURS", "Burst"},
                                          {"DCYC", "Duty Cycle"}});
    return t;
}

const TKeywordTable &SyncOutputTable() {
    static const TKeywordTable t = Table({{"T0", "T0"},
                                          {"Ch1", "Ch 1"},
                                          {"Ch2", "Ch 2"},
                                          {"Ch4", "Ch 4"},
                                          {"Ch6", "Ch 6"},
                                          {"TRIG", "Trig"},
                                          {"GATE", "Gate"}});
    return t;
}

const TKeywordTable &TriggerModeTable() {
    static const TKeywordTable t = Table({{"DIS", "Disabled"}, {"TRIG", "Triggered"}});
    return t;
}

const TKeywordTable &TriggerEdgeTable() {
    static const TKeywordTable t = Table({{"RIS", "Rising"}, {"FALL", "Falling"}});
    return t;
}

const TKeywordTable &DebounceTable() {
    static const TKeywordTable t = Table({{"DIS", "Disabled"}, {"ENAB", "Enabled"}});
    return t;
}

const TKeywordTable &GateModeTable() {
    static const TKeywordTable t = Table({{"DIS", "Disabled"},
                                          {"PULS", "Pulse Inhibit"},
                                          {"OUTP", "Output Inhibit"},
                                          {"CHAN", "Channel"}});
    return t;
}

const TKeywordTable &GateLogicTable() {
    static const TKeywordTable t = Table({{"LOW", "Low"}, {"HIGH", "High"}});
    return t;
}

const TKeywordTable &InputClockTable() {
    static const TKeywordTable t = Table({{"SYS", "System Osc"},
                                          {"10", "10 MHz Ext"},
                                          {"20", "20 MHz Ext"},
                                          {"25", "25 MHz Ext"},
                                          {"30", "30 MHz Ext"},
                                          {"40", "40 MHz Ext"},
                                          {"50", "50 MHz Ext"},
                                          {"60", "60 MHz Ext"},
                                          {"80", "80 MHz Ext"}});
    return t;
}

const QStringList &InputClockReplyKeywords() {
    static const QStringList k = InputClockTable().Keywords + QStringList{QStringLiteral("100")};
    return k;
}

const TKeywordTable &OutputClockTable() {
    static const TKeywordTable t = Table({{"T0", "To Pulse"},
                                          {"10", "10 MHz"},
                                          {"20", "20 MHz"},
                                          {"25", "25 MHz"},
                                          {"30", "30 MHz"},
                                          {"40", "40 MHz"},
                                          {"50", "50 MHz"},
                                          {"60", "60 MHz"},
                                          {"80", "80 MHz"},
                                          {"100", "100 MHz"}});
    return t;
}

const TKeywordTable &CounterSourceTable() {
    static const TKeywordTable t =
        Table({{"T0", "T0"}, {"CH1", "Ch 1"}, {"CH6", "Ch 6"}, {"CH8", "Ch 8"}, {"CH10", "Ch 10"}});
    return t;
}

const TKeywordTable &ChannelModeTable() {
    static const TKeywordTable t = Table(
        {{"NORM", "Normal"}, {"SING", "Single Shot"}, {"BURS", "Burst"}, {"DCYC", "Duty Cycle"}});
    return t;
}

const TKeywordTable &PolarityTable() {
    static const TKeywordTable t = Table({{"NORM", "Normal"}, {"INV", "Inverted"}});
    return t;
}

const TKeywordTable &OutputModeTable() {
    static const TKeywordTable t = Table({{"TTL", "TTL/CMOS"}, {"ADJ", "Adjustable"}});
    return t;
}

const TKeywordTable &ChannelGateModeTable() {
    static const TKeywordTable t =
        Table({{"DIS", "Disabled"}, {"PULS", "Pulse Inh"}, {"OUTP", "Out Inh"}});
    return t;
}

const TKeywordTable &ChannelSyncSourceTable() {
    static const TKeywordTable t =
        Table({{"DIS", "Disabled"}, {"SYNA", "Sync A"}, {"SYNB", "Sync B"}, {"SYNT", "Sync Trig"}});
    return t;
}

const TKeywordTable &ChannelControlTable() {
    static const TKeywordTable t =
        Table({{"DIS", "Disabled"}, {"GATA", "Gate A"}, {"GATB", "Gate B"}, {"INHB", "Inhibit B"}});
    return t;
}

const TKeywordTable &ChannelGateLogicTable() {
    static const TKeywordTable t = Table({{"LOW", "Active Low"}, {"HIGH", "Active High"}});
    return t;
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
