#include "EngineeringUnits.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace Diagram {

namespace {

struct TUnit {
    double Scale;
    const char *Name;
};

// Largest first; "µs" in UTF-8.
const std::array<TUnit, 5> Units{
    {{1.0, "s"}, {1e-3, "ms"}, {1e-6, "\xC2\xB5s"}, {1e-9, "ns"}, {1e-12, "ps"}}};

QString Trimmed(QString text) {
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    return text == "-0" ? QStringLiteral("0") : text;
}

} // namespace

QString FormatTime(double seconds, double resolution) {
    if (!std::isfinite(seconds))
        return QStringLiteral("-");
    const double magnitude = std::fabs(seconds);
    size_t u = 0;
    while (u + 1 < Units.size() && magnitude < Units[u].Scale * (1.0 - 1e-9))
        ++u;
    if (magnitude == 0.0)
        u = 0;
    for (;;) {
        const double value = seconds / Units[u].Scale;
        int decimals = 3;
        if (resolution > 0.0)
            decimals =
                std::clamp(int(std::ceil(-std::log10(resolution / Units[u].Scale) - 1e-9)), 0, 9);
        const QString number = QString::number(value, 'f', decimals);
        // Rounding may carry into the next unit up: 999.9996 ns is "1 µs".
        if (u > 0 && std::fabs(number.toDouble()) >= 1000.0) {
            --u;
            continue;
        }
        return Trimmed(number) + ' ' + QString::fromUtf8(Units[u].Name);
    }
}

} // namespace Diagram
