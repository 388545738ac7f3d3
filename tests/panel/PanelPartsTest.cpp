// The window's building blocks: page control, flow of tab buttons, check list, prompts,
// version and brand texts.
#include "AppState.h"
#include "CheckListBox.h"
#include "FlowLayout.h"
#include "PageControl.h"
#include "PanelTexts.h"
#include "PortRule.h"
#include "QtPrompts.h"
#include "VKComPort.h"
#include "VersionInfo.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(PageControlTest, UserClickTellsBeforeAndAfterTheChange) {
    TPageControl pages(55);
    for (int i = 0; i < 3; ++i)
        pages.addPage(new QLabel(QString::number(i)), "Ch " + QString::number(i + 1));
    pages.resize(400, 200);
    pages.show();
    QList<QPair<QString, int>> events;
    QObject::connect(&pages, &TPageControl::currentChanging, [&](int leaving) {
        events << qMakePair(QString("changing"), leaving);
        EXPECT_EQ(pages.currentIndex(), leaving); // still on the page being left
    });
    QObject::connect(&pages, &TPageControl::currentChanged,
                     [&](int index) { events << qMakePair(QString("changed"), index); });

    QTest::mouseClick(pages.tabButton(2), Qt::LeftButton);
    EXPECT_EQ(pages.currentIndex(), 2);
    EXPECT_EQ(pages.currentPage(), pages.page(2));
    EXPECT_TRUE(pages.tabButton(2)->isChecked());
    EXPECT_FALSE(pages.tabButton(0)->isChecked());
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0], qMakePair(QString("changing"), 0));
    EXPECT_EQ(events[1], qMakePair(QString("changed"), 2));

    QTest::mouseClick(pages.tabButton(2), Qt::LeftButton); // the page shown: nothing
    EXPECT_EQ(events.size(), 2);

    pages.setCurrentIndex(1); // from code: no notification
    EXPECT_EQ(pages.currentIndex(), 1);
    EXPECT_TRUE(pages.tabButton(1)->isChecked());
    EXPECT_EQ(events.size(), 2);
    pages.setCurrentIndex(7);
    EXPECT_EQ(pages.currentIndex(), 1);
}

TEST(PageControlTest, FreeWidthTabsFitTheirCaptions) {
    TPageControl pages(0);
    pages.addPage(new QWidget, "External Trig/Gate");
    pages.addPage(new QWidget, "Ch");
    EXPECT_GT(pages.tabButton(0)->sizeHint().width(), pages.tabButton(1)->sizeHint().width());
    EXPECT_EQ(pages.tabWidth(), 0);
}

TEST(FlowLayoutTest, WrapsFixedWidthItemsIntoRows) {
    QWidget host;
    auto *flow = new TFlowLayout(&host, 0);
    for (int i = 0; i < 36; ++i) {
        auto *b = new QPushButton("x", &host);
        b->setFixedSize(55, 20);
        flow->addWidget(b);
    }
    EXPECT_EQ(flow->rowCount(55 * 13), 3);
    EXPECT_EQ(flow->rowCount(55 * 13 - 1), 3); // 12 per row: 36 / 12
    EXPECT_EQ(flow->rowCount(55 * 12 - 1), 4); // 11 per row
    EXPECT_EQ(flow->rowCount(10), 36);         // never an empty row
    EXPECT_EQ(flow->heightForWidth(55 * 13), 3 * 20);
    flow->setGeometry(QRect(0, 0, 55 * 13, 60));
    EXPECT_EQ(flow->itemAt(12)->geometry(), QRect(12 * 55, 0, 55, 20));
    EXPECT_EQ(flow->itemAt(13)->geometry(), QRect(0, 20, 55, 20));
    EXPECT_EQ(flow->itemAt(35)->geometry().top(), 40);
}

TEST(CheckListBoxTest, ItemsAreCheckableAndStartUnchecked) {
    TCheckListBox list;
    list.setItems({"0", "1", "2"});
    list.setColumns(5);
    EXPECT_EQ(list.Items(), (QStringList{"0", "1", "2"}));
    EXPECT_EQ(list.Columns(), 5);
    EXPECT_FALSE(list.Checked(1));
    list.setChecked(1, true);
    EXPECT_TRUE(list.Checked(1));
    EXPECT_FALSE(list.Checked(7)); // an item the list does not have counts as unchecked
    list.setChecked(7, true);      // and is ignored
    EXPECT_TRUE(list.item(0)->flags() & Qt::ItemIsUserCheckable);
    list.setColumns(0);
    EXPECT_EQ(list.Columns(), 1);
}

TEST(QtPromptsTest, FiltersSuffixesAndCaptions) {
    EXPECT_EQ(TQtPrompts::QtFilter("Text files (*.txt)|*.txt|All files (*.*)|*.*"),
              "Text files (*.txt);;All files (*.*)");
    EXPECT_EQ(TQtPrompts::QtFilter("Settings|*.txt;*.cfg"), "Settings (*.txt *.cfg)");
    EXPECT_EQ(TQtPrompts::QtFilter("Text files (*.txt);;All (*)"), "Text files (*.txt);;All (*)");
    EXPECT_EQ(TQtPrompts::WithDefaultSuffix("/tmp/a", "txt"), "/tmp/a.txt");
    EXPECT_EQ(TQtPrompts::WithDefaultSuffix("/tmp/a", ".txt"), "/tmp/a.txt");
    EXPECT_EQ(TQtPrompts::WithDefaultSuffix("/tmp/a.cal", "txt"), "/tmp/a.cal");
    EXPECT_EQ(TQtPrompts::WithDefaultSuffix("/tmp/a", ""), "/tmp/a");
    EXPECT_EQ(TQtPrompts::DefaultCaption(TPrompts::iconWarning), "Warning");
    EXPECT_EQ(TQtPrompts::DefaultCaption(TPrompts::iconError), "Error");
    EXPECT_EQ(TQtPrompts::DefaultCaption(TPrompts::iconQuestion), "Confirm");
    EXPECT_EQ(TQtPrompts::DefaultCaption(TPrompts::iconInformation), "Information");
}

namespace {

// Answers the next modal message box: checks its text and buttons, then clicks one.
void AnswerNextBox(const QString &expectedText, QMessageBox::StandardButtons expectedButtons,
                   QMessageBox::StandardButton answer, bool *seen) {
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), expectedText);
        EXPECT_EQ(box->textFormat(), Qt::PlainText);
        EXPECT_EQ(box->standardButtons(), expectedButtons);
        *seen = true;
        if (answer == QMessageBox::NoButton)
            box->reject();
        else
            box->button(answer)->click();
    });
}

} // namespace

TEST(QtPromptsTest, MessageBoxShowsTheTextAndReturnsTheButtonClicked) {
    TQtPrompts prompts;
    bool seen = false;
    AnswerNextBox("No device found. Try to reconnect?", QMessageBox::Yes | QMessageBox::No,
                  QMessageBox::No, &seen);
    EXPECT_EQ(prompts.Message("No device found. Try to reconnect?",
                              TPrompts::mbYes | TPrompts::mbNo, TPrompts::iconWarning),
              TPrompts::mbNo);
    EXPECT_TRUE(seen);

    seen = false;
    AnswerNextBox("Communications lost. <Restart>?",
                  QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore,
                  QMessageBox::Ignore, &seen);
    EXPECT_EQ(prompts.Message("Communications lost. <Restart>?",
                              TPrompts::mbAbort | TPrompts::mbRetry | TPrompts::mbIgnore),
              TPrompts::mbIgnore);
    EXPECT_TRUE(seen);

    seen = false; // closed without a button: Cancel when offered
    AnswerNextBox("x", QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::NoButton, &seen);
    EXPECT_EQ(prompts.Message("x", TPrompts::mbOK | TPrompts::mbCancel), TPrompts::mbCancel);
    EXPECT_TRUE(seen);
}

TEST(PanelTextsTest, BrandNamesAndCaptions) {
    EXPECT_EQ(WindowCaption("Halvorn Trevaxis", "631K-36", "1.0.0.0", 12, 9600),
              "Halvorn Trevaxis Model 631K-36  SW Version: 1.0.0.0 ComPort: 12 Baud: 9600");
    EXPECT_EQ(WindowCaption("Unknown", "", "1.0.0.0", 1, 115200),
              "Unknown Model   SW Version: 1.0.0.0 ComPort: 1 Baud: 115200");
    EXPECT_EQ(BrandCompanyName("VK"), "Orvane Selkrin");
    EXPECT_EQ(BrandCompanyName("HTX"), "Halvorn Trevaxis");
    EXPECT_EQ(BrandCompanyName("htx"), "Unknown");
    EXPECT_EQ(BrandCompanyName(""), "Unknown");
    EXPECT_TRUE(BrandWebSite("XYZ").isEmpty());
    EXPECT_EQ(DemoCaption(TVersionInfo("1.0.0.0", "Orvane Selkrin")),
              " Model 6180-12  SW Version: 1.0.0.0 ComPort: Demo");
    EXPECT_EQ(DemoCaption(TVersionInfo("1.0.0.0", "Halvorn Trevaxis")),
              " Model 631K-12  SW Version: 1.0.0.0 ComPort: Demo");
}

TEST(VersionInfoTest, BuildValuesComeFromCMake) {
    const TVersionInfo built;
    EXPECT_EQ(built.FileVersion, EXPECTED_FILE_VERSION);
    EXPECT_EQ(built.CompanyName, EXPECTED_COMPANY);
    EXPECT_EQ(built.FileVersion.count('.'), 3);
}

// A vanished port: every activity waits for the status poll, which alone tries the port
// again; service work still requested must not hold the poll back, or neither would run.
TEST(PortRuleTest, WhileThePortIsGoneOnlyThePollStarts) {
    using A = TPortRule::TActivity;
    TAppState state;
    TVKComPort port;
    QTimer statusTimer, taskTimer;
    const TPortRule rule(state, port, statusTimer, taskTimer);
    state.Link.PortGone = true;
    state.CalRetrievePending = true;
    state.CalLoadPending = true;
    for (const A a : {A::LaunchReadBack, A::TaskPass, A::SettingsFile, A::CalRetrieve, A::CalLoad})
        EXPECT_EQ(rule.Ask(a), TPortRule::TAccess::Wait) << int(a);
    EXPECT_EQ(rule.Ask(A::StatusPoll), TPortRule::TAccess::Start);
    state.TaskBusy = true; // a pass still on the stack ends first
    EXPECT_EQ(rule.Ask(A::StatusPoll), TPortRule::TAccess::Wait);
    state.TaskBusy = false;
    state.Link.PortGone = false;
    EXPECT_EQ(rule.Ask(A::StatusPoll), TPortRule::TAccess::Wait) << "service work first again";
    EXPECT_EQ(rule.Ask(A::TaskPass), TPortRule::TAccess::Start);
}
