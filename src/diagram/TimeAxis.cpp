#include "TimeAxis.h"

#include <algorithm>
#include <cmath>

namespace Diagram {

namespace {

double Clamped(double spp) {
    if (!std::isfinite(spp) || spp <= 0.0)
        return TTimeAxis::MinSecondsPerPixel;
    return std::clamp(spp, TTimeAxis::MinSecondsPerPixel, TTimeAxis::MaxSecondsPerPixel);
}

} // namespace

TTimeAxis::TTimeAxis(double start, double secondsPerPixel)
    : FStart(start), FSecondsPerPixel(Clamped(secondsPerPixel)) {}

void TTimeAxis::ZoomAround(double px, double factor) {
    const double t = ToTime(px);
    FSecondsPerPixel = Clamped(FSecondsPerPixel * factor);
    FStart = t - px * FSecondsPerPixel;
}

void TTimeAxis::PanPixels(double dx) {
    FStart -= dx * FSecondsPerPixel;
}

void TTimeAxis::Fit(double t0, double t1, int widthPx, double margin) {
    if (!(t1 > t0))
        t1 = t0 + 1e-6; // nothing to span: a microsecond around t0
    const double pad = (t1 - t0) * margin;
    FSecondsPerPixel = Clamped((t1 - t0 + 2 * pad) / std::max(widthPx, 1));
    FStart = t0 - pad;
}

} // namespace Diagram
