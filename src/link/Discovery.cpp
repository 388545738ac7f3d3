#include "Discovery.h"

#include "Exchange.h"
#include "ModelTable.h"
#include "Prompts.h"
#include "SearchProgress.h"
#include "TerminalEcho.h"
#include "VKComPort.h"

#include <QScopeGuard>

const QList<qint32> TInstrumentFinder::BaudRates = {115200, 57600, 38400, 19200, 9600, 4800};
const char *const TInstrumentFinder::NoPortsMessage = "No available ports.";
const char *const TInstrumentFinder::IdentificationQuery = "*IDN";
const char *const TInstrumentFinder::NoDeviceFoundMessage =
    "No device found. Try to reconnect?\n\r\n\rMake sure unit is fully powered on\n\rbefore "
    "selecting Yes";

TInstrumentFinder::TInstrumentFinder(TVKComPort &port, TExchange &exchange, TTerminalEcho &terminal,
                                     TPrompts &prompts, Instrument::TIdentity &identity)
    : FPort(port), FExchange(exchange), FTerminal(terminal), FPrompts(prompts),
      FIdentity(identity) {}

void TInstrumentFinder::Identify() {
    Instrument::ParseIDN(FExchange.SendQuery(IdentificationQuery), FIdentity);
}

bool TInstrumentFinder::FindInstrument() {
    FPort.setEndOfResponse(QByteArray(1, '\r'));
    FPort.setAllowEvents(false);
    FPort.setShowErrors(false);
    FPort.setResponseTime(SearchResponseTime);

    const QList<qint32> ports = FPort.GetValidSerialPorts();
    if (ports.isEmpty()) {
        FPrompts.Message(QString::fromLatin1(NoPortsMessage));
        return false;
    }
    FCancelled = false;
    if (FProgress)
        FProgress->Begin(int(ports.size() * BaudRates.size()));
    const auto ended = qScopeGuard([this] {
        if (FProgress)
            FProgress->End();
    });
    bool found = false;
    for (int i = 0; i < ports.size() && !FCancelled; ++i) {
        FPort.setPort(ports[i]);
        if (!FPort.Open())
            continue;
        found = SearchPort(i);
        if (found)
            break;
        FPort.Close();
    }
    // Failure must not leave a port held that the caller believes closed.
    if (ports.size() > MaxPortCount) {
        FPort.Close();
        return false;
    }
    return found;
}

// Tells the progress which pair comes next; false once the user has cancelled.
bool TInstrumentFinder::Searching(int portIndex, int rateIndex) {
    if (FProgress && !FCancelled)
        FCancelled = !FProgress->Trying(FPort.Port(), BaudRates[rateIndex],
                                        portIndex * int(BaudRates.size()) + rateIndex);
    return !FCancelled;
}

// Tries every rate on the open port. Only the second of two identifications counts: the
// first may meet bytes left on the line from an earlier rate.
bool TInstrumentFinder::SearchPort(int portIndex) {
    for (int r = 0; r < BaudRates.size(); ++r) {
        if (!Searching(portIndex, r))
            return false;
        FPort.setBaud(BaudRates[r]);
        Identify();
        Identify();
        if (Instrument::IsAcceptedModel(FIdentity.ModelNumber)) {
            FTerminal.Clear();
            return true;
        }
    }
    return false;
}
