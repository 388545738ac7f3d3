#pragma once

#include "SimIdentity.h"
#include "SimWireOptions.h"

#include <string>
#include <vector>

// Command line of pulsesim.
struct TSimConfig {
    TSimIdentity Identity;
    TSimWireOptions Wire;
    bool Unsecured = false;
    bool Help = false;
    bool Version = false;
    std::string TranscriptPath;
    std::string DumpPath;
    std::string ControlPath;
    std::vector<std::string> Faults;

    // False with `error` set for an unknown option or a bad value.
    static bool Parse(const std::vector<std::string> &args, TSimConfig &config, std::string &error);
    static std::string HelpText();
};
