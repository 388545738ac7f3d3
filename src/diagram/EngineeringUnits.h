#pragma once

#include <QString>

namespace Diagram {

// A time in engineering units: "125 ns", "1.5 ms", "0 s". Digits after the point are as
// many as `resolution` (seconds) needs to be seen, trailing zeros dropped; with no
// resolution up to three.
QString FormatTime(double seconds, double resolution = 0.0);

} // namespace Diagram
