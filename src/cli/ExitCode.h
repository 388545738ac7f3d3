#pragma once

// The exit status of pulsectl, one per kind of failure, so that scripts can tell them
// apart. Listed in --help and in the manual page.
enum class TExitCode : int {
    Ok = 0,
    Failure = 1,      // anything else: a reply that does not convert, an instrument error
    Usage = 2,        // unknown verb, option or key, missing or surplus arguments
    NoInstrument = 3, // the search or the named port found no instrument
    TimedOut = 4,     // a reply was lost, or the port went away
    Refused = 5,      // a value outside the model's range or resolution
    BadFile = 6,      // a settings file that cannot be read, parsed or written
    PortBusy = 7,     // another program holds the port
};

inline int ExitStatus(TExitCode code) {
    return static_cast<int>(code);
}
