// A scripted session through the window against pulsesim: every line the instrument
// received and every box shown, compared literally with the recorded transcript. Any
// change in what the panel sends, in which order, or what it says, shows here.
#include "LivePanelFixture.h"

#include "ServiceForm.h"
#include "ServiceWindow.h"
#include "TestFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>

#include "PlusSpinEdit.h"

namespace {

QStringList ExpectedTranscript() {
    QFile file(QStringLiteral(TRANSCRIPT_DIR "/scripted-session.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {"<" + file.fileName() + " not readable>"};
    return QString::fromLatin1(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

} // namespace

class TranscriptTest : public LivePanelTest {
protected:
    // One step of the script, then (once `awaited` has reached the instrument, for requests
    // that a later pass carries out) the queue and every exchange idle again.
    void Step(const std::function<void()> &action, const QString &awaited = QString()) {
        const int before = int(Received().count(awaited));
        action();
        if (!awaited.isEmpty()) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return Received().count(awaited) > before; }, 10000));
        }
        ASSERT_TRUE(WaitIdle());
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                return !Form->Session().State.CalRetrievePending &&
                       !Form->Session().State.CalLoadPending &&
                       !Form->Service().Form->CalTimer.isActive();
            },
            15000));
    }
};

TEST_F(TranscriptTest, ScriptedSessionSendsAndSaysExactlyWhatWasRecorded) {
    TTestFolder folder;
    TSimLaunch launch;
    launch.Unsecured = true;
    ASSERT_TRUE(StartPanel(launch));
    TMainForm &f = *Form;
    const QString settings = folder.File("settings.txt");
    const QString cals = folder.File("cals.txt");

    Step([&] { // system page
        f.PeriodAdj->setValue(0.0002);
        Choose(f.SystemModeSel, 1);
        f.SysBurstAdj->setValue(7);
        f.AutoStartEnbl->setChecked(!f.AutoStartEnbl->isChecked());
        Choose(f.SyncOutputSel, 1);
    });
    Step([&] { // trigger and gate page
        Choose(f.TrigModeSel1, 1);
        Choose(f.TriggerEdgeSel1, 1);
        f.TrigThresholdAdj1->setValue(1.5);
        Choose(f.GateModeSel1, 1);
        Choose(f.GateLogicSel2, 1);
    });
    Step([&] { // additional options page
        Choose(f.ExternalInputClkSel, 1);
        Choose(f.CounterSourceSel, 1);
        f.ShotCountEnbl->setChecked(!f.ShotCountEnbl->isChecked());
        f.ClearShotCount->click();
    });
    Step([&] { // channel pages
        f.ChEnablebox[1]->setChecked(!f.ChEnablebox[1]->isChecked());
        f.ChDelayAdj[1]->setValue(0.000001);
        f.ChWidthAdj[3]->setValue(0.00000002);
        Choose(f.ChModeSel[12], 1);
        Choose(f.ChPolaritySel[2], 1);
        Choose(f.ChOutputModeSel[5], 1);
    });
    Step([&] { f.RunStopbtn->click(); });
    Step([&] { f.RunStopbtn->click(); });
    Step([&] { f.BinSave[2]->trigger(); });
    Step([&] { f.ChDelayAdj[2]->setValue(0.000002); });
    Step([&] { f.BinRestore[2]->trigger(); }, "*RCL 2");
    Step([&] { f.Up1->trigger(); }, "*CFG? 0?");
    Step([&] {
        Prompts.QueueFileName(settings);
        f.SaveToFile1->trigger();
    });
    Step([&] {
        Prompts.QueueFileName(settings);
        Prompts.QueueOK(); // "Settings loaded."
        f.RestoreSettingsFromFile1->trigger();
    });
    Step([&] { f.ServiceWindowMenu->trigger(); });
    Step([&] {
        Prompts.QueueFileName(cals);
        QTest::mouseClick(f.Service().Form->SaveCalsBtn, Qt::LeftButton);
    });
    Step([&] {
        Prompts.QueueFileName(cals);
        Prompts.QueueOK(); // "Settings loaded."
        QTest::mouseClick(f.Service().Form->LoadCalsBtn, Qt::LeftButton);
    });

    QStringList transcript = SentSince(0);
    for (const QString &text : Prompts.Texts())
        transcript << "box: " + text;
    // After an intended change, PULSEPANEL_WRITE_TRANSCRIPT=<file> records the new one.
    const QString record = qEnvironmentVariable("PULSEPANEL_WRITE_TRANSCRIPT");
    if (!record.isEmpty()) {
        QFile out(record);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write((transcript.join('\n') + '\n').toLatin1());
    }
    EXPECT_EQ(transcript, ExpectedTranscript());
    EXPECT_EQ(Prompts.PendingAnswers(), 0);
}
