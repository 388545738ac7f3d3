#pragma once

#include "SimFaults.h"
#include "SimInstrument.h"
#include "SimWireOptions.h"

#include <string>
#include <vector>

// Commands only the simulator knows, for tests and curious users. They arrive on the
// control socket (--control) or on the wire prefixed with "SIM:". One line in, one out:
//   ping                 -> "ok"
//   fault FAULT           add a reply fault (see SimFaults.h)
//   clear-faults         drop all pending faults
//   vanish               unplug now: the COM link and the pty disappear
//   dump PATH            write the state dump to PATH
//   secure 0|1           force the secure mode
//   counter N            set the shot counter
//   run 0|1              stop or start the pulse output, as the front panel's button does
//   delay MS             pause before every reply from now on
//   lines                number of instrument lines received so far
class TSimControl {
public:
    TSimControl(TSimInstrument &instrument, TSimFaults &faults, TSimWireOptions &wire);

    std::string Execute(const std::string &command);

    bool VanishRequested() const { return FVanishRequested; }
    void ClearVanishRequest() { FVanishRequested = false; }
    int64_t &LinesReceived() { return FLines; }

    // Writes the dump completely or not at all (temporary file, then rename).
    static bool WriteDump(const std::string &path, const std::vector<std::string> &lines,
                          std::string &error);

private:
    TSimInstrument &FInstrument;
    TSimFaults &FFaults;
    TSimWireOptions &FWire;
    bool FVanishRequested = false;
    int64_t FLines = 0;
};
