#pragma once

#include "DiagramSnapshot.h"
#include "ValueRanges.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// A 12-channel model, all channels enabled with no delay and 10 ns width, period 1 us.
// Each test changes what it is about.
inline Diagram::TDiagramSnapshot Snapshot(int channels = 12) {
    Instrument::TSystemSettings system;
    system.Period = 1e-6;
    Instrument::TChannelSettingsArray ch{};
    for (auto &c : ch) {
        c.Enabled = 1;
        c.Width = 1e-8;
        c.BurstCount = c.DutyOnCount = c.DutyOffCount = 1;
    }
    return Diagram::MakeSnapshot(system, ch, channels, Instrument::ChooseValueRanges(channels));
}

inline Diagram::TChannelSnapshot &Ch(Diagram::TDiagramSnapshot &s, int n) {
    return s.Channels[size_t(n)];
}
