#pragma once

#include <string>

// The plainest serial client: open the device, set its rate, write lines, read replies.
// Every read has a time limit, so a missing reply fails a test instead of hanging it.
class TPtyClient {
public:
    TPtyClient() = default;
    ~TPtyClient() { Close(); }
    TPtyClient(const TPtyClient &) = delete;
    TPtyClient &operator=(const TPtyClient &) = delete;

    bool Open(const std::string &path, int baud = 115200);
    void Close();
    bool SetBaud(int baud);

    bool Write(const std::string &bytes);
    bool WriteLine(const std::string &line) { return Write(line + "\r\n"); }
    // Bytes up to and including CR LF; what arrived so far when the time runs out.
    std::string ReadReply(int timeoutMs = 2000);
    // Reply text without its CR LF, or "<no reply>" / "<partial: ...>".
    std::string Ask(const std::string &line, int timeoutMs = 2000);
    // Whatever arrives within the time.
    std::string ReadFor(int timeoutMs);
    // True when the other end has hung up (read gives an error or end of file).
    bool HungUp(int timeoutMs = 2000);

private:
    int FFd = -1;
};
