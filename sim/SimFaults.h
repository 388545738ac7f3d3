#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reply faults for tests. A fault is written as one text:
//   "drop K PATTERN"            no reply to the K-th matching line
//   "garble K PATTERN"          the reply's bytes replaced by junk (still ended by CR LF)
//   "delay K MS PATTERN"        the reply sent MS milliseconds late
//   "truncate K FIELDS PATTERN" only the first FIELDS blank-separated fields are sent
//   "field K N TEXT PATTERN"    blank-separated field N (from 1) replaced by TEXT
//   "flood K BYTES PATTERN"     BYTES junk bytes without any line end instead of the reply
//   "vanish K PATTERN"          the reply, then unplugged like a pulled cable
// PATTERN is the rest of the text: a line matches when it contains PATTERN, or equals it
// when PATTERN starts with "="; an empty PATTERN matches every line. K counts matching
// lines from 1 since the fault was set; each fault fires once.
struct TSimFault {
    enum TAction { kDrop, kGarble, kDelay, kTruncate, kField, kFlood, kVanish };
    TAction Action = kDrop;
    int64_t K = 1;
    int64_t Ms = 0;
    int64_t Fields = 0; // truncate: fields kept; field: the field's number; flood: bytes
    std::string Text;   // field: what replaces it
    std::string Pattern;
    int64_t Seen = 0;
    bool Fired = false;

    static bool Parse(const std::string &faultText, TSimFault &out, std::string &error);
    bool Matches(const std::string &line) const;
};

// What to do with one reply.
struct TSimFaultDecision {
    bool Drop = false;
    bool Garble = false;
    int64_t DelayMs = 0;
    int64_t TruncateFields = -1;
    int64_t ReplacedField = 0; // 0: none
    std::string ReplacementText;
    int64_t FloodBytes = 0;         // junk sent instead of the reply, no line end
    bool Vanish = false;            // unplug once the reply is out
    std::vector<std::string> Notes; // one per fault that fired, for the transcript

    std::string Apply(const std::string &reply) const;
};

class TSimFaults {
public:
    bool Add(const std::string &faultText, std::string &error);
    void Clear() { FFaults.clear(); }
    // Counts the line against every pending fault and returns what fires on it.
    TSimFaultDecision Decide(const std::string &line);

    // Deterministic junk without CR or LF, as a line at the wrong baud rate looks.
    static std::string Junk(size_t length);

private:
    std::vector<TSimFault> FFaults;
};
