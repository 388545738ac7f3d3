#include "SimSettings.h"

#include <cstddef>

TSimSettings TSimSettings::Factory(int channelCount) {
    TSimSettings s;
    s.System.Values = {1000000, 0, 1, 1, 1, 0};
    for (TSimInput &input : s.Trigger)
        input.Values = {0, 0, 250, 0};
    for (TSimInput &input : s.Gate)
        input.Values = {0, 0, 250, 0};
    s.Options.Values = {0, 0, 0, 0, 1, 0};
    const int muxLines = channelCount < 12 ? 4 : 5;
    s.Channels.resize(static_cast<size_t>(channelCount));
    for (int n = 1; n <= channelCount; ++n) {
        const int64_t mux = int64_t(1) << ((n - 1) % muxLines);
        s.Channels[static_cast<size_t>(n - 1)].Values = {0, 0, 10000, 0,   1, 1, 1, 0,
                                                         0, 0, 500,   mux, 0, 0, 0, 0};
    }
    return s;
}
