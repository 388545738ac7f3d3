#include "SimSettings.h"

#include <cstddef>

TSimSettings TSimSettings::Factory(int channelCount) {
    TSimSettings s;
    s.System = {1000000, 0, 1, 1, 1, 0};
    for (TSimTrigger &t : s.Trigger)
        t = {0, 0, 250, 0};
    for (TSimGate &g : s.Gate)
        g = {0, 0, 250, 0};
    s.Options = {0, 0, 0, 0, 1, 0};
    const int muxLines = channelCount < 12 ? 4 : 5;
    s.Channels.resize(static_cast<size_t>(channelCount));
    for (int n = 1; n <= channelCount; ++n) {
        TSimChannel &c = s.Channels[static_cast<size_t>(n - 1)];
        c = {0, 0, 10000, 0, 1, 1, 1, 0, 0, 0, 500, int64_t(1) << ((n - 1) % muxLines), 0, 0, 0, 0};
    }
    return s;
}
