#pragma once

#include <functional>
#include <string>

// Unix-domain socket on which tests send control commands (see SimControl.h) while the
// simulator runs: connect, write one line ended by LF, read one reply line, close.
class TSimControlSocket {
public:
    TSimControlSocket() = default;
    ~TSimControlSocket();
    TSimControlSocket(const TSimControlSocket &) = delete;
    TSimControlSocket &operator=(const TSimControlSocket &) = delete;

    bool Open(const std::string &path, std::string &error);
    int Fd() const { return FFd; }
    // Answers every connection waiting now.
    void ServePending(const std::function<std::string(const std::string &)> &execute);

private:
    void ServeOne(int client, const std::function<std::string(const std::string &)> &execute);

    int FFd = -1;
    std::string FPath;
};
