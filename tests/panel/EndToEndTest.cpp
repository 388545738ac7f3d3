// The built program as a process against a simulator, with the "log" switch.
#include "SimProcess.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

bool WaitFor(const std::function<bool()> &done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        QThread::msleep(20);
    }
    return true;
}

QStringList LogLines(const QString &dir) {
    const QStringList files = QDir(dir).entryList({"SystemLogFile_*.txt"}, QDir::Files);
    if (files.size() != 1)
        return {};
    QFile file(QDir(dir).filePath(files[0]));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
}

// "Sent    (12:00:00.123): *CFG? 0?" -> "*CFG? 0?"
QStringList EntryTexts(const QStringList &lines, const QString &kind) {
    QStringList texts;
    for (const QString &line : lines)
        if (line.startsWith(kind + "("))
            texts << line.mid(line.indexOf("): ") + 3);
    return texts;
}

TEST(EndToEndTest, ProgramWithLogSwitchFindsTheSimulatorReadsBackAndLogsEveryExchange) {
    QTemporaryDir ports, work;
    TSimLaunch launch;
    launch.Model = "6180-6";
    launch.Baud = 38400;
    launch.PortsDir = ports.path();
    launch.Com = 2;
    TSimProcess sim(launch);
    ASSERT_TRUE(sim.Start());

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSEPANEL_PORTS", ports.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("USERNAME", "bench");
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(work.path());
    program.start(PULSEPANEL_PATH, {"-LOG"});
    ASSERT_TRUE(program.waitForStarted(5000));

    const auto readBackDone = [&] { return sim.ReceivedLines().contains("*CFG?6?"); };
    ASSERT_TRUE(WaitFor(readBackDone, 20000)) << sim.ReceivedLines().join(" ").toStdString();
    const auto lastReplyLogged = [&] {
        return EntryTexts(LogLines(work.path()), "Received").size() >= 18;
    };
    ASSERT_TRUE(WaitFor(lastReplyLogged, 5000));
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));

    const QStringList lines = LogLines(work.path());
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines[0].startsWith("System Communication Log File ")) << lines[0].toStdString();
    // The search ran before the log was switched on; everything after it is in the log.
    QStringList wire = sim.ReceivedLines();
    ASSERT_GE(wire.size(), 2 + 18);
    EXPECT_EQ(wire.mid(0, 6), QStringList(6, "*IDN?")); // 115200 .. 38400, two each
    wire = wire.mid(6);
    EXPECT_EQ(EntryTexts(lines, "Sent    ").mid(0, 18), wire.mid(0, 18));
    const QStringList received = EntryTexts(lines, "Received");
    QStringList state = sim.Dump().value("state");
    ASSERT_FALSE(state.isEmpty());
    EXPECT_EQ("*CFG 0 " + received.value(0), state[0]);
    EXPECT_EQ("*CFG 6 " + received.value(17), state[5 + 6 + 5]);
    sim.Stop();
}

} // namespace
