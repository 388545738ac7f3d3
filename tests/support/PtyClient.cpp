#include "PtyClient.h"

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t SpeedCode(int baud) {
    switch (baud) {
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    case 57600:
        return B57600;
    case 115200:
        return B115200;
    case 230400:
        return B230400;
    default:
        return B0;
    }
}

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

bool TPtyClient::Open(const std::string &path, int baud) {
    Close();
    FFd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    return FFd >= 0 && SetBaud(baud);
}

void TPtyClient::Close() {
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
}

bool TPtyClient::SetBaud(int baud) {
    termios t{};
    if (FFd < 0 || ::tcgetattr(FFd, &t) != 0)
        return false;
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, SpeedCode(baud));
    ::cfsetospeed(&t, SpeedCode(baud));
    return ::tcsetattr(FFd, TCSANOW, &t) == 0;
}

bool TPtyClient::Write(const std::string &bytes) {
    return FFd >= 0 &&
           ::write(FFd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::string TPtyClient::ReadReply(int timeoutMs) {
    std::string reply;
    const int64_t deadline = NowMs() + timeoutMs;
    while (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0) {
        const int64_t left = deadline - NowMs();
        pollfd p{FFd, POLLIN, 0};
        char c = 0;
        if (left <= 0 || ::poll(&p, 1, static_cast<int>(left)) <= 0 || ::read(FFd, &c, 1) != 1)
            break;
        reply += c;
    }
    return reply;
}

std::string TPtyClient::Ask(const std::string &line, int timeoutMs) {
    if (!WriteLine(line))
        return "<write failed>";
    const std::string reply = ReadReply(timeoutMs);
    if (reply.empty())
        return "<no reply>";
    if (reply.size() < 2 || reply.compare(reply.size() - 2, 2, "\r\n") != 0)
        return "<partial: " + reply + ">";
    return reply.substr(0, reply.size() - 2);
}

std::string TPtyClient::ReadFor(int timeoutMs) {
    std::string bytes;
    const int64_t deadline = NowMs() + timeoutMs;
    for (int64_t left = timeoutMs; left > 0; left = deadline - NowMs()) {
        pollfd p{FFd, POLLIN, 0};
        char buffer[256];
        if (::poll(&p, 1, static_cast<int>(left)) <= 0)
            break;
        const ssize_t n = ::read(FFd, buffer, sizeof(buffer));
        if (n <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    return bytes;
}

bool TPtyClient::HungUp(int timeoutMs) {
    pollfd p{FFd, POLLIN, 0};
    if (::poll(&p, 1, timeoutMs) <= 0)
        return false;
    char c = 0;
    return (p.revents & (POLLHUP | POLLERR)) || ::read(FFd, &c, 1) <= 0;
}
