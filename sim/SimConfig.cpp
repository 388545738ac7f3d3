#include "SimConfig.h"

#include "SimFaults.h"
#include "SimNumbers.h"

#include <initializer_list>
#include <utility>

namespace {

template <class T> using TTargets = std::initializer_list<std::pair<const char *, T *>>;

// Where the option named `option` goes, or nullptr.
template <class T> T *Target(TTargets<T> targets, const std::string &option) {
    for (const auto &[name, target] : targets)
        if (option == name)
            return target;
    return nullptr;
}

} // namespace

bool TSimConfig::Parse(const std::vector<std::string> &args, TSimConfig &config,
                       std::string &error) {
    TSimConfig c;
    const TTargets<bool> flags = {
        {"--help", &c.Help},          {"-h", &c.Help},
        {"--version", &c.Version},    {"-v", &c.Version},
        {"--pace", &c.Wire.Pace},     {"--garble-wrong-baud", &c.Wire.GarbleWrongBaud},
        {"--unsecured", &c.Unsecured}};
    const TTargets<std::string> texts = {
        {"--model", &c.Identity.Model},       {"--brand", &c.Identity.Brand},
        {"--firmware", &c.Identity.Firmware}, {"--fpga", &c.Identity.Fpga},
        {"--transcript", &c.TranscriptPath},  {"--dump", &c.DumpPath},
        {"--control", &c.ControlPath},        {"--ports", &c.Wire.PortsDir}};
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &option = args[i];
        const auto value = [&](std::string &out) {
            if (i + 1 >= args.size()) {
                error = option + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        const auto number = [&](int64_t min, int64_t max, int64_t &out) {
            std::string text;
            if (!value(text))
                return false;
            if (!SimNumbers::ParseInteger(text, min, max, out)) {
                error = "bad value for " + option + ": " + text;
                return false;
            }
            return true;
        };
        int64_t n = 0;
        bool ok = true;
        if (bool *flag = Target(flags, option))
            *flag = true;
        else if (std::string *text = Target(texts, option))
            ok = value(*text);
        else if (option == "--serial")
            ok = number(0, 2147483647, c.Identity.Serial);
        else if (option == "--baud") {
            ok = number(50, 4000000, n);
            c.Wire.Baud = static_cast<int>(n);
        } else if (option == "--delay")
            ok = number(0, 3600000, c.Wire.DelayMs);
        else if (option == "--com") {
            ok = number(1, 255, n);
            c.Wire.Com = static_cast<int>(n);
        } else if (option == "--vanish-after")
            ok = number(1, INT64_MAX, c.Wire.VanishAfter);
        else if (option == "--fault") {
            std::string faultText;
            TSimFault fault;
            ok = value(faultText) && TSimFault::Parse(faultText, fault, error);
            c.Faults.push_back(faultText);
        } else {
            error = "unknown option: " + option;
            ok = false;
        }
        if (!ok)
            return false;
    }
    config = c;
    return true;
}

std::string TSimConfig::HelpText() {
    return R"(pulsesim - a simulated 6180-family pulse and delay generator on a pseudo-terminal

Usage: pulsesim [options]

Prints the pty's slave device on the first line of standard output and, with --ports, the
COM link on the second ("COM<n> <path>"), then answers the program on the other end until
SIGTERM or SIGINT. Point the program at it with PULSEPANEL_PORTS=<ports dir>.

Identity:
  --model M            model string, answered as given (default 6180-12); the channel count
                       follows from it: 6180/4190/631K/627 with -6, -12, -24, -36; any other
                       model has 12 channels
  --brand B            brand code (default VK)
  --serial N           serial number (default 1234)
  --firmware V         firmware version (default 1.00)
  --fpga V             FPGA version (default 1.25)
  *IDN? answers "brand,model,serial,firmware-fpga".

Line:
  --ports DIR          create DIR/COM<n> as a link to the pty's slave (removed at exit)
  --com N              the n of COM<n> (default 1)
  --baud N             the only baud rate at which it answers (default 115200); the slave's
                       rate is read before every reply. The slave starts raw at the
                       system's default rate, so a client must set its rate.
  --garble-wrong-baud  at a wrong rate answer junk bytes without CR instead of nothing
  --delay MS           pause before every reply
  --pace               send reply bytes at the line's rate, 10 bits per byte
Lines end with CR LF, CR or LF; every line gets exactly one reply line ended by CR LF.
Accepted settings answer "ok", refused ones an "ERR: ..." line and change nothing.

Instrument:
  --unsecured          start with the service lock open (:SYST:SEC? answers 0); otherwise
                       :SYST:SEC 27183 opens it. Service commands (*SER, :SYST:BAD, *STR 0,
                       *OPT, the :CAL: family) are refused while it is locked.
  Every setting also has a query of the same name (":PULS1:WIDT?"). *SAV n stores bins 1 to
  the channel count, *RCL n recalls them, bin 0 holds the factory setting. The run-state
  field of a "*CFG 0" record is checked but only :PULS0:STAT ON/OFF starts and stops the
  output. While trigger 1 is in TRIG mode nothing fires (no external trigger arrives).

Observation and faults:
  --transcript FILE    log every line received (with the baud rate in force), every reply
                       and every fault: "<seconds> RX <baud> <line>", "<seconds> TX <reply>",
                       "<seconds> -- <note>"; bytes outside printable ASCII as \xHH
  --dump FILE          write the state dump at exit ([identity], [state], [service],
                       [stored calibration], [bin n] sections of wire lines)
  --fault FAULT         a reply fault; repeatable. FAULT is one of
                         "drop K PATTERN"            no reply to the K-th matching line
                         "garble K PATTERN"          junk bytes, then CR LF
                         "delay K MS PATTERN"        reply MS milliseconds late
                         "truncate K FIELDS PATTERN" only the first FIELDS fields
                         "field K N TEXT PATTERN"    field N replaced by TEXT
                         "flood K BYTES PATTERN"     BYTES junk bytes, no line end
                         "vanish K PATTERN"          the reply, then unplugged
                       a line matches when it contains PATTERN (or equals it with a leading
                       "="); an empty PATTERN matches every line. Each fault fires once.
  --vanish-after N     unplug after answering N lines: the COM link and the pty disappear
                       and the other end sees a hang-up. SIGUSR1 unplugs at once.
  --control PATH       a Unix socket taking one command per connection (line in, line
                       out); the same commands work on the wire after "SIM:":
                         ping | fault FAULT | clear-faults | vanish | dump PATH |
                         secure 0|1 | counter N | run 0|1 | delay MS | lines
  --help               this text
  --version            the version
)";
}
