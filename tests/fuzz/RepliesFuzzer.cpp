// Configuration records and single-value replies as the line delivers them: every parser
// takes any text without a crash, stops at the first field it cannot convert, and never
// stores a value that is not finite.
#include "ConfigRecords.h"
#include "NumberFormat.h"
#include "ServiceCommands.h"
#include "SingleValues.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckStatus(const Instrument::TRecordStatus &status, int fieldCount) {
    Check(status.FieldsApplied >= 0 && status.FieldsApplied <= fieldCount);
    Check(status.Ok() == (status.FieldsApplied == fieldCount));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace Instrument;
    FuzzedDataProvider input(data, size);
    const int kind = input.ConsumeIntegralInRange(0, 7);
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    const QString reply = QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));

    switch (kind) {
    case 0: {
        TSystemSettings m;
        CheckStatus(ParseSystemRecord(reply, m), SystemFieldCount);
        Check(std::isfinite(m.Period));
        break;
    }
    case 1:
    case 2: {
        TTrigGateSettings m;
        CheckStatus(ParseTriggerRecord(kind, reply, m), TriggerFieldCount);
        Check(std::isfinite(m.Trig1Level) && std::isfinite(m.TrigGate2Level));
        break;
    }
    case 3:
    case 4: {
        TTrigGateSettings m;
        CheckStatus(ParseGateRecord(kind - 2, reply, m), GateFieldCount);
        Check(std::isfinite(m.Gate1Level) && std::isfinite(m.TrigGate2Level));
        break;
    }
    case 5: {
        TChannelSettings m;
        CheckStatus(ParseChannelRecord(reply, m), ChannelFieldCount);
        Check(std::isfinite(m.Delay) && std::isfinite(m.Width) && std::isfinite(m.Amplitude));
        break;
    }
    case 6: {
        // Keyword replies change the mirror only when they are one of the table's words.
        TSystemSettings m;
        m.InputClock = m.OutputClock = m.SyncOutput = m.CounterSource = -7;
        if (!ApplyInputClockReply(reply, m))
            Check(m.InputClock == -7);
        if (!ApplyOutputClockReply(reply, m))
            Check(m.OutputClock == -7);
        if (!ApplySyncOutputReply(reply, m))
            Check(m.SyncOutput == -7);
        if (!ApplyCounterSourceReply(reply, m))
            Check(m.CounterSource == -7);
        break;
    }
    default: {
        // Numbers: the 32-bit forms agree with the 64-bit one; decimals are finite.
        const auto wide = ParseInt64(reply);
        const auto narrow = ParseInt32(reply);
        if (narrow)
            Check(wide && *wide == *narrow);
        if (const auto unsignedValue = ParseUInt32(reply))
            Check(wide && *wide == qint64(*unsignedValue));
        if (const auto decimal = ParseDouble(reply))
            Check(std::isfinite(*decimal));
        // The badge is the number before the first blank, whatever its sign.
        const int badge = BadgeOfReply(reply);
        if (badge >= 0)
            Check(reply.indexOf(QLatin1Char(' ')) > 0);
        break;
    }
    }
    return 0;
}
