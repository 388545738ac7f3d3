#pragma once

#include "SimProcess.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

// Simulated instruments behind COM numbers of one private ports folder, for a program under
// test that finds its ports there. Sim is the instrument on COM2 once a test started it.
class SimPortsTest : public ::testing::Test {
protected:
    // Starts an instrument on COM`com` of Ports; null, with a failure, when it did not start.
    std::unique_ptr<TSimProcess> StartSim(TSimLaunch launch = TSimLaunch(), int com = 2);
    // What Sim received: a mark now, and the lines from a mark on.
    int Mark() const { return int(Sim->ReceivedLines().size()); }
    QStringList Since(int mark) const { return Sim->ReceivedLines().mid(mark); }

    QTemporaryDir Ports;
    std::unique_ptr<TSimProcess> Sim;
};
