#include "PtyDriver.h"
#include "SimConfig.h"
#include "SimControl.h"
#include "SimControlSocket.h"
#include "SimInstrument.h"

#include <csignal>
#include <cstdio>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

// Signals arrive through a descriptor, so the serving loop needs no global flags.
int BlockedSignalFd() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGUSR1);
    sigaddset(&set, SIGHUP);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    return signalfd(-1, &set, SFD_CLOEXEC);
}

TPtyDriver::TWake ReadSignal(int fd) {
    signalfd_siginfo info{};
    if (read(fd, &info, sizeof(info)) != static_cast<ssize_t>(sizeof(info)))
        return TPtyDriver::TWake::None;
    return info.ssi_signo == SIGUSR1 ? TPtyDriver::TWake::Vanish : TPtyDriver::TWake::Stop;
}

int Fail(const std::string &message) {
    std::fprintf(stderr, "pulsesim: %s\n", message.c_str());
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    TSimConfig config;
    std::string error;
    if (!TSimConfig::Parse(std::vector<std::string>(argv + 1, argv + argc), config, error))
        return Fail(error + " (see --help)");
    if (config.Help) {
        std::fputs(TSimConfig::HelpText().c_str(), stdout);
        return 0;
    }
    if (config.Version) {
        std::puts("pulsesim " PULSESIM_VERSION);
        return 0;
    }
    const int signals = BlockedSignalFd();
    TSteadySimClock clock;
    TSimInstrument instrument(config.Identity, clock, !config.Unsecured);
    TSimFaults faults;
    for (const std::string &faultText : config.Faults)
        faults.Add(faultText, error);
    TSimTranscript transcript;
    if (!config.TranscriptPath.empty() && !transcript.Open(config.TranscriptPath, error))
        return Fail(error);
    TSimControl control(instrument, faults, config.Wire);
    TSimControlSocket socket;
    if (!config.ControlPath.empty() && !socket.Open(config.ControlPath, error))
        return Fail(error);
    TPtyDriver driver(instrument, faults, transcript, config.Wire, control,
                      config.ControlPath.empty() ? nullptr : &socket);
    if (!driver.Open(error))
        return Fail(error);
    std::printf("%s\n", driver.SlavePath().c_str());
    if (!driver.LinkPath().empty())
        std::printf("COM%d %s\n", config.Wire.Com, driver.LinkPath().c_str());
    std::fflush(stdout);

    driver.Run(signals, ReadSignal);

    if (!config.DumpPath.empty() &&
        !TSimControl::WriteDump(config.DumpPath, instrument.DumpLines(), error))
        return Fail(error);
    return 0;
}
