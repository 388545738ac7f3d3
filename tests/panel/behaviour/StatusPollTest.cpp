// The status poll, Run/Stop, the shot count and the two ways the link can fail.
#include "LivePanelFixture.h"

#include "Exchange.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "StatusPoll.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class StatusPollTest : public LivePanelTest {
protected:
    // The button's caption comes to say so, and the running flag and the animation agree.
    void ExpectShowsRunning(bool running) {
        const QString caption = running ? "Stop" : "Run";
        ASSERT_TRUE(QTest::qWaitFor([&] { return Form->RunStopbtn->text() == caption; }, 5000));
        EXPECT_EQ(Form->Session().State.SystemSettings.SystemRunning, running);
        EXPECT_EQ(Form->PulseAnimate->isHidden(), !running);
    }
};

TEST_F(StatusPollTest, ShotCountTextIsRightAlignedInTenCharacters) {
    EXPECT_EQ(TStatusPoll::ShotCountText(5), "Count:          5");
    EXPECT_EQ(TStatusPoll::ShotCountText(4294967295u), "Count: 4294967295");
}

TEST_F(StatusPollTest, SingleShotRunEndingByItselfReturnsTheButtonToRun) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    Choose(f.SystemModeSel, 1); // Single Shot
    const int mark = Mark();
    QTest::mouseClick(f.RunStopbtn, Qt::LeftButton);
    EXPECT_EQ(f.RunStopbtn->text(), "Stop");
    EXPECT_TRUE(f.Session().State.SystemSettings.SystemRunning);
    EXPECT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).contains(":PULS0:STAT ON"); }, 5000));
    ExpectShowsRunning(false);
}

TEST_F(StatusPollTest, RunButtonActsOnTheFlagNotOnItsCaption) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    f.Session().State.SystemSettings.SystemRunning = true; // the caption still says "Run"
    const int mark = Mark();
    f.RunStopbtn->click();
    EXPECT_EQ(WaitForSent(mark, 1), QStringList({":PULS0:STAT OFF"}));
    EXPECT_EQ(f.RunStopbtn->text(), "Run");
}

// The output started at the instrument itself (its front panel) while the panel shows
// "Run": the next poll shows "Stop" and the running state, whatever page is shown; on
// "Additional Options" the count shown follows the running counter.
TEST_F(StatusPollTest, OutputStartedAtTheInstrumentShowsAtTheNextPoll) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    f.ShotCountEnbl->setChecked(true); // the counter counts T0 while the output runs
    ASSERT_TRUE(WaitIdle());
    const auto count = [&] { return f.ShotCountlbl->text().mid(7).trimmed().toLongLong(); };
    for (const int page : {0, int(TStatusPoll::ShotCountPage)}) {
        SCOPED_TRACE(page);
        f.SystemPageControl->setCurrentIndex(page);
        ASSERT_EQ(f.RunStopbtn->text(), "Run");
        ASSERT_EQ(Sim->Control("run 1"), "ok");
        ASSERT_NO_FATAL_FAILURE(ExpectShowsRunning(true));
        if (page == TStatusPoll::ShotCountPage) {
            const qint64 first = count();
            EXPECT_TRUE(QTest::qWaitFor([&] { return count() > first; }, 5000));
        } else {
            EXPECT_EQ(f.ShotCountlbl->text(), "Count: ----");
        }
        ASSERT_EQ(Sim->Control("run 0"), "ok");
        ASSERT_NO_FATAL_FAILURE(ExpectShowsRunning(false));
    }
}

TEST_F(StatusPollTest, ShotCountIsReadOnlyWhileAdditionalOptionsIsShown) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_TRUE(Sim->Control("counter 4294967301") == "ok");
    int mark = Mark();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Received().mid(mark).count(":PULS0:STAT?") >= 2; }, 5000));
    EXPECT_FALSE(Received().mid(mark).contains(":COUN:PULS?"));
    EXPECT_EQ(f.ShotCountlbl->text(), "Count: ----");
    f.SystemPageControl->setCurrentIndex(2);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return f.ShotCountlbl->text() == "Count:          5"; }, 5000));
    f.SystemPageControl->setCurrentIndex(0);
    ASSERT_TRUE(Sim->Control("counter 9") == "ok");
    mark = Mark();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Received().mid(mark).count(":PULS0:STAT?") >= 2; }, 5000));
    EXPECT_EQ(f.ShotCountlbl->text(), "Count:          5");
}

TEST_F(StatusPollTest, VanishedPortAsksToRestartAndNoEndsTheProgram) {
    ASSERT_TRUE(StartPanel());
    Prompts.QueueButton(TPrompts::mbNo);
    ASSERT_TRUE(Sim->Vanish());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Session().State.Ending; }, 5000));
    EXPECT_EQ(Prompts.Texts(), QStringList({"Port no longer available, restart?"}));
    EXPECT_EQ(Prompts.Shown.value(0).buttons, TPrompts::mbYes | TPrompts::mbNo);
    EXPECT_EQ(Restarts(), 0);
    QTest::qWait(50);
    EXPECT_EQ(Quits(), 1);
}

TEST_F(StatusPollTest, VanishedPortAnsweredYesRestarts) {
    ASSERT_TRUE(StartPanel());
    Prompts.QueueButton(TPrompts::mbYes);
    ASSERT_TRUE(Sim->Vanish());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Restarts() == 1; }, 5000));
    EXPECT_EQ(Prompts.Texts(), QStringList({"Port no longer available, restart?"}));
    EXPECT_TRUE(Form->Session().State.Ending);
    EXPECT_FALSE(Form->Session().StatusTimer.isActive());
}

// A reply lost while the queue is sent: "Ignore" keeps the program going, the polls
// resume and the next change is sent.
TEST_F(StatusPollTest, LostReplyAnsweredIgnoreKeepsPollingAndSending) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_TRUE(Sim->InjectFault("drop 1 :PULS1:WCO 11"));
    Prompts.QueueButton(TPrompts::mbIgnore);
    const int mark = Mark();
    f.ChWaitCountAdj[1]->setValue(11);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Prompts.Texts().isEmpty(); }, 10000));
    EXPECT_EQ(Prompts.Texts(), QStringList({"Communications lost. Restart?"}));
    f.ChWaitCountAdj[1]->setValue(12);
    EXPECT_TRUE(QTest::qWaitFor([&] { return SentSince(mark).contains(":PULS1:WCO 12"); }, 10000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.Session().StatusTimer.isActive(); }, 3000));
    EXPECT_FALSE(f.Session().State.Ending);
}

TEST_F(StatusPollTest, LostPollReplyAnsweredNoEndsTheProgram) {
    ASSERT_TRUE(StartPanel());
    ASSERT_TRUE(Sim->InjectFault("drop 1 =:PULS0:STAT?"));
    Prompts.QueueButton(TPrompts::mbNo);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Session().State.Ending; }, 10000));
    EXPECT_EQ(Prompts.Texts(), QStringList({"Communications lost. Restart?"}));
    QTest::qWait(50);
    EXPECT_EQ(Quits(), 1);
    EXPECT_EQ(Restarts(), 0);
}
