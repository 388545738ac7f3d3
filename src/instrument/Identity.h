#pragma once

#include <QString>
#include <cstdint>

namespace Instrument {

// The five identity fields of the connected instrument; all empty (0) until identified.
struct TIdentity {
    QString Manufacturer; // brand code, "VK" or "HTX"
    QString ModelNumber;  // e.g. "6180-12"
    std::int32_t SerialNumber = 0;
    QString FirmwareVersion;
    QString FPGAVersion;

    bool operator==(const TIdentity &o) const {
        return Manufacturer == o.Manufacturer && ModelNumber == o.ModelNumber &&
               SerialNumber == o.SerialNumber && FirmwareVersion == o.FirmwareVersion &&
               FPGAVersion == o.FPGAVersion;
    }
    bool operator!=(const TIdentity &o) const { return !(*this == o); }
};

// How far ParseIDN got; the caller only needs it for diagnosis.
enum class TIdnOutcome {
    Cleared,         // reply shorter than 11 characters: every field emptied
    SerialNotNumber, // brand and model set; serial and versions kept from before
    Complete,        // every field set
};

inline constexpr int MinIdnLength = 11;

// Splits an identification reply ("VK,6180-12,1234,1.00-1.25") into `identity`. Fields
// the reply cannot supply keep their previous values as described per outcome.
TIdnOutcome ParseIDN(const QString &reply, TIdentity &identity);

} // namespace Instrument
