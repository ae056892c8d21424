#include "core/format/DecimalDigits.h"

#include <charconv>
#include <system_error>

namespace qv {

DecimalDigits DecimalDigits::of(double x)
{
    DecimalDigits d;
    if (x == 0.0) {
        return d;
    }
    // "d.dddddddddddddde+XX": 15 significant digits, correctly rounded.
    char buffer[40];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, x,
                                         std::chars_format::scientific, MaxDigits - 1);
    if (ec != std::errc{}) {
        return d;
    }
    const char* c = buffer;
    if (*c == '-') {
        d.negative = true;
        ++c;
    }
    int stored = 0;
    for (; c < end && *c != 'e'; ++c) {
        if (*c >= '0' && *c <= '9') {
            d.digits[static_cast<std::size_t>(stored++)] = static_cast<char>(*c - '0');
        }
    }
    if (c < end) {
        ++c; // 'e'
        std::from_chars(*c == '+' ? c + 1 : c, end, d.exponent);
    }
    d.count = stored;
    while (d.count > 0 && d.digits[static_cast<std::size_t>(d.count - 1)] == 0) {
        --d.count;
    }
    if (d.count == 0) {
        d.negative = false;
    }
    return d;
}

int DecimalDigits::digitAt(int power) const
{
    const int index = exponent - power;
    return index >= 0 && index < count ? digits[static_cast<std::size_t>(index)] : 0;
}

void DecimalDigits::keepDigits(int keep)
{
    if (keep >= count) {
        return;
    }
    if (keep < 0) {
        *this = DecimalDigits{};
        return;
    }
    const bool up = digits[static_cast<std::size_t>(keep)] >= 5;
    count = keep;
    if (up) {
        int i = count - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == 9) {
            --i;
        }
        if (i < 0) {
            // 9.99 -> 10: a single leading 1 one place higher.
            digits[0] = 1;
            count = 1;
            ++exponent;
        } else {
            ++digits[static_cast<std::size_t>(i)];
            count = i + 1;
        }
    }
    while (count > 0 && digits[static_cast<std::size_t>(count - 1)] == 0) {
        --count;
    }
    if (count == 0) {
        *this = DecimalDigits{};
    }
}

void DecimalDigits::roundToDecimals(int decimals)
{
    // Keep the digits down to the place of 10^-decimals; when even the
    // first digit lies below it, a 5 or more there still rounds up to one unit
    // of that place.
    const int keep = exponent + decimals + 1;
    keepDigits(keep);
}

void DecimalDigits::roundToSignificant(int significant)
{
    keepDigits(significant < 1 ? 1 : significant);
}

} // namespace qv
