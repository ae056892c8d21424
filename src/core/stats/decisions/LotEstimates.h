#pragma once
// What a lot's own estimates say about its limits, beside the verdicts: the
// fraction beyond each limit, Ppk, and the chance that the exact plan accepts
// a lot like it on both sides at once. Exact functions (Boost.Math) in plot
// units (the logarithms on a log axis); nothing here feeds the chart.

#include <optional>

namespace qv {

// The minimum-variance unbiased estimate of the fraction of a Gaussian lot
// beyond a limit from n points, their mean and sample standard deviation s:
// I_x(n/2 - 1, n/2 - 1), the regularized incomplete beta function, at
// x = 1/2 - q sqrt(n) / (2 (n - 1)) kept within 0..1, where q is the distance
// of the mean to the limit in units of s, positive on the good side. Absent
// below 3 points or for a q that is not finite.
[[nodiscard]] std::optional<double> fractionBeyondLimit(int n, double q);

// Pa of the exact plan (n points, multiplier kExact) for a lot with mean mu
// and standard deviation sigma against both limits together: the integral over
// s of P(lower + kExact s <= mean <= upper - kExact s | s) times the density of
// s, where (n - 1) s^2 / sigma^2 is chi-square with n - 1 degrees of freedom
// and s runs up to (upper - lower) / (2 kExact). In [0, 1]. n < 2, kExact or
// sigma not positive, or anything not finite raises QvError 5.
[[nodiscard]] double twoSidedAcceptance(int n, double kExact, double mu, double sigma, double lower,
                                        double upper);

// The lot's estimates against its limits (plot units; an absent limit is a
// side that is not limited, or one that has no value on a log axis).
struct LimitEstimates
{
    std::optional<double> ppk;                 // nearest limited side's distance / 3 s
    std::optional<double> fractionBeyondUpper; // MVU estimate, a fraction
    std::optional<double> fractionBeyondLower;
    std::optional<double> paBothSides; // with both limits and an exact k
};

// `upperLimited`/`lowerLimited` say which sides are limited; a limited side
// whose limit is absent leaves Ppk and its fraction absent. s must be
// positive for any estimate.
[[nodiscard]] LimitEstimates estimateAgainstLimits(int n, double mean, double s, bool upperLimited,
                                                   std::optional<double> upper, bool lowerLimited,
                                                   std::optional<double> lower,
                                                   std::optional<double> kExact);

} // namespace qv
