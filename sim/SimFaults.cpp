#include "SimFaults.h"

#include "SimNumbers.h"

#include <algorithm>
#include <iterator>

namespace {

// Next blank-separated token of `faultText` from `pos`; `pos` moves past its blank.
bool NextToken(const std::string &faultText, size_t &pos, std::string &token) {
    if (pos > faultText.size())
        return false;
    const size_t blank = faultText.find(' ', pos);
    token = faultText.substr(pos, blank == std::string::npos ? std::string::npos : blank - pos);
    pos = blank == std::string::npos ? faultText.size() + 1 : blank + 1;
    return !token.empty();
}

bool NextNumber(const std::string &faultText, size_t &pos, int64_t min, int64_t &out) {
    std::string token;
    return NextToken(faultText, pos, token) &&
           SimNumbers::ParseInteger(token, min, INT64_MAX / 1000000, out);
}

} // namespace

bool TSimFault::Parse(const std::string &faultText, TSimFault &out, std::string &error) {
    size_t pos = 0;
    std::string action;
    TSimFault f;
    if (!NextToken(faultText, pos, action)) {
        error = "empty fault";
        return false;
    }
    // In the order of TAction.
    static const char *const kActionNames[] = {"drop",  "garble", "delay", "truncate",
                                               "field", "flood",  "vanish"};
    const auto named = std::find(std::begin(kActionNames), std::end(kActionNames), action);
    if (named == std::end(kActionNames)) {
        error = "unknown fault action: " + action;
        return false;
    }
    f.Action = static_cast<TAction>(named - std::begin(kActionNames));
    if (!NextNumber(faultText, pos, 1, f.K) ||
        (f.Action == kDelay && !NextNumber(faultText, pos, 0, f.Ms)) ||
        (f.Action == kTruncate && !NextNumber(faultText, pos, 0, f.Fields)) ||
        (f.Action == kField && !NextNumber(faultText, pos, 1, f.Fields)) ||
        (f.Action == kFlood && !NextNumber(faultText, pos, 1, f.Fields))) {
        error = "bad fault numbers: " + faultText;
        return false;
    }
    if (f.Action == kField && !NextToken(faultText, pos, f.Text)) {
        error = "no field text: " + faultText;
        return false;
    }
    f.Pattern = pos < faultText.size() ? faultText.substr(pos) : "";
    out = f;
    return true;
}

bool TSimFault::Matches(const std::string &line) const {
    if (!Pattern.empty() && Pattern[0] == '=')
        return line == Pattern.substr(1);
    return line.find(Pattern) != std::string::npos;
}

namespace {

// Field `number` (from 1) of a blank-separated text replaced; a text with fewer fields
// stays as it is.
std::string WithField(const std::string &text, int64_t number, const std::string &replacement) {
    size_t start = 0;
    for (int64_t field = 1; field < number; ++field) {
        start = text.find(' ', start);
        if (start == std::string::npos)
            return text;
        ++start;
    }
    const size_t end = text.find(' ', start);
    return text.substr(0, start) + replacement +
           (end == std::string::npos ? std::string() : text.substr(end));
}

// The transcript's note on a fault that fires.
std::string Note(const TSimFault &f) {
    const std::string n = std::to_string(f.Action == TSimFault::kDelay ? f.Ms : f.Fields);
    // In the order of TSimFault::TAction.
    const std::string notes[] = {"reply dropped",
                                 "reply garbled",
                                 "reply delayed " + n + " ms",
                                 "reply truncated to " + n + " fields",
                                 "field " + n + " replaced by " + f.Text,
                                 n + " bytes without line end",
                                 "unplugged after the reply"};
    return "fault: " + notes[f.Action];
}

} // namespace

std::string TSimFaultDecision::Apply(const std::string &reply) const {
    std::string text = ReplacedField > 0 ? WithField(reply, ReplacedField, ReplacementText) : reply;
    if (TruncateFields >= 0) {
        size_t cut = TruncateFields == 0 ? 0 : std::string::npos;
        int64_t blanks = 0;
        for (size_t i = 0; i < text.size() && cut == std::string::npos; ++i)
            if (text[i] == ' ' && ++blanks == TruncateFields)
                cut = i;
        if (cut != std::string::npos)
            text.erase(cut);
    }
    return Garble ? TSimFaults::Junk(text.size()) : text;
}

bool TSimFaults::Add(const std::string &faultText, std::string &error) {
    TSimFault f;
    if (!TSimFault::Parse(faultText, f, error))
        return false;
    FFaults.push_back(f);
    return true;
}

TSimFaultDecision TSimFaults::Decide(const std::string &line) {
    TSimFaultDecision d;
    for (TSimFault &f : FFaults) {
        if (f.Fired || !f.Matches(line) || ++f.Seen != f.K)
            continue;
        f.Fired = true;
        d.Notes.push_back(Note(f));
        switch (f.Action) {
        case TSimFault::kDrop:
            d.Drop = true;
            break;
        case TSimFault::kGarble:
            d.Garble = true;
            break;
        case TSimFault::kDelay:
            d.DelayMs += f.Ms;
            break;
        case TSimFault::kTruncate:
            d.TruncateFields = f.Fields;
            break;
        case TSimFault::kField:
            d.ReplacedField = f.Fields;
            d.ReplacementText = f.Text;
            break;
        case TSimFault::kFlood:
            d.FloodBytes = f.Fields;
            break;
        case TSimFault::kVanish:
            d.Vanish = true;
            break;
        }
    }
    return d;
}

std::string TSimFaults::Junk(size_t length) {
    std::string junk(length, '\0');
    for (size_t i = 0; i < length; ++i)
        junk[i] = static_cast<char>(0x80 | ((i * 37 + 11) & 0x7f));
    return junk;
}
