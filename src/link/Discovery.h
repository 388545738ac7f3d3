#pragma once

#include "Identity.h"

#include <QList>
#include <QString>
#include <QtGlobal>

class TVKComPort;
class TExchange;
class TTerminalEcho;
class TPrompts;
class TSearchProgress;

// The automatic search for the instrument at start-up: every port of the machine in
// order, every baud rate of BaudRates in order, two identification queries per rate.
class TInstrumentFinder {
public:
    static const QList<qint32> BaudRates; // 115200, 57600, 38400, 19200, 9600, 4800
    static constexpr int MaxPortCount = 100;
    static constexpr quint32 SearchResponseTime = 100; // ms per reply while searching
    static const char *const NoPortsMessage;           // "No available ports."

    static const char *const IdentificationQuery; // "*IDN" (the exchange appends "?")
    // The start-up's question after a failed search (buttons Yes and No).
    static const char *const NoDeviceFoundMessage;

    // identity receives the fields of every identification reply during the search.
    TInstrumentFinder(TVKComPort &port, TExchange &exchange, TTerminalEcho &terminal,
                      TPrompts &prompts, Instrument::TIdentity &identity);

    // Shown the search as it goes and may cancel it; none by default.
    void SetProgress(TSearchProgress *progress) { FProgress = progress; }

    // True when an accepted model answered: the port is then left open on that port and
    // rate and the command terminal is cleared. On failure the port is closed, also when
    // the port list is too long (more than MaxPortCount) and an instrument was found, or
    // when the user cancelled the search.
    bool FindInstrument();

private:
    bool SearchPort(int portIndex);
    bool Searching(int portIndex, int rateIndex);
    void Identify();

    TVKComPort &FPort;
    TExchange &FExchange;
    TTerminalEcho &FTerminal;
    TPrompts &FPrompts;
    Instrument::TIdentity &FIdentity;
    TSearchProgress *FProgress = nullptr;
    bool FCancelled = false;
};
