// Sync chains, flag rules, row texts and the snapshot the window compares.
#include "DiagramFixture.h"
#include "DiagramFlags.h"
#include "DiagramScene.h"
#include "SyncChain.h"

#include <functional>

using namespace Diagram;

TEST(SyncChain, DelaysAddUpAlongTheChain) {
    const struct {
        std::vector<std::pair<int, int>> Syncs; // channel, sync source
        int Channels, Channel;
        const char *Chain;
        double Start;
        bool Loop, Missing;
    } cases[] = {
        {{}, 12, 3, "T0 \u2192 Ch 3", 20e-9, false, false},
        {{{3, 1}}, 12, 3, "T0 \u2192 Ch 1 \u2192 Ch 3", 120e-9, false, false},
        {{{5, 2}, {2, 1}}, 12, 5, "T0 \u2192 Ch 1 \u2192 Ch 2 \u2192 Ch 5", 160e-9, false, false},
        {{{3, 3}}, 12, 3, "Trig \u2192 Ch 3", 20e-9, false, false},
        {{{1, 1}}, 12, 1, "Ch 1 \u2192 Ch 1", 100e-9, true, false},
        {{{1, 2}, {2, 1}}, 12, 1, "Ch 1 \u2192 Ch 2 \u2192 Ch 1", 100e-9, true, false},
        {{{5, 1}, {1, 2}, {2, 1}},
         12,
         5,
         "Ch 1 \u2192 Ch 2 \u2192 Ch 1 \u2192 Ch 5",
         10e-9,
         true,
         false},
        {{{1, 2}}, 1, 1, "T0 \u2192 Ch 2 \u2192 Ch 1", 100e-9, false, true},
    };
    for (const auto &c : cases) {
        TDiagramSnapshot s = Snapshot(c.Channels);
        Ch(s, 1).Delay = 100e-9;
        Ch(s, 2).Delay = 50e-9;
        Ch(s, 3).Delay = 20e-9;
        Ch(s, 5).Delay = 10e-9;
        for (const auto &[n, source] : c.Syncs)
            Ch(s, n).SyncSource = source;
        const TSyncChain chain = ResolveSyncChain(s, c.Channel);
        SCOPED_TRACE(c.Chain);
        EXPECT_EQ(ChainText(chain.Path), QString::fromUtf8(c.Chain));
        EXPECT_NEAR(chain.Start, c.Start, 1e-18);
        EXPECT_EQ(chain.Loop, c.Loop);
        EXPECT_EQ(chain.ReferenceMissing, c.Missing);
    }
}

TEST(DiagramFlags, WhatProbablyDoesNotDoWhatTheUserWants) {
    using TEdit = std::function<void(TDiagramSnapshot &)>;
    const struct {
        const char *Name;
        TEdit Edit;
        QStringList Flags;
    } cases[] = {
        {"nothing to flag", [](TDiagramSnapshot &) {}, {}},
        {"past the period in continuous mode",
         [](TDiagramSnapshot &s) { Ch(s, 2).Delay = 995e-9; },
         {"Ch 2: delay + width end at 1.005 \u00B5s, past the 1 \u00B5s period"}},
        {"ending right at the period", [](TDiagramSnapshot &s) { Ch(s, 2).Delay = 990e-9; }, {}},
        {"past the period in burst mode",
         [](TDiagramSnapshot &s) {
             s.SystemMode = 2;
             s.BurstCount = 3;
             Ch(s, 2).Delay = 995e-9;
         },
         {}},
        {"past the period through the chain",
         [](TDiagramSnapshot &s) {
             Ch(s, 1).Delay = 600e-9;
             Ch(s, 3).Delay = 400e-9;
             Ch(s, 3).SyncSource = 1;
         },
         {"Ch 3: delay + width end at 1.01 \u00B5s, past the 1 \u00B5s period"}},
        {"disabled channels put out nothing",
         [](TDiagramSnapshot &s) {
             Ch(s, 2).Enabled = false;
             Ch(s, 2).Delay = 995e-9;
             Ch(s, 2).Mode = 2;
             Ch(s, 2).BurstCount = 0;
         },
         {}},
        {"off the resolution grid",
         [](TDiagramSnapshot &s) {
             Ch(s, 4).Delay = 100.1e-9;
             Ch(s, 4).Width = 10.1e-9;
         },
         {"Ch 4: delay 100.1 ns is not a whole number of 250 ps steps",
          "Ch 4: width 10.1 ns is not a whole number of 250 ps steps"}},
        {"no resolution known yet",
         [](TDiagramSnapshot &s) {
             s.DelayStep = s.WidthStep = 0;
             Ch(s, 4).Delay = 100.1e-9;
         },
         {}},
        {"synced to a disabled channel",
         [](TDiagramSnapshot &s) {
             Ch(s, 2).Enabled = false;
             Ch(s, 6).SyncSource = 2;
         },
         {"Ch 6: synced to Ch 2, which is disabled"}},
        {"synced to itself",
         [](TDiagramSnapshot &s) { Ch(s, 1).SyncSource = 1; },
         {"Ch 1: sync chain loops (Ch 1 \u2192 Ch 1), drawn from T0"}},
        {"zero counts",
         [](TDiagramSnapshot &s) {
             Ch(s, 7).Mode = 2;
             Ch(s, 7).BurstCount = 0;
             Ch(s, 8).Mode = 3;
             Ch(s, 8).DutyOnCount = 0;
             Ch(s, 8).DutyOffCount = 0;
             Ch(s, 9).BurstCount = 0; // normal mode: the count is not used
         },
         {"Ch 7: burst count is 0", "Ch 8: duty-cycle on count is 0",
          "Ch 8: duty-cycle off count is 0"}},
        {"zero system counts",
         [](TDiagramSnapshot &s) {
             s.SystemMode = 3;
             s.DutyOnCount = 0;
             s.DutyOffCount = 4;
         },
         {"T0: duty-cycle on count is 0"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Name);
        TDiagramSnapshot s = Snapshot();
        c.Edit(s);
        EXPECT_EQ(BuildScene(s).AllFlags(), c.Flags);
    }
}

TEST(DiagramScene, RowsNamesAndSummaries) {
    TDiagramSnapshot s = Snapshot(36);
    Ch(s, 3) = {true, 50e-9, 20e-9, 2, 5, 1, 1, 2, 1, 0b101, 0, 1};
    Ch(s, 4).Mode = 3;
    Ch(s, 4).DutyOnCount = 3;
    Ch(s, 4).DutyOffCount = 2;
    Ch(s, 5).Enabled = false;
    Ch(s, 6).SyncSource = 1;
    const TDiagramScene scene = BuildScene(s);
    ASSERT_EQ(scene.Rows.size(), 37u);
    EXPECT_EQ(scene.Rows[0].Name, "T0");
    EXPECT_EQ(scene.Rows[0].Summary, QString::fromUtf8("Continuous, period 1 \u00B5s"));
    EXPECT_EQ(scene.Rows[36].Name, "Ch 36");
    const TDiagramRow &r3 = scene.Rows[3];
    EXPECT_EQ(r3.Summary, "Burst 5, wait 2, Pulse Inh");
    EXPECT_TRUE(r3.Inverted);
    EXPECT_EQ(r3.MuxMask, 5);
    EXPECT_NEAR(r3.End, 70e-9, 1e-18);
    EXPECT_EQ(scene.Rows[4].Summary, "Duty Cycle 3 on / 2 off");
    EXPECT_EQ(scene.Rows[5].Summary, "Normal, disabled");
    EXPECT_EQ(scene.Rows[6].Chain, QString::fromUtf8("T0 \u2192 Ch 1 \u2192 Ch 6"));
    EXPECT_TRUE(scene.Rows[1].Chain.isEmpty());

    // Fit Pulses spans the enabled pulses only.
    Ch(s, 5).Delay = 900e-9;
    Ch(s, 36).Delay = 300e-9;
    const auto span = BuildScene(s).PulseSpan();
    EXPECT_NEAR(span.first, 0.0, 1e-18);
    EXPECT_NEAR(span.second, 310e-9, 1e-18);
}

TEST(DiagramSnapshot, TakenFromTheMirrorsAndComparedWhole) {
    Instrument::TChannelSettingsArray ch{};
    ch[1].Enabled = 1;
    ch[2].Enabled = 2; // not 1: the panel shows it unchecked
    const struct {
        int Count, Drawn, MuxItems;
    } counts[] = {{0, 1, 5}, {6, 6, 4}, {12, 12, 5}, {36, 36, 5}, {40, 36, 5}};
    for (const auto &c : counts) {
        const TDiagramSnapshot s = MakeSnapshot({}, ch, c.Count, {});
        EXPECT_EQ(s.ChannelCount, c.Drawn) << c.Count;
        EXPECT_EQ(s.MuxItems, c.MuxItems) << c.Count;
    }
    const TDiagramSnapshot s = MakeSnapshot({}, ch, 36, Instrument::ChooseValueRanges(36));
    EXPECT_TRUE(s.Channels[1].Enabled);
    EXPECT_FALSE(s.Channels[2].Enabled);
    EXPECT_EQ(s.DelayStep, 2.5e-10);

    TDiagramSnapshot changed = s;
    EXPECT_EQ(changed, s);
    changed.Channels[36].GateMode = 2;
    EXPECT_NE(changed, s);
    changed = s;
    changed.Period = 1e-3;
    EXPECT_NE(changed, s);
}
