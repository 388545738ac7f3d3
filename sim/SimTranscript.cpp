#include "SimTranscript.h"

#include <cerrno>
#include <cstring>

bool TSimTranscript::Open(const std::string &path, std::string &error) {
    FFile.reset(std::fopen(path.c_str(), "w"));
    if (!FFile)
        error = "cannot write transcript " + path + ": " + std::strerror(errno);
    return FFile != nullptr;
}

void TSimTranscript::Received(int baud, const std::string &line) {
    Write("RX " + std::to_string(baud), Escape(line));
}

void TSimTranscript::Sent(const std::string &reply) {
    Write("TX", Escape(reply));
}

void TSimTranscript::Note(const std::string &note) {
    Write("--", note);
}

std::string TSimTranscript::Escape(const std::string &text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7f && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

void TSimTranscript::Write(const std::string &kind, const std::string &text) {
    if (!FFile)
        return;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now() - FStart)
                        .count();
    std::fprintf(FFile.get(), "%lld.%06lld %s %s\n", static_cast<long long>(us / 1000000),
                 static_cast<long long>(us % 1000000), kind.c_str(), text.c_str());
    std::fflush(FFile.get());
}
