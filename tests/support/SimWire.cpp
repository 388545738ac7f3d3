#include "SimWire.h"

#include <QElapsedTimer>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t SpeedOf(int baud) {
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
    default:
        return B115200;
    }
}

} // namespace

bool TSimWire::Open(const QString &device, int baud) {
    Close();
    FFd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (FFd < 0)
        return false;
    termios t{};
    if (tcgetattr(FFd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, SpeedOf(baud));
    cfsetospeed(&t, SpeedOf(baud));
    return tcsetattr(FFd, TCSANOW, &t) == 0;
}

void TSimWire::Close() {
    if (FFd >= 0)
        ::close(FFd);
    FFd = -1;
}

QString TSimWire::Ask(const QString &line, int timeoutMs) {
    if (FFd < 0)
        return QString();
    const QByteArray out = line.toLatin1() + "\r\n";
    qint64 done = 0;
    while (done < out.size()) {
        const ssize_t n = ::write(FFd, out.constData() + done, size_t(out.size() - done));
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return QString();
        if (n > 0)
            done += n;
    }
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (!reply.endsWith('\n') && clock.elapsed() < timeoutMs) {
        pollfd p{FFd, POLLIN, 0};
        if (::poll(&p, 1, int(qMax<qint64>(1, timeoutMs - clock.elapsed()))) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(FFd, buffer, sizeof buffer);
        if (n > 0)
            reply.append(buffer, int(n));
    }
    if (!reply.endsWith('\n'))
        return QString();
    return QString::fromLatin1(reply).trimmed();
}

QStringList TSimWire::AskAll(const QString &device, int baud, const QStringList &lines) {
    TSimWire wire;
    QStringList replies;
    if (!wire.Open(device, baud))
        return replies;
    for (const QString &line : lines)
        replies << wire.Ask(line);
    return replies;
}
