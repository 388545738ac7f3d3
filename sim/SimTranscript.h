#pragma once

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

// Log of the wire, one event per line, flushed at once so tests can read it while the
// simulator runs:
//   "<seconds> RX <baud> <line>"   a line received, with the baud rate in force
//   "<seconds> TX <reply>"         a reply sent (without its CR LF)
//   "<seconds> -- <note>"          silence, junk, faults, vanishing
// Seconds count from the simulator's start, with microseconds. Bytes outside printable
// ASCII and the backslash are written as \xHH.
class TSimTranscript {
public:
    bool Open(const std::string &path, std::string &error);
    void Received(int baud, const std::string &line);
    void Sent(const std::string &reply);
    void Note(const std::string &note);

    static std::string Escape(const std::string &text);

private:
    void Write(const std::string &kind, const std::string &text);

    struct TClose {
        void operator()(std::FILE *file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, TClose> FFile;
    std::chrono::steady_clock::time_point FStart = std::chrono::steady_clock::now();
};
