#pragma once

#include "Settings.h"

#include <QString>
#include <cstdint>

// Decoding of the single-value replies read between the trigger/gate records and the
// channel records. Integer replies arrive already converted by the exchange layer (0 when
// they were not a number); keyword replies are compared exactly.
namespace Instrument {

// ":SYST:SEC": 0 means the service lock is open.
inline bool IsUnsecured(std::int32_t secureReply) {
    return secureReply == 0;
}
// ":SYST:AUT" and ":COUN:STAT": the box is checked only for 1.
inline bool IsCheckedReply(std::int32_t reply) {
    return reply == 1;
}

// Keyword replies: store the item index in the mirror when the reply is one of the
// table's words and return true; otherwise leave the mirror and return false.
// ":SYST:ICLOCK" also knows "100" (item 9), which the selector does not offer.
bool ApplyInputClockReply(const QString &reply, TSystemSettings &mirror);
bool ApplyOutputClockReply(const QString &reply, TSystemSettings &mirror);
bool ApplySyncOutputReply(const QString &reply, TSystemSettings &mirror);
bool ApplyCounterSourceReply(const QString &reply, TSystemSettings &mirror);

// Multiplexer check marks from a mask: item i is checked when bit i is set; item 4
// exists only on models with more than 6 channels.
bool MuxItemChecked(std::int32_t mask, int item);
int MuxItemCountFor(int channelCount);

} // namespace Instrument
