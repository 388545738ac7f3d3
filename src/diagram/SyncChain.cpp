#include "SyncChain.h"

#include <algorithm>

namespace Diagram {

int SyncReference(int syncSource) {
    switch (syncSource) {
    case 1:
        return 1;
    case 2:
        return 2;
    case 3:
        return ChainTrigger;
    default:
        return ChainT0;
    }
}

TSyncChain ResolveSyncChain(const TDiagramSnapshot &s, int channel) {
    TSyncChain chain;
    QVector<int> backwards{channel};
    double start = s.Channels[size_t(channel)].Delay;
    for (int at = channel;;) {
        const int ref = SyncReference(s.Channels[size_t(at)].SyncSource);
        if (ref <= ChainT0) {
            backwards.append(ref);
            break;
        }
        if (ref > s.ChannelCount) {
            chain.ReferenceMissing = true;
            backwards.append(ref);
            backwards.append(ChainT0);
            break;
        }
        if (backwards.contains(ref)) {
            // A loop has no defined start: show the channel's own delay from T0.
            chain.Loop = true;
            backwards.append(ref);
            start = s.Channels[size_t(channel)].Delay;
            break;
        }
        backwards.append(ref);
        start += s.Channels[size_t(ref)].Delay;
        at = ref;
    }
    std::reverse(backwards.begin(), backwards.end());
    chain.Path = backwards;
    chain.Start = start;
    return chain;
}

} // namespace Diagram
