#pragma once

#include <QString>
#include <string>

// Fixed-decimal text of a double, rounded half away from zero on the value's shortest
// decimal form, so that a value that is a whole number of steps keeps its last digit.
namespace DecimalText {

// A magnitude as decimal digits: value = 0.<Digits> x 10^PointPos, no leading zeros;
// no digits for zero.
struct TDigits {
    std::string Digits;
    int PointPos = 0;
};

// The shortest digits that read back as `magnitude` (not negative); none for zero or a
// non-finite value.
TDigits Shortest(double magnitude);
// Keeps the first `keep` digits, rounding half away from zero; trailing zeros go.
void RoundToDigits(TDigits &d, int keep);
// "-" (unless the digits are zero), the integer digits (at least "0"), "." and `decimals`
// digits.
QString Text(bool negative, const TDigits &d, int decimals);

// All three in one: a negative value that rounds to zero has no sign; a non-finite value
// gives zero with the decimals.
QString Fixed(double value, int decimals);

} // namespace DecimalText
