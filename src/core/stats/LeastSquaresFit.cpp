#include "core/stats/LeastSquaresFit.h"

#include "core/Errors.h"

#include <algorithm>
#include <cstddef>

namespace qv {

FitOutcome leastSquaresFit(const std::vector<PlotPoint>& points, int n, bool weighted)
{
    if (n < 0 || static_cast<std::size_t>(n) > points.size()) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    FitOutcome outcome;
    double w = weighted ? 0.0 : 1.0;
    double s = 0.0;
    double sx = 0.0;
    double sy = 0.0;
    double sxx = 0.0;
    double sxy = 0.0;
    double syy = 0.0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        const PlotPoint& point = points[i];
        if (weighted && point.sigma != 0.0) {
            w = checkedDiv(1.0, point.sigma * point.sigma);
        }
        const double x = point.position;
        const double y = point.value;
        s += w;
        sx += w * x;
        sy += w * y;
        sxx += x * (w * x);
        sxy += y * (w * x);
        syy += y * (w * y);
    }

    FitResult& fit = outcome.fit;
    const double delta = checkedFinite(s * sxx - sx * sx);
    fit.intercept = checkedDiv(sy * sxx - sx * sxy, delta);
    fit.slope = checkedDiv(s * sxy - sx * sy, delta);
    fit.weightSum = s;
    fit.meanPosition = checkedDiv(sx, s);
    const double dx = s * sxx - sx * sx;
    const double dy = checkedFinite(s * syy - sy * sy);
    const double c = s * sxy - sx * sy;
    fit.positionSpread = dx;
    const double residual =
        checkedDiv(checkedDiv(checkedDiv(checkedFinite(dx * dy - c * c), s), n - 2), dx);
    // The raw sums of points exactly on a line leave about -1e-16 instead of 0.
    fit.residualVariance = residual < 0.0 ? 0.0 : residual;
    return outcome;
}

std::optional<StatsMessage> zeroUncertaintyMessage(const std::vector<PlotPoint>& points, int n,
                                                   bool weighted)
{
    if (!weighted) {
        return std::nullopt;
    }
    const auto count = std::min(points.size(), static_cast<std::size_t>(std::max(n, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        if (points[i].sigma == 0.0) {
            return ZeroUncertaintyMessage;
        }
    }
    return std::nullopt;
}

double fittedValue(const FitResult& fit, double x)
{
    return fit.intercept + fit.slope * x;
}

ConfidenceCurves confidenceCurves(const FitResult& fit, int n, int confidenceLevel, double xmin,
                                  double xmax)
{
    const double p = (confidenceLevel / 100.0 + 1.0) / 2.0;
    const double t = studentTQuantile(p, n - 2);
    ConfidenceCurves curves;
    for (int i = 0; i < ConfidenceSampleCount; ++i) {
        ConfidenceSample& sample = curves[static_cast<std::size_t>(i)];
        sample.x = (xmax - xmin) * i / 100.0 + xmin;
        const double dxi = sample.x - fit.meanPosition;
        const double h = checkedSqrt((checkedDiv(dxi * dxi * fit.weightSum, fit.positionSpread) +
                                      checkedDiv(1.0, fit.weightSum)) *
                                     fit.residualVariance);
        const double line = fittedValue(fit, sample.x);
        sample.upper = line + t * h;
        sample.lower = line - t * h;
    }
    return curves;
}

} // namespace qv
