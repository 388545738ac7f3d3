#pragma once

#include "DiagramSnapshot.h"

#include <QVector>

namespace Diagram {

// Origins of a chain besides the channels: T0 and the external trigger.
inline constexpr int ChainT0 = 0;
inline constexpr int ChainTrigger = -1;

// Where a channel's delay is counted from. "Disabled" counts from T0; "Sync A" and "Sync B"
// from the leading edge of channel A (Ch 1) and channel B (Ch 2); "Sync Trig" from the
// external trigger, which has no fixed place in the period and is drawn at T0.
int SyncReference(int syncSource);

struct TSyncChain {
    QVector<int> Path;  // origin first, the channel last: {0, 1, 5} is T0 -> Ch 1 -> Ch 5
    double Start = 0.0; // leading edge of the channel's pulse, seconds after the origin
    bool Loop = false;  // the chain comes back to a channel already in it; drawn from T0
    bool ReferenceMissing = false; // synced to a channel the model does not have
};

TSyncChain ResolveSyncChain(const TDiagramSnapshot &s, int channel);

} // namespace Diagram
