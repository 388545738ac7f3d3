// The start-up keys as the X server reports them. Runs under an X server (CTest starts
// Xvfb for it); keys are held down through the XTest extension, as a user's would be.
#include "SimPanel.h"
#include "StartupKeys.h"
#include "XTestInput.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <X11/keysym.h>

namespace {

class X11KeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the xcb platform and an X server";
        // Started on X on purpose (as CTest does): a server without XTest is a failure,
        // not a reason to pass quietly.
        ASSERT_TRUE(Held.Usable()) << "the X server lacks the XTest extension";
    }
    TXTestInput Held; // keys pressed here stay down until the test ends
};

TEST_F(X11KeysTest, OnlyTheKeysHeldNowCountAndOnlyTheLeftShift) {
    {
        const auto keys = TStartupKeys::Platform();
        EXPECT_FALSE(keys->SpacePressed());
        EXPECT_FALSE(keys->LeftShiftPressed());
    }
    {
        TXTestInput right;
        right.KeyDown(XK_Shift_R);
        const auto keys = TStartupKeys::Platform();
        EXPECT_FALSE(keys->LeftShiftPressed());
        EXPECT_FALSE(keys->SpacePressed());
    }
    const auto keys = TStartupKeys::Platform(); // asks the server at each question
    {
        TXTestInput left;
        left.KeyDown(XK_Shift_L);
        EXPECT_TRUE(keys->LeftShiftPressed());
        EXPECT_FALSE(keys->SpacePressed());
    }
    EXPECT_FALSE(keys->LeftShiftPressed());
    {
        TXTestInput space;
        space.KeyDown(XK_space);
        EXPECT_TRUE(keys->SpacePressed());
        EXPECT_FALSE(keys->LeftShiftPressed());
    }
    EXPECT_FALSE(keys->SpacePressed());
}

// The whole path: the window reads the real key map while it connects.
TEST_F(X11KeysTest, LeftShiftHeldAtStartEntersDemoMode) {
    TSimPanel p;
    p.AddSim();
    p.KeySource = TStartupKeys::Platform();
    Held.KeyDown(XK_Shift_L);
    p.Prompts.QueueOK();
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_EQ(p.Prompts.Texts(), QStringList{"Entering Demo Mode"});
    EXPECT_TRUE(p.Form->Session().State.Link.DemoMode);
    EXPECT_TRUE(p.Received(0).isEmpty());
}

TEST_F(X11KeysTest, SpaceHeldAtStartAsksForThePort) {
    TSimPanel p;
    p.AddSim();
    p.AddSim();
    p.KeySource = TStartupKeys::Platform();
    p.Picker.Answer = "COM2";
    Held.KeyDown(XK_space);
    ASSERT_TRUE(p.Start());
    EXPECT_EQ(p.Picker.ItemsShown.size(), 2);
    EXPECT_EQ(p.Form->Session().ComPort.Port(), 2);
    EXPECT_TRUE(p.Form->Session().ComPort.Opened());
    EXPECT_TRUE(p.Received(0).isEmpty());
    EXPECT_TRUE(p.Received(1).isEmpty());
}

TEST_F(X11KeysTest, NoKeyHeldSearchesForTheInstrument) {
    TSimPanel p;
    p.AddSim();
    p.KeySource = TStartupKeys::Platform();
    ASSERT_TRUE(p.Start());
    EXPECT_FALSE(p.Form->Session().State.Link.DemoMode);
    EXPECT_EQ(p.Received(0), QStringList(2, "*IDN?"));
}

} // namespace
