#include "SimFields.h"

#include "SimNumbers.h"

#include <cstdint>
#include <utility>

TSimField TSimField::Integer(const char *mnemonic, int64_t min, int64_t maxSmall,
                             int64_t maxLarge) {
    return {mnemonic, nullptr, kInteger, 0, min, maxSmall, maxLarge, {}};
}

TSimField TSimField::Scaled(const char *mnemonic, int scale, int64_t min, int64_t maxSmall,
                            int64_t maxLarge) {
    return {mnemonic, nullptr, kScaled, scale, min, maxSmall, maxLarge, {}};
}

TSimField TSimField::Keyword(const char *mnemonic, std::vector<std::string> keywords,
                             const char *alias) {
    return {mnemonic, alias, kKeyword, 0, 0, 0, 0, std::move(keywords)};
}

std::string TSimField::Format(int64_t v) const {
    if (Kind == kKeyword)
        return v >= 0 && v < static_cast<int64_t>(Keywords.size()) ? Keywords[size_t(v)] : "";
    return Kind == kScaled ? SimNumbers::FormatScaled(v, Scale) : std::to_string(v);
}

TSimError TSimField::Parse(const std::string &text, int channelCount, int64_t &out) const {
    if (Kind == kKeyword) {
        for (size_t i = 0; i < Keywords.size(); ++i)
            if (Keywords[i] == text) {
                out = static_cast<int64_t>(i);
                return TSimError::None;
            }
        return TSimError::BadArgument;
    }
    int64_t v = 0;
    const bool ok = Kind == kScaled ? SimNumbers::ParseScaled(text, Scale, v)
                                    : SimNumbers::ParseInteger(text, INT64_MIN, INT64_MAX, v);
    if (!ok)
        return TSimError::BadArgument;
    if (v < Min || v > Max(channelCount))
        return TSimError::OutOfRange;
    out = v;
    return TSimError::None;
}

std::string FormatRecord(const TSimFieldList &fields, const TSimRecord &r) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i)
        text += (i == 0 ? "" : " ") + fields[i].Format(r[i]);
    return text;
}

void AppendFieldLines(std::vector<std::string> &lines, const std::string &prefix,
                      const TSimFieldList &fields, const TSimRecord &r) {
    for (size_t i = 0; i < fields.size(); ++i)
        lines.push_back(prefix + fields[i].Mnemonic + " " + fields[i].Format(r[i]));
}

TSimError ParseRecord(const TSimFieldList &fields, const std::vector<std::string> &words,
                      int channelCount, TSimRecord &r) {
    if (words.size() != fields.size())
        return TSimError::BadRecord;
    TSimRecord parsed = r;
    for (size_t i = 0; i < fields.size(); ++i) {
        const TSimError e = fields[i].Parse(words[i], channelCount, parsed[i]);
        if (e != TSimError::None)
            return e;
    }
    r = parsed;
    return TSimError::None;
}

std::optional<size_t> FindField(const TSimFieldList &fields, const std::string &m) {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].Names(m))
            return i;
    return std::nullopt;
}

namespace {

using F = TSimField;

const std::vector<std::string> kRunModes = {"NORM", "SING", "BURS", "DCYC"};
const std::vector<std::string> kDisEnab = {"DIS", "ENAB"};
const std::vector<std::string> kLowHigh = {"LOW", "HIGH"};

constexpr int64_t kBig = 4000000000LL;
constexpr int64_t kMaxPeriod = 5000000000000LL;      // 5000 s in ns
constexpr int64_t kMaxTimeSmall = 200000000000000LL; // 2000 s in 10 ps
constexpr int64_t kMaxTimeLarge = 200000000000LL;    // 2 s in 10 ps

} // namespace

const TSimFieldList &SystemFields() {
    static const TSimFieldList fields = {
        F::Scaled(":PER", 9, 50, kMaxPeriod, kMaxPeriod),
        F::Keyword(":MOD", kRunModes),
        F::Integer(":BCO", 1, kBig, 10000000),
        F::Integer(":PCO", 1, kBig, 10000000),
        F::Integer(":OCO", 1, kBig, 10000000),
        F::Integer(":CYCL", 0, 10000000, 1000000),
    };
    return fields;
}

const TSimFieldList &TriggerFields() {
    static const TSimFieldList fields = {
        F::Keyword(":MOD", {"DIS", "TRIG"}),
        F::Keyword(":EDG", {"RIS", "FALL"}),
        F::Scaled(":LEV", 2, 20, 1500, 1500),
        F::Keyword(":DEB", kDisEnab),
    };
    return fields;
}

// The gate commands spell the input two ways: ":GATEn" for mode and level, ":GATn" for
// logic and debounce. "%" stands for the input number.
const TSimFieldList &GateFields() {
    static const TSimFieldList fields = {
        F::Keyword(":GATE%:MOD", {"DIS", "PULS", "OUTP", "CHAN"}),
        F::Keyword(":GAT%:LOG", kLowHigh),
        F::Scaled(":GATE%:LEV", 2, 20, 1500, 1500),
        F::Keyword(":GAT%:DEB", kDisEnab),
    };
    return fields;
}

const TSimFieldList &ChannelFields() {
    static const TSimFieldList fields = {
        F::Integer(":STAT", 0, 1, 1),
        F::Scaled(":DEL", 11, 0, kMaxTimeSmall, kMaxTimeLarge),
        F::Scaled(":WIDT", 11, 1000, kMaxTimeSmall, kMaxTimeLarge),
        F::Keyword(":MOD", kRunModes),
        F::Integer(":BCO", 1, 10000000, 1000000),
        F::Integer(":PCO", 1, 10000000, 1000000),
        F::Integer(":OCO", 1, 10000000, 1000000),
        F::Integer(":WCO", 0, 10000000, 1000000),
        F::Keyword(":OUTP:MOD", {"TTL", "ADJ"}),
        F::Keyword(":OUTP:POL", {"NORM", "INV"}),
        F::Scaled(":OUTP:AMPL", 2, 200, 2000, 2000),
        F::Integer(":MUX", 0, 31, 31),
        F::Keyword(":CONT", {"DIS", "GATA", "GATB", "INHB"}),
        F::Keyword(":SYNC", {"DIS", "SYNA", "SYNB", "SYNT"}),
        F::Keyword(":CGAT", {"DIS", "PULS", "OUTP"}),
        F::Keyword(":CLOG", kLowHigh),
    };
    return fields;
}

// A settings file restores the input clock with the query's spelling ":SYST:ICLOCK", the
// panel sets it as ":SYST:ICL": both are accepted.
const TSimFieldList &OptionFields() {
    static const TSimFieldList fields = {
        F::Integer(":SYST:AUT", 0, 1, 1),
        F::Keyword(":SYST:ICLOCK", {"SYS", "10", "20", "25", "30", "40", "50", "60", "80"},
                   ":SYST:ICL"),
        F::Keyword(":SYST:OCL", {"T0", "10", "20", "25", "30", "40", "50", "60", "80", "100"}),
        F::Keyword(":SYST:SYNC", {"T0", "Ch1", "Ch2", "Ch4", "Ch6", "TRIG", "GATE"}),
        F::Integer(":COUN:STAT", 0, 1, 1),
        F::Keyword(":COUN:SEL", {"T0", "CH1", "CH6", "CH8", "CH10"}),
    };
    return fields;
}
