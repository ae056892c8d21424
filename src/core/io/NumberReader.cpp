#include "core/io/NumberReader.h"

#include "core/Errors.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace qv {

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Roughly the power of ten of a number text that a double cannot hold: positive
// for a huge number, negative for a tiny one.
long long decimalMagnitude(std::string_view t)
{
    long long position = 0; // digits before the point, counted from the first non-zero digit
    bool seenPoint = false;
    bool seenNonZero = false;
    std::size_t i = 0;
    for (; i < t.size() && t[i] != 'e' && t[i] != 'E'; ++i) {
        if (t[i] == '.') {
            seenPoint = true;
        } else if (t[i] != '0' || seenNonZero) {
            if (!seenNonZero) {
                seenNonZero = true;
            }
            if (!seenPoint) {
                ++position;
            }
        } else if (seenPoint) {
            --position;
        }
    }
    long long exponent = 0;
    if (i < t.size()) {
        std::from_chars(t.data() + i + 1 + (t[i + 1] == '+' ? 1 : 0), t.data() + t.size(), exponent);
    }
    return position + exponent;
}
} // namespace

double readNumber(std::string_view text)
{
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    const std::size_t start = i;
    std::size_t digits = 0;
    bool point = false;
    while (i < n && (isDigit(text[i]) || (text[i] == '.' && !point))) {
        if (text[i] == '.') {
            point = true;
        } else {
            ++digits;
        }
        ++i;
    }
    if (digits == 0) {
        return 0.0;
    }
    std::size_t end = i;
    if (i < n && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        const std::size_t expDigits = j;
        while (j < n && isDigit(text[j])) {
            ++j;
        }
        if (j > expDigits) {
            end = j;
        }
    }
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    // from_chars takes no leading "+" and no bare trailing point before an exponent
    // in every library: hand it a normalised copy only when needed.
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Underflow reads as 0 (as the text means), overflow is an error.
        if (decimalMagnitude(std::string_view(first, static_cast<std::size_t>(last - first))) > 0) {
            raise(ErrorCode::Overflow);
        }
        value = 0.0;
    } else if (result.ec != std::errc() || result.ptr != last) {
        std::string copy(first, last);
        const std::size_t dot = copy.find('.');
        if (dot != std::string::npos && (dot + 1 == copy.size() || copy[dot + 1] == 'e' ||
                                         copy[dot + 1] == 'E')) {
            copy.insert(dot + 1, "0");
        }
        if (!copy.empty() && copy[0] == '.') {
            copy.insert(0, "0");
        }
        result = std::from_chars(copy.data(), copy.data() + copy.size(), value,
                                 std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            raise(ErrorCode::Overflow);
        }
        if (result.ec != std::errc()) {
            return 0.0;
        }
    }
    return negative ? -value : value;
}

long long roundToInteger(double value, long long limit)
{
    if (!std::isfinite(value)) {
        raise(ErrorCode::Overflow);
    }
    const double rounded = std::nearbyint(value);
    if (std::fabs(rounded) > static_cast<double>(limit)) {
        raise(ErrorCode::Overflow);
    }
    return static_cast<long long>(rounded);
}

} // namespace qv
