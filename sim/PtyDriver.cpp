#include "PtyDriver.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr size_t kMaxLine = 65536;

int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

TPtyDriver::TPtyDriver(TSimInstrument &instrument, TSimFaults &faults, TSimTranscript &transcript,
                       TSimWireOptions &wire, TSimControl &control,
                       TSimControlSocket *controlSocket)
    : FInstrument(instrument), FFaults(faults), FTranscript(transcript), FWire(wire),
      FControl(control), FControlSocket(controlSocket) {}

TPtyDriver::~TPtyDriver() {
    Release();
}

int TPtyDriver::BaudRate(unsigned speed) {
    static const std::pair<speed_t, int> rates[] = {
        {B50, 50},           {B75, 75},           {B110, 110},         {B134, 134},
        {B150, 150},         {B200, 200},         {B300, 300},         {B600, 600},
        {B1200, 1200},       {B1800, 1800},       {B2400, 2400},       {B4800, 4800},
        {B9600, 9600},       {B19200, 19200},     {B38400, 38400},     {B57600, 57600},
        {B115200, 115200},   {B230400, 230400},   {B460800, 460800},   {B500000, 500000},
        {B576000, 576000},   {B921600, 921600},   {B1000000, 1000000}, {B1152000, 1152000},
        {B1500000, 1500000}, {B2000000, 2000000}, {B2500000, 2500000}, {B3000000, 3000000},
        {B3500000, 3500000}, {B4000000, 4000000}};
    for (const auto &[code, rate] : rates)
        if (code == speed)
            return rate;
    return 0;
}

bool TPtyDriver::Open(std::string &error) {
    FMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (FMaster < 0 || ::grantpt(FMaster) != 0 || ::unlockpt(FMaster) != 0 ||
        ::ptsname_r(FMaster, name, sizeof(name)) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    FSlavePath = name;
    ::fcntl(FMaster, F_SETFD, FD_CLOEXEC);
    ::fcntl(FMaster, F_SETFL, ::fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    FSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    if (FSlave < 0 || ::tcgetattr(FSlave, &t) != 0) {
        error = "cannot open " + FSlavePath + ": " + std::strerror(errno);
        return false;
    }
    // Raw from the start: with the default echo our replies would come straight back.
    ::cfmakeraw(&t);
    ::tcsetattr(FSlave, TCSANOW, &t);
    if (!FWire.PortsDir.empty()) {
        const std::string link = FWire.PortsDir + "/COM" + std::to_string(FWire.Com);
        struct stat st {};
        if (::lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
            ::unlink(link.c_str()); // a stale link of an earlier run
        if (::symlink(FSlavePath.c_str(), link.c_str()) != 0) {
            error = "cannot create " + link + ": " + std::strerror(errno);
            return false;
        }
        FLinkPath = link;
    }
    return true;
}

void TPtyDriver::Run(int wakeFd, const TWakeHandler &onWake) {
    FWakeFd = wakeFd;
    FOnWake = onWake;
    while (!FStop)
        PollOnce(-1, true);
}

void TPtyDriver::PollOnce(int timeoutMs, bool withInput) {
    pollfd fds[3];
    nfds_t count = 0;
    const auto add = [&](int fd) {
        if (fd >= 0)
            fds[count++] = pollfd{fd, POLLIN, 0};
    };
    add(FWakeFd);
    add(FControlSocket ? FControlSocket->Fd() : -1);
    add(withInput ? FMaster : -1);
    if (::poll(fds, count, timeoutMs) <= 0)
        return;
    for (nfds_t i = 0; i < count; ++i) {
        if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        if (fds[i].fd == FWakeFd) {
            const TWake wake = FOnWake(FWakeFd);
            if (wake == TWake::Stop)
                FStop = true;
            else if (wake == TWake::Vanish)
                Vanish();
        } else if (FControlSocket && fds[i].fd == FControlSocket->Fd()) {
            FControlSocket->ServePending(
                [this](const std::string &c) { return FControl.Execute(c); });
            if (FControl.VanishRequested())
                Vanish();
        } else if (fds[i].fd == FMaster) {
            ReadInput();
        }
    }
}

bool TPtyDriver::Wait(int64_t ms) {
    const int64_t deadline = NowMs() + ms;
    for (int64_t left = ms; left > 0 && !FStop; left = deadline - NowMs())
        PollOnce(static_cast<int>(std::min<int64_t>(left, INT_MAX)), false);
    return !FStop;
}

void TPtyDriver::ReadInput() {
    char buffer[4096];
    while (FMaster >= 0 && !FStop) {
        const ssize_t n = ::read(FMaster, buffer, sizeof(buffer));
        if (n <= 0)
            return;
        for (ssize_t i = 0; i < n && FMaster >= 0 && !FStop; ++i) {
            const char c = buffer[i];
            if (c == '\n' && FLastWasCR) {
                FLastWasCR = false;
                continue;
            }
            FLastWasCR = c == '\r';
            if (c == '\r' || c == '\n') {
                const std::string line = FLine;
                FLine.clear();
                HandleLine(line);
            } else if (FLine.size() < kMaxLine) {
                FLine += c;
            }
        }
    }
}

int TPtyDriver::CurrentBaud() const {
    termios t{};
    if (FMaster < 0 || ::tcgetattr(FMaster, &t) != 0)
        return 0;
    return BaudRate(::cfgetospeed(&t));
}

void TPtyDriver::HandleLine(const std::string &line) {
    const int baud = CurrentBaud();
    FTranscript.Received(baud, line);
    if (baud != FWire.Baud) {
        if (!FWire.GarbleWrongBaud) {
            FTranscript.Note("wrong baud rate: no reply");
            return;
        }
        FTranscript.Note("wrong baud rate: junk sent");
        WriteBytes(TSimFaults::Junk(std::max<size_t>(line.size(), 8)), baud);
        return;
    }
    if (line.rfind("SIM:", 0) == 0) {
        SendLine(FControl.Execute(line.substr(4)), baud);
    } else {
        ++FControl.LinesReceived();
        const TSimFaultDecision fault = FFaults.Decide(line);
        const std::string reply = FInstrument.Reply(line);
        for (const std::string &note : fault.Notes)
            FTranscript.Note(note);
        if (!Wait(FWire.DelayMs + fault.DelayMs) || FMaster < 0)
            return;
        if (fault.FloodBytes > 0)
            WriteBytes(TSimFaults::Junk(size_t(fault.FloodBytes)), baud);
        else if (!fault.Drop)
            SendLine(fault.Apply(reply), baud);
        if (fault.Vanish ||
            (FWire.VanishAfter > 0 && FControl.LinesReceived() >= FWire.VanishAfter))
            Vanish();
    }
    if (FControl.VanishRequested())
        Vanish();
}

void TPtyDriver::SendLine(const std::string &text, int baud) {
    FTranscript.Sent(text);
    WriteBytes(text + "\r\n", baud);
}

void TPtyDriver::WriteBytes(const std::string &bytes, int baud) {
    if (FMaster < 0)
        return;
    if (!FWire.Pace || baud <= 0) {
        WriteAll(bytes.data(), bytes.size());
        return;
    }
    // One start bit, eight data bits, one stop bit.
    const int64_t byteNs = 10 * 1000000000LL / baud;
    timespec next{};
    ::clock_gettime(CLOCK_MONOTONIC, &next);
    for (char c : bytes) {
        if (!WriteAll(&c, 1))
            return;
        next.tv_nsec += byteNs;
        next.tv_sec += next.tv_nsec / 1000000000;
        next.tv_nsec %= 1000000000;
        ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
    }
}

bool TPtyDriver::WriteAll(const char *data, size_t size) {
    size_t done = 0;
    while (done < size && FMaster >= 0) {
        const ssize_t n = ::write(FMaster, data + done, size - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
        // Nobody reads the port and its buffer is full: give it a second, then drop.
        pollfd p{FMaster, POLLOUT, 0};
        if (::poll(&p, 1, 1000) <= 0) {
            FTranscript.Note("output buffer full: reply dropped");
            return false;
        }
    }
    return done == size;
}

void TPtyDriver::Vanish() {
    if (FVanished || FMaster < 0)
        return;
    FVanished = true;
    // A reply already on the wire reaches the other end before the cable goes: the pty
    // hands written bytes over asynchronously, so wait until they have arrived in the
    // slave's queue and been read from it. A client that does not read gets half a second.
    int queued = 0;
    const int64_t start = NowMs();
    bool arrived = false;
    while (::ioctl(FSlave, FIONREAD, &queued) == 0 && NowMs() - start < 500) {
        arrived = arrived || queued > 0;
        if (queued == 0 && (arrived || NowMs() - start >= 20))
            break;
        ::poll(nullptr, 0, 1);
    }
    FTranscript.Note("vanished");
    Release();
}

void TPtyDriver::Release() {
    // Only our own link: another simulator may have taken the name over since.
    char target[PATH_MAX] = {};
    if (!FLinkPath.empty() && ::readlink(FLinkPath.c_str(), target, sizeof(target) - 1) > 0 &&
        FSlavePath == target)
        ::unlink(FLinkPath.c_str());
    FLinkPath.clear();
    if (FSlave >= 0)
        ::close(FSlave);
    if (FMaster >= 0)
        ::close(FMaster);
    FSlave = FMaster = -1;
}
