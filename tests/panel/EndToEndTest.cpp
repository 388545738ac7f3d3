// The built program as a process against a simulator, with the "log" switch; directly and
// through a TCP bridge made by socat.
#include "SimProcess.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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

// A 6-channel instrument at 38400 baud, and the program started with `logSwitch` in a
// scratch folder on the ports of `portsDir` until it has read the instrument back.
class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSimLaunch launch;
        launch.Model = "6180-6";
        launch.Baud = 38400;
        launch.PortsDir = SimPorts.path();
        launch.Com = 2;
        Sim = std::make_unique<TSimProcess>(launch);
        ASSERT_TRUE(Sim->Start());
    }
    void TearDown() override {
        if (Program.state() != QProcess::NotRunning) {
            Program.kill();
            Program.waitForFinished(5000);
        }
    }

    void RunProgramUntilReadBack(const QString &portsDir, const QString &logSwitch) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSEPANEL_PORTS", portsDir);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("USERNAME", "bench");
        Program.setProcessEnvironment(env);
        Program.setWorkingDirectory(Work.path());
        Program.start(PULSEPANEL_PATH, {logSwitch});
        ASSERT_TRUE(Program.waitForStarted(5000));

        const auto readBackDone = [&] { return Sim->ReceivedLines().contains("*CFG?6?"); };
        ASSERT_TRUE(QTest::qWaitFor(readBackDone, 20000))
            << Sim->ReceivedLines().join(" ").toStdString();
        const auto lastReplyLogged = [&] {
            return EntryTexts(LogLines(Work.path()), "Received").size() >= 18;
        };
        ASSERT_TRUE(QTest::qWaitFor(lastReplyLogged, 5000));
        Program.terminate();
        ASSERT_TRUE(Program.waitForFinished(5000));
    }

    // The log starts after the search, whose `searchLines` are the first on the wire; from
    // there on the log holds every line sent and the replies that carry the instrument's state.
    void ExpectLogFollowsTheWireAfter(int searchLines) {
        const QStringList lines = LogLines(Work.path());
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_TRUE(lines[0].startsWith("System Communication Log File "))
            << lines[0].toStdString();
        QStringList wire = Sim->ReceivedLines();
        ASSERT_GE(wire.size(), searchLines + 18);
        EXPECT_EQ(wire.mid(0, searchLines), QStringList(searchLines, "*IDN?"));
        wire = wire.mid(searchLines);
        EXPECT_EQ(EntryTexts(lines, "Sent    ").mid(0, 18), wire.mid(0, 18));
        const QStringList received = EntryTexts(lines, "Received");
        QStringList state = Sim->Dump().value("state");
        ASSERT_FALSE(state.isEmpty());
        EXPECT_EQ("*CFG 0 " + received.value(0), state[0]);
        EXPECT_EQ("*CFG 6 " + received.value(17), state[5 + 6 + 5]);
    }

    QTemporaryDir SimPorts, Work;
    std::unique_ptr<TSimProcess> Sim;
    QProcess Program;
};

TEST_F(EndToEndTest, ProgramWithLogSwitchFindsTheSimulatorReadsBackAndLogsEveryExchange) {
    RunProgramUntilReadBack(SimPorts.path(), "-LOG");
    ExpectLogFollowsTheWireAfter(6); // 115200 .. 38400, two each
}

#ifdef SOCAT_PATH
// socat as a network serial server on the simulator's line, and as the client that gives
// the program a pseudo-terminal linked as COM1 in its port folder (see the README).
TEST_F(EndToEndTest, ProgramFindsAndReadsTheSimulatorBehindASocatTcpBridge) {
    QProcess server, client;
    const auto stop = [](QProcess &p) {
        p.terminate();
        p.waitForFinished(5000);
    };
    server.start(SOCAT_PATH, {"-d", "-d", "TCP-LISTEN:0,bind=127.0.0.1",
                              "FILE:" + Sim->LinkPath() + ",rawer,b38400"});
    QString log, tcpPort;
    const auto listening = [&] {
        server.waitForReadyRead(20);
        log += server.readAllStandardError();
        static const QRegularExpression port("listening on AF=2 127\\.0\\.0\\.1:(\\d+)");
        tcpPort = port.match(log).captured(1);
        return !tcpPort.isEmpty();
    };
    ASSERT_TRUE(QTest::qWaitFor(listening, 5000)) << log.toStdString();

    QTemporaryDir programPorts;
    const QString link = programPorts.filePath("COM1");
    client.start(SOCAT_PATH, {"PTY,link=" + link + ",rawer", "TCP:127.0.0.1:" + tcpPort});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(link).exists(); }, 5000));

    RunProgramUntilReadBack(programPorts.path(), "/log");
    // The bridge carries bytes, not the pty's rate: the first rate tried finds the instrument.
    ExpectLogFollowsTheWireAfter(2);
    stop(client);
    stop(server);
}
#endif

} // namespace
