#pragma once

#include "SimError.h"
#include "SimSettings.h"

#include <optional>
#include <string>
#include <vector>

// One setting as the wire spells it: its mnemonic, how its argument is written and checked.
// Its place in its table is its place in the record, so the same descriptor drives the set
// command, its query and its field in a configuration record, and the three can never
// disagree.
struct TSimField {
    enum TKind { kInteger, kScaled, kKeyword };
    const char *Mnemonic; // set command / query name, e.g. ":DEL" or ":SYST:AUT"
    const char *Alias;    // second accepted spelling of the set command, or nullptr
    TKind Kind;
    int Scale; // decimals of a kScaled value
    int64_t Min;
    int64_t MaxSmall; // upper limit below 36 channels
    int64_t MaxLarge; // upper limit at 36 channels
    std::vector<std::string> Keywords;

    static TSimField Integer(const char *mnemonic, int64_t min, int64_t maxSmall, int64_t maxLarge);
    static TSimField Scaled(const char *mnemonic, int scale, int64_t min, int64_t maxSmall,
                            int64_t maxLarge);
    static TSimField Keyword(const char *mnemonic, std::vector<std::string> keywords,
                             const char *alias = nullptr);

    int64_t Max(int channelCount) const { return channelCount >= 36 ? MaxLarge : MaxSmall; }
    bool Names(const std::string &m) const { return m == Mnemonic || (Alias && m == Alias); }
    std::string Format(int64_t value) const;
    // On any error `out` is left untouched.
    TSimError Parse(const std::string &text, int channelCount, int64_t &out) const;
};

using TSimFieldList = std::vector<TSimField>;

// Field tables in record order.
const TSimFieldList &SystemFields();  // record 0 after the run-state field
const TSimFieldList &TriggerFields(); // records 90, 91 (":TRIGn" prefix)
const TSimFieldList &GateFields();    // records 92, 93 (full mnemonics)
const TSimFieldList &ChannelFields(); // records 1..N (":PULSn" prefix)
const TSimFieldList &OptionFields();  // single-value system settings

std::string FormatRecord(const TSimFieldList &fields, const TSimRecord &r);
// All or nothing: on any error `r` is left untouched.
TSimError ParseRecord(const TSimFieldList &fields, const std::vector<std::string> &words,
                      int channelCount, TSimRecord &r);
// One set line per field: "<prefix><mnemonic> <value>".
void AppendFieldLines(std::vector<std::string> &lines, const std::string &prefix,
                      const TSimFieldList &fields, const TSimRecord &r);
// The place of the field that `m` names.
std::optional<size_t> FindField(const TSimFieldList &fields, const std::string &m);
