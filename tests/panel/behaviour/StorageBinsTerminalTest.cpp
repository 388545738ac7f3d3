// Storage-bin menus, save and recall, and the command terminal.
#include "LivePanelFixture.h"

#include "PlusSpinEdit.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QWidgetAction>

using StorageBinsTest = LivePanelTest;
using TerminalTest = LivePanelTest;

namespace {

QStringList ActionNames(const QMenu *menu) {
    QStringList out;
    for (const QAction *a : menu->actions())
        out << a->objectName() + "=" + a->text();
    return out;
}

// Grid cell (row, column) of a bin's button in a column menu; (-1, -1) when absent.
QPair<int, int> CellOf(const QMenu *menu, const QString &actionName) {
    for (QAction *a : menu->actions()) {
        auto *wa = qobject_cast<QWidgetAction *>(a);
        if (!wa)
            continue;
        auto *grid = qobject_cast<QGridLayout *>(wa->defaultWidget()->layout());
        for (int i = 0; grid && i < grid->count(); ++i) {
            auto *button = qobject_cast<QToolButton *>(grid->itemAt(i)->widget());
            if (button && button->defaultAction() &&
                button->defaultAction()->objectName() == actionName) {
                int row, column, rs, cs;
                grid->getItemPosition(i, &row, &column, &rs, &cs);
                return {row, column};
            }
        }
    }
    return {-1, -1};
}

QColor ColourOfBlock(const QTextBlock &block) {
    return block.begin().fragment().charFormat().foreground().color();
}

} // namespace

TEST_F(StorageBinsTest, SixChannelMenusHoldOneColumnOfBins) {
    TSimLaunch launch;
    launch.Model = "6180-6";
    ASSERT_TRUE(StartPanel(launch));
    EXPECT_EQ(ActionNames(Form->SaveToBin),
              QStringList({"BinSave1=1", "BinSave2=2", "BinSave3=3", "BinSave4=4", "BinSave5=5",
                           "BinSave6=6"}));
    EXPECT_EQ(ActionNames(Form->RestoreFromBin),
              QStringList({"BinRestore0=Default 0", "BinRestore1=1", "BinRestore2=2",
                           "BinRestore3=3", "BinRestore4=4", "BinRestore5=5", "BinRestore6=6"}));
    // A second read-back builds nothing more.
    Form->Up1->trigger();
    (void)QTest::qWaitFor([&] { return Form->Session().State.ReadBackActive > 0; }, 2000);
    WaitIdle();
    EXPECT_EQ(Form->SaveToBin->actions().size(), 6);
}

TEST_F(StorageBinsTest, ThirtySixChannelMenusHoldThreeColumns) {
    TSimLaunch launch;
    launch.Model = "6180-36";
    ASSERT_TRUE(StartPanel(launch));
    TMainForm &f = *Form;
    using Cell = QPair<int, int>;
    EXPECT_EQ(CellOf(f.SaveToBin, "BinSave1"), Cell(0, 0));
    EXPECT_EQ(CellOf(f.SaveToBin, "BinSave12"), Cell(11, 0));
    EXPECT_EQ(CellOf(f.SaveToBin, "BinSave13"), Cell(0, 2));
    EXPECT_EQ(CellOf(f.SaveToBin, "BinSave25"), Cell(0, 4));
    EXPECT_EQ(CellOf(f.SaveToBin, "BinSave36"), Cell(11, 4));
    EXPECT_EQ(CellOf(f.RestoreFromBin, "BinRestore0"), Cell(0, 0));
    EXPECT_EQ(CellOf(f.RestoreFromBin, "BinRestore1"), Cell(1, 0));
    EXPECT_EQ(CellOf(f.RestoreFromBin, "BinRestore12"), Cell(12, 0));
    EXPECT_EQ(CellOf(f.RestoreFromBin, "BinRestore13"), Cell(0, 2));
    EXPECT_EQ(CellOf(f.RestoreFromBin, "BinRestore36"), Cell(11, 4));
    for (int n = 1; n <= 36; ++n) {
        ASSERT_TRUE(f.BinSave[n]);
        EXPECT_EQ(f.BinSave[n]->objectName(), "BinSave" + QString::number(n));
        EXPECT_EQ(f.BinSave[n]->text(), QString::number(n));
        EXPECT_EQ(f.BinRestore[n]->objectName(), "BinRestore" + QString::number(n));
    }
    const int mark = Mark();
    f.BinSave[36]->trigger();
    EXPECT_EQ(WaitForSent(mark, 1), QStringList({"*SAV 36"}));
}

// Save, change, recall: the panel shows the saved value again and the read-back's
// filling of the controls sends nothing back.
TEST_F(StorageBinsTest, SaveAndRecallRoundTrip) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    const int mark = Mark();
    f.ChWaitCountAdj[12]->setValue(42);
    f.PeriodAdj->setValue(0.0002);
    f.BinSave[5]->trigger();
    f.ChWaitCountAdj[12]->setValue(7);
    f.PeriodAdj->setValue(0.0003);
    EXPECT_EQ(WaitForSent(mark, 5),
              QStringList({":PULS12:WCO 42", ":PULS0:PER 0.000200000", "*SAV 5", ":PULS12:WCO 7",
                           ":PULS0:PER 0.000300000"}));
    const int recallMark = Mark();
    f.BinRestore[5]->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return SentSince(recallMark).contains("*CFG?12?"); }, 20000));
    WaitIdle();
    EXPECT_EQ(f.ChWaitCountAdj[12]->Value(), 42);
    EXPECT_DOUBLE_EQ(f.PeriodAdj->Value(), 0.0002);
    const QStringList sent = SentSince(recallMark);
    EXPECT_EQ(sent.first(), "*RCL 5");
    for (const QString &line : sent.mid(1))
        EXPECT_TRUE(line.endsWith('?')) << line.toStdString();
    // "Default 0" recalls bin 0.
    const int defaultMark = Mark();
    f.BinRestore[0]->trigger();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return SentSince(defaultMark).contains("*CFG?12?"); }, 20000));
    EXPECT_EQ(SentSince(defaultMark).first(), "*RCL 0");
}

// Keys go to the widget holding the focus: an editable combo box keeps the focus itself
// and hands keys to its line edit directly, past any filter installed on the edit.
TEST_F(TerminalTest, TypedCommandsAreSentKeptInHistoryAndEchoedInColour) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    f.ResponseList->clear();
    QLineEdit *line = f.SendEdit->lineEdit();
    const int mark = Mark();
    ASSERT_EQ(ClickForFocus(line), f.SendEdit);
    Type(":PULS1:WCO 9");
    Key(Qt::Key_Return);
    EXPECT_EQ(f.SendEdit->currentText(), ":PULS1:WCO 9"); // the line is not cleared
    QTest::mouseClick(f.SendBtn, Qt::LeftButton);         // the same again
    ASSERT_EQ(ClickForFocus(line), f.SendEdit);
    Key(Qt::Key_A, Qt::ControlModifier);
    Type("<&>");
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Return); // an empty line is sent too
    EXPECT_EQ(WaitForSent(mark, 4), QStringList({":PULS1:WCO 9", ":PULS1:WCO 9", "<&>", ""}));
    ASSERT_EQ(f.SendEdit->count(), 4);
    EXPECT_EQ(f.SendEdit->itemText(0), ":PULS1:WCO 9");
    EXPECT_EQ(f.SendEdit->itemText(1), ":PULS1:WCO 9");
    EXPECT_EQ(f.SendEdit->itemText(2), "<&>");
    EXPECT_EQ(f.SendEdit->itemText(3), "");

    // Command in black, reply in green, each line "(time) text"; "<&>" stays plain text.
    QTextDocument *doc = f.ResponseList->document();
    ASSERT_GE(doc->blockCount(), 8);
    const QTextBlock command = doc->findBlockByNumber(0);
    const QTextBlock reply = doc->findBlockByNumber(1);
    EXPECT_TRUE(command.text().endsWith(") :PULS1:WCO 9")) << command.text().toStdString();
    EXPECT_EQ(ColourOfBlock(command), QColor(Qt::black));
    EXPECT_EQ(ColourOfBlock(reply), QColor(0, 0x80, 0));
    EXPECT_TRUE(doc->findBlockByNumber(4).text().endsWith(") <&>"));
}

// History entries chosen with the arrow keys; Ctrl+Backspace removes the chosen entry
// and nothing else, and sends nothing.
TEST_F(TerminalTest, CtrlBackspaceDeletesTheSelectedHistoryEntryOnly) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_EQ(ClickForFocus(f.SendEdit->lineEdit()), f.SendEdit);
    for (const char *text : {"*IDN?", ":SYST:AUT?", "*IDN?"}) {
        Key(Qt::Key_A, Qt::ControlModifier);
        Type(text);
        Key(Qt::Key_Return);
    }
    WaitIdle();
    const int mark = Mark();
    Key(Qt::Key_Down); // nothing chosen yet: the first entry
    Key(Qt::Key_Down);
    ASSERT_EQ(f.SendEdit->currentText(), ":SYST:AUT?");
    Key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(f.SendEdit->count(), 2);
    EXPECT_EQ(f.SendEdit->itemText(0), "*IDN?");
    EXPECT_EQ(f.SendEdit->itemText(1), "*IDN?");
    Key(Qt::Key_A, Qt::ControlModifier);
    Type("typed");
    Key(Qt::Key_Backspace, Qt::ControlModifier); // nothing selected
    EXPECT_EQ(f.SendEdit->count(), 2);
    EXPECT_TRUE(WaitIdle());
    EXPECT_TRUE(SentSince(mark).isEmpty());
}

TEST_F(TerminalTest, FirstSentCommandIsNotASelectedHistoryEntry) {
    ASSERT_TRUE(StartPanel());
    TMainForm &f = *Form;
    ASSERT_EQ(ClickForFocus(f.SendEdit->lineEdit()), f.SendEdit);
    Type("*IDN?");
    Key(Qt::Key_Return);
    ASSERT_EQ(f.SendEdit->count(), 1);
    // Nothing was chosen from the list: Ctrl+Backspace keeps the history.
    Key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(f.SendEdit->count(), 1);
    // Chosen from the list, sent again: still selected, so it can be deleted.
    Key(Qt::Key_Down);
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(f.SendEdit->count(), 2);
    Key(Qt::Key_Backspace, Qt::ControlModifier);
    EXPECT_EQ(f.SendEdit->count(), 1);
    WaitIdle();
}
