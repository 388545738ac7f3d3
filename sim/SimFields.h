#pragma once

#include "SimError.h"
#include "SimNumbers.h"
#include "SimSettings.h"

#include <string>
#include <vector>

// One setting as the wire spells it: its mnemonic, how its argument is written and checked,
// and where it lives. The same descriptor drives the set command, its query and its field in
// a configuration record, so the three can never disagree.
template <class TRecord> struct TSimField {
    enum TKind { kInteger, kScaled, kKeyword };
    const char *Mnemonic; // set command / query name, e.g. ":DEL" or ":SYST:AUT"
    const char *Alias;    // second accepted spelling of the set command, or nullptr
    TKind Kind;
    int Scale; // decimals of a kScaled value
    int64_t Min;
    int64_t MaxSmall; // upper limit below 36 channels
    int64_t MaxLarge; // upper limit at 36 channels
    std::vector<std::string> Keywords;
    int64_t TRecord::*Member;

    int64_t Max(int channelCount) const { return channelCount >= 36 ? MaxLarge : MaxSmall; }
    bool Names(const std::string &m) const { return m == Mnemonic || (Alias && m == Alias); }

    std::string Format(const TRecord &r) const {
        const int64_t v = r.*Member;
        if (Kind == kKeyword)
            return v >= 0 && v < static_cast<int64_t>(Keywords.size()) ? Keywords[size_t(v)] : "";
        return Kind == kScaled ? SimNumbers::FormatScaled(v, Scale) : std::to_string(v);
    }

    TSimError Parse(const std::string &text, int channelCount, int64_t &out) const {
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
};

template <class TRecord> using TSimFieldList = std::vector<TSimField<TRecord>>;

// Field tables in record order.
const TSimFieldList<TSimSystem> &SystemFields();   // record 0 after the run-state field
const TSimFieldList<TSimTrigger> &TriggerFields(); // records 90, 91 (":TRIGn" prefix)
const TSimFieldList<TSimGate> &GateFields();       // records 92, 93 (full mnemonics)
const TSimFieldList<TSimChannel> &ChannelFields(); // records 1..N (":PULSn" prefix)
const TSimFieldList<TSimOptions> &OptionFields();  // single-value system settings

template <class TRecord>
std::string FormatRecord(const TSimFieldList<TRecord> &fields, const TRecord &r) {
    std::string text;
    for (const auto &f : fields)
        text += (text.empty() ? "" : " ") + f.Format(r);
    return text;
}

// All or nothing: on any error `r` is left untouched.
template <class TRecord>
TSimError ParseRecord(const TSimFieldList<TRecord> &fields, const std::vector<std::string> &words,
                      int channelCount, TRecord &r) {
    if (words.size() != fields.size())
        return TSimError::BadRecord;
    TRecord parsed = r;
    for (size_t i = 0; i < fields.size(); ++i) {
        const TSimError e = fields[i].Parse(words[i], channelCount, parsed.*(fields[i].Member));
        if (e != TSimError::None)
            return e;
    }
    r = parsed;
    return TSimError::None;
}

template <class TRecord>
const TSimField<TRecord> *FindField(const TSimFieldList<TRecord> &fields, const std::string &m) {
    for (const auto &f : fields)
        if (f.Names(m))
            return &f;
    return nullptr;
}
