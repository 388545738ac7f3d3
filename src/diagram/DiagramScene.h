#pragma once

#include "DiagramSnapshot.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace Diagram {

// One row as drawn: T0 first, then every channel of the model.
struct TDiagramRow {
    QString Name;    // "T0", "Ch 1"
    QString Summary; // mode and counts, gate mode: "Burst 5, wait 2"
    QString Chain;   // "T0 -> Ch 1 -> Ch 3" when the delay counts from another channel
    bool IsT0 = false;
    bool Enabled = true;
    bool Inverted = false;
    double Reference = 0.0; // where the delay counts from, seconds after T0
    double Start = 0.0;     // the pulse, seconds after T0
    double End = 0.0;
    int MuxMask = 0;
    int MuxItems = 0; // 0: no multiplexer (T0)
    QStringList Flags;
};

struct TDiagramScene {
    double Period = 0.0;
    std::vector<TDiagramRow> Rows;

    // Earliest start to latest end of the enabled channels' pulses (of all channels when
    // none is enabled); T0 and the period when there are no pulses at all.
    std::pair<double, double> PulseSpan() const;
    QStringList AllFlags() const;
};

TDiagramScene BuildScene(const TDiagramSnapshot &s);

// The row in words, for assistive technology: "Ch 1: pulse from 100 ns to 300 ns, Normal".
QString RowDescription(const TDiagramRow &row);

} // namespace Diagram
