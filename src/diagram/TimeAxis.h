#pragma once

namespace Diagram {

// The horizontal scale: which time sits at the plot's left edge and how many seconds one
// pixel spans. Pixels count from the plot's left edge.
class TTimeAxis {
public:
    TTimeAxis() = default;
    TTimeAxis(double start, double secondsPerPixel);

    double Start() const { return FStart; }
    double SecondsPerPixel() const { return FSecondsPerPixel; }
    double End(int widthPx) const { return ToTime(widthPx); }

    double ToPixel(double t) const { return (t - FStart) / FSecondsPerPixel; }
    double ToTime(double px) const { return FStart + px * FSecondsPerPixel; }

    // factor < 1 magnifies; the time under `px` stays under it.
    void ZoomAround(double px, double factor);
    // Content follows the pointer: dragging right shows earlier times.
    void PanPixels(double dx);
    // [t0, t1] fills widthPx, with `margin` of the span left free on each side.
    void Fit(double t0, double t1, int widthPx, double margin = 0.0);

    // Zoom limits: 1 ps to 100 s a pixel.
    static constexpr double MinSecondsPerPixel = 1e-12;
    static constexpr double MaxSecondsPerPixel = 100.0;

private:
    double FStart = 0.0;
    double FSecondsPerPixel = 1e-9;
};

} // namespace Diagram
