// The command queue and the task pass: order, nothing lost, nothing sent from a
// read-back, refresh and recall requests.
#include "LivePanelFixture.h"
#include "OnceDuringReadBack.h"

#include "PlusSpinEdit.h"

#include <QAction>
#include <QTest>
#include <QTimer>

using CommandQueueTest = LivePanelTest;

namespace {

QStringList WaitCounts(int channel, int from, int to) {
    QStringList out;
    for (int v = from; v <= to; ++v)
        out << QString(":PULS%1:WCO %2").arg(channel).arg(v);
    return out;
}

} // namespace

// 500 changes in a row, the second half queued while the pass waits for replies: all
// arrive in order, once each.
TEST_F(CommandQueueTest, BurstOf500ChangesArrivesInOrderExactlyOnce) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    for (int v = 1; v <= 250; ++v)
        f.ChWaitCountAdj[1]->setValue(v);
    bool queuedDuringPass = false;
    QTimer later;
    later.setSingleShot(true);
    later.setInterval(40);
    QObject::connect(&later, &QTimer::timeout, [&] {
        queuedDuringPass = f.Session().State.TaskBusy && f.Session().ComPort.InUse();
        for (int v = 251; v <= 500; ++v)
            f.ChWaitCountAdj[1]->setValue(v);
    });
    later.start();
    EXPECT_EQ(WaitForSent(mark, 500, 60000), WaitCounts(1, 1, 500));
    EXPECT_TRUE(queuedDuringPass);
    EXPECT_EQ(f.Session().State.PendingCount, 0);
    EXPECT_FALSE(f.Session().State.CommandsPending);
}

// The instrument needs 30 ms after each reply: a pass of several commands pauses before
// each one, as the polls around it do. Measured by the instrument's own clock.
TEST_F(CommandQueueTest, EveryLineArrivesAtLeast30MsAfterThePreviousReply) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    const qsizetype from = Sim->Transcript().size();
    for (int v = 1; v <= 4; ++v)
        f.ChWaitCountAdj[1]->setValue(v);
    ASSERT_EQ(WaitForSent(mark, 4), WaitCounts(1, 1, 4));
    const QList<TSimTranscriptEntry> wire = Sim->Transcript().mid(from);
    int gaps = 0;
    for (qsizetype i = 1; i < wire.size(); ++i) {
        if (wire[i].Kind != "RX" || wire[i - 1].Kind != "TX")
            continue;
        ++gaps; // stamps are whole microseconds
        EXPECT_GE(wire[i].Seconds - wire[i - 1].Seconds, 0.030 - 2e-6) << wire[i].Text.data();
    }
    EXPECT_GE(gaps, 3);
}

TEST_F(CommandQueueTest, ChangesDuringAReadBackAreNeverSent) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    TOnceDuringReadBack change(f, [&] {
        f.ChWaitCountAdj[2]->setValue(777);
        f.SysCycleCountAdj->setValue(55);
    });
    f.Up1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return change.Done(); }, 10000));
    WaitIdle();
    QTest::qWait(50);
    const QStringList sent = SentSince(mark);
    EXPECT_TRUE(sent.contains("*CFG? 0?"));
    EXPECT_FALSE(sent.contains(":PULS2:WCO 777"));
    EXPECT_FALSE(sent.contains(":PULS0:CYCL 55"));
    for (const QString &line : sent)
        EXPECT_TRUE(line.endsWith('?')) << line.toStdString();
}

TEST_F(CommandQueueTest, RecallGoesFirstThenTheReadBackThenTheQueuedCommands) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    f.ChWaitCountAdj[1]->setValue(42);
    f.BinRestore[3]->trigger();
    f.ChWaitCountAdj[1]->setValue(43);
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).contains(":PULS1:WCO 43"); }, 20000));
    WaitIdle();
    const QStringList sent = SentSince(mark);
    ASSERT_GE(sent.size(), 4);
    EXPECT_EQ(sent.first(), "*RCL 3");
    EXPECT_EQ(sent.mid(sent.size() - 2), QStringList({":PULS1:WCO 42", ":PULS1:WCO 43"}));
    const QStringList readBack = sent.mid(1, sent.size() - 3);
    EXPECT_TRUE(readBack.contains("*CFG? 0?"));
    EXPECT_TRUE(readBack.contains("*CFG?12?"));
    for (const QString &line : readBack)
        EXPECT_TRUE(line.endsWith('?')) << line.toStdString();
    EXPECT_EQ(sent.count("*RCL 3"), 1);
}

// A Refresh's read-back dispatches events; recalls clicked meanwhile are kept and the
// last one is carried out after it, with its own read-back.
TEST_F(CommandQueueTest, RecallClickedDuringAReadBackIsCarriedOutAfterIt) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    TOnceDuringReadBack click(f, [&] {
        f.BinRestore[2]->trigger();
        f.BinRestore[4]->trigger();
    });
    f.Up1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return click.Done(); }, 10000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).contains("*RCL 4"); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).count("*CFG? 0?") == 2; }, 20000));
    WaitIdle();
    const QStringList sent = SentSince(mark);
    EXPECT_FALSE(sent.contains("*RCL 2"));
    EXPECT_EQ(sent.count("*RCL 4"), 1);
    const int recall = sent.indexOf("*RCL 4");
    EXPECT_GT(recall, sent.indexOf("*CFG? 0?"));
    EXPECT_EQ(sent.indexOf("*CFG? 0?", recall), recall + 1);
    EXPECT_FALSE(f.Session().State.RecallPending);
    EXPECT_FALSE(f.Session().State.RefreshRequested);
}

TEST_F(CommandQueueTest, RefreshClickedDuringAReadBackRereadsAfterIt) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    TOnceDuringReadBack click(f, [&] { f.Up1->trigger(); });
    f.Up1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).count("*CFG? 0?") == 2; }, 20000));
    WaitIdle();
    QTest::qWait(50);
    EXPECT_EQ(SentSince(mark).count("*CFG? 0?"), 2);
}

// A record that does not convert stops the refresh's read-back: the error is reported
// once and the queue keeps sending later changes.
TEST_F(CommandQueueTest, ReadBackErrorInAPassIsReportedAndTheQueueGoesOn) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_TRUE(Sim->InjectFault("garble 1 =*CFG? 0?"));
    const int mark = Mark();
    Prompts.QueueOK();
    f.Up1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Prompts.Texts().isEmpty(); }, 10000));
    EXPECT_EQ(Prompts.Texts().size(), 1);
    f.ChWaitCountAdj[5]->setValue(21);
    EXPECT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).contains(":PULS5:WCO 21"); }, 10000));
    WaitIdle();
    EXPECT_EQ(SentSince(mark).count("*CFG? 0?"), 1) << "the failed refresh is not repeated";
    EXPECT_FALSE(f.Session().State.Link.CommandsDisabled);
    EXPECT_FALSE(f.Session().State.TaskBusy);
}

// A change made before the launch read-back still waits for its reply when the launch
// comes: the read-back waits for it instead of meeting a busy port.
TEST_F(CommandQueueTest, LaunchReadBackWaitsForAChangeSentBeforeIt) {
    TSimLaunch launch;
    launch.ExtraArgs = {"--fault", "delay 1 900 :PULS0:MOD"};
    Sim = &Panel.AddSim(launch);
    ASSERT_TRUE(Panel.Start());
    Form = Panel.Form.get();
    Choose(Form->SystemModeSel, 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Session().StatusTimer.isActive(); }, 10000));
    const QStringList got = Received();
    const qsizetype change = got.indexOf(":PULS0:MOD BURS");
    ASSERT_GE(change, 0);
    EXPECT_TRUE(got.value(change + 1).endsWith('?')) << "the read-back follows the change";
    QStringList state = Sim->Dump().value("state");
    state = state.mid(0, state.size() - 2); // run state and shot count are not settings
    EXPECT_EQ(Form->Session().State.SettingsList.mid(5), state);
}
