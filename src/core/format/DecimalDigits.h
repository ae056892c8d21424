#pragma once
// A finite double as its decimal digits, rounded to at most 15 significant
// digits: the form in which the chart's number texts see a number, so that
// binary noise such as 0.9 * 100 = 90.00000000000001 never shows.

#include <array>

namespace qv {

struct DecimalDigits
{
    static constexpr int MaxDigits = 15;
    // Significant digits as values 0..9, no trailing zeros; count 0 means the number is zero.
    std::array<char, MaxDigits + 1> digits{};
    int count = 0;
    int exponent = 0; // value = d0.d1d2... * 10^exponent
    bool negative = false;

    // Parses x (which must be finite) into at most 15 significant digits,
    // rounded to nearest. -0 reads as 0.
    static DecimalDigits of(double x);

    // Rounds, halves away from zero, so that no digit stays below 10^-decimals.
    // May carry into a new leading digit; rounding everything away gives zero.
    void roundToDecimals(int decimals);
    // Rounds, halves away from zero, to at most significant digits (>= 1).
    void roundToSignificant(int significant);
    // Moves the decimal point: multiplies by 10^places exactly.
    void shift(int places) { exponent += places; }

    bool isZero() const { return count == 0; }
    // Digit at the place of 10^power (0 outside the stored digits).
    int digitAt(int power) const;

private:
    void keepDigits(int keep);
};

} // namespace qv
