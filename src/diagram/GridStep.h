#pragma once

namespace Diagram {

// The grid spacing in seconds for a zoom: the smallest 1, 2, 5 times a power of ten that
// puts at least `minPixels` between lines.
double GridStep(double secondsPerPixel, double minPixels = 80.0);

} // namespace Diagram
