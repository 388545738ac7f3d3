#pragma once

#include <cstdint>
#include <string>

// How the simulator behaves on the line (as opposed to what the instrument holds).
struct TSimWireOptions {
    int Baud = 115200;            // the only rate at which it answers
    int64_t DelayMs = 0;          // pause before every reply
    bool Pace = false;            // send reply bytes at the line's rate, 10 bits per byte
    bool GarbleWrongBaud = false; // at a wrong rate answer junk without CR instead of nothing
    int64_t VanishAfter = 0;      // unplug after answering this many lines (0: never)
    std::string PortsDir;         // where COM<n> is linked to the pty, empty for none
    int Com = 1;
};
