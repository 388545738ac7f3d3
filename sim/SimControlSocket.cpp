#include "SimControlSocket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

TSimControlSocket::~TSimControlSocket() {
    if (FFd >= 0) {
        ::close(FFd);
        ::unlink(FPath.c_str());
    }
}

bool TSimControlSocket::Open(const std::string &path, std::string &error) {
    sockaddr_un address{};
    if (path.size() >= sizeof(address.sun_path)) {
        error = "control socket path too long: " + path;
        return false;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    FFd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    ::unlink(path.c_str());
    if (FFd < 0 || ::bind(FFd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) != 0 ||
        ::listen(FFd, 8) != 0) {
        error = "cannot open control socket " + path + ": " + std::strerror(errno);
        if (FFd >= 0)
            ::close(FFd);
        FFd = -1;
        return false;
    }
    FPath = path;
    return true;
}

void TSimControlSocket::ServePending(
    const std::function<std::string(const std::string &)> &execute) {
    for (;;) {
        const int client = ::accept4(FFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        ServeOne(client, execute);
        ::close(client);
    }
}

void TSimControlSocket::ServeOne(int client,
                                 const std::function<std::string(const std::string &)> &execute) {
    std::string line;
    char c = 0;
    // A client that stalls for a second is dropped; the simulator must keep serving.
    while (true) {
        pollfd p{client, POLLIN, 0};
        if (::poll(&p, 1, 1000) <= 0 || ::read(client, &c, 1) != 1)
            return;
        if (c == '\n')
            break;
        line += c;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    const std::string reply = execute(line) + "\n";
    size_t done = 0;
    while (done < reply.size()) {
        const ssize_t n = ::write(client, reply.data() + done, reply.size() - done);
        if (n <= 0)
            return;
        done += static_cast<size_t>(n);
    }
}
