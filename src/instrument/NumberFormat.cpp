#include "NumberFormat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace Instrument {

namespace {

// Digits of the value's shortest round-trip decimal form and the position of the point:
// value = 0.<digits> * 10^pointPos.
struct TDecimalDigits {
    bool negative = false;
    std::string digits;
    int pointPos = 0;
};

TDecimalDigits ShortestDecimal(double value) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    TDecimalDigits d;
    std::size_t i = 0;
    if (text[i] == '-') {
        d.negative = true;
        ++i;
    }
    const std::size_t e = text.find('e');
    for (; i < e; ++i)
        if (text[i] != '.')
            d.digits += text[i];
    d.pointPos = std::stoi(text.substr(e + 1)) + 1; // text is our own, always well formed
    return d;
}

// Adds one to a string of decimal digits.
void Increment(std::string &digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Strict grammar check; returns the text without a leading '+' for from_chars.
std::optional<std::string> CheckedInteger(QStringView text) {
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    std::string out;
    if (text[0] == QLatin1Char('-') || text[0] == QLatin1Char('+')) {
        if (text[0] == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i]))
            return std::nullopt;
        out += char(text[i].unicode());
    }
    return out;
}

std::optional<std::string> CheckedDecimal(QStringView text) {
    std::string out;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        if (text[i] == QLatin1Char('-'))
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool point = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (IsDigit(c)) {
            ++mantissaDigits;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            break;
        }
        out += char(c.unicode());
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        out += 'e';
        ++i;
        if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
            out += char(text[i].unicode());
            ++i;
        }
        int expDigits = 0;
        for (; i < n && IsDigit(text[i]); ++i, ++expDigits)
            out += char(text[i].unicode());
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;
    return out;
}

} // namespace

QString FormatFixed(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(value))
        value = 0.0;
    const TDecimalDigits d = ShortestDecimal(value);
    // Units of 10^-decimals, as a digit string.
    const long long keep = static_cast<long long>(d.pointPos) + decimals;
    std::string units;
    if (keep < 0) {
        units = "0";
    } else if (keep == 0) {
        units = d.digits[0] >= '5' ? "1" : "0";
    } else if (keep >= static_cast<long long>(d.digits.size())) {
        units = d.digits + std::string(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    } else {
        units = d.digits.substr(0, static_cast<std::size_t>(keep));
        if (d.digits[static_cast<std::size_t>(keep)] >= '5')
            Increment(units);
    }
    if (units.size() < static_cast<std::size_t>(decimals) + 1)
        units.insert(0, static_cast<std::size_t>(decimals) + 1 - units.size(), '0');
    const std::size_t firstNonZero = units.find_first_not_of('0');
    const bool isZero = firstNonZero == std::string::npos;
    std::size_t intLen = units.size() - static_cast<std::size_t>(decimals);
    std::size_t start = 0;
    while (start + 1 < intLen && units[start] == '0')
        ++start;
    std::string text;
    if (d.negative && !isZero)
        text += '-';
    text += units.substr(start, intLen - start);
    if (decimals > 0) {
        text += '.';
        text += units.substr(intLen);
    }
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString FormatUnsigned(std::uint32_t count) {
    return QString::number(count);
}

QString FormatSigned(std::int64_t count) {
    return QString::number(count);
}

std::int64_t RoundHalfAway(double value) {
    if (!std::isfinite(value))
        return 0;
    const double r = std::round(value); // std::round rounds halves away from zero
    if (r >= 9223372036854775807.0)
        return std::numeric_limits<std::int64_t>::max();
    if (r <= -9223372036854775808.0)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(r);
}

std::uint32_t CountAsUnsigned(double value) {
    return LowBits32(RoundHalfAway(value));
}

std::int32_t CountAsSigned(double value) {
    return static_cast<std::int32_t>(LowBits32(RoundHalfAway(value)));
}

std::optional<std::int64_t> ParseInt64(QStringView text) {
    const auto checked = CheckedInteger(text);
    if (!checked)
        return std::nullopt;
    std::int64_t v = 0;
    const char *first = checked->data();
    const char *last = first + checked->size();
    const auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last)
        return std::nullopt;
    return v;
}

std::optional<std::int32_t> ParseInt32(QStringView text) {
    const auto v = ParseInt64(text);
    if (!v || *v < std::numeric_limits<std::int32_t>::min() ||
        *v > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(*v);
}

std::optional<std::uint32_t> ParseUInt32(QStringView text) {
    const auto v = ParseInt64(text);
    if (!v || *v < 0 || *v > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return static_cast<std::uint32_t>(*v);
}

std::optional<double> ParseDouble(QStringView text) {
    const auto checked = CheckedDecimal(text);
    if (!checked)
        return std::nullopt;
    double v = 0;
    const char *first = checked->data();
    const char *last = first + checked->size();
    const auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || res.ptr != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace Instrument
