#include "core/stats/LeastSquaresFit.h"

#include "core/Errors.h"

#include <algorithm>
#include <cstddef>

namespace qv {

namespace {

// The weight of each point in turn: 1 unweighted; 1 / sigma^2 weighted, where
// a point with sigma 0 keeps the weight of the point before it.
class Weights
{
public:
    explicit Weights(bool weighted) : m_weighted(weighted), m_w(weighted ? 0.0 : 1.0) {}
    double next(const PlotPoint& point)
    {
        if (m_weighted && point.sigma != 0.0) {
            m_w = checkedDiv(1.0, point.sigma * point.sigma);
        }
        return m_w;
    }

private:
    bool m_weighted;
    double m_w;
};

} // namespace

FitOutcome leastSquaresFit(const std::vector<PlotPoint>& points, int n, bool weighted)
{
    if (n < 0 || static_cast<std::size_t>(n) > points.size()) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    const auto count = static_cast<std::size_t>(n);
    FitOutcome outcome;
    Weights weights(weighted);
    double s = 0.0;
    double sx = 0.0;
    double sy = 0.0;
    double sxx = 0.0;
    double sxy = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double w = weights.next(points[i]);
        const double x = points[i].position;
        const double y = points[i].value;
        s += w;
        sx += w * x;
        sy += w * y;
        sxx += x * (w * x);
        sxy += y * (w * x);
    }

    FitResult& fit = outcome.fit;
    const double delta = checkedFinite(s * sxx - sx * sx);
    fit.intercept = checkedDiv(sy * sxx - sx * sxy, delta);
    fit.slope = checkedDiv(s * sxy - sx * sy, delta);
    fit.weightSum = s;
    fit.meanPosition = checkedDiv(sx, s);
    fit.positionSpread = delta;
    // The residuals themselves, not S Syy - Sy^2 and its kin: those raw sums
    // cancel to noise when the values sit far from zero.
    Weights again(weighted);
    double squares = 0.0;
    for (std::size_t i = 0; i < count; ++i) {
        const double r = points[i].value - fittedValue(fit, points[i].position);
        squares += again.next(points[i]) * r * r;
    }
    fit.residualVariance = checkedDiv(checkedFinite(squares), n - 2);
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
