#include "NumberFormat.h"

#include "DecimalText.h"

#include <QLocale>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>

namespace Instrument {

namespace {

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
    return DecimalText::Fixed(value, decimals);
}

void UseCNumbersProcessWide() {
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
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
