#include "core/format/DecisionNumber.h"

#include "core/format/DecimalDigits.h"
#include "core/format/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace qv {

namespace {

// The double nearest to the stored digits.
double valueOf(const DecimalDigits& d)
{
    if (d.isZero()) {
        return 0.0;
    }
    std::string text = d.negative ? "-" : "";
    for (int i = 0; i < d.count; ++i) {
        text += static_cast<char>('0' + d.digits[static_cast<std::size_t>(i)]);
    }
    text += 'e';
    text += std::to_string(d.exponent - (d.count - 1));
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

} // namespace

std::string decisionNumber(double value, int decimals, int significant)
{
    if (!std::isfinite(value)) {
        return plainText(value);
    }
    DecimalDigits d = DecimalDigits::of(value);
    if (d.isZero()) {
        return "0";
    }
    const int places = std::clamp(std::max(decimals, significant - 1 - d.exponent), 0, 18);
    d.roundToDecimals(places);
    const double rounded = valueOf(d);
    if (d.isZero() || d.exponent < -4 || d.exponent >= DecimalDigits::MaxDigits) {
        return plainText(rounded);
    }
    // The rounded decimal's nearest double prints back as that decimal.
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed, places);
    return ec == std::errc{} ? std::string(buffer, end) : plainText(rounded);
}

std::string pValueText(double p)
{
    if (p < 0.001) {
        return "< 0.001";
    }
    return decisionNumber(p, 0, 2);
}

std::string percentOf(double fraction)
{
    return plainText(100.0 * fraction) + "%";
}

} // namespace qv
