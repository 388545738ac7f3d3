// A whole session against pulsesim with no window: discovery, read-back, the queue, run
// and stop, the poll, bins, a replayed line and the calibration read-back, each compared
// with the wire and the simulator's own dump.
#include "Session.h"
#include "ScriptedPrompts.h"
#include "SimPortsFixture.h"

#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

// Readable failure output.
inline void PrintTo(const QString &text, std::ostream *os) {
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Records what the session shows, as a window would see it.
struct TRecordingView : TSessionView, TCalibrationView {
    QString ShowIdentity(const Instrument::TIdentity &, qint32 port, qint32 baud) override {
        return QString("COM%1 at %2").arg(port).arg(baud);
    }
    void ShowRunState(bool running) override { RunStates << running; }
    bool ShotCountWanted() const override { return true; }
    void ShowShotCount(const QString &text) override { ShotCount = text; }
    void ShowInputCal(int index, qint32 value) override { InputCals[index] = value; }
    QList<bool> RunStates;
    QString ShotCount;
    std::array<qint32, 6> InputCals{};
};

class SessionTest : public SimPortsTest {
protected:
    void SetUp() override {
        TSimLaunch launch;
        launch.Unsecured = true;
        Sim = StartSim(launch);
        ASSERT_TRUE(Sim);
        TSessionSetup setup;
        setup.PortsDirectory = Ports.path();
        setup.LogDirectory = Ports.path();
        Session = std::make_unique<TSession>(Prompts, setup);
        Session->SetView(&View);
    }
    void TearDown() override {
        if (Session)
            Session->EnterEnding();
    }
    // Waits until `line` has reached the instrument `count` times since mark and the
    // queue's pass is idle again.
    bool Reached(int mark, const QString &line, int count = 1) {
        return QTest::qWaitFor(
            [&] {
                const TAppState &s = Session->State;
                return Since(mark).count(line) >= count && s.PendingCommands.isEmpty() &&
                       !s.TaskBusy && s.ReadBackActive == 0;
            },
            10000);
    }

    TScriptedPrompts Prompts;
    TRecordingView View;
    std::unique_ptr<TSession> Session;
};

// The state section of the dump: the settings file's lines for the 12 channels.
QStringList StateLines(const TSimProcess &sim) {
    return sim.Dump().value("state").mid(0, 11 + 12);
}

} // namespace

TEST_F(SessionTest, FullSessionFromDiscoveryToCalibrationReadBack) {
    TAppState &s = Session->State;
    ASSERT_TRUE(Session->Connect(TSession::TConnection::Search));
    EXPECT_EQ(s.Identity.ModelNumber, "6180-12");
    EXPECT_EQ(Session->ComPort.Port(), 2);

    QSignalSpy changed(Session.get(), &TSession::StateChanged);
    Session->BeginRun(QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)), false);
    EXPECT_EQ(s.StartTimeStamp, "01-02-26_03-04-05");
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return s.ChannelCount == 12 && s.ReadBackActive == 0; }, 5000));
    EXPECT_GE(changed.count(), 1);
    EXPECT_EQ(s.SettingsList.mid(1, 4),
              QStringList({"// COM2 at 115200", "// Serial Number: 1234", "// Firmware Ver: 1.00",
                           "// FPGA Ver: 1.25"}));
    EXPECT_EQ(s.SettingsList.mid(5), StateLines(*Sim));
    EXPECT_TRUE(s.InstrumentUnsecured);
    EXPECT_FALSE(s.Link.CommandsDisabled);
    EXPECT_TRUE(Session->StatusTimer.isActive());

    // Queued one at a time, in order; bins and recall; run and stop on the mirror.
    Session->StatusTimer.stop();
    int mark = Mark();
    EXPECT_TRUE(Session->QueueCommand(":PULS3:DEL 0.00000100000"));
    EXPECT_TRUE(Session->QueueCommand(":PULS3:STAT 1"));
    Session->Run();
    EXPECT_TRUE(s.SystemSettings.SystemRunning);
    Session->Stop();
    Session->SaveBin(4);
    ASSERT_TRUE(Reached(mark, "*SAV 4"));
    Session->QueueCommand(":PULS3:STAT 0");
    Session->RecallBin(4);
    ASSERT_TRUE(Reached(mark, ":COUN:SEL?"));
    const QStringList sent = Since(mark);
    ASSERT_GE(sent.size(), 8);
    // The recall goes first, then its read-back, then what was queued meanwhile.
    EXPECT_EQ(sent.mid(0, 8),
              QStringList({":PULS3:DEL 0.00000100000", ":PULS3:STAT 1", ":PULS0:STAT ON",
                           ":PULS0:STAT OFF", "*SAV 4", "*RCL 4", "*CFG? 0?", "*CFG? 90?"}));
    EXPECT_EQ(sent.last(), ":PULS3:STAT 0");
    EXPECT_EQ(View.RunStates, QList<bool>({true, false}));
    EXPECT_EQ(s.ChannelSettings[3].Enabled, 1); // read back from the recalled bin
    EXPECT_EQ(s.SettingsList.mid(5, 11), StateLines(*Sim).mid(0, 11));

    // A read-back refuses commands; a replayed line goes out at once.
    s.Link.CommandsDisabled = true;
    EXPECT_FALSE(Session->QueueCommand(":PULS4:STAT 1"));
    s.Link.CommandsDisabled = false;
    mark = Mark();
    Session->SendLine(":PULS5:STAT 1");
    EXPECT_EQ(Since(mark), QStringList({":PULS5:STAT 1"}));
    EXPECT_EQ(Sim->Dump().value("state").value(11 + 4).section(' ', 2, 2), "1");

    // One poll: the run state and the shot count.
    mark = Mark();
    Session->UpdateStatus();
    EXPECT_EQ(Since(mark), QStringList({":PULS0:STAT?", ":COUN:PULS?"}));
    EXPECT_TRUE(QRegularExpression("^Count: {1,10}\\d{1,10}$").match(View.ShotCount).hasMatch())
        << View.ShotCount.toStdString();
    EXPECT_EQ(View.ShotCount.size(), 17);

    // The calibration read-back: every factor, in the dump's order.
    ASSERT_TRUE(Session->PortRule.MayStart(TPortRule::TActivity::CalRetrieve));
    ASSERT_TRUE(Session->ReadCalibrations(View, "caption"));
    QStringList service = Sim->Dump().value("service");
    ASSERT_FALSE(service.isEmpty());
    service[0] = ":SYST:SEC 27183";
    EXPECT_EQ(s.CalibrationList.mid(1, 1), QStringList({"// caption"}));
    EXPECT_EQ(s.CalibrationList.mid(5), service);
    EXPECT_EQ(View.InputCals[1], s.TrigGateSettings.Trig1Offset);
    EXPECT_FALSE(s.Link.CommandsDisabled);
    EXPECT_FALSE(s.CalRetrievePending);
    EXPECT_TRUE(Prompts.Texts().isEmpty()) << Prompts.Texts().join("|").toStdString();
}

TEST_F(SessionTest, NoInstrumentMeansNoConnectionAndDemoNeedsNone) {
    Sim->Stop();
    Prompts.QueueOK(2); // "No available ports.", "Entering Demo Mode"
    EXPECT_FALSE(Session->Connect(TSession::TConnection::Search));
    EXPECT_TRUE(Session->Connect(TSession::TConnection::Demo));
    EXPECT_TRUE(Session->State.Link.DemoMode);
    EXPECT_EQ(Prompts.Texts().join('|'), "No available ports.|Entering Demo Mode");
    EXPECT_EQ(Session->PortRule.Ask(TPortRule::TActivity::StatusPoll), TPortRule::TAccess::Refuse);
}
