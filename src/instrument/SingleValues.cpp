#include "SingleValues.h"

#include "Keywords.h"

namespace Instrument {

namespace {

bool ApplyKeyword(const QStringList &keywords, const QString &reply, std::int32_t &field) {
    const int index = static_cast<int>(keywords.indexOf(reply));
    if (index < 0)
        return false;
    field = index;
    return true;
}

} // namespace

bool ApplyInputClockReply(const QString &reply, TSystemSettings &m) {
    return ApplyKeyword(InputClockReplyKeywords(), reply, m.InputClock);
}

bool ApplyOutputClockReply(const QString &reply, TSystemSettings &m) {
    return ApplyKeyword(OutputClockTable().Keywords, reply, m.OutputClock);
}

bool ApplySyncOutputReply(const QString &reply, TSystemSettings &m) {
    return ApplyKeyword(SyncOutputTable().Keywords, reply, m.SyncOutput);
}

bool ApplyCounterSourceReply(const QString &reply, TSystemSettings &m) {
    return ApplyKeyword(CounterSourceTable().Keywords, reply, m.CounterSource);
}

bool MuxItemChecked(std::int32_t mask, int item) {
    if (item < 0 || item >= MuxItemCount)
        return false;
    return (static_cast<std::uint32_t>(mask) >> item) & 1u;
}

int MuxItemCountFor(int channelCount) {
    return channelCount > 6 ? MuxItemCount : MuxItemCountSmall;
}

} // namespace Instrument
