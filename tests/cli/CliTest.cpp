// pulsectl started as a process against a pulsesim process: what reached the instrument
// is compared line by line with the panel's recorded transcript for the same actions,
// with literal outputs, messages and exit codes.
#include "ScriptedPrompts.h"
#include "SimPortsFixture.h"
#include "VKComPort.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

struct TRun {
    int Exit = -1;
    QString Out;
    QString Err;
};

// The panel's recorded session: its search, its read-back and its changes, as sent.
QStringList PanelTranscript() {
    QFile file(QStringLiteral(TRANSCRIPT_DIR "/scripted-session.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

class CliTest : public SimPortsTest {
protected:
    void SetUp() override {
        Sim = StartSim();
        ASSERT_TRUE(Sim);
        Panel = PanelTranscript();
        ASSERT_GT(Panel.size(), 50);
        Search = Panel.mid(0, 2);    // "*IDN?" twice
        ReadBack = Panel.mid(2, 24); // "*CFG? 0?" .. "*CFG?12?"
        ASSERT_EQ(ReadBack.first(), "*CFG? 0?");
        ASSERT_EQ(ReadBack.last(), "*CFG?12?");
    }

    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSEPANEL_PORTS", Ports.path());
        return env;
    }
    TRun Ctl(const QStringList &args) {
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.setWorkingDirectory(Work.path());
        p.start(QStringLiteral(PULSECTL_PATH), args);
        p.waitForFinished(60000);
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromLocal8Bit(p.readAllStandardOutput()),
                QString::fromLocal8Bit(p.readAllStandardError())};
    }
    QString WorkFile(const QString &name) const { return Work.filePath(name); }

    QTemporaryDir Work;
    QStringList Panel, Search, ReadBack;
};

// A command line as typed, split at its blanks.
QStringList Words(const char *line) {
    return QString::fromLatin1(line).split(' ');
}

// The panel's lines from `first` on, `count` of them, as recorded.
QStringList Slice(const QStringList &panel, const QString &first, int count) {
    return panel.mid(panel.indexOf(first), count);
}

} // namespace

// Every verb that talks to the instrument: its search, then what the panel sends for the
// same action, nothing more and nothing less.
TEST_F(CliTest, VerbsSendWhatThePanelSends) {
    // The panel's changes from its period to the output mode, but the counter clear,
    // which has no key.
    QStringList changes = Slice(Panel, ":PULS0:PER 0.000200000", 20);
    ASSERT_EQ(changes.last(), ":PULS5:OUTP:MOD ADJ");
    changes.removeAll(":COUN:CL 1");
    const QStringList setArgs =
        Words("set period 2e-4 mode sing burst 7 autostart on sync Ch1 trig1.mode TRIG trig1.edge "
              "fall trig1.level 1.5 gate1.mode PULS gate2.logic HIGH iclock 10 countersource CH1 "
              "counter off ch1.enabled 1 ch1.delay 1e-6 ch3.width 20e-9 ch12.mode SING "
              "ch2.polarity INV ch5.output ADJ");
    struct TCase {
        QStringList Args;
        QStringList Sent; // after the search
        QString Out;      // a regular expression for standard output
    };
    const QList<TCase> cases = {
        {setArgs, changes, "^$"},
        // The keys the recorded session does not touch, as the command tables spell them.
        {Words("set dutyon 3 dutyoff 4 cycles 5 oclock 100 trig1.debounce enab trig2.mode trig "
               "trig2.edge fall trig2.debounce enab trig2.level 3.3 gate1.logic high "
               "gate1.debounce enab gate1.level 2.5 gate2.mode chan gate2.debounce enab "
               "ch4.burst 8 ch4.wait 9 ch4.dutyon 10 ch4.dutyoff 11 ch4.amplitude 5 ch4.gate puls "
               "ch4.sync syna ch12.mux 5 ch4.control gata ch4.logic high ch4.enabled off "
               "ch4.mode dcyc"),
         {":PULS0:PCO 3",     ":PULS0:OCO 4",    ":PULS0:CYCL 5",         ":SYST:OCL 100",
          ":TRIG1:DEB ENAB",  ":TRIG2:MOD TRIG", ":TRIG2:EDG FALL",       ":TRIG2:DEB ENAB",
          ":TRIG2:LEV 3.30",  ":GAT1:LOG HIGH",  ":GAT1:DEB ENAB",        ":GATE1:LEV 2.50",
          ":GATE2:MOD CHAN",  ":GAT2:DEB ENAB",  ":PULS4:BCO 8",          ":PULS4:WCO 9",
          ":PULS4:PCO 10",    ":PULS4:OCO 11",   ":PULS4:OUTP:AMPL 5.00", ":PULS4:CGAT PULS",
          ":PULS4:SYNC SYNA", ":PULS12:MUX 5",   ":PULS4:CONT GATA",      ":PULS4:CLOG HIGH",
          ":PULS4:STAT 0",    ":PULS4:MOD DCYC"},
         "^$"},
        {{"run"}, {":PULS0:STAT ON"}, "^$"},
        {{"status"}, {":PULS0:STAT?", ":COUN:PULS?"}, "^running \\d+\n$"},
        {{"stop"}, {":PULS0:STAT OFF"}, "^$"},
        {{"bin", "save", "2"}, {"*SAV 2"}, "^$"},
        {{"bin", "recall", "2"}, QStringList{"*RCL 2"} + ReadBack, "^$"},
        {{"get"},
         ReadBack,
         "^// .*\n// Orvane Selkrin Model 6180-12  SW Version: [0-9.]+ ComPort: "
         "2 Baud: 115200\n// Serial Number: 1234\n"},
        {{"send", "*IDN?", ":PULS3:WIDT?"},
         {"*IDN?", ":PULS3:WIDT?"},
         "^VK,6180-12,1234,1.00-1.25\n0.00000002000\n$"},
        {{"find"}, {}, "^COM2 115200 VK 6180-12 1234 1.00 1.25\n$"},
        {{"identify"},
         {},
         "^Brand: VK \\(Orvane Selkrin\\)\nModel: 6180-12\nChannels: 12\nSerial Number: 1234\n"
         "Firmware Ver: 1.00\nFPGA Ver: 1.25\n$"},
        {{"list"}, {}, "^COM2 " + QRegularExpression::escape(Sim->SlavePath()) + "\n$"},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        const int mark = Mark();
        const TRun r = Ctl(c.Args);
        EXPECT_EQ(r.Exit, 0) << r.Err.toStdString();
        EXPECT_EQ(r.Err, "");
        const QStringList expected = c.Args.first() == "list" ? QStringList() : Search + c.Sent;
        EXPECT_EQ(Since(mark), expected);
        EXPECT_TRUE(QRegularExpression(c.Out).match(r.Out).hasMatch()) << r.Out.toStdString();
    }
    // The changes reached the instrument: its state reads back as the panel's did.
    const QStringList state = Sim->Dump().value("state");
    ASSERT_GE(state.size(), 11 + 12);
    EXPECT_EQ(state[0], "*CFG 0 0 0.000200000 SING 7 3 4 5");
    EXPECT_EQ(state[11], "*CFG 1 1 0.00000100000 0.00000010000 NORM 1 1 1 0 TTL NORM 5.00 1 DIS "
                         "DIS DIS LOW");
}

// A saved file, replayed onto a changed instrument, gives the file back: the replay sends
// its command lines with the panel's read-back after them, and a second save and `get`
// repeat it line for line (only the date line differs).
TEST_F(CliTest, SaveRestoreAndGetAgree) {
    ASSERT_EQ(Ctl({"set", "ch3.delay", "125e-9", "ch3.width", "50e-9", "ch3.enabled", "on"}).Exit,
              0);
    ASSERT_EQ(Ctl({"save", "first"}).Exit, 0); // the panel's default extension
    QFile file(WorkFile("first.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    ASSERT_TRUE(saved.endsWith("\r\n"));
    const QStringList fileLines = QString::fromLatin1(saved).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_TRUE(fileLines.contains("*CFG 3 1 0.00000012500 0.00000005000 NORM 1 1 1 0 TTL NORM "
                                   "5.00 4 DIS DIS DIS LOW"));

    ASSERT_EQ(Ctl({"set", "ch3.delay", "1e-6", "period", "1e-3"}).Exit, 0);
    const int mark = Mark();
    const TRun restored = Ctl({"--quiet", "restore", "first.txt"});
    EXPECT_EQ(restored.Exit, 0) << restored.Err.toStdString();
    EXPECT_EQ(restored.Err, "");
    QStringList commands;
    for (const QString &line : fileLines)
        if (!line.contains("//"))
            commands << line;
    EXPECT_EQ(Since(mark), Search + commands + ReadBack);

    const TRun get = Ctl({"get"});
    ASSERT_EQ(get.Exit, 0);
    EXPECT_EQ(get.Out.split('\n', Qt::SkipEmptyParts).mid(1), fileLines.mid(1));
    ASSERT_EQ(Ctl({"save", "second.txt"}).Exit, 0);
    QFile second(WorkFile("second.txt"));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    const QByteArray again = second.readAll();
    EXPECT_EQ(again.mid(again.indexOf("\r\n")), saved.mid(saved.indexOf("\r\n")));
}

// The JSON read-back: its sections and every channel's keys, with the values set.
TEST_F(CliTest, JsonNamesEverySettingWithItsUnit) {
    ASSERT_EQ(Ctl({"set", "ch3.delay", "125e-9", "trig2.level", "1.25"}).Exit, 0);
    const TRun r = Ctl({"get", "--json"});
    ASSERT_EQ(r.Exit, 0) << r.Err.toStdString();
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(r.Out.toUtf8(), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_EQ(doc.keys(), QStringList({"channels", "identity", "inputs", "system"}));
    EXPECT_EQ(doc["identity"].toObject().keys(),
              QStringList({"baud", "brand", "channels", "company", "firmware", "fpga", "model",
                           "port", "serial"}));
    EXPECT_EQ(doc["system"].toObject().keys(),
              QStringList({"autostart", "burst", "counter", "countersource", "cycles", "dutyoff",
                           "dutyon", "iclock", "mode", "oclock", "period_s", "running", "sync"}));
    const QJsonObject inputs = doc["inputs"].toObject();
    EXPECT_EQ(inputs.keys(), QStringList({"gate1", "gate2", "trig1", "trig2"}));
    EXPECT_EQ(inputs["trig1"].toObject().keys(),
              QStringList({"debounce", "edge", "level_V", "mode"}));
    EXPECT_EQ(inputs["gate2"].toObject().keys(),
              QStringList({"debounce", "level_V", "logic", "mode"}));
    EXPECT_EQ(inputs["gate2"]["level_V"].toDouble(), 1.25); // one threshold for both
    const QJsonArray channels = doc["channels"].toArray();
    ASSERT_EQ(channels.size(), 12);
    const QJsonObject ch3 = channels[2].toObject();
    EXPECT_EQ(ch3.keys(), QStringList({"amplitude_V", "burst", "channel", "control", "delay_s",
                                       "dutyoff", "dutyon", "enabled", "gate", "logic", "mode",
                                       "mux", "output", "polarity", "sync", "wait", "width_s"}));
    EXPECT_EQ(ch3["channel"].toInt(), 3);
    EXPECT_EQ(ch3["delay_s"].toDouble(), 125e-9);
    EXPECT_EQ(ch3["mode"].toString(), "NORM");
}

// Every failure has its exit code and names its cause; a refused value sends nothing of
// its own, the accepted ones beside it still go out.
TEST_F(CliTest, FailuresHaveTheirExitCodes) {
    QFile binary(WorkFile("binary.txt"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("*CFG 0 \0\x01\x02", 10));
    binary.close();
    struct TCase {
        QStringList Args;
        int Exit;
        QString Err; // a regular expression
        QStringList Sent;
    };
    const QList<TCase> cases = {
        {{}, 2, "^pulsectl: no verb given\nUsage: pulsectl \\[options\\] VERB \\[arguments\\]", {}},
        {{"frobnicate"}, 2, "^pulsectl: unknown verb frobnicate\n", {}},
        {{"--port", "x", "identify"}, 2, "^pulsectl: --port needs a positive number\n", {}},
        {{"get", "--watch"}, 2, "^pulsectl: --watch belongs to status\n", {}},
        {{"set", "ch3.delay"},
         2,
         "^pulsectl: wrong number of arguments for set\nUsage: pulsectl \\[options\\] set KEY "
         "VALUE \\.\\.\\. ",
         {}},
        {{"set", "ch3.speed", "1"}, 2, "^pulsectl: ch3.speed: no such setting", {}},
        {{"set", "ch3.delay", "1e-10", "ch3.enabled", "on"},
         5,
         "^pulsectl: ch3.delay: 1e-10 s is not a whole number of 2.5e-10 s steps\n$",
         Search + QStringList{":PULS3:STAT 1"}},
        {{"set", "ch13.delay", "0"},
         5,
         "^pulsectl: ch13.delay: this model has 12 channels\n$",
         Search},
        {{"set", "trig1.level", "20"},
         5,
         "^pulsectl: trig1.level: 20 V is outside 0.2 to 15 V\n$",
         Search},
        {{"set", "burst", "1.5"}, 5, "^pulsectl: burst: \"1.5\" is not a whole number\n$", Search},
        {{"set", "ch1.mode", "FAST"},
         5,
         "^pulsectl: ch1.mode: \"FAST\" is none of NORM, SING, BURS, DCYC\n$",
         Search},
        {{"bin", "recall", "13"}, 5, "^pulsectl: bin 13: this model has bins 0 to 12\n$", Search},
        {{"restore", "missing.txt"},
         6,
         "^pulsectl: Cannot read file \"[^\"]*missing.txt\"",
         Search},
        {{"restore", "binary.txt"}, 6, "^pulsectl: .*binary.txt", Search},
        {{"--port", "3", "identify"},
         3,
         "^pulsectl: Error opening COM3: No such file or directory\n$",
         {}},
        {{"--port", "2", "--baud", "9600", "identify"},
         3,
         "^pulsectl: No instrument answered on COM2 at 9600 baud.\n$",
         {"*IDN?"}}, // one identification, at a rate the instrument does not answer
        {{"--help"}, 0, "^$", {}},
    };
    for (const TCase &c : cases) {
        SCOPED_TRACE(c.Args.join(' ').toStdString());
        const int mark = Mark();
        const TRun r = Ctl(c.Args);
        EXPECT_EQ(r.Exit, c.Exit);
        EXPECT_TRUE(QRegularExpression(c.Err).match(r.Err).hasMatch()) << r.Err.toStdString();
        EXPECT_EQ(Since(mark), c.Sent);
    }
    // A lost reply ends with the time-out code, never with a question.
    ASSERT_TRUE(Sim->InjectFault("drop 1 :PULS0:STAT?"));
    const TRun lost = Ctl({"status"});
    EXPECT_EQ(lost.Exit, 4);
    EXPECT_EQ(lost.Err, "pulsectl: Communications lost\n");
    // No instrument at all.
    Sim->Stop();
    const TRun none = Ctl({"identify"});
    EXPECT_EQ(none.Exit, 3);
    EXPECT_EQ(none.Err, "pulsectl: No available ports.\npulsectl: No instrument found.\n");
}

// The checks follow the connected model: a 36-channel instrument has shorter times and
// smaller counts, and channels up to 36. --port identifies it once, without a search.
TEST_F(CliTest, RangesFollowTheModel) {
    TSimLaunch launch;
    launch.Model = "6180-36";
    const auto large = StartSim(launch, 4);
    ASSERT_TRUE(large);
    const TRun r = Ctl({"--port", "4", "set", "ch20.delay", "3", "ch36.width", "1e-6", "ch20.burst",
                        "2000000", "ch5.delay", "3"});
    EXPECT_EQ(r.Exit, 5);
    EXPECT_EQ(r.Err, "pulsectl: ch20.delay: 3 s is outside 0 to 2 s\n"
                     "pulsectl: ch20.burst: 2000000 is outside 1 to 1000000\n"
                     "pulsectl: ch5.delay: 3 s is outside 0 to 2 s\n");
    EXPECT_EQ(large->ReceivedLines(), QStringList({"*IDN?", ":PULS36:WIDT 0.00000100000"}));
    // The same delay on the 12-channel model is in range.
    const int mark = Mark();
    EXPECT_EQ(Ctl({"set", "ch5.delay", "3"}).Exit, 0);
    EXPECT_EQ(Since(mark), Search + QStringList{":PULS5:DEL 3.00000000000"});
}

// --log writes the panel's communication log into the working directory.
TEST_F(CliTest, LogOptionWritesThePanelsLog) {
    ASSERT_EQ(Ctl({"--log", "send", "*IDN?"}).Exit, 0);
    const QStringList logs = QDir(Work.path()).entryList({"SystemLogFile_*.txt"});
    ASSERT_EQ(logs.size(), 1);
    QFile log(WorkFile(logs.first()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(log.readAll());
    EXPECT_TRUE(QRegularExpression("\nSent    \\([0-9:.]+\\): \\*IDN\\?\r?\n"
                                   "Received\\([0-9:.]+\\): VK,6180-12,1234,1.00-1.25\r?\n$")
                    .match(text)
                    .hasMatch())
        << text.toStdString();
}

// Standard error on a terminal carries a progress bar through the read-back and the
// replay, each ending in a full bar and cleared; --quiet leaves the terminal alone.
TEST_F(CliTest, ProgressBarOnlyOnATerminal) {
    ASSERT_EQ(Ctl({"save", "bar.txt"}).Exit, 0);
    const auto onTerminal = [&](const QStringList &args) {
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
        EXPECT_GE(master, 0);
        ::grantpt(master);
        ::unlockpt(master);
        const int slave = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
        EXPECT_GE(slave, 0);
        QProcess p;
        p.setProcessEnvironment(Environment());
        p.setWorkingDirectory(Work.path());
        p.setChildProcessModifier([slave] { ::dup2(slave, STDERR_FILENO); });
        p.start(QStringLiteral(PULSECTL_PATH), args);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0);
        ::close(slave);
        QByteArray shown;
        char buffer[4096];
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        for (ssize_t n; (n = ::read(master, buffer, sizeof buffer)) > 0;)
            shown.append(buffer, n);
        ::close(master);
        return shown;
    };
    const QByteArray full = "[" + QByteArray(30, '#') + "]";
    const QByteArray readBack = onTerminal({"get"});
    EXPECT_TRUE(readBack.startsWith("\rInitializing System      [")) << readBack.toStdString();
    EXPECT_TRUE(readBack.contains("\rInitializing Ch 12       " + full)) << readBack.toStdString();
    EXPECT_TRUE(readBack.endsWith("\r\033[K")) << readBack.toStdString();
    const QByteArray replay = onTerminal({"restore", "bar.txt"});
    EXPECT_TRUE(replay.contains("\rLoading                  " + full)) << replay.toStdString();
    EXPECT_TRUE(replay.endsWith("\r\033[Kpulsectl: Settings loaded.\r\n")) << replay.toStdString();
    EXPECT_EQ(onTerminal({"--quiet", "get"}), "");
}

// --help names every verb, every exit code and the keys of set.
TEST_F(CliTest, HelpListsVerbsKeysAndExitCodes) {
    const TRun r = Ctl({"--help"});
    ASSERT_EQ(r.Exit, 0);
    for (const char *word : {"list",
                             "find",
                             "identify",
                             "get [--json]",
                             "set KEY VALUE",
                             "send CMD",
                             "run",
                             "stop",
                             "status [--watch]",
                             "save FILE",
                             "restore FILE",
                             "bin save|recall N",
                             "--port N",
                             "--baud B",
                             "--log",
                             "--quiet",
                             "--version",
                             "3 no instrument",
                             "4 lost reply",
                             "5 value refused",
                             "6 bad file",
                             "2 bad usage",
                             "7 port held by another program",
                             "chN.delay",
                             "trig1.level",
                             "NORM|INV"})
        EXPECT_TRUE(r.Out.contains(QLatin1String(word))) << word;
    // A verb's own help: its synopsis and what it does; set's lists the keys too.
    const TRun bin = Ctl({"bin", "--help"});
    EXPECT_EQ(bin.Exit, 0);
    EXPECT_TRUE(bin.Out.startsWith("Usage: pulsectl [options] bin save|recall N\n\n"
                                   "Saves to or recalls from storage bin N.\n\nOptions:"))
        << bin.Out.toStdString();
    EXPECT_TRUE(Ctl({"set", "--help"}).Out.contains("chN.delay"));
    EXPECT_EQ(Ctl({"--version"}).Out, "pulsectl " + QCoreApplication::applicationVersion() + "\n");
}

// While pulsectl holds the port, another pulsectl and the panel's port are refused, both
// naming the holder; once it has ended the port is free again.
TEST_F(CliTest, AHeldPortIsRefusedWithItsHolder) {
    QProcess watcher;
    watcher.setProcessEnvironment(Environment());
    watcher.start(QStringLiteral(PULSECTL_PATH), {"status", "--watch"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return watcher.canReadLine(); }, 10000));
    EXPECT_EQ(watcher.readLine(), "stopped 0\n");
    const QString holder =
        QStringLiteral("in use by another program (pulsectl, process %1)").arg(watcher.processId());

    const TRun searched = Ctl({"identify"});
    EXPECT_EQ(searched.Exit, 7);
    EXPECT_EQ(searched.Err, "pulsectl: COM2: " + holder + "\n");
    const TRun named = Ctl({"--port", "2", "identify"});
    EXPECT_EQ(named.Exit, 7);
    EXPECT_EQ(named.Err, "pulsectl: Error opening COM2: " + holder + "\n");

    TScriptedPrompts prompts;
    prompts.QueueButton(TPrompts::mbAbort);
    TVKComPort panelPort;
    panelPort.setPrompts(&prompts);
    panelPort.setPortsDirectory(Ports.path());
    panelPort.setPort(2);
    EXPECT_FALSE(panelPort.Open());
    EXPECT_EQ(prompts.Texts(), QStringList({"Error opening COM2: " + holder}));

    ::kill(watcher.processId(), SIGINT);
    ASSERT_TRUE(watcher.waitForFinished(10000));
    EXPECT_EQ(watcher.exitCode(), 0);
    EXPECT_EQ(Ctl({"identify"}).Exit, 0);
}

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(PULSECTL_VERSION));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
