// Start-up: the connection step, the keys held at start and the "No device found" answers.
#include "PageControl.h"
#include "SimPanel.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString NoDeviceText = "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully "
                             "powered on\n\rbefore selecting Yes";

TEST(StartupTest, FindsTheInstrumentAndReadsItBack) {
    TSimPanel p;
    p.AddSim();
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_EQ(p.Form->windowTitle(),
              "Orvane Selkrin Model 6180-12  SW Version: 1.0.0.0 ComPort: 1 Baud: 115200");
    EXPECT_EQ(p.Form->ChPageControl->count(), 12);
    EXPECT_TRUE(p.Prompts.Texts().isEmpty()) << p.Prompts.Texts().join("|").toStdString();
}

TEST(StartupTest, LeftShiftEntersDemoModeAndSendsNothing) {
    TSimPanel p;
    p.AddSim();
    p.Keys->LeftShift = true;
    ASSERT_TRUE(p.StartAndLaunch());
    EXPECT_EQ(p.Prompts.Texts(), QStringList{"Entering Demo Mode"});
    EXPECT_TRUE(p.Form->State.Link.DemoMode);
    EXPECT_EQ(p.Form->windowTitle(), " Model 6180-12  SW Version: 1.0.0.0 ComPort: Demo");
    EXPECT_TRUE(p.Received(0).isEmpty());
}

} // namespace
