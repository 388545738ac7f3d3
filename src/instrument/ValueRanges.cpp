#include "ValueRanges.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string>

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

// A double as the decimal number it was written as: Mantissa * 10^Exponent.
struct TDecimal {
    __int128 Mantissa = 0;
    int Exponent = 0;
};

TDecimal ShortestDecimal(double x) {
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    const std::size_t e = text.find('e');
    TDecimal d;
    int digits = 0;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] == '.')
            continue;
        d.Mantissa = d.Mantissa * 10 + (text[i] - '0');
        ++digits;
    }
    d.Exponent = std::stoi(text.substr(e + 1)) - (digits - 1);
    return d;
}

__int128 Pow10(int n) {
    __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Fraction of value / resolution in thousandths of a step, rounded half away from zero,
// computed on the decimal values so that neither binary noise nor big quotients (a 2000 s
// delay is 8e12 steps) can move it. Empty when the exponents are too far apart for exact
// integer arithmetic.
std::optional<int> DecimalFractionThousandths(double value, double resolution) {
    const TDecimal v = ShortestDecimal(value);
    const TDecimal r = ShortestDecimal(resolution);
    const int e = std::min(v.Exponent, r.Exponent);
    const int vShift = v.Exponent - e;
    const int rShift = r.Exponent - e;
    if (vShift > 17 || rShift > 17)
        return std::nullopt;
    const __int128 vn = v.Mantissa * Pow10(vShift); // below 1e34
    const __int128 rn = r.Mantissa * Pow10(rShift);
    const __int128 rem = vn % rn;
    return static_cast<int>((2000 * rem + rn) / (2 * rn));
}

} // namespace

bool CheckResolution(double value, double resolution) {
    if (!std::isfinite(value) || !std::isfinite(resolution))
        return false;
    if (std::fabs(RoundTo(value, 1e-13) - RoundTo(resolution, 1e-13)) <= 9e-13)
        return true;
    if (resolution == 0.0)
        return true;
    if (const auto thousandths = DecimalFractionThousandths(value, resolution))
        return *thousandths == 0 || *thousandths >= 1000;
    // Far-apart magnitudes: the remainder with a fused multiply-add keeps what it can.
    const double whole = std::trunc(value / resolution);
    double f = std::fabs(std::fma(-whole, resolution, value) / resolution);
    f = RoundTo(f, 1e-3);
    if (f >= 1.0)
        f = 0.0;
    return !(f > 9e-13);
}

} // namespace Instrument
