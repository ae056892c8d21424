#include "core/validation/Tolerance.h"

#include <charconv>
#include <cmath>

namespace qv {

namespace {

std::optional<double> wholeNumber(std::string_view text)
{
    double value = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// Half a unit of the last decimal `printed` shows (0.5 for "3", 0.005 for "2.58").
double halfUnitOfLastDecimal(std::string_view printed)
{
    const auto point = printed.find('.');
    std::size_t decimals = 0;
    if (point != std::string_view::npos) {
        const auto exponent = printed.find_first_of("eE", point);
        decimals = (exponent == std::string_view::npos ? printed.size() : exponent) - point - 1;
    }
    const auto exponent = printed.find_first_of("eE");
    const double scale = exponent == std::string_view::npos
                             ? 0.0
                             : wholeNumber(printed.substr(exponent + 1)).value_or(0.0);
    // The slack covers the binary form of the printed number itself.
    return 0.5 * std::pow(10.0, scale - static_cast<double>(decimals)) * (1.0 + 1e-9);
}

} // namespace

std::string Tolerance::text() const
{
    switch (kind) {
    case ToleranceKind::Absolute:
        return "abs " + numberText(amount);
    case ToleranceKind::Relative:
        return "rel " + numberText(amount);
    case ToleranceKind::Printed:
        return "printed";
    case ToleranceKind::Exact:
        break;
    }
    return "exact";
}

std::optional<Tolerance> parseTolerance(std::string_view text)
{
    if (text == "exact") {
        return Tolerance{};
    }
    if (text == "printed") {
        return Tolerance{ToleranceKind::Printed, 0.0};
    }
    for (const auto& [word, kind] :
         {std::pair{std::string_view("abs "), ToleranceKind::Absolute},
          std::pair{std::string_view("rel "), ToleranceKind::Relative}}) {
        if (text.starts_with(word)) {
            const auto amount = wholeNumber(text.substr(word.size()));
            if (amount && *amount >= 0.0) {
                return Tolerance{kind, *amount};
            }
        }
    }
    return std::nullopt;
}

std::optional<std::string> quotedText(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        return std::string(text.substr(1, text.size() - 2));
    }
    return std::nullopt;
}

bool agrees(std::string_view expected, std::string_view obtained, const Tolerance& tolerance)
{
    if (const auto text = quotedText(expected)) {
        return tolerance.kind == ToleranceKind::Exact && *text == obtained;
    }
    const auto want = wholeNumber(expected);
    const auto got = wholeNumber(obtained);
    if (!want || !got || !std::isfinite(*got)) {
        return false;
    }
    const double difference = std::fabs(*got - *want);
    switch (tolerance.kind) {
    case ToleranceKind::Exact:
        return *got == *want;
    case ToleranceKind::Absolute:
        return difference <= tolerance.amount;
    case ToleranceKind::Relative:
        return difference <= tolerance.amount * std::fabs(*want);
    case ToleranceKind::Printed:
        return difference <= halfUnitOfLastDecimal(expected);
    }
    return false;
}

std::string numberText(double value)
{
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value == 0.0 ? 0.0 : value);
    return ec == std::errc{} ? std::string(buffer, end) : std::string("?");
}

} // namespace qv
