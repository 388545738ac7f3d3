// Pages of channels 2..N: names, reference tables, copied state, built once, tab rows.
#include "PanelFixture.h"

#include "CheckListBox.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QRegularExpression>
#include <QTest>

namespace {

// Every control name of a channel page, without the channel number.
const QStringList ControlStems{
    "ChFunctGrp",      "ChEnablebox",       "ChDelayGrp",      "ChDelayAdj",      "ChWidthGrp",
    "ChWidthAdj",      "ChModeGrp",         "ChModeSel",       "ChBurstCountGrp", "ChBurstAdj",
    "ChWaitCountGrp",  "ChWaitCountAdj",    "ChSyncSourceGrp", "ChSyncSourceSel", "ChPolarityGrp",
    "ChPolaritySel",   "ChDutyOnGrp",       "ChDutyOnAdj",     "ChDutyOffGrp",    "ChDutyOffAdj",
    "ChGateModeGrp",   "ChGateModeSel",     "ChGateLogicGrp",  "ChGateLogicSel",  "ChOutputModeGrp",
    "ChOutputModeSel", "ChAmplitudeAdjGrp", "ChAmplitudeAdj",  "ChControlGrp",    "ChControlSel",
    "ChMuxGrp",        "ChMuxSelect"};

// The table entry of channel n for every reference table, with the table's stem.
QList<QPair<QWidget *, QString>> TableEntries(const TMainForm &f, int n) {
    return {
        {f.ChEnablebox[n], "ChEnablebox"},         {f.ChDelayAdj[n], "ChDelayAdj"},
        {f.ChWidthAdj[n], "ChWidthAdj"},           {f.ChModeSel[n], "ChModeSel"},
        {f.ChAmplitudeAdj[n], "ChAmplitudeAdj"},   {f.ChAmplitudeAdjGrp[n], "ChAmplitudeAdjGrp"},
        {f.ChOutputModeSel[n], "ChOutputModeSel"}, {f.ChBurstAdj[n], "ChBurstAdj"},
        {f.ChBurstCountGrp[n], "ChBurstCountGrp"}, {f.ChWaitCountAdj[n], "ChWaitCountAdj"},
        {f.ChSyncSourceSel[n], "ChSyncSourceSel"}, {f.ChPolaritySel[n], "ChPolaritySel"},
        {f.ChDutyOnAdj[n], "ChDutyOnAdj"},         {f.ChDutyOnGrp[n], "ChDutyOnGrp"},
        {f.ChDutyOffAdj[n], "ChDutyOffAdj"},       {f.ChDutyOffGrp[n], "ChDutyOffGrp"},
        {f.ChGateModeSel[n], "ChGateModeSel"},     {f.ChMuxSelect[n], "ChMuxSelect"},
        {f.ChControlSel[n], "ChControlSel"},       {f.ChGateLogicSel[n], "ChGateLogicSel"}};
}

class ChannelCountTest : public PanelTest, public ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(ChannelCountTest, OnePageNamedPerChannelWithFilledTables) {
    const int count = GetParam();
    Form->CreateChannelTabs(count);
    TPageControl *pages = Form->ChPageControl;
    ASSERT_EQ(pages->count(), count);
    EXPECT_TRUE(Form->Session().State.TabsCreated);
    EXPECT_EQ(Form->ChannelFocusMemory().size(), count);

    for (int n = 1; n <= count; ++n) {
        SCOPED_TRACE(n);
        QWidget *page = pages->page(n - 1);
        EXPECT_EQ(page->objectName(), "TabCh" + QString::number(n));
        EXPECT_EQ(pages->tabText(n - 1), "Ch " + QString::number(n));
        for (const QString &stem : ControlStems) {
            const QString name = stem + QString::number(n);
            const QList<QWidget *> found = Form->findChildren<QWidget *>(name);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            EXPECT_TRUE(page->isAncestorOf(found[0])) << name.toStdString();
            // The digits of a name are exactly the channel number.
            EXPECT_EQ(QString(name).remove(QRegularExpression("[^0-9]")).toInt(), n);
        }
        for (const auto &entry : TableEntries(*Form, n)) {
            ASSERT_NE(entry.first, nullptr) << entry.second.toStdString();
            EXPECT_EQ(entry.first->objectName(), entry.second + QString::number(n));
            EXPECT_TRUE(page->isAncestorOf(entry.first));
        }
    }
    for (int n = count + 1; n <= TMainForm::MaxChannels; ++n)
        for (const auto &entry : TableEntries(*Form, n))
            EXPECT_EQ(entry.first, nullptr) << entry.second.toStdString() << n;
    for (const auto &entry : TableEntries(*Form, 0))
        EXPECT_EQ(entry.first, nullptr);
}

TEST_P(ChannelCountTest, TabButtonsAre55PixelsWideInRows) {
    const int count = GetParam();
    Form->CreateChannelTabs(count);
    Form->show();
    QCoreApplication::processEvents();
    TPageControl *pages = Form->ChPageControl;
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(pages->tabButton(i)->width(), 55);
    const int perRow = pages->width() / 55;
    ASSERT_GT(perRow, 0);
    EXPECT_EQ(pages->tabRowCount(), (count + perRow - 1) / perRow);
    // Buttons of a later row sit below the first row; rows wrap at the control's width.
    EXPECT_GT(pages->tabButton(count - 1)->y(), count > perRow ? pages->tabButton(0)->y() : -1);
    for (int i = 0; i < count; ++i)
        EXPECT_LE(pages->tabButton(i)->geometry().right(), pages->width());
    Form->hide();
}

INSTANTIATE_TEST_SUITE_P(Models, ChannelCountTest, ::testing::Values(6, 12, 24, 36));

TEST_F(PanelTest, ManyChannelsNeedSeveralTabRows) {
    Form->CreateChannelTabs(36);
    Form->show();
    QCoreApplication::processEvents();
    EXPECT_GE(Form->ChPageControl->tabRowCount(), 3);
    Form->hide();
}

TEST_F(PanelTest, CopiesTakeTheTemplatesStateAtThatMoment) {
    // The read-back changes the template before the copies are made.
    delete Form->ChMuxSelect[1]->takeItem(4);
    Form->ChDelayAdj[1]->setMaxValue(2000.0);
    Form->ChDelayAdj[1]->setMinValue(0.0);
    Form->ChDelayAdj[1]->setValue(1.25e-6);
    Form->ChDelayAdj[1]->setIncrement(2.5e-10);
    Form->ChWidthAdj[1]->setDecimals(12);
    Form->ChModeSel[1]->setCurrentIndex(2);
    Form->ChGateLogicSel[1]->setCurrentIndex(1);
    Form->ChEnablebox[1]->setChecked(false);
    Form->ChAmplitudeAdj[1]->setValue(7.5);
    Form->ChBurstAdj[1]->setMaxValue(10000000.0);
    QStringList changed;
    Form->ChDelayAdj[1]->OnChange = [&](TPlusSpinEdit *sender) { changed << sender->objectName(); };
    QList<int> created;
    QObject::connect(Form.get(), &TMainForm::ChannelPageCreated, [&](int n) { created << n; });

    Form->CreateChannelTabs(6);
    EXPECT_TRUE(changed.isEmpty()) << "the handler is assigned last, after the value";
    EXPECT_EQ(created, (QList<int>{2, 3, 4, 5, 6}));

    for (int n = 2; n <= 6; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(Form->ChMuxSelect[n]->Items(), (QStringList{"0", "1", "2", "3"}));
        EXPECT_EQ(Form->ChMuxSelect[n]->Columns(), 5);
        EXPECT_DOUBLE_EQ(Form->ChDelayAdj[n]->Value(), 1.25e-6);
        EXPECT_DOUBLE_EQ(Form->ChDelayAdj[n]->MaxValue(), 2000.0);
        EXPECT_DOUBLE_EQ(Form->ChDelayAdj[n]->MinValue(), 0.0);
        EXPECT_DOUBLE_EQ(Form->ChDelayAdj[n]->Increment(), 2.5e-10);
        EXPECT_EQ(Form->ChDelayAdj[n]->Decimals(), 12);
        EXPECT_EQ(Form->ChDelayAdj[n]->ThousandSeparator(), QChar(','));
        EXPECT_EQ(Form->ChDelayAdj[n]->Text(), Form->ChDelayAdj[1]->Text());
        EXPECT_EQ(Form->ChWidthAdj[n]->Decimals(), 12);
        EXPECT_DOUBLE_EQ(Form->ChWidthAdj[n]->Value(), 1000.0);
        EXPECT_DOUBLE_EQ(Form->ChWidthAdj[n]->MinValue(), 1e-08);
        EXPECT_DOUBLE_EQ(Form->ChAmplitudeAdj[n]->Value(), 7.5);
        EXPECT_EQ(Form->ChAmplitudeAdj[n]->ThousandSeparator(), QChar());
        EXPECT_DOUBLE_EQ(Form->ChBurstAdj[n]->MaxValue(), 10000000.0);
        EXPECT_EQ(Form->ChModeSel[n]->currentIndex(), 2);
        EXPECT_EQ(Form->ChGateLogicSel[n]->currentIndex(), 1);
        EXPECT_EQ(Form->ChSyncSourceSel[n]->currentIndex(), 0);
        EXPECT_EQ(ComboItems(Form->ChControlSel[n]),
                  (QStringList{"Disabled", "Gate A", "Gate B", "Inhibit B"}));
        EXPECT_FALSE(Form->ChEnablebox[n]->isChecked());
        EXPECT_EQ(Form->ChEnablebox[n]->text(), "Enabled");
        EXPECT_EQ(Form->ChEnablebox[n]->font().pixelSize(), 13);
        EXPECT_EQ(Form->ChDelayAdj[n]->font().pixelSize(), 15);
        EXPECT_EQ(Form->ChModeSel[n]->font().pixelSize(), 13);
        EXPECT_EQ(Form->findChild<QGroupBox *>("ChPolarityGrp" + QString::number(n))->title(),
                  "Polarity");
    }
    // The copied handler serves every channel; the sender names the channel.
    Form->ChDelayAdj[4]->setValue(2.5e-6);
    EXPECT_EQ(changed, QStringList{"ChDelayAdj4"});
}

TEST_F(PanelTest, CopiesKeepTheTemplatesHints) {
    Form->CreateChannelTabs(12);
    const QStringList shownStems{"ChDelayGrp", "ChWidthGrp", "ChBurstCountGrp", "ChWaitCountGrp",
                                 "ChAmplitudeAdjGrp"};
    const QStringList hiddenStems{"ChModeGrp", "ChSyncSourceGrp", "ChPolarityGrp", "ChDutyOnGrp",
                                  "ChDutyOffGrp"};
    for (int n : {2, 12}) {
        const QString num = QString::number(n);
        EXPECT_EQ(Form->ChEnablebox[n]->toolTip(), "Enables or disables channel ");
        for (const QString &stem : shownStems) {
            auto *box = Form->findChild<QGroupBox *>(stem + num);
            auto *model = Form->findChild<QGroupBox *>(stem + "1");
            EXPECT_EQ(box->toolTip(), model->toolTip());
            EXPECT_FALSE(box->toolTip().isEmpty());
        }
        for (const QString &stem : hiddenStems) {
            auto *box = Form->findChild<QGroupBox *>(stem + num);
            EXPECT_TRUE(box->toolTip().isEmpty());
            EXPECT_EQ(box->property("hint"),
                      Form->findChild<QGroupBox *>(stem + "1")->property("hint"));
            EXPECT_FALSE(box->property("showHint").toBool());
        }
    }
}

TEST_F(PanelTest, SecondCallBuildsNothing) {
    Form->CreateChannelTabs(12);
    QWidget *page5 = Form->ChPageControl->page(4);
    TPlusSpinEdit *delay5 = Form->ChDelayAdj[5];
    Form->CreateChannelTabs(36);
    Form->CreateChannelTabs(12);
    EXPECT_EQ(Form->ChPageControl->count(), 12);
    EXPECT_EQ(Form->ChPageControl->page(4), page5);
    EXPECT_EQ(Form->ChDelayAdj[5], delay5);
    EXPECT_EQ(Form->ChDelayAdj[13], nullptr);
    EXPECT_EQ(Form->findChildren<TPlusSpinEdit *>(QRegularExpression("^ChDelayAdj")).size(), 12);
}

TEST_F(PanelTest, ChannelCountsOutsideTheTablesAreCapped) {
    Form->CreateChannelTabs(40);
    EXPECT_EQ(Form->ChPageControl->count(), 36);

    TMainForm single(Prompts, TVersionInfo("1", "x"));
    single.CreateChannelTabs(1);
    EXPECT_EQ(single.ChPageControl->count(), 1);
    EXPECT_TRUE(single.Session().State.TabsCreated);
}

TEST_F(PanelTest, CopiesFollowTheTemplatesLayout) {
    Form->CreateChannelTabs(3);
    Form->show();
    Form->ChPageControl->setCurrentIndex(2);
    QCoreApplication::processEvents();
    Form->ChPageControl->setCurrentIndex(0);
    QCoreApplication::processEvents();
    for (const char *stem : {"ChDelayGrp", "ChMuxGrp", "ChGateLogicGrp", "ChAmplitudeAdjGrp"}) {
        auto *one = Form->findChild<QWidget *>(QString(stem) + "1");
        auto *three = Form->findChild<QWidget *>(QString(stem) + "3");
        EXPECT_EQ(one->geometry(), three->geometry()) << stem;
    }
    Form->hide();
}

// Tab walks the page as it is drawn, row by row, left to right, on the template and on a
// copy alike; every page is left for the row of tabs and then for the terminal below.
// Keys go to the focus widget, as a keyboard's do.
TEST_F(PanelTest, TabWalksAChannelPageInVisualOrder) {
    Form->CreateChannelTabs(12);
    Form->show();
    QApplication::setActiveWindow(Form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
    const auto tab = [] {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        return QApplication::focusWidget();
    };
    for (const int n : {1, 2, 12}) {
        Form->ChPageControl->setCurrentIndex(n - 1);
        Form->ChEnablebox[n]->setFocus();
        QStringList walked;
        for (int i = 0; i < 15; ++i)
            walked << tab()->objectName().remove(QRegularExpression("\\d+$"));
        EXPECT_EQ(walked.join(' ').toStdString(),
                  "ChDelayAdj ChModeSel ChSyncSourceSel ChDutyOnAdj ChGateModeSel ChWidthAdj "
                  "ChBurstAdj ChPolaritySel ChDutyOffAdj ChGateLogicSel ChOutputModeSel "
                  "ChAmplitudeAdj ChWaitCountAdj ChControlSel ChMuxSelect")
            << "channel " << n;
        // The row of tabs is one stop.
        EXPECT_EQ(tab()->parentWidget(), Form->ChPageControl->tabButton(0)->parentWidget())
            << "channel " << n;
        EXPECT_EQ(tab(), Form->SendEdit) << "channel " << n;
    }
}
