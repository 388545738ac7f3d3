#include "ValueRanges.h"

#include <cmath>

namespace Instrument {

TValueRanges ChooseValueRanges(int channelCount) {
    TValueRanges r;
    r.PeriodRange = {5e-9, 9, 5000.0, 5e-8};
    if (channelCount >= 36) {
        r.DelayRange = {2.5e-10, 12, 2.0, 0.0};
        r.WidthRange = {2.5e-10, 12, 2.0, 1e-8};
        r.CountLimits = {10000000u, 10000000u, 1000000, 1000000u, 1000000u, 1000000};
    } else {
        r.DelayRange = {2.5e-10, 12, 2000.0, 0.0};
        r.WidthRange = {2.5e-10, 12, 2000.0, 1e-8};
        r.CountLimits = {4000000000u, 4000000000u, 10000000, 10000000u, 10000000u, 10000000};
    }
    return r;
}

namespace {

// Half away from zero at a power-of-ten step, kept in double so large values cannot
// overflow an integer.
double RoundTo(double x, double step) {
    return std::trunc(x / step + std::copysign(0.5, x)) * step;
}

} // namespace

bool CheckResolution(double value, double resolution) {
    if (!std::isfinite(value) || !std::isfinite(resolution))
        return false;
    if (std::fabs(RoundTo(value, 1e-13) - RoundTo(resolution, 1e-13)) <= 9e-13)
        return true;
    if (resolution == 0.0)
        return true;
    // The remainder is taken with a fused multiply-add so that big quotients (a 2000 s
    // delay is 8e12 steps) do not lose the fraction to rounding of the quotient.
    const double whole = std::trunc(value / resolution);
    double f = std::fabs(std::fma(-whole, resolution, value) / resolution);
    f = RoundTo(f, 1e-3);
    if (f >= 1.0)
        f = 0.0;
    return !(f > 9e-13);
}

} // namespace Instrument
