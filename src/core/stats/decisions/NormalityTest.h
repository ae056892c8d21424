#pragma once
// The Anderson-Darling test of whether a lot looks Gaussian, on the values as
// the chart plots them (value - background, or its decimal logarithm on a log
// axis), with the mean and standard deviation estimated from the same values.
// Exact Gaussian distribution function; nothing here feeds the chart.

#include <optional>
#include <span>

namespace qv {

struct NormalityTest
{
    double a2 = 0.0;         // A^2, the Anderson-Darling statistic
    double a2Adjusted = 0.0; // A*^2 = A^2 (1 + 0.75/N + 2.25/N^2), small-sample adjusted
    // Probability of an A*^2 this large from a Gaussian lot, in [0, 1]; absent
    // below NormalityPValueFrom points, where the p-value formula does not hold
    // (for the lot 1, 1, 2 it gives 0.057 where the truth is 0).
    std::optional<double> pValue;
};

inline constexpr int NormalityPValueFrom = 5;

// Tests the enabled points' plot values (any order: an unsorted span is
// sorted in a copy; sorted input, as the readers keep it, is not copied).
// z = (x - mean) / s with s of divisor N - 1, A^2 = -N - (1/N) sum over
// i = 1..N of (2i - 1)[ln Phi(z(i)) + ln(1 - Phi(z(N+1-i)))], the logarithms
// taken without underflow however far out a point lies; values of any
// magnitude are handled without overflow (they are scaled by a power of two).
// Returns nullopt, never NaN, when the test has no answer: fewer than 3
// values, a value that is NaN or infinite, or all values equal (s = 0).
[[nodiscard]] std::optional<NormalityTest> andersonDarling(std::span<const double> values);

// The p-value of an adjusted statistic A*^2 by D'Agostino and Stephens (1986):
// A*^2 >= 0.6: exp(1.2937 - 5.709 A + 0.0186 A^2); >= 0.34: exp(0.9177 -
// 4.279 A - 1.38 A^2); >= 0.2: 1 - exp(-8.318 + 42.796 A - 59.938 A^2); else
// 1 - exp(-13.436 + 101.14 A - 223.73 A^2). The first curve turns upward at
// A = 5.709 / (2 * 0.0186) = 153.47 and would exceed 1 beyond about 307, so
// from the turning point on p stays at its minimum there (about 1.6e-190)
// instead of turning back up towards "Gaussian". The result lies in [0, 1];
// a NaN argument gives 0.
[[nodiscard]] double andersonDarlingPValue(double a2Adjusted);

} // namespace qv
