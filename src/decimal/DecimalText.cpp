#include "DecimalText.h"

#include <charconv>
#include <cmath>

namespace DecimalText {

TDigits Shortest(double magnitude) {
    TDigits d;
    if (magnitude == 0 || !std::isfinite(magnitude))
        return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const std::string s(buf, res.ptr);
    const auto ePos = s.find('e');
    for (std::size_t i = 0; i < ePos; ++i)
        if (s[i] != '.')
            d.Digits += s[i];
    d.PointPos = std::stoi(s.substr(ePos + 1)) + 1; // our own well-formed output
    return d;
}

void RoundToDigits(TDigits &d, int keep) {
    if (keep >= static_cast<int>(d.Digits.size()))
        return;
    if (keep < 0) {
        d.Digits.clear();
        d.PointPos = 0;
        return;
    }
    const bool up = d.Digits[keep] >= '5';
    d.Digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.Digits[i] == '9')
            d.Digits[i--] = '0';
        if (i >= 0) {
            ++d.Digits[i];
        } else {
            d.Digits.insert(d.Digits.begin(), '1');
            ++d.PointPos;
        }
    }
    while (!d.Digits.empty() && d.Digits.back() == '0')
        d.Digits.pop_back();
    if (d.Digits.empty())
        d.PointPos = 0;
}

QString Text(bool negative, const TDigits &d, int decimals) {
    QString s;
    if (negative && !d.Digits.empty())
        s += QLatin1Char('-');
    const auto digitAt = [&d](int i) {
        return i >= 0 && i < static_cast<int>(d.Digits.size()) ? QLatin1Char(d.Digits[i])
                                                               : QLatin1Char('0');
    };
    if (d.Digits.empty() || d.PointPos <= 0)
        s += QLatin1Char('0');
    else
        for (int i = 0; i < d.PointPos; ++i)
            s += digitAt(i);
    if (decimals > 0) {
        s += QLatin1Char('.');
        for (int i = 0; i < decimals; ++i)
            s += digitAt(d.PointPos + i);
    }
    return s;
}

QString Fixed(double value, int decimals) {
    if (decimals < 0)
        decimals = 0;
    if (!std::isfinite(value))
        return Text(false, TDigits{}, decimals);
    TDigits d = Shortest(std::fabs(value));
    RoundToDigits(d, d.PointPos + decimals);
    return Text(value < 0, d, decimals);
}

} // namespace DecimalText
