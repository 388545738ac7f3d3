#include "SimControl.h"

#include "SimNumbers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

TSimControl::TSimControl(TSimInstrument &instrument, TSimFaults &faults, TSimWireOptions &wire)
    : FInstrument(instrument), FFaults(faults), FWire(wire) {}

std::string TSimControl::Execute(const std::string &command) {
    const size_t blank = command.find(' ');
    const std::string verb = command.substr(0, blank);
    const std::string arg = blank == std::string::npos ? "" : command.substr(blank + 1);
    std::string error;
    int64_t n = 0;
    if (verb == "ping")
        return "ok";
    if (verb == "fault")
        return FFaults.Add(arg, error) ? "ok" : "ERR: " + error;
    if (verb == "clear-faults") {
        FFaults.Clear();
        return "ok";
    }
    if (verb == "vanish") {
        FVanishRequested = true;
        return "ok";
    }
    if (verb == "dump" && !arg.empty())
        return WriteDump(arg, FInstrument.DumpLines(), error) ? "ok" : "ERR: " + error;
    if (verb == "secure" && SimNumbers::ParseInteger(arg, 0, 1, n)) {
        FInstrument.SetSecured(n == 1);
        return "ok";
    }
    if (verb == "counter" && SimNumbers::ParseInteger(arg, 0, INT64_MAX, n)) {
        FInstrument.SetShotCount(static_cast<uint64_t>(n));
        return "ok";
    }
    if (verb == "run" && SimNumbers::ParseInteger(arg, 0, 1, n)) {
        FInstrument.SetRunning(n == 1);
        return "ok";
    }
    if (verb == "delay" && SimNumbers::ParseInteger(arg, 0, 3600000, n)) {
        FWire.DelayMs = n;
        return "ok";
    }
    if (verb == "lines")
        return std::to_string(FLines);
    return "ERR: unknown control command";
}

bool TSimControl::WriteDump(const std::string &path, const std::vector<std::string> &lines,
                            std::string &error) {
    const std::string temporary = path + ".part";
    std::FILE *file = std::fopen(temporary.c_str(), "w");
    if (!file) {
        error = "cannot write " + temporary + ": " + std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (const std::string &line : lines)
        ok = ok && std::fprintf(file, "%s\n", line.c_str()) >= 0;
    ok = (std::fclose(file) == 0) && ok;
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0)
        ok = false;
    if (!ok) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
    }
    return ok;
}
