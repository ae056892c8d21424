#pragma once
// Least-squares line through a set's points in chart coordinates (plotted
// value against plotting position) and the confidence curves around it.

#include "core/stats/StatisticsPass.h"
#include "core/stats/StatsMessages.h"

#include <array>
#include <optional>
#include <vector>

namespace qv {

// The fitted line y = intercept + slope * x (plot units against quantile
// units) and the quantities of its confidence band.
struct FitResult
{
    double intercept = 0.0;        // a: y at x = 0
    double slope = 0.0;            // b: change of y per quantile unit
    double weightSum = 0.0;        // S = sum of w
    double meanPosition = 0.0;     // weighted mean of x
    double positionSpread = 0.0;   // Dx = S * sum(w x^2) - (sum(w x))^2
    double residualVariance = 0.0; // weighted residual sum of squares / (N - 2)
};

struct FitOutcome
{
    FitResult fit;
};

// The message a weighted fit of the first n points has for its caller to show,
// once, before the fit is made: ZeroUncertaintyMessage when any of them has
// sigma 0; nothing for an unweighted fit or when every sigma is set.
std::optional<StatsMessage> zeroUncertaintyMessage(const std::vector<PlotPoint>& points, int n,
                                                   bool weighted);

// Fits the first n entries of points with weight 1 each, or with weight
// 1 / sigma^2 when weighted. A point with sigma 0 in a weighted fit keeps the
// weight of the point before it (0 for the first point), so it still counts
// with the neighbouring uncertainty. The residual variance is the weighted sum
// of the squared residuals from the line / (N - 2), never negative.
// Errors (QvError): n = 2 divides by N - 2 = 0 in the residual variance (6 for
// the 0 / 0 of two exact points, 11 when rounding leaves a residual), n < 2 or every weight 0 gives
// 0/0 (6), a sigma so small that its square is 0 divides by zero (11), n > points.size() raises 9.
FitOutcome leastSquaresFit(const std::vector<PlotPoint>& points, int n, bool weighted);

// y of the fitted line at position x.
double fittedValue(const FitResult& fit, double x);

// One sample of the confidence band: the line at x plus and minus t * h, where
// h is the standard error of the line's mean response at x.
struct ConfidenceSample
{
    double x = 0.0;
    double upper = 0.0;
    double lower = 0.0;
};

inline constexpr int ConfidenceSampleCount = 101;
using ConfidenceCurves = std::array<ConfidenceSample, ConfidenceSampleCount>;

// The band at 101 evenly spaced positions from xmin to xmax (both included) for
// a two-sided confidence level of 90, 95 or 99 percent, with Student's t of
// n - 2 degrees of freedom at (level / 100 + 1) / 2 (level 0, "None", has no
// band: the caller draws the line alone). n = 2 raises QvError 11; a negative
// residual variance (never given by leastSquaresFit) raises QvError 5.
ConfidenceCurves confidenceCurves(const FitResult& fit, int n, int confidenceLevel, double xmin,
                                  double xmax);

} // namespace qv
