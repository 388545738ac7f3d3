#include "PlusSpinEditText.h"

#include "DecimalText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace PlusSpinEditText {

namespace {

using DecimalText::RoundToDigits;
using DecimalText::Shortest;
using DecimalText::TDigits;

// Beyond this magnitude the fixed form gives way to exponent notation.
constexpr double FixedLimit = 1e36;

QString ExponentText(double value) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    return QString::fromLatin1(buf, static_cast<int>(res.ptr - buf)).toUpper();
}

QString GroupedText(const QString &fixed, int decimals, QChar separator, int g) {
    int start = fixed.startsWith(QLatin1Char('-')) ? 1 : 0;
    int point = decimals > 0 ? fixed.indexOf(DecimalPoint) : fixed.size();
    QString intPart = fixed.mid(start, point - start);
    QString grouped;
    for (int i = 0; i < intPart.size(); ++i) {
        const int fromRight = intPart.size() - i;
        grouped += intPart[i];
        if (fromRight > 1 && (fromRight - 1) % g == 0)
            grouped += separator;
    }
    QString result = fixed.left(start) + grouped;
    if (decimals > 0) {
        result += DecimalPoint;
        const QString frac = fixed.mid(point + 1);
        for (int i = 0; i < frac.size(); ++i) {
            if (i > 0 && i % g == 0)
                result += separator;
            result += frac[i];
        }
    }
    return result;
}

} // namespace

int ClampBase(int base) {
    return std::clamp(base, MinBase, MaxBase);
}

double LnBase(int base) {
    return std::round(std::log(static_cast<double>(ClampBase(base))) * 1e13) / 1e13;
}

int GroupSize(int base) {
    return ClampBase(base) == 10 ? 3 : 4;
}

int DigitValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'Z')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 10;
    return -1;
}

QString FormatText(double value, int decimals, QChar separator, int base) {
    decimals = std::clamp(decimals, 0, MaxDecimals);
    if (std::isfinite(value) && std::fabs(value) >= FixedLimit)
        return ExponentText(value);
    const QString fixed = DecimalText::Fixed(value, decimals);
    if (separator.isNull())
        return fixed;
    return GroupedText(fixed, decimals, separator, GroupSize(base));
}

QString FormatSignificant(double value, int significant, int decimals) {
    decimals = std::clamp(decimals, 0, MaxDecimals);
    if (!std::isfinite(value))
        return DecimalText::Text(false, TDigits{}, decimals);
    TDigits d = Shortest(std::fabs(value));
    RoundToDigits(d, significant);
    RoundToDigits(d, d.PointPos + decimals);
    return DecimalText::Text(value < 0, d, decimals);
}

int HighestDigitPosition(int base, double x) {
    if (!std::isfinite(x))
        return 1;
    const double ln = LnBase(base);
    const double a = std::fabs(x);
    int c = a <= 1 ? 0 : static_cast<int>(std::nearbyint(std::log(a) / ln));
    if (a < std::exp(c * ln))
        --c;
    c = std::max(c, 1);
    return x < 0 ? c + 1 : c;
}

int IncrementExponent(double increment, int base, int decimals) {
    const double x = std::fabs(increment);
    if (!(x > 1e-20) || !std::isfinite(x))
        return -decimals - 1;
    const double ln = LnBase(base);
    int e = static_cast<int>(std::nearbyint(std::log(x) / ln));
    if (1.0001 * x < std::exp(e * ln))
        --e;
    return e;
}

double PowerOfBase(int base, int n) {
    const double b = ClampBase(base);
    double x = 1.0;
    for (int i = 0; i < n; ++i)
        x *= b;
    for (int i = 0; i > n; --i)
        x /= b;
    return x;
}

TFocus LocateFocus(const QString &text, int incExponent, int decimals, QChar separator, int base) {
    const int e = incExponent;
    const int g = GroupSize(base);
    const bool grouping = !separator.isNull();
    TFocus f{text, 0};
    if (text.contains(QLatin1Char('E'))) {
        // Exponent form has no digit places: the focus lies outside it.
        f.index = text.size() + 1;
        return f;
    }
    int index = text.size() - e - decimals;
    if (e >= 0 && decimals > 0)
        --index;
    if (grouping) {
        index -= (decimals - 1) / g;
        index += e < 0 ? (-1 - e) / g : -(e / g);
    }
    if (index < 1) {
        for (int i = index; i <= 0; ++i) {
            const bool sepHere = grouping && (e + e / g + i + 1) % (g + 1) == 0;
            f.text.prepend(sepHere ? separator : Placeholder);
        }
        index = 1;
    }
    while (index > 1 && !f.text.isEmpty() &&
           (f.text[0] == Placeholder || (grouping && f.text[0] == separator))) {
        f.text.remove(0, 1);
        --index;
    }
    f.index = index;
    return f;
}

QString Displayed(const QString &text) {
    QString s = text;
    s.replace(Placeholder, QLatin1Char('0'));
    return s;
}

QString TypedText(const QString &text, int index, QChar digit, QChar separator) {
    QString s = text;
    if (index < 1 || index > s.size())
        return s;
    s[index - 1] = digit;
    for (int i = index; i < s.size(); ++i)
        if (s[i] == Placeholder)
            s[i] = QLatin1Char('0');
    if (!separator.isNull())
        s.remove(separator);
    return s;
}

bool ParseInBase(const QString &text, int base, double &value) {
    base = ClampBase(base);
    int pos = 0;
    bool negative = false;
    if (text.size() > 1 && text[0] == QLatin1Char('-')) {
        negative = true;
        pos = 1;
    }
    bool seenPoint = false;
    int digits = 0;
    std::string plain;
    for (int i = pos; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == DecimalPoint) {
            if (seenPoint)
                return false;
            seenPoint = true;
            plain += '.';
            continue;
        }
        const int d = DigitValue(c);
        if (d < 0 || d >= base)
            return false;
        ++digits;
        plain += static_cast<char>(c.unicode());
    }
    if (digits == 0)
        return false;
    double v = 0;
    if (base == 10) {
        if (plain.front() == '.')
            plain.insert(plain.begin(), '0');
        auto res = std::from_chars(plain.data(), plain.data() + plain.size(), v);
        if (res.ec != std::errc() || res.ptr != plain.data() + plain.size())
            return false;
    } else {
        double scale = 1;
        bool fraction = false;
        for (char ch : plain) {
            if (ch == '.') {
                fraction = true;
                continue;
            }
            const int d = DigitValue(QLatin1Char(ch));
            if (fraction) {
                scale /= base;
                v += d * scale;
            } else {
                v = v * base + d;
            }
        }
    }
    if (!std::isfinite(v))
        return false;
    value = negative ? -v : v;
    return true;
}

QString RightZeroText(double value, int incExponent, int decimals) {
    QString s = FormatSignificant(value, 12, decimals);
    const int e = incExponent;
    if (e < 0) {
        const int n = std::min(decimals + e, decimals);
        for (int i = 0; i < n; ++i)
            s[s.size() - 1 - i] = QLatin1Char('0');
    } else {
        if (decimals > 0)
            s.truncate(s.indexOf(DecimalPoint));
        const int n = std::min<int>(e, s.size());
        for (int i = 0; i < n; ++i)
            s[s.size() - 1 - i] = QLatin1Char('0');
    }
    return s;
}

int PlaceAt(const QString &text, int decimals, QChar separator, int dx,
            const std::function<int(const QString &)> &width) {
    QString s = Displayed(text);
    s.chop(1);
    int p = -decimals;
    while (!s.isEmpty() && width(s) > dx) {
        ++p;
        s.chop(1);
        if (!s.isEmpty() && (p == 0 || (!separator.isNull() && s.back() == separator)))
            s.chop(1);
    }
    if (dx < 0)
        ++p;
    return p;
}

int GlyphSize(int buttonWidth) {
    const double w = std::max(buttonWidth, 1);
    int c = static_cast<int>(std::nearbyint(1.3 * w * std::pow(1.0 / w, 0.25))) - 2;
    c = std::max(c, 4);
    if (c % 2 != 0)
        --c;
    return c;
}

} // namespace PlusSpinEditText
