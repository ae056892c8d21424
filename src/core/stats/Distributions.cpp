#include "core/stats/Distributions.h"

#include "core/Errors.h"

#include <cmath>

namespace qv {

namespace {
// Below this tail probability the approximated distribution function is
// quantised too coarsely (its 1 - erf loses all digits near 1e-15) for the
// 1 % stopping test to be met; above it the walk ends within 30 steps.
constexpr double SmallestTail = 1e-12;
} // namespace

double log10(double v)
{
    if (!(v > 0.0) || std::isinf(v)) {
        raise(ErrorCode::InvalidArgument);
    }
    return std::log(v) / std::log(10.0);
}

double normalCdf(double x)
{
    const double z = x / 1.414214;
    const double t = 1.0 / (1.0 + 0.47047 * std::fabs(z));
    const double e =
        1.0 - (0.3480242 * t - 0.0958798 * (t * t) + 0.7478556 * (t * t * t)) * std::exp(-(z * z));
    const double s = x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
    return (s * e + 1.0) / 2.0;
}

double normalQuantile(double p)
{
    if (!(p >= 0.0 && p <= 1.0)) {
        raise(ErrorCode::InvalidArgument);
    }
    double q = p;
    double s = 1.0;
    if (p > 0.5) {
        q = 1.0 - p;
        s = -1.0;
    }
    if (q == 0.0) {
        // The stopping test would divide the first residual (0.5) by zero.
        raise(ErrorCode::DivisionByZero);
    }
    if (q < SmallestTail) {
        raise(ErrorCode::InvalidArgument);
    }
    // The walk's first test and step at x = 0, where NormalCdf is exactly 0.5
    // and the density's exponential exactly 1: the same numbers without the
    // two exponentials.
    if (std::fabs((0.5 - q) / q) < 0.01) {
        return s * 0.0;
    }
    double x = (q - 0.5) / 0.3989;
    for (;;) {
        const double cdf = normalCdf(x);
        if (std::fabs((cdf - q) / q) < 0.01) {
            return s * x;
        }
        x = x + (q - cdf) / (0.3989 * std::exp(-(x * x) / 2.0));
    }
}

double studentTFromGaussian(double x, int dof)
{
    const double n = dof;
    const double g1 = (std::pow(x, 3.0) + x) / 4.0;
    const double g2 = (5.0 * std::pow(x, 5.0) + 16.0 * std::pow(x, 3.0) + 3.0 * x) / 96.0;
    const double g3 =
        (3.0 * std::pow(x, 7.0) + 19.0 * std::pow(x, 5.0) + 17.0 * std::pow(x, 3.0) - 15.0 * x) /
        384.0;
    const double g4 = (79.0 * std::pow(x, 9.0) + 776.0 * std::pow(x, 7.0) +
                       1482.0 * std::pow(x, 5.0) - 1920.0 * std::pow(x, 3.0) - 945.0 * x) /
                      92160.0;
    double result = x + checkedDiv(g1, n);
    result = result + checkedDiv(g2, std::pow(n, 2.0));
    result = result + checkedDiv(g3, std::pow(n, 3.0));
    result = result + checkedDiv(g4, std::pow(n, 4.0));
    return result;
}

double studentTQuantile(double p, int dof)
{
    return studentTFromGaussian(normalQuantile(p), dof);
}

double studentTCdf(double t, int dof)
{
    if (dof < 1 || std::isnan(t)) {
        raise(ErrorCode::InvalidArgument);
    }
    // The expansion grows strictly with x for every dof >= 1 and passes 1e8 in
    // both directions within |x| <= 40, so halving this bracket finds its x.
    double low = -40.0;
    double high = 40.0;
    if (t <= studentTFromGaussian(low, dof)) {
        return 0.0;
    }
    if (t >= studentTFromGaussian(high, dof)) {
        return 1.0;
    }
    for (int i = 0; i < 100 && high - low > 1e-12; ++i) {
        const double middle = (low + high) / 2.0;
        (studentTFromGaussian(middle, dof) < t ? low : high) = middle;
    }
    return normalCdf((low + high) / 2.0);
}

} // namespace qv
