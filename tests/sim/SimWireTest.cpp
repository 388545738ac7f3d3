// pulsesim as a process, seen from a plain serial client on its pseudo-terminal.
#include "PtyClient.h"
#include "SimProcess.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

int64_t MsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool WaitUntilGone(const QString &path) {
    return QTest::qWaitFor([&] { return !QFileInfo(path).isSymLink() && !QFileInfo::exists(path); },
                           5000);
}

bool CanOpen(const QString &path) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd >= 0)
        ::close(fd);
    return fd >= 0;
}

class SimWireTest : public ::testing::Test {
protected:
    // Starts a simulator linked as COM3 and opens the plain client on the link.
    void Start(TSimLaunch launch = TSimLaunch(), int clientBaud = 115200) {
        ASSERT_TRUE(Ports.isValid());
        launch.PortsDir = Ports.path();
        launch.Com = 3;
        Sim = std::make_unique<TSimProcess>(launch);
        QString error;
        ASSERT_TRUE(Sim->Start(&error)) << error.toStdString();
        ASSERT_TRUE(Client.Open(Link().toStdString(), clientBaud));
    }
    QString Link() const { return Ports.filePath("COM3"); }
    // Starts the simulator and brings it to a setting: every line must get its reply, the
    // first that does not ends the test.
    void StartWith(const std::vector<std::pair<std::string, std::string>> &exchanges) {
        ASSERT_NO_FATAL_FAILURE(Start());
        for (const auto &[line, reply] : exchanges)
            ASSERT_EQ(Client.Ask(line), reply) << line;
    }

    QTemporaryDir Ports;
    std::unique_ptr<TSimProcess> Sim;
    TPtyClient Client;
};

TEST_F(SimWireTest, AnswersItsIdentityThroughTheComLink) {
    TSimLaunch launch;
    launch.Model = "627-6";
    launch.Brand = "HTX";
    launch.Serial = 77;
    launch.Firmware = "2.10";
    launch.Fpga = "3.4";
    Start(launch);
    EXPECT_EQ(Sim->LinkPath(), Link());
    EXPECT_EQ(QFileInfo(Link()).symLinkTarget(), Sim->SlavePath());
    EXPECT_TRUE(Sim->SlavePath().startsWith("/dev/pts/"));
    EXPECT_EQ(Client.Ask("*IDN?"), "HTX,627-6,77,2.10-3.4");
    EXPECT_EQ(Client.Ask("*CFG?6?"),
              "0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 2 DIS DIS DIS LOW");
    EXPECT_EQ(Client.Ask("*CFG?7?"), "ERR: out of range");
    EXPECT_EQ(Sim->Stop(), 0);
    EXPECT_FALSE(QFileInfo(Link()).isSymLink()) << "the link goes with the simulator";
}

TEST_F(SimWireTest, StaysSilentAtAnyOtherBaudRate) {
    Start(TSimLaunch(), 9600);
    ASSERT_TRUE(Client.WriteLine("*IDN?"));
    EXPECT_EQ(Client.ReadFor(300), "");
    ASSERT_TRUE(Client.SetBaud(115200));
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
}

TEST_F(SimWireTest, AnswersJunkWithoutLineEndAtAWrongRateWhenAsked) {
    TSimLaunch launch;
    launch.Baud = 19200;
    launch.ExtraArgs = {"--garble-wrong-baud"};
    Start(launch, 115200);
    ASSERT_TRUE(Client.WriteLine("*IDN?"));
    const std::string junk = Client.ReadFor(500);
    EXPECT_EQ(junk.size(), 8u);
    EXPECT_EQ(junk.find_first_of("\r\n"), std::string::npos);
    ASSERT_TRUE(Client.SetBaud(19200));
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
}

TEST_F(SimWireTest, EndsLinesAtCrLfCrOrLfAndAnswersEachOnce) {
    Start();
    ASSERT_TRUE(Client.Write(":SYST:SEC?\r:SYST:AUT?\n:PULS0:STAT?\r\n:COUN:SEL?\r"));
    EXPECT_EQ(Client.ReadReply(), "1\r\n");
    EXPECT_EQ(Client.ReadReply(), "0\r\n");
    EXPECT_EQ(Client.ReadReply(), "0\r\n");
    EXPECT_EQ(Client.ReadReply(), "T0\r\n");
    ASSERT_TRUE(Client.Write("\n:SYST:OCL?\r\n")); // LF completing the CR above: no empty line
    EXPECT_EQ(Client.ReadReply(), "T0\r\n");
    ASSERT_TRUE(Client.Write("\r\n"));
    EXPECT_EQ(Client.ReadReply(), "ERR: unknown command\r\n");
    EXPECT_EQ(Client.ReadFor(200), "");
    EXPECT_EQ(Sim->ReceivedLines(), QStringList({":SYST:SEC?", ":SYST:AUT?", ":PULS0:STAT?",
                                                 ":COUN:SEL?", ":SYST:OCL?", ""}));
}

TEST_F(SimWireTest, SurvivesTheClientClosingAndReopeningThePort) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{":PULS2:STAT 1", "ok"}}));
    for (int i = 0; i < 3; ++i) {
        Client.Close();
        ASSERT_TRUE(Client.Open(Link().toStdString()));
        EXPECT_EQ(Client.Ask(":PULS2:STAT?"), "1");
    }
}

TEST_F(SimWireTest, DelaysAndPacesRepliesWhenAsked) {
    TSimLaunch launch;
    launch.Baud = 9600;
    launch.ExtraArgs = {"--delay", "150", "--pace"};
    Start(launch, 9600);
    const auto start = Clock::now();
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
    // 150 ms pause plus 27 bytes of 10 bits at 9600 baud (28 ms)
    EXPECT_GE(MsSince(start), 150 + 27);
}

TEST_F(SimWireTest, CommandLineFaultsDropGarbleDelayAndTruncate) {
    TSimLaunch launch;
    launch.ExtraArgs = {"--fault", "drop 2 *IDN?",          "--fault", "garble 1 =*CFG? 0?",
                        "--fault", "truncate 1 12 *CFG?5?", "--fault", "delay 1 300 :SYST:AUT?"};
    Start(launch);
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
    EXPECT_EQ(Client.Ask("*IDN?", 300), "<no reply>");
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
    const std::string garbled = Client.Ask("*CFG? 0?");
    EXPECT_EQ(garbled.size(), std::string("0 0.001000000 NORM 1 1 1 0").size());
    for (unsigned char c : garbled)
        EXPECT_GE(c, 0x80);
    EXPECT_EQ(Client.Ask("*CFG? 0?"), "0 0.001000000 NORM 1 1 1 0");
    EXPECT_EQ(Client.Ask("*CFG?5?"), "0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 16");
    EXPECT_EQ(Client.Ask("*CFG?5?"),
              "0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 16 DIS DIS DIS LOW");
    // A reply later than the client waits for still arrives, late.
    EXPECT_EQ(Client.Ask(":SYST:AUT?", 100), "<no reply>");
    EXPECT_EQ(Client.ReadReply(3000), "0\r\n");
}

TEST_F(SimWireTest, FieldFaultReplacesOneFieldOfOneReply) {
    Start();
    EXPECT_EQ(Sim->Control("fault field 1 0 X *CFG?5?"),
              "ERR: bad fault numbers: field 1 0 X *CFG?5?");
    EXPECT_EQ(Sim->Control("fault field 1 3"), "ERR: no field text: field 1 3");
    ASSERT_TRUE(Sim->InjectFault("field 1 9 PECL *CFG?5?"));
    ASSERT_TRUE(Sim->InjectFault("field 1 1 1 =*CFG? 90?"));
    ASSERT_TRUE(Sim->InjectFault("field 1 20 X :SYST:AUT?"));
    EXPECT_EQ(Client.Ask("*CFG?5?"),
              "0 0.00000000000 0.00000010000 NORM 1 1 1 0 PECL NORM 5.00 16 DIS DIS DIS LOW");
    EXPECT_EQ(Client.Ask("*CFG?5?"),
              "0 0.00000000000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 16 DIS DIS DIS LOW");
    EXPECT_EQ(Client.Ask("*CFG? 90?").substr(0, 2), "1 ");
    EXPECT_EQ(Client.Ask(":SYST:AUT?"), "0"); // fewer fields: left as it is
}

TEST_F(SimWireTest, RunTimeFaultsCountMatchingLinesAndStillApplyTheCommand) {
    Start();
    ASSERT_TRUE(Sim->InjectFault("drop 3 :PULS"));
    EXPECT_EQ(Sim->Control("fault explode 1 x"), "ERR: unknown fault action: explode");
    EXPECT_EQ(Client.Ask(":PULS1:STAT 1"), "ok");
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
    EXPECT_EQ(Client.Ask(":PULS2:STAT 1"), "ok");
    EXPECT_EQ(Client.Ask(":PULS3:STAT 1", 300), "<no reply>");
    EXPECT_EQ(Client.Ask(":PULS3:STAT?"), "1");
    ASSERT_TRUE(Sim->InjectFault("drop 1"));
    ASSERT_EQ(Sim->Control("clear-faults"), "ok");
    EXPECT_EQ(Client.Ask(":SYST:SEC?"), "1");
    const QList<TSimTranscriptEntry> transcript = Sim->Transcript();
    ASSERT_GE(transcript.size(), 8);
    EXPECT_EQ(transcript[6].Kind, "RX");
    EXPECT_EQ(transcript[6].Text, ":PULS3:STAT 1");
    EXPECT_EQ(transcript[7].Kind, "--");
    EXPECT_EQ(transcript[7].Text, "fault: reply dropped");
}

TEST_F(SimWireTest, ControlCommandsReachTheInstrument) {
    Start();
    EXPECT_EQ(Sim->Control("ping"), "ok");
    EXPECT_EQ(Sim->Control("counter 4294967301"), "ok");
    EXPECT_EQ(Client.Ask(":COUN:PULS?"), "4294967301");
    EXPECT_EQ(Sim->Control("secure 0"), "ok");
    EXPECT_EQ(Client.Ask(":SYST:SEC?"), "0");
    EXPECT_EQ(Sim->Control("run 1"), "ok"); // started from the front panel
    EXPECT_EQ(Client.Ask(":PULS0:STAT?"), "1");
    EXPECT_EQ(Sim->Control("run 0"), "ok");
    EXPECT_EQ(Client.Ask(":PULS0:STAT?"), "0");
    EXPECT_EQ(Sim->Control("run 2"), "ERR: unknown control command");
    EXPECT_EQ(Sim->Control("lines"), "4");
    EXPECT_EQ(Sim->Control("bogus"), "ERR: unknown control command");
    EXPECT_EQ(Client.Ask("SIM:lines"), "4");
    EXPECT_EQ(Client.Ask("SIM:secure 1"), "ok");
    EXPECT_EQ(Client.Ask(":SYST:SEC?"), "1");
}

// After a number of lines, or after the reply to one line, as a cable pulled then.
TEST_F(SimWireTest, VanishesAfterAGivenNumberOfLinesOrAfterOneReply) {
    for (const QStringList &args :
         {QStringList{"--vanish-after", "2"}, QStringList{"--fault", "vanish 1 :SYST:SEC?"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        TSimLaunch launch;
        launch.ExtraArgs = args;
        Start(launch);
        EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
        EXPECT_EQ(Client.Ask(":SYST:SEC?"), "1");
        EXPECT_TRUE(Client.HungUp());
        EXPECT_TRUE(WaitUntilGone(Link()));
        EXPECT_FALSE(CanOpen(Sim->SlavePath()));
        EXPECT_EQ(Sim->Transcript().value(Sim->Transcript().size() - 1).Text, "vanished");
        EXPECT_EQ(Sim->Stop(), 0);
        Client.Close();
    }
}

// A reply that never ends: junk bytes without CR or LF, then the next reply as usual.
TEST_F(SimWireTest, FloodFaultSendsBytesWithoutALineEnd) {
    TSimLaunch launch;
    launch.ExtraArgs = {"--fault", "flood 1 65536 *IDN?"};
    Start(launch);
    ASSERT_TRUE(Client.WriteLine("*IDN?"));
    std::string flood;
    for (int i = 0; i < 100 && flood.size() < 65536; ++i)
        flood += Client.ReadFor(50);
    EXPECT_EQ(flood.size(), 65536u);
    EXPECT_EQ(flood.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
}

TEST_F(SimWireTest, VanishesOnSignalAndOnControlCommand) {
    for (bool bySignal : {true, false}) {
        SCOPED_TRACE(bySignal ? "SIGUSR1" : "control");
        Start();
        EXPECT_EQ(Client.Ask("*IDN?"), "VK,6180-12,1234,1.00-1.25");
        ASSERT_TRUE(bySignal ? Sim->SignalVanish() : Sim->Vanish());
        EXPECT_TRUE(WaitUntilGone(Link()));
        EXPECT_TRUE(Client.HungUp());
        EXPECT_FALSE(CanOpen(Sim->SlavePath()));
        EXPECT_EQ(Sim->Control("ping"), "ok") << "still running, just unplugged";
        EXPECT_EQ(Sim->Stop(), 0);
        Client.Close();
    }
}

TEST_F(SimWireTest, TranscriptHoldsEveryLineWithItsBaudRateAndEveryReply) {
    TSimLaunch launch;
    launch.ExtraArgs = {"--fault", "truncate 1 1 *CFG? 90?"};
    Start(launch, 57600);
    ASSERT_TRUE(Client.WriteLine("*IDN?"));
    EXPECT_EQ(Client.ReadFor(200), "");
    ASSERT_TRUE(Client.SetBaud(115200));
    EXPECT_EQ(Client.Ask("*CFG? 90?"), "DIS");
    EXPECT_EQ(Client.Ask(":PULS1:CLOG x\\\x01"), "ERR: bad argument");
    const QList<TSimTranscriptEntry> t = Sim->Transcript();
    struct TExpected {
        const char *Kind;
        int Baud;
        QByteArray Text;
    };
    const std::vector<TExpected> expected = {{"RX", 57600, "*IDN?"},
                                             {"--", 0, "wrong baud rate: no reply"},
                                             {"RX", 115200, "*CFG? 90?"},
                                             {"--", 0, "fault: reply truncated to 1 fields"},
                                             {"TX", 0, "DIS"},
                                             {"RX", 115200, ":PULS1:CLOG x\\\x01"},
                                             {"TX", 0, "ERR: bad argument"}};
    ASSERT_EQ(t.size(), static_cast<int>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(t[int(i)].Kind, expected[i].Kind) << i;
        EXPECT_EQ(t[int(i)].Baud, expected[i].Baud) << i;
        EXPECT_EQ(t[int(i)].Text, expected[i].Text) << i;
        if (i > 0) {
            EXPECT_GE(t[int(i)].Seconds, t[int(i) - 1].Seconds);
        }
    }
}

TEST_F(SimWireTest, DumpShowsWhatTheInstrumentHoldsWhileRunningAndAtExit) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{":PULS0:PER 0.000200000", "ok"},
                                       {":PULS2:WIDT 0.00000000500", "ERR: out of range"},
                                       {":PULS2:WIDT 0.00000002000", "ok"},
                                       {"*SAV 4", "ok"}}));
    const QMap<QString, QStringList> dump = Sim->Dump();
    EXPECT_EQ(dump.value("identity"),
              QStringList({"*IDN VK,6180-12,1234,1.00-1.25", "channels 12"}));
    const QStringList state = dump.value("state");
    ASSERT_EQ(state.size(), 5 + 6 + 12 + 2);
    EXPECT_EQ(state[0], "*CFG 0 0 0.000200000 NORM 1 1 1 0");
    EXPECT_EQ(state[5], ":SYST:AUT 0");
    EXPECT_EQ(state[12],
              "*CFG 2 0 0.00000000000 0.00000002000 NORM 1 1 1 0 TTL NORM 5.00 2 DIS DIS DIS LOW");
    EXPECT_EQ(state.mid(23), QStringList({":PULS0:STAT 0", ":COUN:PULS 0"}));
    EXPECT_EQ(dump.value("bin 4"), state.mid(0, 23));
    EXPECT_EQ(dump.value("bin 0")[0], "*CFG 0 0 0.001000000 NORM 1 1 1 0");
    EXPECT_EQ(dump.value("service").mid(0, 3),
              QStringList({":SYST:SEC 1", "*SER 1234", ":SYST:BAD 1 12"}));
    ASSERT_EQ(Client.Ask(":PULS0:PER 0.000300000"), "ok");
    EXPECT_EQ(Sim->Stop(), 0);
    const QMap<QString, QStringList> final = TSimProcess::ReadDump(Sim->FinalDumpPath());
    EXPECT_EQ(final.value("state")[0], "*CFG 0 0 0.000300000 NORM 1 1 1 0");
}

TEST_F(SimWireTest, RunEndsByItselfAsAStatusPollSeesIt) {
    ASSERT_NO_FATAL_FAILURE(StartWith({{":PULS0:MOD BURS", "ok"},
                                       {":PULS0:BCO 3", "ok"},
                                       {":PULS0:PER 0.001", "ok"},
                                       {":PULS0:STAT ON", "ok"}}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Client.Ask(":PULS0:STAT?") == "0"; }, 5000));
    EXPECT_EQ(Client.Ask(":COUN:PULS?"), "3");
}

std::string RunPulsesim(const std::string &args, int &status) {
    const std::string command = TSimProcess::BinaryPath().toStdString() + " " + args + " 2>&1";
    std::FILE *pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
        output.append(buffer, n);
    status = ::pclose(pipe);
    return output;
}

TEST(SimCommandLineTest, HelpDocumentsEveryOptionAndBadOptionsAreRefused) {
    int status = 0;
    const std::string help = RunPulsesim("--help", status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    for (const char *option :
         {"--model", "--brand", "--serial", "--firmware", "--fpga", "--ports", "--com", "--baud",
          "--garble-wrong-baud", "--delay", "--pace", "--unsecured", "--transcript", "--dump",
          "--fault", "--vanish-after", "--control", "SIGUSR1", "--help"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
    EXPECT_EQ(RunPulsesim("--baud fast", status),
              "pulsesim: bad value for --baud: fast (see --help)\n");
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_EQ(RunPulsesim("--fault \"shake 1 x\"", status),
              "pulsesim: unknown fault action: shake (see --help)\n");
    EXPECT_EQ(RunPulsesim("--colour", status), "pulsesim: unknown option: --colour (see --help)\n");
}

} // namespace
