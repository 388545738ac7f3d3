// Every control of the form: class, caption, items, limits, initial values and hints.
#include "EventLoopPoll.h"
#include "PanelFixture.h"
#include "QtPrompts.h"

#include "CheckListBox.h"
#include "FormParts.h"
#include "Keywords.h"
#include "MessageForm.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMovie>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

struct TGroupRow {
    const char *name;
    const char *caption;
};

const TGroupRow Groups[] = {
    {"SystemOptions", ""},
    {"SystemGrp", "System"},
    {"PeriodGrp", "Period"},
    {"BurstCountGrp", "Burst Count"},
    {"PulseModeGrp", "Pulse Mode"},
    {"DutyCycleGrp", "Duty Cycle"},
    {"OnCountGrp", "On Counts"},
    {"OffCountGrp", "Off Counts"},
    {"CycleCountGrp", "Cycle Counts"},
    {"SyncOutputGrp", "Sync Ouput"},
    {"ExtTrigGateGrp", "External Trigger/Gate"},
    {"TrigModeGrp1", "Trigger 1 Mode"},
    {"ExtTrigEdgeGrp1", "Trigger 1 Edge"},
    {"ExtThresholdGrp1", "Threshold (V)"},
    {"TrigDebounceGrp1", "Debounce"},
    {"GateModeGrp1", "Gate 1 Mode"},
    {"GateLogicGrp1", "Gate 1 Logic"},
    {"GateThresholdGrp1", "Threshold (V)"},
    {"GateDebounceGrp1", "Debounce"},
    {"TrigModeGrp2", "Trigger 2 Mode(F)"},
    {"ExtTrigEdgeGrp2", "Trigger 2 Edge"},
    {"TrigDebounceGrp2", "Debounce"},
    {"GateModeGrp2", "Gate 2 Mode(F)"},
    {"GateLogicGrp2", "Gate 2 Logic"},
    {"GateDebounceGrp2", "Debounce"},
    {"TrigGateThresholdGrp2", "Trig/Gate 2 Threshold (V)"},
    {"ExtInputClkGrp", "External Input Clock"},
    {"ExtOutputClkGrp", "External Output Clock"},
    {"ShotCounterGrp", "Shot Counter"},
    {"ChannelGrp", "Channels"},
    {"ChFunctGrp1", ""},
    {"ChDelayGrp1", "Delay"},
    {"ChWidthGrp1", "Width"},
    {"ChModeGrp1", "Channel Mode"},
    {"ChBurstCountGrp1", "Burst Count"},
    {"ChWaitCountGrp1", "Wait Count"},
    {"ChSyncSourceGrp1", "Sync Source"},
    {"ChPolarityGrp1", "Polarity"},
    {"ChDutyOnGrp1", "Duty Cycle On"},
    {"ChDutyOffGrp1", "Duty Cycle Off"},
    {"ChGateModeGrp1", "Gate Mode"},
    {"ChGateLogicGrp1", "Gate Logic"},
    {"ChOutputModeGrp1", "Output Mode"},
    {"ChAmplitudeAdjGrp1", "Amplitude (V)"},
    {"ChControlGrp1", "Channel Control"},
    {"ChMuxGrp1", "Multiplexer"},
    {"TerminalBoxgrp", "Command Terminal"},
    {"SystemInfoGrp", "System Information"},
};

// The captions come from the keyword tables, whose own test spells them out.
struct TSelectorRow {
    const char *name;
    const QStringList &items;
    int index;
};

using namespace Instrument;

const TSelectorRow Selectors[] = {
    {"SystemModeSel", SystemModeTable().Captions, 0},
    {"SyncOutputSel", SyncOutputTable().Captions, 0},
    {"TrigModeSel1", TriggerModeTable().Captions, 0},
    {"TriggerEdgeSel1", TriggerEdgeTable().Captions, 0},
    {"TrigDebounceSel1", DebounceTable().Captions, 0},
    {"GateModeSel1", GateModeTable().Captions, 0},
    {"GateLogicSel1", GateLogicTable().Captions, 0},
    {"GateDebounceSel1", DebounceTable().Captions, 0},
    {"TrigModeSel2", TriggerModeTable().Captions, 0},
    {"TriggerEdgeSel2", TriggerEdgeTable().Captions, 0},
    {"TrigDebounceSel2", DebounceTable().Captions, 0},
    {"GateModeSel2", GateModeTable().Captions, 0},
    {"GateLogicSel2", GateLogicTable().Captions, 0},
    {"GateDebounceSel2", DebounceTable().Captions, 0},
    {"ExternalInputClkSel", InputClockTable().Captions, 0},
    {"ExternalOutputClkSel", OutputClockTable().Captions, 0},
    {"CounterSourceSel", CounterSourceTable().Captions, 0},
    {"ChModeSel1", ChannelModeTable().Captions, 0},
    {"ChSyncSourceSel1", ChannelSyncSourceTable().Captions, 0},
    {"ChPolaritySel1", PolarityTable().Captions, 0},
    {"ChGateModeSel1", ChannelGateModeTable().Captions, 0},
    {"ChGateLogicSel1", ChannelGateLogicTable().Captions, -1}, // form text matches no item
    {"ChOutputModeSel1", OutputModeTable().Captions, 0},
    {"ChControlSel1", ChannelControlTable().Captions, 0},
};

struct TSpinRow {
    const char *name;
    int decimals;
    double increment, minValue, maxValue, value;
    QChar separator;
};

const TSpinRow Spins[] = {
    {"PeriodAdj", 9, 5e-9, 5e-8, 5000.0, 0.001, ','},
    {"SysBurstAdj", 0, 1, 1, 4000000000.0, 1, ','},
    {"SysDutyOnAdj", 0, 1, 1, 4000000000.0, 1, ','},
    {"SysDutyOffAdj", 0, 1, 1, 4000000000.0, 1, ','},
    {"SysCycleCountAdj", 0, 1, 0, 10000000.0, 0, ','},
    {"TrigThresholdAdj1", 2, 0.01, 0.2, 15.0, 2.5, QChar()},
    {"GateThresholdAdj1", 2, 0.01, 0.2, 15.0, 2.5, QChar()},
    {"TrigGateThresholdAdj2", 2, 0.01, 0.2, 15.0, 2.5, QChar()},
    {"ChDelayAdj1", 12, 1e-08, -1000, 1000, 1000, ','},
    {"ChWidthAdj1", 9, 1e-08, 1e-08, 1000, 1000, ','},
    {"ChBurstAdj1", 0, 1, 1, 1000000, 1000000, ','},
    {"ChWaitCountAdj1", 0, 1, 0, 1000000, 1000000, ','},
    {"ChDutyOnAdj1", 0, 1, 1, 1000000, 1000000, ','},
    {"ChDutyOffAdj1", 0, 1, 1, 1000000, 1000000, ','},
    {"ChAmplitudeAdj1", 2, 0.01, 2, 20, 5, QChar()},
};

struct THintRow {
    const char *name;
    const char *hint;
    bool shown;
};

const THintRow Hints[] = {
    {"RunStopbtn", "Starts(arms) or stops(disarms) the system", true},
    {"SystemInfoGrp", "Information about unit", true},
    {"TerminalBoxgrp", "Send and receive commands directly to unit", true},
    {"PeriodAdj", "Sets system pulse period", true},
    {"SysBurstAdj", "Sets number of burst counts when in system burst mode", true},
    {"AutoStartEnbl", "Sets system auto start (will start on power up)", true},
    {"SysDutyOnAdj", "Sets number of on counts when in system duty cycle mode", true},
    {"SysDutyOffAdj", "Sets number of off counts when in system duty cycle mode", true},
    {"TrigThresholdAdj1", "Sets input trigger/gate threshold level", true},
    {"TrigGateThresholdAdj2", "Sets input trigger/gate threshold level", true},
    {"GateThresholdAdj1", "Sets input gate threshold level", true},
    {"ChEnablebox1", "Enables or disables channel ", true},
    {"ChDelayGrp1", "Sets channel delay from selected sync source", true},
    {"ChWidthGrp1", "Sets channel pulse width", true},
    {"ChModeGrp1", "Channel pulse mode", false},
    {"ChBurstCountGrp1", "Sets channel burst count when in channel burst mode", true},
    {"ChWaitCountGrp1", "Sets number of pulses to wait until outputs start", true},
    {"ChSyncSourceGrp1", "Channel sync source", false},
    {"ChPolarityGrp1", "Channel output polarity", false},
    {"ChDutyOnGrp1", "Sets channel number of on counts when in channel duty cycle mode", false},
    {"ChDutyOffGrp1", "Sets channel number of off counts when in channel duty cycle mode", false},
    {"ChAmplitudeAdjGrp1", "Sets channel output amplitude", true},
};

struct TMenuRow {
    const char *menu;
    const char *name;
    const char *caption;
    bool visible;
};

const TMenuRow MenuItems[] = {
    {"File1", "Exit1", "Exit", true},
    {"File1", "R1", "Restart App", true},
    {"SaveToBin", "BinSave1", "1", true},
    {"RestoreFromBin", "BinRestore0", "Default 0", true},
    {"RestoreFromBin", "BinRestore1", "1", true},
    {"Storage1", "SaveToFile1", "Save Settings To File", true},
    {"Storage1", "RestoreSettingsFromFile1", "Restore Settings From File", true},
    {"ools1", "Up1", "Refresh", true},
    {"ools1", "CaptureScreenShot1", "Capture Screen Shot", true},
    {"ools1", "EnableLoggingMenu", "Logging Enabled", true},
    {"ools1", "ServiceMenu", "Service", true},
    {"ools1", "ServiceWindowMenu", "Service Window", false},
    {"Help1", "WebSite1", "Web Site", true},
    {"Help1", "About1", "About", true},
};

// Runs check on the control of type T that each row names; a row whose control the form
// lacks fails the test.
template <class T, class TRow, std::size_t N, class TCheck>
void ForEachNamed(const TMainForm &form, const TRow (&rows)[N], TCheck check) {
    for (const TRow &row : rows) {
        SCOPED_TRACE(row.name);
        T *control = form.findChild<T *>(row.name);
        ASSERT_NE(control, nullptr);
        check(control, row);
    }
}

} // namespace

TEST_F(PanelTest, GroupBoxesCarryTheirCaptions) {
    ForEachNamed<QGroupBox>(*Form, Groups, [](const QGroupBox *box, const TGroupRow &row) {
        EXPECT_EQ(box->title(), QString(row.caption));
    });
}

TEST_F(PanelTest, SelectorsOfferTheirItemsWithTheFormSelection) {
    ForEachNamed<QComboBox>(*Form, Selectors, [](const QComboBox *combo, const TSelectorRow &row) {
        EXPECT_EQ(ComboItems(combo), row.items);
        EXPECT_EQ(combo->currentIndex(), row.index);
        EXPECT_FALSE(combo->isEditable());
    });
}

TEST_F(PanelTest, NumericEntriesHaveTheirLimitsStepsAndValues) {
    ForEachNamed<TPlusSpinEdit>(*Form, Spins, [](const TPlusSpinEdit *spin, const TSpinRow &row) {
        EXPECT_EQ(spin->Decimals(), row.decimals);
        EXPECT_DOUBLE_EQ(spin->Increment(), row.increment);
        EXPECT_DOUBLE_EQ(spin->MinValue(), row.minValue);
        EXPECT_DOUBLE_EQ(spin->MaxValue(), row.maxValue);
        EXPECT_DOUBLE_EQ(spin->Value(), row.value);
        EXPECT_EQ(spin->ThousandSeparator(), row.separator);
        EXPECT_TRUE(spin->OnChange) << "the system controls wire every entry";
    });
}

TEST_F(PanelTest, HintsAreKeptAndShownWhereTheFormShowsThem) {
    ForEachNamed<QWidget>(*Form, Hints, [](const QWidget *widget, const THintRow &row) {
        EXPECT_EQ(widget->property("hint").toString(), QString(row.hint));
        EXPECT_EQ(widget->property("showHint").toBool(), row.shown);
        EXPECT_EQ(widget->toolTip(), row.shown ? QString(row.hint) : QString());
    });
}

// Every item in its menu, with its caption.
TEST_F(PanelTest, MenuBarHoldsEveryNamedItem) {
    ForEachNamed<QAction>(*Form, MenuItems, [&](QAction *action, const TMenuRow &row) {
        EXPECT_EQ(action->text(), QString(row.caption));
        EXPECT_EQ(action->isVisible(), row.visible);
        const QMenu *menu = Named<QMenu>(row.menu);
        ASSERT_NE(menu, nullptr);
        EXPECT_TRUE(menu->actions().contains(action)) << "not in " << row.menu;
    });
    EXPECT_TRUE(Form->EnableLoggingMenu->isCheckable());
    EXPECT_FALSE(Form->EnableLoggingMenu->isChecked());
    const QList<QPair<QMenu *, QString>> menus{{Form->File1, "File"},
                                               {Form->Storage1, "Storage"},
                                               {Form->ools1, "Tools"},
                                               {Form->Help1, "Help"},
                                               {Form->SaveToBin, "Save To Bin"},
                                               {Form->RestoreFromBin, "Restore From Bin"}};
    for (const auto &m : menus)
        EXPECT_EQ(m.first->title(), m.second);
    EXPECT_EQ(Form->SaveToBin->actions(), QList<QAction *>{Form->BinSave[1]});
    EXPECT_EQ(Form->RestoreFromBin->actions(),
              (QList<QAction *>{Form->BinRestore[0], Form->BinRestore[1]}));
    EXPECT_EQ(Form->BinSave[0], nullptr);
    EXPECT_EQ(Form->BinSave[2], nullptr);
}

TEST_F(PanelTest, MembersAreTheNamedControls) {
    const QList<QPair<QObject *, const char *>> members{
        {Form->RunStopbtn, "RunStopbtn"},
        {Form->PulseAnimate, "PulseAnimate"},
        {Form->VKBlueBanner, "VKBlueBanner"},
        {Form->HTXBanner, "HTXBanner"},
        {Form->SystemPageControl, "SystemPageControl"},
        {Form->ChPageControl, "ChPageControl"},
        {Form->PeriodAdj, "PeriodAdj"},
        {Form->ShotCountEnbl, "ShotCountEnbl"},
        {Form->ClearShotCount, "ClearShotCount"},
        {Form->ShotCountlbl, "ShotCountlbl"},
        {Form->SendEdit, "SendEdit"},
        {Form->SendBtn, "SendBtn"},
        {Form->ResponseList, "ResponseList"},
        {Form->TabCh1, "TabCh1"},
        {Form->ChDelayAdj[1], "ChDelayAdj1"},
        {Form->ChMuxSelect[1], "ChMuxSelect1"},
        {Form->ChGateLogicSel[1], "ChGateLogicSel1"},
        {Form->ChAmplitudeAdjGrp[1], "ChAmplitudeAdjGrp1"},
        {Form->ChEnablebox[1], "ChEnablebox1"},
        {Form->SerialNumberlbl, "SerialNumberlbl"},
        {Form->AutoStartEnbl, "AutoStartEnbl"},
        {Form->TrigGateThresholdAdj2, "TrigGateThresholdAdj2"},
    };
    for (const auto &m : members) {
        SCOPED_TRACE(m.second);
        ASSERT_NE(m.first, nullptr);
        EXPECT_EQ(m.first->objectName(), QString(m.second));
        EXPECT_EQ(Form->findChild<QObject *>(m.second), m.first);
    }
}

TEST_F(PanelTest, ButtonsCheckBoxesAndLabelsStartAsTheFormHasThem) {
    EXPECT_EQ(Form->windowTitle(), "6180 Pulse Generator");
    EXPECT_EQ(Form->RunStopbtn->text(), "Run");
    EXPECT_EQ(Form->SendBtn->text(), "Send");
    EXPECT_EQ(Form->ClearShotCount->text(), "Clear");
    EXPECT_EQ(Form->ShotCountEnbl->text(), "Enable");
    EXPECT_EQ(Form->AutoStartEnbl->text(), "Auto Start");
    EXPECT_FALSE(Form->AutoStartEnbl->isChecked());
    EXPECT_EQ(Form->ChEnablebox[1]->text(), "Enabled");
    EXPECT_TRUE(Form->ChEnablebox[1]->isChecked());
    EXPECT_EQ(Form->SerialNumberlbl->text(), "Serial Number: 123456");
    EXPECT_EQ(Form->FWVersionlbl->text(), "Firmware Ver: 33.44.55.66");
    EXPECT_EQ(Form->FPGAVersionlbl->text(), "FPGA Ver: 33.44.55.66");
    EXPECT_EQ(Form->ShotCountlbl->text(), "Count: ----");
    EXPECT_EQ(Form->ChMuxSelect[1]->Items(), (QStringList{"0", "1", "2", "3", "4"}));
    EXPECT_EQ(Form->ChMuxSelect[1]->Columns(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(Form->ChMuxSelect[1]->Checked(i));
}

TEST_F(PanelTest, PicturesAndRunStateDisplay) {
    EXPECT_TRUE(Form->VKBlueBanner->isHidden());
    EXPECT_TRUE(Form->HTXBanner->isHidden());
    EXPECT_EQ(Form->VKBlueBanner->pixmap().size(), QSize(620, 72));
    EXPECT_EQ(Form->HTXBanner->pixmap().size(), QSize(620, 72));
    EXPECT_FALSE(Form->windowIcon().isNull());
    EXPECT_TRUE(Form->PulseAnimate->isHidden());
    ASSERT_TRUE(Form->PulseMovie->isValid());
    EXPECT_GT(Form->PulseMovie->frameCount(), 1);
    EXPECT_EQ(Form->PulseMovie->speed(), 200);

    Form->ShowRunState(true);
    EXPECT_FALSE(Form->PulseAnimate->isHidden());
    EXPECT_EQ(Form->PulseMovie->state(), QMovie::Running);
    EXPECT_EQ(Form->RunStopbtn->text(), "Stop");
    Form->ShowRunState(false);
    EXPECT_TRUE(Form->PulseAnimate->isHidden());
    EXPECT_EQ(Form->PulseMovie->state(), QMovie::NotRunning);
    EXPECT_EQ(Form->RunStopbtn->text(), "Run");
}

TEST_F(PanelTest, PageControlsHoldTheirPages) {
    TPageControl *sys = Form->SystemPageControl;
    ASSERT_EQ(sys->count(), 3);
    const QStringList captions{"System Options", "External Trig/Gate", "Additional Options"};
    const QStringList names{"SystemPage", "ExtTrigGatePage", "AdditionalPage"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sys->tabText(i), captions[i]);
        EXPECT_EQ(sys->page(i)->objectName(), names[i]);
    }
    EXPECT_EQ(sys->currentIndex(), 0);
    EXPECT_EQ(Form->ShotCountlbl->window(), Form.get());
    EXPECT_TRUE(Form->AdditionalPage->isAncestorOf(Form->ShotCountlbl));
    EXPECT_TRUE(Form->AdditionalPage->isAncestorOf(Form->CounterSourceSel));
    EXPECT_TRUE(Form->ExtTrigGatePage->isAncestorOf(Form->TrigGateThresholdAdj2));
    EXPECT_EQ(Form->SystemFocusMemory().size(), 3);

    ASSERT_EQ(Form->ChPageControl->count(), 1);
    EXPECT_EQ(Form->ChPageControl->tabText(0), "Ch 1");
    EXPECT_EQ(Form->ChPageControl->page(0), Form->TabCh1);
    EXPECT_EQ(Form->ChannelFocusMemory().size(), 1);
}

TEST_F(PanelTest, TerminalIsReadOnlyPlainTextWithHistoryCombo) {
    EXPECT_TRUE(Form->SendEdit->isEditable());
    EXPECT_EQ(Form->SendEdit->count(), 0);
    EXPECT_EQ(Form->SendEdit->insertPolicy(), QComboBox::NoInsert);
    EXPECT_TRUE(Form->ResponseList->isReadOnly());
    EXPECT_EQ(Form->ResponseList->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(Form->ResponseList->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    Form->AppendResponse("<b>1 &amp; 2</b>", Qt::black);
    Form->AppendResponse("ok", QColor(0, 128, 0));
    EXPECT_EQ(Form->ResponseList->toPlainText(), "<b>1 &amp; 2</b>\nok");
    QTextBlock first = Form->ResponseList->document()->firstBlock();
    QTextBlock second = first.next();
    EXPECT_EQ(first.begin().fragment().charFormat().foreground().color(), QColor(Qt::black));
    EXPECT_EQ(second.begin().fragment().charFormat().foreground().color(), QColor(0, 128, 0));
}

TEST_F(PanelTest, DemoStateShowsDemoCaptionAndLabels) {
    Form->ShowDemoState();
    EXPECT_EQ(Form->windowTitle(), " Model 6180-12  SW Version: 1.0.0.0 ComPort: Demo");
    EXPECT_EQ(Form->SerialNumberlbl->text(), "Serial Number: 1234");
    EXPECT_EQ(Form->FWVersionlbl->text(), "Firmware Ver: 1.00");
    EXPECT_EQ(Form->FPGAVersionlbl->text(), "FPGA Ver: 1.25");
    EXPECT_EQ(Form->ShotCountlbl->text(), "Count: ----");

    TMainForm htx(Prompts, TVersionInfo("2.3.4.5", "Halvorn Trevaxis"));
    htx.ShowDemoState();
    EXPECT_EQ(htx.windowTitle(), " Model 631K-12  SW Version: 2.3.4.5 ComPort: Demo");
}

TEST_F(PanelTest, AboutShowsSixLinesJoinedByCrLf) {
    Instrument::TIdentity id{"HTX", "631K-36", 4711, "2.10", "3.05"};
    Prompts.QueueOK(2);
    Form->ShowAbout(id);
    ASSERT_EQ(Prompts.Shown.size(), 1);
    EXPECT_EQ(Prompts.Shown[0].text, "Company: Halvorn Trevaxis\r\nModel Number: 631K-36\r\n"
                                     "Serial Number: 4711\r\nFirmware Version: 2.10\r\n"
                                     "FPGA Version: 3.05\r\nSoftware Version: 1.0.0.0");
    EXPECT_EQ(Prompts.Shown[0].buttons, TPrompts::mbOK);

    Form->ShowAbout(Instrument::TIdentity{});
    EXPECT_EQ(Prompts.Shown[1].text, "Company: Unknown\r\nModel Number: \r\nSerial Number: 0\r\n"
                                     "Firmware Version: \r\nFPGA Version: \r\nSoftware Version: "
                                     "1.0.0.0");
}

TEST_F(PanelTest, WebSiteOpensTheBrandsAddressOnly) {
    QList<QUrl> opened;
    Form->SetUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    Form->OpenWebSite("VK");
    Form->OpenWebSite("HTX");
    Form->OpenWebSite("");
    Form->OpenWebSite("vk");
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], BrandWebSite("VK"));
    EXPECT_EQ(opened[1], BrandWebSite("HTX"));
    EXPECT_NE(opened[0], opened[1]);
    EXPECT_TRUE(opened[0].isValid());
}

TEST(MessageFormTest, SmallInitializingWindow) {
    TMessageForm form;
    EXPECT_EQ(form.windowTitle(), "Initializing");
    EXPECT_EQ(form.size(), QSize(326, 58));
    EXPECT_EQ(form.MessageLabel->objectName(), "MessageLabel");
    EXPECT_EQ(form.MessageLabel->text(), "Loading. Please wait...");
    EXPECT_EQ(form.MessageLabel->font().pixelSize(), 29);
    EXPECT_EQ(form.MessageLabel->alignment(), Qt::AlignCenter);
    form.ShowMessage("Initializing Ch 7");
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.MessageLabel->text(), "Initializing Ch 7");
    form.hide();
    form.ShowMessage("Initializing System");
    EXPECT_EQ(form.MessageLabel->text(), "Initializing System");
}

TEST(ScreenPlacementTest, CentredInTheFreeAreaAndNeverAboveOrLeftOfIt) {
    using FormParts::CentredTopLeft;
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 1920, 1080), QSize(326, 58)), QPoint(797, 511));
    EXPECT_EQ(CentredTopLeft(QRect(1920, 30, 1280, 994), QSize(824, 834)), QPoint(2148, 110));
    EXPECT_EQ(CentredTopLeft(QRect(0, 25, 800, 575), QSize(824, 834)), QPoint(0, 25));
    EXPECT_EQ(CentredTopLeft(QRect(0, 0, 800, 600), QSize(700, 834)), QPoint(50, 0));
}

TEST(ScreenPlacementTest, BothWindowsOpenCentredOnTheScreen) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TMessageForm message;
    message.ShowMessage("Initializing System");
    EXPECT_EQ(message.pos(), FormParts::CentredTopLeft(area, QSize(326, 58)));

    TScriptedPrompts prompts;
    TMainForm form(prompts);
    form.show();
    EXPECT_EQ(form.pos(), FormParts::CentredTopLeft(area, form.frameGeometry().size()));
    if (area.width() > form.width() && area.height() > form.height()) { // CTest's wide screen
        EXPECT_LE((form.geometry().center() - area.center()).manhattanLength(), 2);
    }
    form.move(area.topLeft() + QPoint(3, 4)); // moved by the user: a second show keeps it
    form.hide();
    form.show();
    EXPECT_EQ(form.pos(), area.topLeft() + QPoint(3, 4));
}

// Boxes that open before the main window (search, demo mode, "No device found") are
// centred on the screen; once the window is up they open over it.
TEST(ScreenPlacementTest, MessageBoxesCentreOnTheScreenUntilTheWindowShows) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    TScriptedPrompts scripted;
    TMainForm form(scripted);
    TQtPrompts prompts(&form);
    QRect seen;
    auto answerBox = [&seen] {
        PollFromEventLoop([&seen] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return false;
            seen = box->frameGeometry();
            box->button(QMessageBox::No)->click();
            return true;
        });
    };
    answerBox();
    EXPECT_EQ(
        prompts.Message("No device found", TPrompts::mbYes | TPrompts::mbNo, TPrompts::iconWarning),
        TPrompts::mbNo);
    EXPECT_LE((seen.center() - area.center()).manhattanLength(), 2) << seen.x() << "," << seen.y();

    form.show();
    form.move(area.topLeft());
    answerBox();
    prompts.Message("Communications lost. Restart?", TPrompts::mbYes | TPrompts::mbNo);
    EXPECT_LE((seen.center() - form.frameGeometry().center()).manhattanLength(), 2);
}
