#include "GridStep.h"

#include <cmath>
#include <initializer_list>

namespace Diagram {

double GridStep(double secondsPerPixel, double minPixels) {
    const double wanted = secondsPerPixel * minPixels;
    if (!(wanted > 0.0) || !std::isfinite(wanted))
        return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double m : {1.0, 2.0, 5.0, 10.0})
        if (decade * m >= wanted * (1.0 - 1e-9))
            return decade * m;
    return decade * 10.0;
}

} // namespace Diagram
