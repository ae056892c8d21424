#include "core/format/NumberText.h"

#include "core/format/DecimalDigits.h"

#include <cmath>
#include <cstdlib>

namespace qv {

namespace {

void appendExponent(std::string& out, int exponent)
{
    out += 'E';
    out += exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) {
        out += '0';
    }
    out += std::to_string(magnitude);
}

} // namespace

std::string plainText(double value)
{
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0.0 ? "-Inf" : "Inf";
    }
    const DecimalDigits d = DecimalDigits::of(value);
    if (d.isZero()) {
        return "0";
    }
    std::string out;
    if (d.negative) {
        out += '-';
    }
    const auto digit = [&d](int index) {
        return static_cast<char>('0' + d.digits[static_cast<std::size_t>(index)]);
    };
    if (d.exponent >= DecimalDigits::MaxDigits || d.exponent < -4) {
        out += digit(0);
        if (d.count > 1) {
            out += '.';
            for (int i = 1; i < d.count; ++i) {
                out += digit(i);
            }
        }
        appendExponent(out, d.exponent);
        return out;
    }
    if (d.exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exponent - 1), '0');
        for (int i = 0; i < d.count; ++i) {
            out += digit(i);
        }
        return out;
    }
    for (int power = d.exponent; power >= 0; --power) {
        out += static_cast<char>('0' + d.digitAt(power));
    }
    if (d.count > d.exponent + 1) {
        out += '.';
        for (int i = d.exponent + 1; i < d.count; ++i) {
            out += digit(i);
        }
    }
    return out;
}

std::string signedText(double value)
{
    std::string out(1, value < 0.0 ? '-' : ' ');
    out += plainText(value < 0.0 ? -value : value);
    return out;
}

} // namespace qv
