#pragma once

#include "SimControl.h"
#include "SimControlSocket.h"
#include "SimFaults.h"
#include "SimInstrument.h"
#include "SimTranscript.h"
#include "SimWireOptions.h"

#include <functional>
#include <string>

// Puts the instrument on a pseudo-terminal. Keeps its own descriptor of the slave open so
// that the program on the other end may close and reopen the port at will, sets the slave
// raw (no echo) once at start, links COM<n> in the port-map directory to the slave, and
// answers each line (ended by CR LF, CR or LF) with one reply line and CR LF, but only
// while the slave's baud rate, read from the master before each reply, is the chosen one.
// Everything waits in poll(): no polling sleeps, replies go out as soon as the line ends.
class TPtyDriver {
public:
    enum class TWake { None, Stop, Vanish };
    using TWakeHandler = std::function<TWake(int fd)>;

    TPtyDriver(TSimInstrument &instrument, TSimFaults &faults, TSimTranscript &transcript,
               TSimWireOptions &wire, TSimControl &control, TSimControlSocket *controlSocket);
    ~TPtyDriver();
    TPtyDriver(const TPtyDriver &) = delete;
    TPtyDriver &operator=(const TPtyDriver &) = delete;

    bool Open(std::string &error);
    const std::string &SlavePath() const { return FSlavePath; }
    const std::string &LinkPath() const { return FLinkPath; }
    bool Vanished() const { return FVanished; }

    // Serves until the wake handler answers Stop for `wakeFd` (-1: no wake descriptor).
    void Run(int wakeFd, const TWakeHandler &onWake);
    // Like an unplugged cable: the link and the pty disappear, the other end sees a hang-up.
    void Vanish();

    static int BaudRate(unsigned speed);

private:
    void PollOnce(int timeoutMs, bool withInput);
    bool Wait(int64_t ms);
    void ReadInput();
    void HandleLine(const std::string &line);
    void SendLine(const std::string &text, int baud);
    void WriteBytes(const std::string &bytes, int baud);
    bool WriteAll(const char *data, size_t size);
    int CurrentBaud() const;
    void Release();

    TSimInstrument &FInstrument;
    TSimFaults &FFaults;
    TSimTranscript &FTranscript;
    TSimWireOptions &FWire;
    TSimControl &FControl;
    TSimControlSocket *FControlSocket;
    int FMaster = -1;
    int FSlave = -1;
    std::string FSlavePath;
    std::string FLinkPath;
    std::string FLine;
    bool FLastWasCR = false;
    bool FStop = false;
    bool FVanished = false;
    int FWakeFd = -1;
    TWakeHandler FOnWake;
};
