#pragma once

#include "DiagramScene.h"
#include "RowLayout.h"
#include "TimeAxis.h"

#include <QColor>
#include <QSize>
#include <optional>

class QPainter;

namespace Diagram {

// Two clicked edges whose distance the window shows.
struct TEdgeMarks {
    std::optional<double> A;
    std::optional<double> B;
};

// Draws the scene: time scale, grid, period boundaries, one waveform per row, names and
// notes on the left. The same drawing serves the window, the PNG and the SVG export.
class TDiagramPainter {
public:
    TDiagramPainter(const TDiagramScene &scene, const TTimeAxis &axis,
                    const TRowLayout &layout = TRowLayout());

    void Paint(QPainter &p, QSize size, int scroll = 0, const TEdgeMarks &marks = {}) const;

    // Pixel column of time t in the whole picture (label column included).
    int X(double t) const;

    // Colours the tests look for.
    static const QColor PulseFill;
    static const QColor DisabledFill;
    static const QColor OverflowFill;
    static const QColor Background;

private:
    void PaintGrid(QPainter &p, QSize size) const;
    void PaintRow(QPainter &p, const TDiagramRow &row, int top, int width) const;
    void PaintT0(QPainter &p, int top, int width) const;
    void PaintLabel(QPainter &p, const TDiagramRow &row, int top) const;
    void PaintMarks(QPainter &p, QSize size, const TEdgeMarks &marks) const;
    void PaintScale(QPainter &p, QSize size) const;

    const TDiagramScene &FScene;
    TTimeAxis FAxis;
    TRowLayout FLayout;
};

} // namespace Diagram
