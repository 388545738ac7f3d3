// Start-up: the connection step, the keys held at start, the "No device found" answers and
// the "log" switch.
#include "CommandLine.h"
#include "EventLoopPoll.h"
#include "MessageForm.h"
#include "PageControl.h"
#include "PlusSpinEdit.h"
#include "SearchProgressForm.h"
#include "SimPanel.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString NoDeviceText = "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully "
                             "powered on\n\rbefore selecting Yes";

TSimLaunch Instrument(const QString &model, int baud = 115200) {
    TSimLaunch launch;
    launch.Model = model;
    launch.Baud = baud;
    return launch;
}

QList<int> BaudsOf(const QList<TSimTranscriptEntry> &transcript) {
    QList<int> bauds;
    for (const TSimTranscriptEntry &e : transcript)
        if (e.Kind == "RX")
            bauds << e.Baud;
    return bauds;
}

const QList<int> AllRatesTwice = {115200, 115200, 57600, 57600, 38400, 38400,
                                  19200,  19200,  9600,  9600,  4800,  4800};

TEST(StartupTest, SearchTriesEveryRateOfEachPortInOrderAndSkipsUnknownModels) {
    TSimPanel p;
    p.AddSim(Instrument("627-6"));        // COM1: answers, but not an accepted model
    p.AddSim(Instrument("6180-7", 4800)); // COM2: a model nobody knows
    p.AddSim(Instrument("6180-6", 9600)); // COM3: the instrument, at 9600 only
    ASSERT_TRUE(p.StartAndLaunch());

    EXPECT_EQ(BaudsOf(p.Sim(0).Transcript()), AllRatesTwice);
    EXPECT_EQ(BaudsOf(p.Sim(1).Transcript()), AllRatesTwice);
    for (int i : {0, 1})
        EXPECT_EQ(p.Sim(i).ReceivedLines(), QStringList(12, "*IDN?"));
    const QStringList third = p.Sim(2).ReceivedLines();
    ASSERT_GE(third.size(), 10);
    EXPECT_EQ(third.mid(0, 10), QStringList(10, "*IDN?"));
    EXPECT_EQ(BaudsOf(p.Sim(2).Transcript()).mid(0, 10), AllRatesTwice.mid(0, 10));
    EXPECT_EQ(third.value(10), "*CFG? 0?"); // the read-back follows at once, at 9600

    EXPECT_TRUE(p.Form->Session().ComPort.Opened());
    EXPECT_EQ(p.Form->Session().ComPort.Port(), 3);
    EXPECT_EQ(p.Form->Session().ComPort.Baud(), 9600);
    EXPECT_EQ(p.Form->Session().ComPort.ResponseTime(), 4000u);
    EXPECT_TRUE(p.Form->Session().ComPort.AllowEvents());
    EXPECT_EQ(p.Form->Session().State.Identity.ModelNumber, "6180-6");
    EXPECT_EQ(p.Form->windowTitle(),
              "Orvane Selkrin Model 6180-6  SW Version: 1.0.0.0 ComPort: 3 Baud: 9600");
    EXPECT_TRUE(p.Prompts.Texts().isEmpty()) << p.Prompts.Texts().join("|").toStdString();
    EXPECT_TRUE(p.Form->ResponseList->toPlainText().isEmpty());
}

TEST(StartupTest, OnlyAnUnacceptedModelMeansNoDeviceAndNoEndsTheProgram) {
    TSimPanel p;
    p.AddSim(Instrument("627-6"));
    p.Prompts.QueueButton(TPrompts::mbNo);
    EXPECT_FALSE(p.Start());
    ASSERT_EQ(p.Prompts.Shown.size(), 1);
    EXPECT_EQ(p.Prompts.Shown[0].text, NoDeviceText);
    EXPECT_EQ(p.Prompts.Shown[0].buttons, TPrompts::mbYes | TPrompts::mbNo);
    EXPECT_EQ(p.Prompts.Shown[0].icon, TPrompts::iconWarning);
    EXPECT_EQ(p.Quits, 1);
    EXPECT_EQ(p.Restarts, 0);
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
    EXPECT_FALSE(p.Form->Session().LaunchTimer.isActive());
}

// The search shows a small window with the pair being tried; Cancel ends the search as
// finding nothing would, without a further query.
TEST(StartupTest, CancelOnTheSearchWindowEndsTheSearchAsNoInstrumentFound) {
    TSimPanel p;
    p.AddSim(Instrument("6180-12", 4800));
    p.AddSim();
    p.Prompts.QueueButton(TPrompts::mbNo);
    QString shown;
    PollFromEventLoop(
        [&shown] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                auto *form = qobject_cast<TSearchProgressForm *>(w);
                if (form && form->isVisible() && form->TryingLabel->text().contains("57600")) {
                    // The bar is read out with the pair being tried.
                    shown = QString("%1 %2/%3 %4")
                                .arg(QAccessible::queryAccessibleInterface(form->SearchBar)
                                         ->text(QAccessible::Name))
                                .arg(form->SearchBar->value())
                                .arg(form->SearchBar->maximum())
                                .arg(form->windowTitle());
                    const QRect area = form->screen()->availableGeometry();
                    EXPECT_LE((form->frameGeometry().center() - area.center()).manhattanLength(),
                              2);
                    QTest::mouseClick(form->CancelBtn, Qt::LeftButton);
                    return true;
                }
            }
            return false;
        },
        0);

    EXPECT_FALSE(p.Start());
    EXPECT_EQ(shown, "Trying COM1 at 57600 baud 1/12 Searching for the instrument");
    EXPECT_EQ(p.Prompts.Texts(), QStringList{NoDeviceText});
    EXPECT_EQ(p.Received(0), QStringList(2, "*IDN?")); // at 115200 only
    EXPECT_TRUE(p.Received(1).isEmpty());
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
}

TEST(StartupTest, MoreThanAHundredPortsFailEvenWithAnInstrumentOnTheFirst) {
    TSimPanel p;
    p.AddSim(Instrument("6180-12")); // COM1
    for (int n = 2; n <= 101; ++n)
        ASSERT_TRUE(QFile::link("/dev/null", QDir(p.PortsDir()).filePath(QString("COM%1").arg(n))));
    p.Prompts.QueueButton(TPrompts::mbNo);
    EXPECT_FALSE(p.Start());
    EXPECT_EQ(p.Prompts.Texts(), QStringList{NoDeviceText});
    EXPECT_EQ(p.Sim(0).ReceivedLines(), QStringList(2, "*IDN?")); // found, then refused
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());             // and the port let go
}

TEST(StartupTest, LeftShiftEntersDemoModeAndSendsNothingToAnyPort) {
    TSimPanel p;
    p.AddSim();
    p.AddSim(Instrument("6180-24", 9600));
    p.Keys->LeftShift = true;
    p.Prompts.QueueOK();
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_EQ(p.Prompts.Texts(), QStringList{"Entering Demo Mode"});
    EXPECT_TRUE(p.Form->Session().State.Link.DemoMode);
    EXPECT_EQ(p.Form->windowTitle(), " Model 6180-12  SW Version: 1.0.0.0 ComPort: Demo");
    EXPECT_EQ(p.Form->SerialNumberlbl->text(), "Serial Number: 1234");
    EXPECT_EQ(p.Form->FWVersionlbl->text(), "Firmware Ver: 1.00");
    EXPECT_EQ(p.Form->FPGAVersionlbl->text(), "FPGA Ver: 1.25");
    EXPECT_EQ(p.Form->ChPageControl->count(), 1); // no tabs are built in demo mode
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
    EXPECT_EQ(p.Form->Session().ComPort.Port(), 1);
    EXPECT_EQ(p.Form->Session().ComPort.Baud(), 115200);
    EXPECT_TRUE(p.Received(0).isEmpty());
    EXPECT_TRUE(p.Received(1).isEmpty());
}

TEST(StartupTest, SpaceOpensTheChosenPortAt115200WithoutIdentifying) {
    TSimPanel p;
    p.AddSim();
    p.AddSim(Instrument("6180-6"));
    p.Keys->Space = true;
    p.Picker.Answer = "COM2";
    ASSERT_TRUE(p.Start());
    EXPECT_EQ(p.Picker.ItemsShown.size(), 2);
    EXPECT_TRUE(p.Form->Session().ComPort.Opened());
    EXPECT_EQ(p.Form->Session().ComPort.Port(), 2);
    EXPECT_EQ(p.Form->Session().ComPort.Baud(), 115200);
    EXPECT_EQ(p.Form->Session().ComPort.ResponseTime(), 4000u);
    EXPECT_FALSE(p.Form->Session().ComPort.ShowErrors());
    EXPECT_TRUE(p.Received(0).isEmpty());
    EXPECT_TRUE(p.Received(1).isEmpty());
    EXPECT_EQ(p.Form->Session().State.Identity, Instrument::TIdentity());

    // No identity: an unknown brand, an empty model and 12 channels, of which the
    // instrument lacks the last six.
    p.Prompts.QueueOK();
    p.Launch();
    EXPECT_EQ(p.Prompts.Texts(), QStringList{"'ERR:' is not a valid integer value"});
    EXPECT_EQ(p.Form->windowTitle(), "Unknown Model   SW Version: 1.0.0.0 ComPort: 2 Baud: 115200");
    EXPECT_EQ(p.Form->Session().State.ChannelCount, 12);
    EXPECT_EQ(p.Received(1).value(0), "*CFG? 0?");
    EXPECT_FALSE(p.Received(1).contains("*IDN?"));
}

TEST(StartupTest, SpaceWithTheChoiceCancelledEndsWithoutOpeningAPort) {
    TSimPanel p;
    p.AddSim();
    p.Keys->Space = true;
    EXPECT_FALSE(p.Start());
    EXPECT_EQ(p.Quits, 1);
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
    EXPECT_TRUE(p.Received(0).isEmpty());
}

TEST(StartupTest, NoPortsAtAllThenYesRestartsAndThisInstanceLeavesThePortAlone) {
    TSimPanel p;
    p.Prompts.QueueButton(TPrompts::mbOK);
    p.Prompts.QueueButton(TPrompts::mbYes);
    EXPECT_FALSE(p.Start());
    EXPECT_EQ(p.Prompts.Texts(), (QStringList{"No available ports.", NoDeviceText}));
    EXPECT_EQ(p.Restarts, 1);
    EXPECT_EQ(p.Quits, 1);
    EXPECT_TRUE(p.Form->Session().State.Ending);
    EXPECT_FALSE(p.Form->Session().LaunchTimer.isActive());
}

TEST(StartupTest, YesAfterAFailedSearchRestartsWithThePortClosed) {
    TSimPanel p;
    p.AddSim(Instrument("627-6"));
    bool portClosedAtRestart = false;
    p.OnRestart = [&] { portClosedAtRestart = !p.Form->Session().ComPort.Opened(); };
    p.Prompts.QueueButton(TPrompts::mbYes);
    EXPECT_FALSE(p.Start());
    EXPECT_EQ(p.Restarts, 1);
    EXPECT_TRUE(portClosedAtRestart);
    const int linesAtRestart = p.Sim(0).ReceivedLines().size();
    p.Form->Guarded([&] { p.Form->Initialize(); }); // even a late read-back sends nothing
    QTest::qWait(100);
    EXPECT_EQ(p.Sim(0).ReceivedLines().size(), linesAtRestart);
    EXPECT_FALSE(p.Form->Session().ComPort.Opened());
}

TEST(StartupTest, NoWithLeftShiftHeldEntersDemoModeWithoutItEnds) {
    TSimPanel demo;
    demo.Prompts.QueueButton(TPrompts::mbOK); // "No available ports."
    demo.Prompts.QueueButton(TPrompts::mbNo, [&] { demo.Keys->LeftShift = true; });
    demo.Prompts.QueueOK(); // "Entering Demo Mode"
    ASSERT_TRUE(demo.StartAndLaunch());
    EXPECT_EQ(demo.Prompts.Texts(),
              (QStringList{"No available ports.", NoDeviceText, "Entering Demo Mode"}));
    EXPECT_TRUE(demo.Form->Session().State.Link.DemoMode);
    EXPECT_EQ(demo.Quits, 0);

    TSimPanel ending;
    ending.Prompts.QueueButton(TPrompts::mbOK);
    ending.Prompts.QueueButton(TPrompts::mbNo);
    EXPECT_FALSE(ending.Start());
    EXPECT_EQ(ending.Quits, 1);
    EXPECT_EQ(ending.Restarts, 0);
    EXPECT_FALSE(ending.Form->Session().State.Link.DemoMode);
}

TEST(StartupTest, LogSwitchAfterDashOrSlashInAnyCase) {
    EXPECT_TRUE(HasLogSwitch({"-log"}));
    EXPECT_TRUE(HasLogSwitch({"/LOG"}));
    EXPECT_TRUE(HasLogSwitch({"x", "-LoG"}));
    EXPECT_FALSE(HasLogSwitch({"log"}));
    EXPECT_FALSE(HasLogSwitch({"--log"}));
    EXPECT_FALSE(HasLogSwitch({"-logs"}));
    EXPECT_FALSE(HasLogSwitch({}));
}

TEST(StartupTest, LogSwitchStartsTheLogBeforeTheReadBack) {
    TSimPanel p;
    p.AddSim(Instrument("6180-6"));
    p.Arguments = {"/Log"};
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_TRUE(p.Form->Session().CommLog.LoggingEnabled());
    EXPECT_TRUE(p.Form->EnableLoggingMenu->isChecked());
    QFile file(p.Form->Session().CommLog.FilePath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    EXPECT_EQ(QFileInfo(file).absolutePath(), QDir(p.LogDir()).absolutePath());
    const QList<QByteArray> lines = file.readAll().split('\n');
    EXPECT_TRUE(lines.value(1).startsWith("Sent    (")) << lines.value(1).toStdString();
    EXPECT_TRUE(lines.value(1).endsWith("): *CFG? 0?\r"));
}

TEST(StartupTest, StartStampAndLogFileNameAreTakenOnceTheSearchHasEnded) {
    TSimPanel p;
    p.AddSim(Instrument("6180-6", 9600)); // found after four silent rates: over a second
    p.Create();
    QDateTime created = QDateTime::currentDateTime();
    created.setTime(QTime(created.time().hour(), created.time().minute(),
                          created.time().second())); // the stamp has whole seconds
    ASSERT_TRUE(p.Start());
    const QDateTime stamp =
        QDateTime::fromString(p.Form->Session().State.StartTimeStamp, "MM-dd-yy_HH-mm-ss")
            .addYears(100);
    ASSERT_TRUE(stamp.isValid()) << p.Form->Session().State.StartTimeStamp.toStdString();
    EXPECT_GE(stamp, created.addSecs(1)) << p.Form->Session().State.StartTimeStamp.toStdString();
    EXPECT_EQ(QFileInfo(p.Form->Session().CommLog.FilePath()).fileName(),
              "SystemLogFile_" + p.Form->Session().State.UserName + "_" +
                  p.Form->Session().State.StartTimeStamp + ".txt");
}

TEST(StartupTest, StartUpLeavesTheLaunchTimerRunningAndTheRestOff) {
    TSimPanel p;
    p.AddSim();
    ASSERT_TRUE(p.Start());
    EXPECT_TRUE(p.Form->Session().LaunchTimer.isActive());
    EXPECT_TRUE(p.Form->Session().LaunchTimer.isSingleShot());
    EXPECT_EQ(p.Form->Session().LaunchTimer.interval(), 500);
    EXPECT_FALSE(p.Form->Session().StatusTimer.isActive());
    EXPECT_FALSE(p.Form->Session().TaskTimer.isActive());
    EXPECT_EQ(p.Form->Session().State.StartTimeStamp.size(), QString("MM-dd-yy_HH-mm-ss").size());
    // The launch timer's own tick runs the first read-back and starts the status poll.
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.Received(0).contains("*CFG?12?"); }, 5000));
    EXPECT_TRUE(p.Form->Session().StatusTimer.isActive());
    EXPECT_FALSE(p.Form->Session().State.RefreshRequested);
}

} // namespace

namespace {

TEST(StartupTest, SpinEditErrorsOfEveryPageAndChannelGoToTheErrorReport) {
    TSimPanel p;
    p.AddSim(TSimLaunch());
    ASSERT_TRUE(p.StartAndLaunch());
    p.Prompts.QueueOK(2);
    p.Form->PeriodAdj->OnError("Not a valid number");
    p.Form->ChDelayAdj[9]->OnError("Not a valid number");
    ASSERT_EQ(p.Prompts.Shown.size(), 2);
    EXPECT_EQ(p.Prompts.Texts(), QStringList(2, "Not a valid number"));
    EXPECT_EQ(p.Prompts.Shown[1].icon, TPrompts::iconError);
}

TEST(StartupTest, WithoutAnX11DisplayNoStartUpKeyIsPressed) {
    const auto keys = TStartupKeys::Platform(); // the tests run on the offscreen platform
    EXPECT_FALSE(keys->SpacePressed());
    EXPECT_FALSE(keys->LeftShiftPressed());
}

TEST(StartupTest, HelpMenuShowsTheIdentityAndOpensTheBrandsSite) {
    TSimPanel p;
    TSimLaunch launch;
    launch.Brand = "HTX";
    launch.Model = "631K-6";
    launch.Serial = 77;
    p.AddSim(launch);
    ASSERT_TRUE(p.StartAndLaunch());
    QList<QUrl> opened;
    p.Form->SetUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    p.Prompts.QueueOK();
    p.Form->About1->trigger();
    p.Form->WebSite1->trigger();
    EXPECT_EQ(p.Prompts.Texts(),
              QStringList{"Company: Halvorn Trevaxis\r\nModel Number: 631K-6\r\nSerial Number: "
                          "77\r\nFirmware Version: 1.00\r\nFPGA Version: 1.25\r\nSoftware "
                          "Version: 1.0.0.0"});
    EXPECT_EQ(opened, QList<QUrl>{BrandWebSite("HTX")});
}

TEST(StartupTest, MenuExitAndRestartEndThisInstanceOnce) {
    TSimPanel exiting;
    exiting.AddSim(TSimLaunch());
    ASSERT_TRUE(exiting.StartAndLaunch());
    exiting.Form->Exit1->trigger();
    exiting.Form->Exit1->trigger();
    EXPECT_EQ(exiting.Quits, 1);
    EXPECT_EQ(exiting.Restarts, 0);
    EXPECT_FALSE(exiting.Form->Session().ComPort.Opened());
    EXPECT_FALSE(exiting.Form->Session().StatusTimer.isActive());

    TSimPanel restarting;
    restarting.AddSim(TSimLaunch());
    ASSERT_TRUE(restarting.StartAndLaunch());
    restarting.Form->R1->trigger();
    EXPECT_EQ(restarting.Restarts, 1);
    EXPECT_EQ(restarting.Quits, 1);
    EXPECT_FALSE(restarting.Form->Session().ComPort.Opened());
    // Nothing can open the device again from this instance.
    const int lines = restarting.Received(0).size();
    restarting.Form->Session().Exchange.SendQuery("*IDN");
    EXPECT_FALSE(restarting.Form->Session().ComPort.Opened());
    QTest::qWait(50);
    EXPECT_EQ(restarting.Received(0).size(), lines);
}

// A restart whose new instance does not start says why and leaves this one running: from
// the menu, from a lost reply answered Yes, and from the start-up's "No device found"
// (which then asks again).
TEST(StartupTest, RestartWithoutANewInstanceSaysWhyAndThisOneGoesOn) {
    const QString failed = "The program could not be restarted: \"" +
                           QDir::toNativeSeparators(QCoreApplication::applicationFilePath()) +
                           "\" did not start (execv: Permission denied). This window stays open.";
    const QString lost = "Communications lost. Restart?";
    enum TRoute { Menu, LostReply, NoDevice };
    for (const TRoute route : {Menu, LostReply, NoDevice}) {
        SCOPED_TRACE(route);
        TSimPanel p;
        p.RestartFailure = "execv: Permission denied";
        p.AddSim(Instrument(route == NoDevice ? "627-6" : "6180-6"));
        if (route == NoDevice) {
            p.Prompts.QueueButton(TPrompts::mbYes);
            p.Prompts.QueueButton(TPrompts::mbOK);
            p.Prompts.QueueButton(TPrompts::mbNo);
            EXPECT_FALSE(p.Start());
            EXPECT_EQ(p.Prompts.Texts(), (QStringList{NoDeviceText, failed, NoDeviceText}));
            EXPECT_EQ(p.Restarts, 1);
            EXPECT_EQ(p.Quits, 1) << "No ends it";
            continue;
        }
        ASSERT_TRUE(p.StartAndLaunch());
        if (route == Menu) {
            p.Prompts.QueueButton(TPrompts::mbOK);
            p.Form->R1->trigger();
        } else {
            ASSERT_TRUE(p.Sim(0).InjectFault("drop 1 :SYST:AUT"));
            p.Form->Session().ComPort.setResponseTime(300);
            p.Prompts.QueueButton(TPrompts::mbYes);
            p.Prompts.QueueButton(TPrompts::mbOK);
            p.Form->AutoStartEnbl->click();
            ASSERT_TRUE(QTest::qWaitFor([&] { return p.Prompts.Shown.size() == 2; }, 5000));
        }
        const QStringList seen = route == Menu ? QStringList{failed} : QStringList{lost, failed};
        EXPECT_EQ(p.Prompts.Texts(), seen);
        EXPECT_EQ(p.Restarts, 1);
        EXPECT_EQ(p.Quits, 0);
        EXPECT_FALSE(p.Form->Session().State.Ending);
        EXPECT_TRUE(p.Form->Session().StatusTimer.isActive()) << "the poll goes on";
        p.Form->ShotCountEnbl->click();
        const QString change = p.Form->ShotCountEnbl->isChecked() ? ":COUN:STAT 1" : ":COUN:STAT 0";
        EXPECT_TRUE(QTest::qWaitFor([&] { return p.Received(0).contains(change); }, 5000))
            << "the port opens again for the next change";
    }
}

} // namespace
