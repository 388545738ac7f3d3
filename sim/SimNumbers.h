#pragma once

#include <cstdint>
#include <string>

// Locale-free number texts of the wire. Values are kept as scaled integers (for example
// nanoseconds for the period) so that a value that is a whole number of steps is exact.
namespace SimNumbers {

// Full-match decimal ("12", "-0.5", "1.25e-7"), rounded half away from zero to `scale`
// decimals and returned as value * 10^scale. False for anything else, for values that do
// not fit in 64 bits and for texts with blanks.
bool ParseScaled(const std::string &text, int scale, int64_t &out);

// Full-match decimal integer with optional sign, range-checked.
bool ParseInteger(const std::string &text, int64_t min, int64_t max, int64_t &out);

// value / 10^scale with exactly `scale` decimals, "." as point, "-" only when negative.
std::string FormatScaled(int64_t value, int scale);

} // namespace SimNumbers
