#include "SimFields.h"

namespace {

const std::vector<std::string> kRunModes = {"NORM", "SING", "BURS", "DCYC"};
const std::vector<std::string> kDisEnab = {"DIS", "ENAB"};
const std::vector<std::string> kLowHigh = {"LOW", "HIGH"};

constexpr int64_t kBig = 4000000000LL;

} // namespace

const TSimFieldList<TSimSystem> &SystemFields() {
    using F = TSimField<TSimSystem>;
    static const TSimFieldList<TSimSystem> fields = {
        {":PER",
         nullptr,
         F::kScaled,
         9,
         50,
         5000000000000LL,
         5000000000000LL,
         {},
         &TSimSystem::Period},
        {":MOD", nullptr, F::kKeyword, 0, 0, 0, 0, kRunModes, &TSimSystem::Mode},
        {":BCO", nullptr, F::kInteger, 0, 1, kBig, 10000000, {}, &TSimSystem::Burst},
        {":PCO", nullptr, F::kInteger, 0, 1, kBig, 10000000, {}, &TSimSystem::DutyOn},
        {":OCO", nullptr, F::kInteger, 0, 1, kBig, 10000000, {}, &TSimSystem::DutyOff},
        {":CYCL", nullptr, F::kInteger, 0, 0, 10000000, 1000000, {}, &TSimSystem::Cycles},
    };
    return fields;
}

const TSimFieldList<TSimTrigger> &TriggerFields() {
    using F = TSimField<TSimTrigger>;
    static const TSimFieldList<TSimTrigger> fields = {
        {":MOD", nullptr, F::kKeyword, 0, 0, 0, 0, {"DIS", "TRIG"}, &TSimTrigger::Mode},
        {":EDG", nullptr, F::kKeyword, 0, 0, 0, 0, {"RIS", "FALL"}, &TSimTrigger::Edge},
        {":LEV", nullptr, F::kScaled, 2, 20, 1500, 1500, {}, &TSimTrigger::Level},
        {":DEB", nullptr, F::kKeyword, 0, 0, 0, 0, kDisEnab, &TSimTrigger::Debounce},
    };
    return fields;
}

// The gate commands spell the input two ways: ":GATEn" for mode and level, ":GATn" for
// logic and debounce. "%" stands for the input number.
const TSimFieldList<TSimGate> &GateFields() {
    using F = TSimField<TSimGate>;
    static const TSimFieldList<TSimGate> fields = {
        {":GATE%:MOD",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"DIS", "PULS", "OUTP", "CHAN"},
         &TSimGate::Mode},
        {":GAT%:LOG", nullptr, F::kKeyword, 0, 0, 0, 0, kLowHigh, &TSimGate::Logic},
        {":GATE%:LEV", nullptr, F::kScaled, 2, 20, 1500, 1500, {}, &TSimGate::Level},
        {":GAT%:DEB", nullptr, F::kKeyword, 0, 0, 0, 0, kDisEnab, &TSimGate::Debounce},
    };
    return fields;
}

const TSimFieldList<TSimChannel> &ChannelFields() {
    using F = TSimField<TSimChannel>;
    static const TSimFieldList<TSimChannel> fields = {
        {":STAT", nullptr, F::kInteger, 0, 0, 1, 1, {}, &TSimChannel::Enabled},
        {":DEL",
         nullptr,
         F::kScaled,
         11,
         0,
         200000000000000LL,
         200000000000LL,
         {},
         &TSimChannel::Delay},
        {":WIDT",
         nullptr,
         F::kScaled,
         11,
         1000,
         200000000000000LL,
         200000000000LL,
         {},
         &TSimChannel::Width},
        {":MOD", nullptr, F::kKeyword, 0, 0, 0, 0, kRunModes, &TSimChannel::Mode},
        {":BCO", nullptr, F::kInteger, 0, 1, 10000000, 1000000, {}, &TSimChannel::Burst},
        {":PCO", nullptr, F::kInteger, 0, 1, 10000000, 1000000, {}, &TSimChannel::DutyOn},
        {":OCO", nullptr, F::kInteger, 0, 1, 10000000, 1000000, {}, &TSimChannel::DutyOff},
        {":WCO", nullptr, F::kInteger, 0, 0, 10000000, 1000000, {}, &TSimChannel::Wait},
        {":OUTP:MOD", nullptr, F::kKeyword, 0, 0, 0, 0, {"TTL", "ADJ"}, &TSimChannel::OutputMode},
        {":OUTP:POL", nullptr, F::kKeyword, 0, 0, 0, 0, {"NORM", "INV"}, &TSimChannel::Polarity},
        {":OUTP:AMPL", nullptr, F::kScaled, 2, 200, 2000, 2000, {}, &TSimChannel::Amplitude},
        {":MUX", nullptr, F::kInteger, 0, 0, 31, 31, {}, &TSimChannel::Mux},
        {":CONT",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"DIS", "GATA", "GATB", "INHB"},
         &TSimChannel::Control},
        {":SYNC",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"DIS", "SYNA", "SYNB", "SYNT"},
         &TSimChannel::Sync},
        {":CGAT",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"DIS", "PULS", "OUTP"},
         &TSimChannel::GateMode},
        {":CLOG", nullptr, F::kKeyword, 0, 0, 0, 0, kLowHigh, &TSimChannel::GateLogic},
    };
    return fields;
}

// A settings file restores the input clock with the query's spelling ":SYST:ICLOCK", the
// panel sets it as ":SYST:ICL": both are accepted.
const TSimFieldList<TSimOptions> &OptionFields() {
    using F = TSimField<TSimOptions>;
    static const TSimFieldList<TSimOptions> fields = {
        {":SYST:AUT", nullptr, F::kInteger, 0, 0, 1, 1, {}, &TSimOptions::AutoStart},
        {":SYST:ICLOCK",
         ":SYST:ICL",
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"SYS", "10", "20", "25", "30", "40", "50", "60", "80"},
         &TSimOptions::InputClock},
        {":SYST:OCL",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"T0", "10", "20", "25", "30", "40", "50", "60", "80", "100"},
         &TSimOptions::OutputClock},
        {":SYST:SYNC",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"T0", "Ch1", "Ch2", "Ch4", "Ch6", "TRIG", "GATE"},
         &TSimOptions::SyncOutput},
        {":COUN:STAT", nullptr, F::kInteger, 0, 0, 1, 1, {}, &TSimOptions::CounterEnabled},
        {":COUN:SEL",
         nullptr,
         F::kKeyword,
         0,
         0,
         0,
         0,
         {"T0", "CH1", "CH6", "CH8", "CH10"},
         &TSimOptions::CounterSource},
    };
    return fields;
}
