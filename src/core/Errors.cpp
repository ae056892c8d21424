#include "core/Errors.h"

#include <cmath>

namespace qv {

double checkedDiv(double a, double b)
{
    if (b == 0.0) {
        raise(a == 0.0 || std::isnan(a) ? ErrorCode::Overflow : ErrorCode::DivisionByZero);
    }
    return checkedFinite(a / b);
}

double checkedSqrt(double x)
{
    if (!(x >= 0.0) || std::isinf(x)) {
        raise(ErrorCode::InvalidArgument);
    }
    return std::sqrt(x);
}

double checkedLog10(double x)
{
    if (!(x > 0.0) || std::isinf(x)) {
        raise(ErrorCode::InvalidArgument);
    }
    return std::log10(x);
}

double checkedFinite(double x)
{
    if (!std::isfinite(x)) {
        raise(ErrorCode::Overflow);
    }
    return x;
}

} // namespace qv
