#include "SimProcess.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char **environ;

namespace {

QByteArray Unescape(const QByteArray &text) {
    QByteArray out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            bool ok = false;
            const int byte = text.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += static_cast<char>(byte);
                i += 3;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

} // namespace

TSimProcess::TSimProcess(TSimLaunch launch) : FLaunch(std::move(launch)) {}

TSimProcess::~TSimProcess() {
    Stop();
}

QString TSimProcess::BinaryPath() {
    return QStringLiteral(PULSESIM_PATH);
}

QString TSimProcess::TranscriptPath() const {
    return FDir.filePath("transcript.txt");
}

QString TSimProcess::FinalDumpPath() const {
    return FDir.filePath("final-dump.txt");
}

bool TSimProcess::Start(QString *error) {
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!FDir.isValid())
        return fail("no temporary directory");
    QStringList args = {"--model",       FLaunch.Model,    "--brand",
                        FLaunch.Brand,   "--serial",       QString::number(FLaunch.Serial),
                        "--firmware",    FLaunch.Firmware, "--fpga",
                        FLaunch.Fpga,    "--baud",         QString::number(FLaunch.Baud),
                        "--transcript",  TranscriptPath(), "--dump",
                        FinalDumpPath(), "--control",      FDir.filePath("control.sock")};
    if (FLaunch.Unsecured)
        args << "--unsecured";
    if (!FLaunch.PortsDir.isEmpty())
        args << "--ports" << FLaunch.PortsDir << "--com" << QString::number(FLaunch.Com);
    args += FLaunch.ExtraArgs;

    QList<QByteArray> storage = {BinaryPath().toLocal8Bit()};
    for (const QString &a : args)
        storage << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &a : storage)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0)
        return fail(QString("pipe: ") + std::strerror(errno));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const int rc = posix_spawn(&FPid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        FPid = -1;
        return fail(QString("cannot start %1: %2").arg(BinaryPath(), std::strerror(rc)));
    }
    QByteArray slave, link;
    const bool ok = ReadStartupLine(out[0], slave, 5000) &&
                    (FLaunch.PortsDir.isEmpty() || ReadStartupLine(out[0], link, 5000));
    ::close(out[0]);
    if (!ok) {
        Stop();
        return fail("pulsesim did not start (see its standard error)");
    }
    FSlavePath = QString::fromLocal8Bit(slave);
    FLinkPath = QString::fromLocal8Bit(link.mid(link.indexOf(' ') + 1));
    return true;
}

bool TSimProcess::ReadStartupLine(int fd, QByteArray &line, int timeoutMs) {
    char c = 0;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0 || ::read(fd, &c, 1) != 1)
            return false;
        if (c == '\n')
            return !line.isEmpty();
        line += c;
    }
}

int TSimProcess::Stop() {
    if (FPid <= 0)
        return -1;
    ::kill(FPid, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (::waitpid(FPid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(FPid, SIGKILL);
            ::waitpid(FPid, &status, 0);
            FPid = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    FPid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QString TSimProcess::Control(const QString &command) const {
    const QByteArray path = FDir.filePath("control.sock").toLocal8Bit();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(path.size()) >= sizeof(address.sun_path))
        return QString();
    std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()) + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return QString();
    QByteArray reply;
    const QByteArray request = command.toLocal8Bit() + "\n";
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
        ::write(fd, request.constData(), static_cast<size_t>(request.size())) == request.size()) {
        char c = 0;
        pollfd p{fd, POLLIN, 0};
        while (::poll(&p, 1, 10000) > 0 && ::read(fd, &c, 1) == 1 && c != '\n')
            reply += c;
    }
    ::close(fd);
    return QString::fromLocal8Bit(reply);
}

bool TSimProcess::SignalVanish() const {
    return FPid > 0 && ::kill(FPid, SIGUSR1) == 0;
}

QList<TSimTranscriptEntry> TSimProcess::Transcript() const {
    QList<TSimTranscriptEntry> entries;
    QFile file(TranscriptPath());
    if (!file.open(QIODevice::ReadOnly))
        return entries;
    for (QByteArray line : file.readAll().split('\n')) {
        const int first = line.indexOf(' ');
        if (first < 0)
            continue;
        TSimTranscriptEntry e;
        e.Seconds = line.left(first).toDouble();
        const int second = line.indexOf(' ', first + 1);
        e.Kind = QString::fromLatin1(line.mid(first + 1, second - first - 1));
        QByteArray rest = second < 0 ? QByteArray() : line.mid(second + 1);
        if (e.Kind == "RX") {
            const int third = rest.indexOf(' ');
            e.Baud = rest.left(third).toInt();
            rest = third < 0 ? QByteArray() : rest.mid(third + 1);
        }
        e.Text = Unescape(rest);
        entries << e;
    }
    return entries;
}

QStringList TSimProcess::ReceivedLines() const {
    QStringList lines;
    for (const TSimTranscriptEntry &e : Transcript())
        if (e.Kind == "RX")
            lines << QString::fromLatin1(e.Text);
    return lines;
}

QMap<QString, QStringList> TSimProcess::Dump() const {
    const QString path = FDir.filePath(QString("dump-%1.txt").arg(++FDumpCount));
    if (Control("dump " + path) != "ok")
        return {};
    return ReadDump(path);
}

QMap<QString, QStringList> TSimProcess::ReadDump(const QString &path) {
    QMap<QString, QStringList> sections;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return sections;
    QString section;
    for (const QByteArray &raw : file.readAll().split('\n')) {
        const QString line = QString::fromLatin1(raw);
        if (line.startsWith('[') && line.endsWith(']'))
            section = line.mid(1, line.size() - 2);
        else if (!line.isEmpty())
            sections[section] << line;
    }
    return sections;
}
