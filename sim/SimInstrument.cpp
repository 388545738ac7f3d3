#include "SimInstrument.h"

#include "SimNumbers.h"

#include <cstring>
#include <sstream>

namespace {

std::vector<std::string> Words(const std::string &text) {
    std::vector<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

// Decimal without sign or leading zeros ("0" itself allowed), as the wire numbers channels.
bool ParsePlainNumber(const std::string &text, int64_t max, int64_t &out) {
    if (text.empty() || (text.size() > 1 && text[0] == '0') || text[0] == '+' || text[0] == '-')
        return false;
    return SimNumbers::ParseInteger(text, 0, max, out);
}

bool StartsWith(const std::string &s, const std::string &prefix) {
    return s.rfind(prefix, 0) == 0;
}

std::string Replace(std::string text, char wildcard, int digit) {
    for (char &c : text)
        if (c == wildcard)
            c = static_cast<char>('0' + digit);
    return text;
}

} // namespace

TSimInstrument::TSimInstrument(const TSimIdentity &identity, const TSimClock &clock, bool secured)
    : FIdentity(identity), FClock(clock), FChannelCount(identity.ChannelCount()), FSecured(secured),
      FSettings(TSimSettings::Factory(FChannelCount)),
      FBins(static_cast<size_t>(FChannelCount) + 1, FSettings),
      FCal(TSimCalibration::Factory(FChannelCount)), FStoredCal(FCal),
      FBadge(identity.FactoryBadge()), FBadgeChannels(FChannelCount) {}

bool TSimInstrument::Running() {
    FRun.Advance(FClock.NowNs(), FSettings);
    return FRun.Running();
}

uint64_t TSimInstrument::ShotCount() {
    FRun.Advance(FClock.NowNs(), FSettings);
    return FRun.ShotCount();
}

void TSimInstrument::SetRunning(bool running) {
    const int64_t now = FClock.NowNs();
    if (running)
        FRun.Start(now, FSettings);
    else
        FRun.Stop(now, FSettings);
}

void TSimInstrument::SetShotCount(uint64_t count) {
    FRun.Advance(FClock.NowNs(), FSettings);
    FRun.SetShotCount(count);
}

std::string TSimInstrument::Reply(const std::string &line) {
    // One instant per line, so the run state never sees time go backwards within it.
    const int64_t now = FNowNs = FClock.NowNs();
    FRun.Advance(now, FSettings);
    const std::string reply = StartsWith(line, "*CFG") ? Config(line) : Dispatch(Split(line));
    FRun.Rebase(now, FSettings);
    FRun.Advance(now, FSettings);
    return reply;
}

TSimInstrument::TLine TSimInstrument::Split(const std::string &line) {
    TLine l;
    const size_t blank = line.find(' ');
    if (!line.empty() && line.back() == '?' && blank == std::string::npos) {
        l.Query = true;
        l.Name = line.substr(0, line.size() - 1);
    } else if (blank == std::string::npos) {
        l.Name = line;
    } else {
        l.Name = line.substr(0, blank);
        l.Arg = line.substr(blank + 1);
        l.HasArg = true;
    }
    return l;
}

std::string TSimInstrument::Dispatch(const TLine &l) {
    if (StartsWith(l.Name, "*"))
        return Star(l);
    if (StartsWith(l.Name, ":PULS"))
        return Pulse(l);
    if (StartsWith(l.Name, ":TRIG") || StartsWith(l.Name, ":GAT"))
        return Input(l);
    if (l.Name == ":SYST:SEC" || l.Name == ":SYST:BAD")
        return Service(l);
    if (l.Name == ":COUN:CL" || l.Name == ":COUN:PULS")
        return Counter(l);
    if (const auto place = FindField(OptionFields(), l.Name))
        return Field(OptionFields(), *place, FSettings.Options, l);
    return ErrorReply(TSimError::Unknown);
}

std::string TSimInstrument::Field(const TSimFieldList &fields, size_t place, TSimRecord &r,
                                  const TLine &l) {
    if (l.Query)
        return fields[place].Format(r[place]);
    if (!l.HasArg)
        return ErrorReply(TSimError::BadArgument);
    return ErrorReply(fields[place].Parse(l.Arg, FChannelCount, r[place]));
}

std::string TSimInstrument::Record(int number) const {
    return RecordOf(FSettings, number);
}

// The run-state field belongs to the output, so a stored bin always shows it as 0.
std::string TSimInstrument::RecordOf(const TSimSettings &s, int number) const {
    if (number == 0) {
        return std::string(&s == &FSettings && FRun.Running() ? "1" : "0") + " " +
               FormatRecord(SystemFields(), s.System);
    }
    if (number >= 1 && number <= static_cast<int>(s.Channels.size()))
        return FormatRecord(ChannelFields(), s.Channels[static_cast<size_t>(number - 1)]);
    if (number == 90 || number == 91)
        return FormatRecord(TriggerFields(), s.Trigger[number - 90]);
    if (number == 92 || number == 93)
        return FormatRecord(GateFields(), s.Gate[number - 92]);
    return "";
}

// "*CFG? 0?", "*CFG?5?" (channels go without the blank) and the set form "*CFG n record".
std::string TSimInstrument::Config(const std::string &line) {
    if (StartsWith(line, "*CFG "))
        return ConfigSet(line.substr(5));
    if (!StartsWith(line, "*CFG?") || line.size() < 7 || line.back() != '?')
        return ErrorReply(TSimError::Unknown);
    std::string number = line.substr(5, line.size() - 6);
    if (StartsWith(number, " "))
        number.erase(0, 1);
    int64_t n = 0;
    if (!ParsePlainNumber(number, 999, n))
        return ErrorReply(TSimError::BadArgument);
    const std::string record = Record(static_cast<int>(n));
    return record.empty() ? ErrorReply(TSimError::OutOfRange) : record;
}

std::string TSimInstrument::ConfigSet(const std::string &arg) {
    std::vector<std::string> words = Words(arg);
    int64_t n = 0;
    if (words.empty() || !ParsePlainNumber(words[0], 999, n))
        return ErrorReply(TSimError::BadArgument);
    words.erase(words.begin());
    TSimError e = TSimError::OutOfRange;
    if (n == 0) {
        // The run-state field is checked but not applied: only :PULS0:STAT starts the output.
        if (words.empty() || (words[0] != "0" && words[0] != "1"))
            return ErrorReply(TSimError::BadRecord);
        words.erase(words.begin());
        e = ParseRecord(SystemFields(), words, FChannelCount, FSettings.System);
    } else if (n >= 1 && n <= FChannelCount) {
        e = ParseRecord(ChannelFields(), words, FChannelCount,
                        FSettings.Channels[static_cast<size_t>(n - 1)]);
    } else if (n == 90 || n == 91) {
        e = ParseRecord(TriggerFields(), words, FChannelCount, FSettings.Trigger[n - 90]);
        if (e == TSimError::None && n == 91)
            SyncInput2Level(false);
    } else if (n == 92 || n == 93) {
        e = ParseRecord(GateFields(), words, FChannelCount, FSettings.Gate[n - 92]);
        if (e == TSimError::None && n == 93)
            SyncInput2Level(true);
    }
    return ErrorReply(e);
}

// Trigger 2 and gate 2 are one physical input with one threshold.
void TSimInstrument::SyncInput2Level(bool fromGate) {
    int64_t &trigger = FSettings.Trigger[1][TSimInput::Level];
    int64_t &gate = FSettings.Gate[1][TSimInput::Level];
    if (fromGate)
        trigger = gate;
    else
        gate = trigger;
}

std::string TSimInstrument::Star(const TLine &l) {
    if (l.Name == "*IDN" && l.Query)
        return FIdentity.IdnReply();
    const bool service = l.Name == "*SER" || l.Name == "*STR" || l.Name == "*OPT";
    if (service && FSecured)
        return ErrorReply(TSimError::Locked);
    if (l.Name == "*SER" && l.Query)
        return std::to_string(FIdentity.Serial);
    if (l.Name == "*OPT" && !l.Query && !l.HasArg) {
        FCal.Optimize();
        return ErrorReply(TSimError::None);
    }
    if (!l.HasArg)
        return ErrorReply(l.Name == "*SAV" || l.Name == "*RCL" || service ? TSimError::BadArgument
                                                                          : TSimError::Unknown);
    int64_t n = 0;
    if (l.Name == "*SER") {
        if (!SimNumbers::ParseInteger(l.Arg, 0, 2147483647, n))
            return ErrorReply(TSimError::BadArgument);
        FIdentity.Serial = n;
    } else if (l.Name == "*STR") {
        if (l.Arg != "0")
            return ErrorReply(TSimError::BadArgument);
        FStoredCal = FCal;
        ++FCalStores;
    } else if (l.Name == "*SAV" || l.Name == "*RCL") {
        const int64_t first = l.Name == "*SAV" ? 1 : 0; // bin 0 holds the factory setting
        if (!SimNumbers::ParseInteger(l.Arg, INT64_MIN, INT64_MAX, n))
            return ErrorReply(TSimError::BadArgument);
        if (n < first || n > FChannelCount)
            return ErrorReply(TSimError::OutOfRange);
        if (l.Name == "*SAV")
            FBins[static_cast<size_t>(n)] = FSettings;
        else
            FSettings = FBins[static_cast<size_t>(n)];
    } else {
        return ErrorReply(TSimError::Unknown);
    }
    return ErrorReply(TSimError::None);
}

bool TSimInstrument::ParseChannelName(const std::string &name, int &n, std::string &suffix) const {
    size_t end = 5;
    while (end < name.size() && name[end] >= '0' && name[end] <= '9')
        ++end;
    int64_t number = 0;
    if (!ParsePlainNumber(name.substr(5, end - 5), 999, number))
        return false;
    n = static_cast<int>(number);
    suffix = name.substr(end);
    return true;
}

std::string TSimInstrument::Pulse(const TLine &l) {
    int n = 0;
    std::string suffix;
    if (!ParseChannelName(l.Name, n, suffix))
        return ErrorReply(TSimError::Unknown);
    if (n > FChannelCount)
        return ErrorReply(TSimError::OutOfRange);
    return n == 0 ? System(suffix, l) : Channel(n, suffix, l);
}

std::string TSimInstrument::System(const std::string &suffix, const TLine &l) {
    if (suffix == ":STAT") {
        if (l.Query)
            return FRun.Running() ? "1" : "0";
        if (l.HasArg && (l.Arg == "ON" || l.Arg == "1"))
            FRun.Start(FNowNs, FSettings);
        else if (l.HasArg && (l.Arg == "OFF" || l.Arg == "0"))
            FRun.Stop(FNowNs, FSettings);
        else
            return ErrorReply(TSimError::BadArgument);
        return ErrorReply(TSimError::None);
    }
    if (const auto place = FindField(SystemFields(), suffix))
        return Field(SystemFields(), *place, FSettings.System, l);
    return ErrorReply(TSimError::Unknown);
}

std::string TSimInstrument::Channel(int n, const std::string &suffix, const TLine &l) {
    const size_t i = static_cast<size_t>(n - 1);
    if (const auto place = FindField(ChannelCalFields(), suffix))
        return FSecured ? ErrorReply(TSimError::Locked)
                        : Field(ChannelCalFields(), *place, FCal.Channels[i], l);
    if (const auto place = FindField(ChannelFields(), suffix))
        return Field(ChannelFields(), *place, FSettings.Channels[i], l);
    return ErrorReply(TSimError::Unknown);
}

std::string TSimInstrument::Input(const TLine &l) {
    const std::pair<const char *, TSimInputCal *> calInputs[] = {
        {":TRIG1", &FCal.Trig1}, {":TRIG2", &FCal.Trig2}, {":GATE1", &FCal.Gate1}};
    for (const auto &[prefix, cal] : calInputs)
        if (StartsWith(l.Name, prefix))
            if (const auto place = FindField(InputCalFields(), l.Name.substr(strlen(prefix))))
                return FSecured ? ErrorReply(TSimError::Locked)
                                : Field(InputCalFields(), *place, *cal, l);
    for (int input = 1; input <= 2; ++input) {
        const std::string prefix = ":TRIG" + std::to_string(input);
        if (StartsWith(l.Name, prefix))
            if (const auto place = FindField(TriggerFields(), l.Name.substr(prefix.size()))) {
                const std::string reply =
                    Field(TriggerFields(), *place, FSettings.Trigger[input - 1], l);
                if (input == 2)
                    SyncInput2Level(false);
                return reply;
            }
        for (size_t place = 0; place < GateFields().size(); ++place)
            if (l.Name == Replace(GateFields()[place].Mnemonic, '%', input)) {
                const std::string reply = Field(GateFields(), place, FSettings.Gate[input - 1], l);
                if (input == 2)
                    SyncInput2Level(true);
                return reply;
            }
    }
    return ErrorReply(TSimError::Unknown);
}

std::string TSimInstrument::Service(const TLine &l) {
    if (l.Name == ":SYST:SEC") {
        if (l.Query)
            return FSecured ? "1" : "0";
        int64_t code = 0;
        if (!l.HasArg || !SimNumbers::ParseInteger(l.Arg, INT64_MIN, INT64_MAX, code))
            return ErrorReply(TSimError::BadArgument);
        if (code != kAccessCode)
            return ErrorReply(TSimError::WrongCode);
        FSecured = false;
        return ErrorReply(TSimError::None);
    }
    if (FSecured)
        return ErrorReply(TSimError::Locked);
    if (l.Query)
        return std::to_string(FBadge) + " " + std::to_string(FBadgeChannels);
    const std::vector<std::string> words = Words(l.Arg);
    int64_t badge = 0, channels = 0;
    if (!l.HasArg || words.size() != 2 || !SimNumbers::ParseInteger(words[0], 0, 3, badge) ||
        !SimNumbers::ParseInteger(words[1], 6, 36, channels))
        return ErrorReply(TSimError::BadArgument);
    if (channels != 6 && channels != 12 && channels != 24 && channels != 36)
        return ErrorReply(TSimError::OutOfRange);
    FBadge = badge;
    FBadgeChannels = channels;
    return ErrorReply(TSimError::None);
}

std::string TSimInstrument::Counter(const TLine &l) {
    if (l.Name == ":COUN:PULS")
        return l.Query ? std::to_string(FRun.ShotCount()) : ErrorReply(TSimError::Unknown);
    if (l.Query)
        return ErrorReply(TSimError::Unknown);
    if (!l.HasArg || l.Arg != "1")
        return ErrorReply(TSimError::BadArgument);
    FRun.SetShotCount(0);
    return ErrorReply(TSimError::None);
}

std::vector<std::string> TSimInstrument::SettingLines(const TSimSettings &s) const {
    std::vector<std::string> lines;
    const auto record = [&](int number) {
        lines.push_back("*CFG " + std::to_string(number) + " " + RecordOf(s, number));
    };
    for (int number : {0, 90, 91, 92, 93})
        record(number);
    AppendFieldLines(lines, "", OptionFields(), s.Options);
    for (int number = 1; number <= static_cast<int>(s.Channels.size()); ++number)
        record(number);
    return lines;
}

std::vector<std::string> TSimInstrument::DumpLines() {
    FRun.Advance(FClock.NowNs(), FSettings);
    std::vector<std::string> lines = {"[identity]", "*IDN " + FIdentity.IdnReply(),
                                      "channels " + std::to_string(FChannelCount), "[state]"};
    auto append = [&lines](const std::vector<std::string> &more) {
        lines.insert(lines.end(), more.begin(), more.end());
    };
    append(SettingLines(FSettings));
    lines.push_back(std::string(":PULS0:STAT ") + (FRun.Running() ? "1" : "0"));
    lines.push_back(":COUN:PULS " + std::to_string(FRun.ShotCount()));
    lines.push_back("[service]");
    lines.push_back(std::string(":SYST:SEC ") + (FSecured ? "1" : "0"));
    lines.push_back("*SER " + std::to_string(FIdentity.Serial));
    lines.push_back(":SYST:BAD " + std::to_string(FBadge) + " " + std::to_string(FBadgeChannels));
    append(FCal.Lines());
    lines.push_back("[stored calibration]");
    lines.push_back("stores " + std::to_string(FCalStores));
    append(FStoredCal.Lines());
    for (size_t bin = 0; bin < FBins.size(); ++bin) {
        lines.push_back("[bin " + std::to_string(bin) + "]");
        append(SettingLines(FBins[bin]));
    }
    return lines;
}
