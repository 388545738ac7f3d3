#include "PtyPeer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct TSpeed {
    speed_t Code;
    qint32 Baud;
};

const TSpeed Speeds[] = {
    {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},       {B150, 150},
    {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},     {B1800, 1800},
    {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200},   {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

qint32 BaudOfCode(speed_t code) {
    for (const TSpeed &s : Speeds)
        if (s.Code == code)
            return s.Baud;
    return 0;
}

bool CodeOfBaud(qint32 baud, speed_t &code) {
    for (const TSpeed &s : Speeds)
        if (s.Baud == baud) {
            code = s.Code;
            return true;
        }
    return false;
}

} // namespace

TPtyPeer::TPtyPeer(qint32 comNumber, const QString &portsDir) : FComNumber(comNumber) {
    FMaster = posix_openpt(O_RDWR | O_NOCTTY);
    if (FMaster < 0) {
        Fail("posix_openpt");
        return;
    }
    if (grantpt(FMaster) != 0 || unlockpt(FMaster) != 0) {
        Fail("grantpt/unlockpt");
        return;
    }
    char name[256];
    if (ptsname_r(FMaster, name, sizeof name) != 0) {
        Fail("ptsname_r");
        return;
    }
    FSlavePath = QString::fromLocal8Bit(name);
    FSlave = ::open(name, O_RDWR | O_NOCTTY);
    if (FSlave < 0) {
        Fail("open slave");
        return;
    }
    termios t;
    if (tcgetattr(FSlave, &t) == 0) {
        cfmakeraw(&t); // no echo, no line editing before the program opens its side
        tcsetattr(FSlave, TCSANOW, &t);
    }
    fcntl(FMaster, F_SETFL, fcntl(FMaster, F_GETFL) | O_NONBLOCK);
    if (pipe2(FWake, O_NONBLOCK | O_CLOEXEC) != 0) {
        Fail("pipe2");
        return;
    }

    if (portsDir.isEmpty()) {
        FOwnDir = std::make_unique<QTemporaryDir>();
        if (!FOwnDir->isValid()) {
            Fail("temporary directory");
            return;
        }
        FPortsDir = FOwnDir->path();
    } else {
        FPortsDir = portsDir;
    }
    FLinkPath = QDir(FPortsDir).filePath(QStringLiteral("COM%1").arg(comNumber));
    QFile::remove(FLinkPath);
    if (!QFile::link(FSlavePath, FLinkPath)) {
        Fail("link " + FLinkPath);
        return;
    }
    FThread = std::thread([this] { Run(); });
}

TPtyPeer::~TPtyPeer() {
    FStop = true;
    Wake();
    if (FThread.joinable())
        FThread.join();
    if (!FOwnDir && !FLinkPath.isEmpty())
        QFile::remove(FLinkPath);
    CloseAll();
}

void TPtyPeer::CloseAll() {
    for (int *fd : {&FSlave, &FMaster, &FWake[0], &FWake[1]}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void TPtyPeer::Wake() {
    if (FWake[1] >= 0) {
        const char c = 1;
        (void)!::write(FWake[1], &c, 1);
    }
}

void TPtyPeer::Fail(const QString &what) {
    FError = what + ": " + QString::fromLocal8Bit(strerror(errno));
    CloseAll();
}

void TPtyPeer::QueueReply(const QByteArray &bytes, int delayMs) {
    QueueChunks({{bytes, delayMs}});
}

void TPtyPeer::QueueChunks(const QList<TChunk> &chunks) {
    std::lock_guard<std::mutex> lock(FMutex);
    FScript.append({chunks});
}

void TPtyPeer::QueueSilence() {
    QueueChunks({});
}

void TPtyPeer::SetResponder(std::function<QByteArray(const QByteArray &)> responder) {
    std::lock_guard<std::mutex> lock(FMutex);
    FResponder = std::move(responder);
}

int TPtyPeer::PendingScript() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FScript.size();
}

bool TPtyPeer::SendNow(const QByteArray &bytes) {
    return WriteMaster(bytes);
}

void TPtyPeer::SendLater(const QByteArray &bytes, int delayMs) {
    std::lock_guard<std::mutex> lock(FMutex);
    FWork.append({{{bytes, delayMs}}});
    ++FBusy;
    FChanged.notify_all();
    Wake();
}

QByteArray TPtyPeer::Received() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FReceived;
}

QList<QByteArray> TPtyPeer::Lines() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FLines;
}

QList<TPtyPeer::TClock::time_point> TPtyPeer::LineTimes() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FLineTimes;
}

void TPtyPeer::ClearReceived() {
    std::lock_guard<std::mutex> lock(FMutex);
    FReceived.clear();
    FPartialLine.clear();
    FLines.clear();
    FLineTimes.clear();
}

bool TPtyPeer::WaitForLines(int count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(FMutex);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return FLines.size() >= count; });
}

bool TPtyPeer::WaitUntilIdle(int timeoutMs) const {
    std::unique_lock<std::mutex> lock(FMutex);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                             [&] { return FBusy == 0; });
}

TPtyPeer::TClock::time_point TPtyPeer::LastWriteBegun() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FLastWriteBegun;
}

TPtyPeer::TClock::time_point TPtyPeer::LastWriteDone() const {
    std::lock_guard<std::mutex> lock(FMutex);
    return FLastWrite;
}

bool TPtyPeer::SlaveTermios(termios &t) const {
    return FMaster >= 0 && tcgetattr(FMaster, &t) == 0;
}

qint32 TPtyPeer::SlaveBaud() const {
    termios t;
    return SlaveTermios(t) ? BaudOfCode(cfgetospeed(&t)) : 0;
}

bool TPtyPeer::SetSlaveBaud(qint32 baud) {
    termios t;
    speed_t code;
    if (FSlave < 0 || !CodeOfBaud(baud, code) || tcgetattr(FSlave, &t) != 0)
        return false;
    cfsetispeed(&t, code);
    cfsetospeed(&t, code);
    return tcsetattr(FSlave, TCSANOW, &t) == 0;
}

bool TPtyPeer::WriteMaster(const QByteArray &bytes) {
    std::lock_guard<std::mutex> writing(FWriteMutex);
    {
        std::lock_guard<std::mutex> lock(FMutex);
        FLastWriteBegun = TClock::now();
    }
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(FMaster, bytes.constData() + done, bytes.size() - done);
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (FStop)
            return false;
        pollfd p{FMaster, POLLOUT, 0};
        ::poll(&p, 1, 10);
    }
    std::lock_guard<std::mutex> lock(FMutex);
    FLastWrite = TClock::now();
    return true;
}

void TPtyPeer::HandleInput(const char *data, qint64 size) {
    std::lock_guard<std::mutex> lock(FMutex);
    const TClock::time_point now = TClock::now();
    FReceived.append(data, size);
    FPartialLine.append(data, size);
    for (qsizetype lf; (lf = FPartialLine.indexOf('\n')) >= 0;) {
        QByteArray line = FPartialLine.left(lf);
        FPartialLine.remove(0, lf + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        FLines.append(line);
        FLineTimes.append(now);
        if (!FScript.isEmpty()) {
            FWork.append(FScript.takeFirst());
            ++FBusy;
        } else if (FResponder) {
            FWork.append({{{FResponder(line), 0}}});
            ++FBusy;
        }
    }
    FChanged.notify_all();
}

void TPtyPeer::Perform(const TAction &action) {
    for (const TChunk &c : action.Chunks) {
        const auto due = TClock::now() + std::chrono::milliseconds(c.DelayMs);
        while (!FStop && TClock::now() < due)
            std::this_thread::sleep_for(
                std::min<TClock::duration>(due - TClock::now(), std::chrono::milliseconds(5)));
        if (FStop || !WriteMaster(c.Bytes))
            return;
    }
}

void TPtyPeer::Run() {
    char buf[4096];
    while (!FStop) {
        TAction action;
        bool haveAction = false;
        {
            std::lock_guard<std::mutex> lock(FMutex);
            if (!FWork.isEmpty()) {
                action = FWork.takeFirst();
                haveAction = true;
            }
        }
        if (haveAction) {
            Perform(action);
            std::lock_guard<std::mutex> lock(FMutex);
            --FBusy;
            FChanged.notify_all();
        }
        pollfd p[2] = {{FMaster, POLLIN, 0}, {FWake[0], POLLIN, 0}};
        if (::poll(p, 2, haveAction ? 0 : 200) <= 0)
            continue;
        if (p[1].revents & POLLIN) {
            char drain[64];
            while (::read(FWake[0], drain, sizeof drain) > 0) {
            }
        }
        if (p[0].revents & POLLIN) {
            const ssize_t n = ::read(FMaster, buf, sizeof buf);
            if (n > 0)
                HandleInput(buf, n);
        } else if (p[0].revents & (POLLHUP | POLLERR)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

int TPtyPeer::RunBench(int argc, char **argv, const std::function<int(TPtyPeer &)> &measure) {
    QCoreApplication app(argc, argv);
    TPtyPeer peer(1);
    if (!peer.IsValid()) {
        std::printf("no pty: %s\n", qPrintable(peer.ErrorText()));
        return 0;
    }
    return measure(peer);
}
