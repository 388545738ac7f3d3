// The built pulsepanel against pulsesim, driven only by input synthesized on the X server
// (XTest): pointer moves, clicks, held buttons and key presses reach the program as a
// user's would. Where to point comes from the geometry file the program writes when
// PULSEPANEL_GEOMETRY is set; what counts is what reached the instrument.
#include "GeometryFile.h"
#include "LivePanelFixture.h"
#include "SimProcess.h"
#include "XTestInput.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include <X11/keysym.h>

namespace {

// One program and one instrument for the whole suite: each test acts on its own controls.
struct TRealPanel {
    QTemporaryDir Dir;
    std::unique_ptr<TSimProcess> Sim;
    QProcess Panel;
    std::unique_ptr<TGeometryFile> Geometry;

    bool Start() {
        TSimLaunch launch;
        launch.PortsDir = Dir.path();
        launch.Unsecured = true; // Tools > Service Window is there from the start
        Sim = std::make_unique<TSimProcess>(launch);
        QString error;
        if (!Sim->Start(&error)) {
            ADD_FAILURE() << "pulsesim: " << error.toStdString();
            return false;
        }
        const QString geometry = Dir.filePath("geometry.txt");
        Geometry = std::make_unique<TGeometryFile>(geometry);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PULSEPANEL_PORTS", Dir.path());
        env.insert("PULSEPANEL_GEOMETRY", geometry);
        env.insert("QT_QPA_PLATFORM", "xcb");
        Panel.setProcessEnvironment(env);
        Panel.setWorkingDirectory(Dir.path());
        Panel.setProcessChannelMode(QProcess::ForwardedChannels);
        Panel.start(PULSEPANEL_PATH, QStringList());
        if (!Panel.waitForStarted(10000)) {
            ADD_FAILURE() << "pulsepanel did not start";
            return false;
        }
        // Read back and polling: every tab is there and the first poll has been asked.
        const bool polling = QTest::qWaitFor(
            [this] {
                const QStringList lines = Sim->ReceivedLines();
                return lines.contains("*CFG?12?") &&
                       std::any_of(lines.begin() + lines.indexOf("*CFG?12?"), lines.end(),
                                   IsStatusPollQuery);
            },
            30000);
        EXPECT_TRUE(polling) << "no read-back and poll; the program "
                             << (Panel.state() == QProcess::Running
                                     ? std::string("runs")
                                     : "ended with " + std::to_string(Panel.exitCode()))
                             << "; the instrument heard: "
                             << Sim->ReceivedLines().join(" | ").toStdString();
        return polling && !Geometry->WaitFor("ChPageControl:Ch 12").isEmpty();
    }
    ~TRealPanel() {
        Panel.terminate();
        if (!Panel.waitForFinished(5000))
            Panel.kill();
        Panel.waitForFinished(5000);
        if (Sim)
            Sim->Stop();
    }
};

class RealInputTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        Run = new TRealPanel;
        if (!Run->Start()) {
            delete Run;
            Run = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete Run;
        Run = nullptr;
    }
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the xcb platform and an X server";
        ASSERT_TRUE(Input.Usable()) << "the X server lacks the XTest extension";
        ASSERT_NE(Run, nullptr) << "the program did not come up";
    }

    // Points at a control and clicks it; false when it is not on the screen.
    bool Click(const QString &key) {
        const QRect r = Run->Geometry->WaitFor(key);
        EXPECT_FALSE(r.isEmpty()) << key.toStdString() << " is not on the screen";
        if (r.isEmpty())
            return false;
        Input.Click(r.center());
        return true;
    }
    // Clicks a control that takes the keyboard focus and waits until it has it.
    bool ClickForFocus(const QString &key, const QString &focusKey = QString()) {
        if (!Click(key))
            return false;
        const bool focused = Run->Geometry->WaitForFocus(focusKey.isEmpty() ? key : focusKey);
        EXPECT_TRUE(focused) << key.toStdString() << " did not take the focus";
        return focused;
    }

    // Clicks the places in turn; what reached the instrument from the first click on, as
    // Expect waits for `count` commands.
    QStringList SentByClicks(const QStringList &places, int count) {
        const int mark = Mark();
        for (const QString &place : places)
            if (!Click(place))
                return {place + " was not clicked"};
        return Expect(mark, count);
    }

    static int Mark() { return int(Run->Sim->ReceivedLines().size()); }
    // What reached the instrument since mark, the status poll left out.
    static QStringList Commands(int mark) {
        return WithoutStatusPoll(Run->Sim->ReceivedLines().mid(mark));
    }
    // Waits for `count` commands, then for the next status poll after them: a command
    // the same action sent twice or late would lie before it.
    static QStringList Expect(int mark, int count) {
        (void)QTest::qWaitFor([&] { return Commands(mark).size() >= count; }, 10000);
        const int after = Mark();
        (void)QTest::qWaitFor(
            [&] {
                const QStringList all = Run->Sim->ReceivedLines();
                return std::any_of(all.begin() + after, all.end(), IsStatusPollQuery);
            },
            5000);
        return Commands(mark);
    }

    static TRealPanel *Run;
    TXTestInput Input;
};

TRealPanel *RealInputTest::Run = nullptr;

using Keys = std::vector<TXTestInput::TKeySym>;

} // namespace

// Enter and keypad Enter send the line; an empty line goes too; the arrow keys and the
// drop-down recall history; Ctrl+Backspace deletes the entry chosen.
TEST_F(RealInputTest, CommandTerminal) {
    ASSERT_TRUE(ClickForFocus("SendEdit"));
    const int mark = Mark();
    Input.Type("*IDN?");
    Input.Key(XK_Return);
    Input.Key(XK_a, Keys{XK_Control_L});
    Input.Type(":PULS1:WCO 5");
    Input.Key(XK_KP_Enter);
    Input.Key(XK_a, Keys{XK_Control_L});
    Input.Key(XK_BackSpace);
    Input.Key(XK_Return); // history: *IDN?, :PULS1:WCO 5, ""
    EXPECT_EQ(Expect(mark, 3), QStringList({"*IDN?", ":PULS1:WCO 5", ""}));

    const int recall = Mark();
    Input.Key(XK_Down);
    Input.Key(XK_Down);
    Input.Key(XK_Return); // the second entry, which stays chosen
    Input.Key(XK_BackSpace, Keys{XK_Control_L});
    Input.Key(XK_Down);
    Input.Key(XK_Down);
    Input.Key(XK_Return); // the second entry is now the empty one
    EXPECT_EQ(Expect(recall, 2), QStringList({":PULS1:WCO 5", ""}));

    const int dropDown = Mark();
    const QRect edit = Run->Geometry->WaitFor("SendEdit");
    Input.Click(QPoint(edit.right() - 6, edit.center().y())); // the arrow
    ASSERT_TRUE(Click("SendEdit:*IDN?"));
    ASSERT_TRUE(Run->Geometry->WaitForGone("SendEdit:*IDN?")); // the list has closed
    Input.Key(XK_Return);
    EXPECT_EQ(Expect(dropDown, 1), QStringList({"*IDN?"}));
}

// A numeric entry: a click on a digit chooses the step, Up and Down step, a typed digit
// replaces the digit and moves on to the next; the wheel does nothing.
TEST_F(RealInputTest, NumericEntryByKeys) {
    ASSERT_TRUE(Click("SystemPageControl:System Options"));
    ASSERT_TRUE(ClickForFocus("PeriodAdj#2", "PeriodAdj")); // "0.001,000,000": the tenths
    const int mark = Mark();
    const QRect period = Run->Geometry->WaitFor("PeriodAdj");
    Input.MoveTo(period.center());
    Input.Click(period.center(), TXTestInput::WheelUp);
    Input.Key(XK_Up);
    Input.Key(XK_Down);
    Input.Type("2");  // tenths become 2, the focus moves to the hundredths
    Input.Key(XK_Up); // + 0.01
    EXPECT_EQ(Expect(mark, 4), QStringList({":PULS0:PER 0.101000000", ":PULS0:PER 0.001000000",
                                            ":PULS0:PER 0.201000000", ":PULS0:PER 0.211000000"}));
}

// The spin buttons: a click is one step; held, the first step comes at once and the
// repeat sends every further step, in order, until the button is let go.
TEST_F(RealInputTest, NumericEntryBySpinButtons) {
    ASSERT_TRUE(Click("ChPageControl:Ch 1"));
    const int mark = Mark();
    ASSERT_TRUE(Click("ChWaitCountAdj1.fUpButton"));
    ASSERT_EQ(Expect(mark, 1).size(), 1);
    const QRegularExpression wco("^:PULS1:WCO (\\d+)$");
    const int start = wco.match(Commands(mark).value(0)).captured(1).toInt();

    const int held = Mark();
    Input.MoveTo(Run->Geometry->WaitFor("ChWaitCountAdj1.fUpButton").center());
    Input.ButtonDown();
    (void)QTest::qWaitFor([&] { return Commands(held).size() >= 4; }, 5000);
    Input.ButtonUp();
    const QStringList steps = Expect(held, 4);
    EXPECT_EQ(Expect(held, int(steps.size())), steps) << "a step after the release";
    ASSERT_GE(steps.size(), 4);
    for (int i = 0; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], QString(":PULS1:WCO %1").arg(start + 1 + i));

    const int down = Mark();
    ASSERT_TRUE(Click("ChWaitCountAdj1.fDownButton"));
    EXPECT_EQ(Expect(down, 1), QStringList{QString(":PULS1:WCO %1").arg(start + steps.size() - 1)});
}

// A drop-down chosen from its open list with the mouse, then with a key on the closed box.
TEST_F(RealInputTest, DropDownByMouseAndByKeyboard) {
    ASSERT_TRUE(Click("ChPageControl:Ch 1"));
    const int mark = Mark();
    ASSERT_TRUE(Click("ChPolaritySel1")); // opens the list
    ASSERT_TRUE(Click("ChPolaritySel1:Inverted"));
    ASSERT_TRUE(Run->Geometry->WaitForGone("ChPolaritySel1:Inverted"));
    ASSERT_TRUE(Run->Geometry->WaitForFocus("ChPolaritySel1")); // back on the closed box
    Input.Key(XK_Up);
    EXPECT_EQ(Expect(mark, 2), QStringList({":PULS1:OUTP:POL INV", ":PULS1:OUTP:POL NORM"}));
}

// A check box by a click and by the space bar.
TEST_F(RealInputTest, CheckBoxByClickAndSpace) {
    ASSERT_TRUE(Click("SystemPageControl:System Options"));
    const int mark = Mark();
    ASSERT_TRUE(ClickForFocus("AutoStartEnbl"));
    Input.Key(XK_space);
    EXPECT_EQ(Expect(mark, 2), QStringList({":SYST:AUT 1", ":SYST:AUT 0"}));
}

// The channel tab buttons show each channel's page: the same spot acts on channel 3.
TEST_F(RealInputTest, ChannelTabButtons) {
    EXPECT_EQ(SentByClicks({"ChPageControl:Ch 3", "ChWaitCountAdj3.fUpButton",
                            "ChPageControl:Ch 12", "ChWaitCountAdj12.fUpButton"},
                           2),
              QStringList({":PULS3:WCO 1", ":PULS12:WCO 1"}));
}

// Storage > Save To Bin > 3 through the menus.
TEST_F(RealInputTest, StorageBinMenuItem) {
    EXPECT_EQ(SentByClicks({"Storage1Action", "SaveToBinAction", "BinSave3"}, 1),
              QStringList{"*SAV 3"});
}

// Tab from the Delay entry of channel 2 walks the page in the order it is drawn, row by
// row. With gate 1 in channel mode the channel's gate controls take part. Each control
// answers Down then Up (the wait count sits at its minimum and only goes up); the entries
// the channel's mode switches off (duty cycle, burst, amplitude) are passed over; the
// multiplexer, last, moves its cursor and sends nothing.
TEST_F(RealInputTest, TabWalksAChannelPageInVisualOrder) {
    ASSERT_EQ(
        SentByClicks(
            {"SystemPageControl:External Trig/Gate", "GateModeSel1", "GateModeSel1:Channel"}, 1),
        QStringList{":GATE1:MOD CHAN"});

    ASSERT_TRUE(Click("ChPageControl:Ch 2"));
    ASSERT_TRUE(ClickForFocus("ChDelayAdj2"));
    const int mark = Mark();
    for (int i = 0; i < 10; ++i) {
        Input.Key(XK_Tab);
        Input.Key(XK_Down);
        Input.Key(XK_Up);
    }
    EXPECT_EQ(Expect(mark, 17),
              QStringList({":PULS2:MOD SING", ":PULS2:MOD NORM",                     // row 1
                           ":PULS2:SYNC SYNA", ":PULS2:SYNC DIS",                    //
                           ":PULS2:CGAT PULS", ":PULS2:CGAT DIS",                    //
                           ":PULS2:WIDT 0.00000009975", ":PULS2:WIDT 0.00000010000", // row 2
                           ":PULS2:OUTP:POL INV", ":PULS2:OUTP:POL NORM",            //
                           ":PULS2:CLOG HIGH", ":PULS2:CLOG LOW",                    //
                           ":PULS2:OUTP:MOD ADJ", ":PULS2:OUTP:MOD TTL",             // row 3
                           ":PULS2:WCO 1",                                           //
                           ":PULS2:CONT GATA", ":PULS2:CONT DIS"}));

    EXPECT_EQ(SentByClicks({"GateModeSel1", "GateModeSel1:Disabled"}, 1),
              QStringList{":GATE1:MOD DIS"});
}

// The service window, last since it opens over the main window: the serial number typed
// into its edit line and sent by Set, a company chosen by a click on its radio button.
TEST_F(RealInputTest, ServiceWindowSerialNumberAndCompany) {
    ASSERT_TRUE(Click("ools1Action"));
    ASSERT_TRUE(Click("ServiceWindowMenu"));
    // The window shows once its read-back has ended.
    ASSERT_FALSE(Run->Geometry->WaitFor("SerialNumEdit").isEmpty());
    const int mark = Mark();
    ASSERT_TRUE(ClickForFocus("SerialNumEdit"));
    Input.Key(XK_a, {XK_Control_L});
    Input.Type("00042");
    ASSERT_TRUE(Click("SerialNumSetBtn"));
    ASSERT_TRUE(Click("CompanySelItemD"));
    EXPECT_EQ(Expect(mark, 2), QStringList({"*SER 42", ":SYST:BAD 3 12"}));
}
