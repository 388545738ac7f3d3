// The identification reply: any bytes the line delivers are split into the identity
// fields without a crash, and the fields never hold more than the reply did.
#include "Identity.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QString reply =
        QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));
    Instrument::TIdentity identity;
    identity.Manufacturer = QStringLiteral("before");
    const Instrument::TIdnOutcome outcome = Instrument::ParseIDN(reply, identity);
    const qsizetype held = identity.Manufacturer.size() + identity.ModelNumber.size() +
                           identity.FirmwareVersion.size() + identity.FPGAVersion.size();
    if (outcome == Instrument::TIdnOutcome::Cleared && identity != Instrument::TIdentity())
        std::abort();
    if (outcome == Instrument::TIdnOutcome::Complete && held > reply.size())
        std::abort();
    return 0;
}
