#pragma once

#include "DiagramScene.h"
#include "TimeAxis.h"

#include <QString>

namespace Diagram {

enum class TExportFormat { Png, Svg };

// Writes the diagram with every row, `plotWidth` pixels of time axis from `axis`, as a
// complete file or none. Returns an empty text on success, otherwise the error to show
// (names the file and the reason).
QString ExportDiagram(const QString &path, TExportFormat format, const TDiagramScene &scene,
                      const TTimeAxis &axis, int plotWidth);

// The axis that shows the whole period (or the pulses when no period is set) in
// `plotWidth` pixels, with a little room on both sides.
TTimeAxis WholePeriodAxis(const TDiagramScene &scene, int plotWidth);

} // namespace Diagram
