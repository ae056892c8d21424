#pragma once
// How near an obtained value must come to a case's expected value.

#include <optional>
#include <string>
#include <string_view>

namespace qv {

enum class ToleranceKind
{
    Exact,    // texts identical; numbers equal
    Absolute, // |obtained - expected| <= amount
    Relative, // |obtained - expected| <= amount * |expected|
    Printed,  // within half a unit of the expected number's last printed decimal
};

struct Tolerance
{
    ToleranceKind kind = ToleranceKind::Exact;
    double amount = 0.0; // Absolute and Relative only

    // The tolerance as the corpus writes it: "exact", "abs 1e-9", "rel 1e-6", "printed".
    std::string text() const;
};

// Reads "exact", "abs X", "rel X" or "printed" (X a number of 0 or more);
// nothing for any other text.
[[nodiscard]] std::optional<Tolerance> parseTolerance(std::string_view text);

// Whether `obtained` agrees with `expected` within `tolerance`. Expected texts
// written in double quotes compare as texts (Exact only); otherwise both must
// read wholly as numbers, and an obtained text that is no number disagrees.
[[nodiscard]] bool agrees(std::string_view expected, std::string_view obtained,
                          const Tolerance& tolerance);

// A number as the corpus and the reports write it: the shortest text that reads
// back to the same double.
[[nodiscard]] std::string numberText(double value);

// `text` without one pair of enclosing double quotes; nothing when it has none.
[[nodiscard]] std::optional<std::string> quotedText(std::string_view text);

} // namespace qv
