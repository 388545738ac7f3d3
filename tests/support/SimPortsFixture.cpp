#include "SimPortsFixture.h"

std::unique_ptr<TSimProcess> SimPortsTest::StartSim(TSimLaunch launch, int com) {
    launch.PortsDir = Ports.path();
    launch.Com = com;
    auto sim = std::make_unique<TSimProcess>(launch);
    QString error;
    if (sim->Start(&error))
        return sim;
    ADD_FAILURE() << "pulsesim on COM" << com << ": " << error.toStdString();
    return nullptr;
}
