// The timing diagram window: opened from the Tools menu, one instance, and following the
// panel when the user changes a setting with the keyboard.
#include "LivePanelFixture.h"

#include "PlusSpinEdit.h"
#include "TimingDiagramForm.h"
#include "TimingDiagramView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

class TimingDiagramTest : public LivePanelTest {
protected:
    // Opened as the user does, from the Tools menu.
    TTimingDiagramForm *OpenDiagram() {
        Form->TimingDiagram1->trigger();
        return Form->DiagramWindow();
    }
};

namespace {

const Diagram::TDiagramRow &Row(TTimingDiagramForm *d, int channel) {
    return d->View->Scene().Rows.at(size_t(channel));
}

} // namespace

TEST_F(TimingDiagramTest, ToolsItemOpensOneWindowThatFollowsKeyedChanges) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    EXPECT_EQ(f.TimingDiagram1->text(), "Timing Diagram");
    EXPECT_EQ(f.ools1->actions().last(), f.TimingDiagram1);
    TTimingDiagramForm *diagram = OpenDiagram();
    ASSERT_NE(diagram, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(diagram));
    EXPECT_EQ(diagram->windowTitle(), "Timing Diagram");
    ASSERT_EQ(diagram->View->Scene().Rows.size(), size_t(f.Session().State.ChannelCount) + 1);
    for (QWidget *w : diagram->findChildren<QWidget *>()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
        }
    }
    EXPECT_EQ(diagram->FitPeriodBtn->accessibleName(), diagram->FitPeriodBtn->text());

    // The delay of channel 1 stepped up by key: the pulse moves to the new mirror value.
    const double before = Row(diagram, 1).Start;
    ASSERT_EQ(ClickForFocus(f.ChDelayAdj[1]), f.ChDelayAdj[1]);
    Key(Qt::Key_Up);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return f.Session().State.ChannelSettings[1].Delay != before; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Row(diagram, 1).Start == f.Session().State.ChannelSettings[1].Delay; }, 5000));

    // The Enabled box of channel 1 toggled by the space bar greys the row or brings it back.
    QCheckBox *enable = f.ChEnablebox[1];
    ASSERT_EQ(ClickForFocus(enable), enable); // the click toggles it too
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return Row(diagram, 1).Enabled == enable->isChecked(); }, 5000));
    const bool clicked = enable->isChecked();
    Key(Qt::Key_Space);
    ASSERT_NE(enable->isChecked(), clicked);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row(diagram, 1).Enabled != clicked; }, 5000));

    // Closing hides the window; the menu item shows the same one again.
    diagram->close();
    EXPECT_FALSE(diagram->isVisible());
    f.TimingDiagram1->trigger();
    EXPECT_EQ(f.DiagramWindow(), diagram);
    EXPECT_TRUE(diagram->isVisible());
}

// A sync source chosen by the user shows at once, although its handler keeps no mirror.
TEST_F(TimingDiagramTest, ChosenSyncSourceShowsAsAChain) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    TTimingDiagramForm *diagram = OpenDiagram();
    ASSERT_NE(diagram, nullptr);
    const int mark = Mark();
    Choose(f.ChSyncSourceSel[3], 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Row(diagram, 3).Chain == QString::fromUtf8("T0 \u2192 Ch 1 \u2192 Ch 3"); },
        5000));
    EXPECT_EQ(WaitForSent(mark, 1), QStringList{":PULS3:SYNC SYNA"});
}

// A setting changed behind the panel's back (typed into the command terminal) shows once a
// Refresh has read it back.
TEST_F(TimingDiagramTest, RefreshShowsWhatTheInstrumentHolds) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    TTimingDiagramForm *diagram = OpenDiagram();
    ASSERT_NE(diagram, nullptr);
    ASSERT_NE(Row(diagram, 2).Start, 1.25e-6);
    ClickForFocus(f.SendEdit);
    Type(":PULS2:DEL 0.00000125000");
    Key(Qt::Key_Return);
    ASSERT_TRUE(WaitIdle());
    EXPECT_NE(Row(diagram, 2).Start, 1.25e-6); // the mirror knows nothing of it yet
    f.Up1->trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Row(diagram, 2).Start == 1.25e-6; }, 10000));
}
