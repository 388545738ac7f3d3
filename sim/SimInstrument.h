#pragma once

#include "SimCalibration.h"
#include "SimClock.h"
#include "SimError.h"
#include "SimIdentity.h"
#include "SimRunState.h"
#include "SimSettings.h"

#include <string>
#include <vector>

// The simulated instrument's command interpreter: one line in, exactly one reply line out
// (without line end). Accepted settings answer "ok", everything refused answers an
// "ERR: ..." line and changes nothing. Mnemonics and keywords are case-sensitive.
//
// Besides the commands the panel sends, every setting has a query of the same name
// (":PULS3:DEL?" answers "0.00000000000"). Service commands (*SER, :SYST:BAD, *STR, *OPT and
// the calibration family) are refused while the instrument is secured.
class TSimInstrument {
public:
    static constexpr int kAccessCode = 27183;

    TSimInstrument(const TSimIdentity &identity, const TSimClock &clock, bool secured = true);

    std::string Reply(const std::string &line);

    int ChannelCount() const { return FChannelCount; }
    const TSimIdentity &Identity() const { return FIdentity; }
    const TSimSettings &Settings() const { return FSettings; }
    const TSimCalibration &Calibration() const { return FCal; }
    bool Secured() const { return FSecured; }
    void SetSecured(bool secured) { FSecured = secured; }
    bool Running();
    void SetRunning(bool running); // the front panel's start/stop
    uint64_t ShotCount();
    void SetShotCount(uint64_t count);

    // The whole instrument as lines, in "[section]" blocks: [identity] ("*IDN <reply>",
    // "channels N"), [state] (the lines a settings file holds: "*CFG 0 ...", "*CFG 90 ..." to
    // "*CFG 93 ...", the six option lines, "*CFG n ..." per channel, then ":PULS0:STAT r" and
    // ":COUN:PULS n"), [service] (":SYST:SEC", "*SER", ":SYST:BAD" and every calibration
    // set line), [stored calibration] ("stores k" and the factors of the last *STR 0) and
    // one [bin n] block per storage bin in the [state] form (run-state field 0).
    std::vector<std::string> DumpLines();

    // Configuration record as "*CFG? n?" answers it; empty for a record that does not exist.
    std::string Record(int number) const;

private:
    struct TLine {
        std::string Name;
        std::string Arg;
        bool Query = false;
        bool HasArg = false;
    };
    static TLine Split(const std::string &line);

    std::string Dispatch(const TLine &l);
    std::string Config(const std::string &line);
    std::string ConfigSet(const std::string &arg);
    std::string Star(const TLine &l);
    std::string Pulse(const TLine &l);
    std::string System(const std::string &suffix, const TLine &l);
    std::string Channel(int n, const std::string &suffix, const TLine &l);
    std::string Input(const TLine &l);
    std::string Service(const TLine &l);
    std::string Counter(const TLine &l);

    // A set or query line for the field at `place` of `fields`, whose values `r` holds.
    std::string Field(const TSimFieldList &fields, size_t place, TSimRecord &r, const TLine &l);
    bool ParseChannelName(const std::string &name, int &n, std::string &suffix) const;
    void SyncInput2Level(bool fromGate);
    std::string RecordOf(const TSimSettings &s, int number) const;
    std::vector<std::string> SettingLines(const TSimSettings &s) const;

    TSimIdentity FIdentity;
    const TSimClock &FClock;
    int FChannelCount;
    bool FSecured;
    TSimSettings FSettings;
    std::vector<TSimSettings> FBins; // 0 is the factory setting
    TSimCalibration FCal;
    TSimCalibration FStoredCal;
    int FCalStores = 0;
    int64_t FBadge;
    int64_t FBadgeChannels;
    TSimRunState FRun;
    int64_t FNowNs = 0; // the instant of the line being handled
};
