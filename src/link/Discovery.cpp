#include "Discovery.h"

#include "Exchange.h"
#include "ModelTable.h"
#include "Prompts.h"
#include "TerminalEcho.h"
#include "VKComPort.h"

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
    bool found = false;
    for (const qint32 number : ports) {
        FPort.setPort(number);
        if (!FPort.Open())
            continue;
        found = SearchPort();
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

// Tries every rate on the open port. Only the second of two identifications counts: the
// first may meet bytes left on the line from an earlier rate.
bool TInstrumentFinder::SearchPort() {
    for (const qint32 baud : BaudRates) {
        FPort.setBaud(baud);
        Identify();
        Identify();
        if (Instrument::IsAcceptedModel(FIdentity.ModelNumber)) {
            FTerminal.Clear();
            return true;
        }
    }
    return false;
}
