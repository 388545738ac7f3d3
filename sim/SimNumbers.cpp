#include "SimNumbers.h"

#include <cctype>
#include <limits>

namespace SimNumbers {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Splits a decimal text into its digits and a power-of-ten exponent: value = digits * 10^exp.
bool SplitDecimal(const std::string &text, bool &negative, std::string &digits, int64_t &exp) {
    size_t i = 0;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    size_t intDigits = 0, fracDigits = 0;
    digits.clear();
    while (i < text.size() && IsDigit(text[i])) {
        digits += text[i++];
        ++intDigits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            digits += text[i++];
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0)
        return false;
    exp = -static_cast<int64_t>(fracDigits);
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        int64_t e = 0;
        if (!ParseInteger(text.substr(i), -1000, 1000, e))
            return false;
        exp += e;
        i = text.size();
    }
    return i == text.size();
}

} // namespace

bool ParseInteger(const std::string &text, int64_t min, int64_t max, int64_t &out) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    // Magnitudes up to 2^63 fit in unsigned 64 bits; anything longer is out of range anyway.
    uint64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return false;
        const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
        if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    const uint64_t limit = negative ? uint64_t(1) << 63 : uint64_t(INT64_MAX);
    if (magnitude > limit)
        return false;
    const int64_t value =
        negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (value < min || value > max)
        return false;
    out = value;
    return true;
}

bool ParseScaled(const std::string &text, int scale, int64_t &out) {
    bool negative = false;
    std::string digits;
    int64_t exp = 0;
    if (!SplitDecimal(text, negative, digits, exp))
        return false;
    const size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos) {
        out = 0;
        return true;
    }
    digits.erase(0, firstNonZero);
    exp += scale;
    bool roundUp = false;
    if (exp < 0) {
        const int64_t cut = -exp;
        if (cut > static_cast<int64_t>(digits.size())) {
            digits = "0";
        } else {
            roundUp = digits[digits.size() - cut] >= '5';
            digits.erase(digits.size() - cut);
            if (digits.empty())
                digits = "0";
        }
        exp = 0;
    }
    if (static_cast<int64_t>(digits.size()) + exp > 18)
        return false;
    digits.append(static_cast<size_t>(exp), '0');
    int64_t magnitude = 0;
    for (char c : digits)
        magnitude = magnitude * 10 + (c - '0');
    if (roundUp)
        ++magnitude;
    out = negative ? -magnitude : magnitude;
    return true;
}

std::string FormatScaled(int64_t value, int scale) {
    const bool negative = value < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : value;
    std::string text = std::to_string(magnitude);
    if (scale > 0) {
        if (text.size() <= static_cast<size_t>(scale))
            text.insert(0, static_cast<size_t>(scale) + 1 - text.size(), '0');
        text.insert(text.size() - scale, ".");
    }
    return negative ? "-" + text : text;
}

} // namespace SimNumbers
