#include "core/NumberReader.h"

#include "core/Errors.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

namespace qv {

namespace {
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A plain decimal ("25.412", "-3": digits, at most one point with digits after
// it, no more than 15 digits) read without the library: its digits as a whole
// number over a power of ten, both exact in a double, and one correctly rounded
// division give the nearest double, as from_chars does. Nothing for any other text.
std::optional<double> readPlainDecimal(std::string_view text)
{
    static constexpr double PowerOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = !text.empty() && text[0] == '-';
    std::size_t i = negative ? 1 : 0;
    const std::size_t n = text.size();
    if (i == n || n - i > 16) {
        return std::nullopt;
    }
    std::int64_t digits = 0;
    int count = 0;
    std::size_t point = std::string_view::npos;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            digits = digits * 10 + (c - '0');
            ++count;
        } else if (c == '.' && point == std::string_view::npos && count > 0) {
            point = i;
        } else {
            return std::nullopt;
        }
    }
    if (count > 15 || point == n - 1) {
        return std::nullopt;
    }
    const std::size_t decimals = point == std::string_view::npos ? 0 : n - 1 - point;
    const double value = static_cast<double>(digits) / PowerOfTen[decimals];
    return negative ? -value : value;
}

// Where an exponent ("E" or "e", optional sign, digits) that starts at `at` ends;
// `at` itself when there is none there.
std::size_t exponentEnd(std::string_view text, std::size_t at)
{
    const std::size_t n = text.size();
    if (at >= n || (text[at] != 'E' && text[at] != 'e')) {
        return at;
    }
    std::size_t j = at + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
        ++j;
    }
    const std::size_t digits = j;
    while (j < n && isDigit(text[j])) {
        ++j;
    }
    return j > digits ? j : at;
}

// Beyond this power of ten no double lies, either way; sums saturate here so
// that no exponent, however long, overflows them.
constexpr long long MagnitudeLimit = 1'000'000;

long long saturate(long long v)
{
    return std::clamp(v, -MagnitudeLimit, MagnitudeLimit);
}

// Roughly the power of ten of a number text that a double cannot hold: positive
// for a huge number, negative for a tiny one; 0 when all its digits are 0.
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
            seenNonZero = true;
            if (!seenPoint) {
                position = saturate(position + 1);
            }
        } else if (seenPoint) {
            position = saturate(position - 1);
        }
    }
    if (!seenNonZero) {
        return 0;
    }
    long long exponent = 0;
    bool negative = false;
    if (i < t.size()) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            negative = t[i] == '-';
            ++i;
        }
        for (; i < t.size() && isDigit(t[i]); ++i) {
            exponent = saturate(exponent * 10 + (t[i] - '0'));
        }
    }
    return saturate(position + (negative ? -exponent : exponent));
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
    const std::size_t end = exponentEnd(text, i);
    double value = 0.0;
    const char* first = text.data() + start;
    const char* last = text.data() + end;
    // from_chars takes no leading "+" and no bare trailing point before an exponent
    // in every library: hand it a normalised copy only when needed.
    // Out of a double's range: underflow reads as 0 (as the text means),
    // overflow is an error.
    const auto outOfRange = [&] {
        if (decimalMagnitude(std::string_view(first, static_cast<std::size_t>(last - first))) > 0) {
            raise(ErrorCode::Overflow);
        }
        return 0.0;
    };
    auto result = std::from_chars(first, last, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = outOfRange();
    } else if (result.ec != std::errc() || result.ptr != last) {
        std::string copy(first, last);
        const std::size_t dot = copy.find('.');
        if (dot != std::string::npos &&
            (dot + 1 == copy.size() || copy[dot + 1] == 'e' || copy[dot + 1] == 'E')) {
            copy.insert(dot + 1, "0");
        }
        if (!copy.empty() && copy[0] == '.') {
            copy.insert(0, "0");
        }
        result = std::from_chars(copy.data(), copy.data() + copy.size(), value,
                                 std::chars_format::general);
        if (result.ec == std::errc::result_out_of_range) {
            value = outOfRange();
        } else if (result.ec != std::errc()) {
            return 0.0;
        }
    }
    return negative ? -value : value;
}

std::optional<double> readWholeNumber(std::string_view text, DecimalMark mark)
{
    const std::size_t n = text.size();
    // The usual field ("25.412", "-3") goes straight through from_chars; it also
    // takes "inf" and "nan", which the first character rules out here.
    if (mark != DecimalMark::Comma && n > 0 &&
        (isDigit(text[0]) || (text[0] == '-' && n > 1 && isDigit(text[1])))) {
        if (const auto plain = readPlainDecimal(text)) {
            return plain;
        }
        double value = 0.0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + n, value);
        if (ec == std::errc() && end == text.data() + n) {
            return value;
        }
    }
    std::size_t i = 0;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    std::size_t markAt = std::string_view::npos;
    for (; i < n; ++i) {
        const char c = text[i];
        const bool isMark = (c == '.' && mark != DecimalMark::Comma) ||
                            (c == ',' && mark != DecimalMark::Point);
        if (isDigit(c)) {
            ++digits;
        } else if (isMark && markAt == std::string_view::npos) {
            markAt = i;
        } else {
            break;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (exponentEnd(text, i) != n) {
        return std::nullopt;
    }
    if (markAt != std::string_view::npos && text[markAt] == ',') {
        std::string copy(text);
        copy[markAt] = '.';
        return readNumber(copy);
    }
    return readNumber(text);
}

std::optional<double> readTypedNumber(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    try {
        return readWholeNumber(text, DecimalMark::Either);
    } catch (const QvError&) {
        return std::nullopt;
    }
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
