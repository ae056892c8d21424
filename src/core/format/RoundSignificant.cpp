#include "core/format/RoundSignificant.h"

#include "core/Errors.h"
#include "core/stats/Distributions.h"

#include <cmath>

namespace qv {

double roundSignificant(double value, int digits)
{
    checkedFinite(value);
    double e = 2.0;
    if (value > 0.0) {
        e = std::floor(log10(value)) + 1.0;
    } else if (value < 0.0) {
        e = std::floor(log10(-value));
    }
    const double d = static_cast<double>(digits) - e;
    const double scale = checkedFinite(std::pow(10.0, d));
    return checkedDiv(std::floor(checkedFinite(value * scale) + 0.5), scale);
}

} // namespace qv
