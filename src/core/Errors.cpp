#include "core/Errors.h"

#include <cmath>
#include <new>

namespace qv {

std::string unexpectedErrorText(int code, ErrorPrefix prefix)
{
    return std::string(prefix == ErrorPrefix::Spaced ? "Unexpected Error " : "Unexpected Error") +
           codeText(code);
}

std::string fileErrorText(int code)
{
    return "File Error" + codeText(code) + " Try Again";
}

int failureCode(const std::exception& failure)
{
    if (const auto* own = dynamic_cast<const QvError*>(&failure)) {
        return own->code();
    }
    if (dynamic_cast<const std::bad_alloc*>(&failure)) {
        return ErrorCode::OutOfMemory;
    }
    if (dynamic_cast<const std::out_of_range*>(&failure) ||
        dynamic_cast<const std::length_error*>(&failure)) {
        return ErrorCode::SubscriptOutOfRange;
    }
    if (dynamic_cast<const std::overflow_error*>(&failure)) {
        return ErrorCode::Overflow;
    }
    return ErrorCode::InvalidArgument;
}

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

double checkedFinite(double x)
{
    if (!std::isfinite(x)) {
        raise(ErrorCode::Overflow);
    }
    return x;
}

} // namespace qv
