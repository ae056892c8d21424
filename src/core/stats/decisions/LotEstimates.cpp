#include "core/stats/decisions/LotEstimates.h"

#include "core/Errors.h"
#include "core/stats/decisions/ExactPolicy.h"

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/quadrature/gauss_kronrod.hpp>
#include <boost/math/special_functions/beta.hpp>
#include <cmath>

namespace qv {

namespace {

using ChiSquared = boost::math::chi_squared_distribution<double, ExactPolicy>;
using Gaussian = boost::math::normal_distribution<double, ExactPolicy>;

bool allFinite(std::initializer_list<double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

std::optional<double> fractionBeyondLimit(int n, double q)
{
    if (n < 3 || !std::isfinite(q)) {
        return std::nullopt;
    }
    const double m = static_cast<double>(n);
    const double x = std::clamp(0.5 - q * std::sqrt(m) / (2.0 * (m - 1.0)), 0.0, 1.0);
    const double a = m / 2.0 - 1.0;
    try {
        return boost::math::ibeta(a, a, x, ExactPolicy());
    } catch (const QvError&) {
        return std::nullopt;
    }
}

double twoSidedAcceptance(int n, double kExact, double mu, double sigma, double lower, double upper)
{
    if (n < 2 || !(kExact > 0.0) || !(sigma > 0.0) ||
        !allFinite({kExact, mu, sigma, lower, upper})) {
        raise(ErrorCode::InvalidArgument);
    }
    const double sMax = (upper - lower) / (2.0 * kExact);
    if (!(sMax > 0.0)) {
        return 0.0;
    }
    const double nu = static_cast<double>(n - 1);
    const double meanSpread = sigma / std::sqrt(static_cast<double>(n));
    const ChiSquared chi(nu);
    const Gaussian gauss;
    // The density of s from that of u = nu s^2 / sigma^2: f(s) = chi(u) 2 nu s / sigma^2,
    // finite at s = 0 for every nu, so the plain adaptive rule needs no care at the ends.
    const auto integrand = [&](double s) {
        const double u = nu * s * s / (sigma * sigma);
        const double density = boost::math::pdf(chi, u) * 2.0 * nu * s / (sigma * sigma);
        const double high = boost::math::cdf(gauss, (upper - kExact * s - mu) / meanSpread);
        const double low = boost::math::cdf(gauss, (lower + kExact * s - mu) / meanSpread);
        return density * std::max(high - low, 0.0);
    };
    // The density of s is negligible beyond 20 sigma for any n of a lot.
    const double end = std::min(sMax, 20.0 * sigma);
    const double pa = boost::math::quadrature::gauss_kronrod<double, 61>::integrate(integrand, 0.0,
                                                                                    end, 15, 1e-12);
    return std::clamp(checkedFinite(pa), 0.0, 1.0);
}

LimitEstimates estimateAgainstLimits(int n, double mean, double s, bool upperLimited,
                                     std::optional<double> upper, bool lowerLimited,
                                     std::optional<double> lower, std::optional<double> kExact)
{
    LimitEstimates out;
    if (!(s > 0.0) || !std::isfinite(s) || !std::isfinite(mean)) {
        return out;
    }
    std::optional<double> nearest;
    bool complete = true;
    const auto side = [&](bool limited, std::optional<double> limit, double sign,
                          std::optional<double>& fraction) {
        if (!limited) {
            return;
        }
        if (!limit) {
            complete = false;
            return;
        }
        const double q = sign * (*limit - mean) / s;
        fraction = fractionBeyondLimit(n, q);
        nearest = nearest ? std::min(*nearest, q) : q;
    };
    side(upperLimited, upper, 1.0, out.fractionBeyondUpper);
    side(lowerLimited, lower, -1.0, out.fractionBeyondLower);
    if (complete && nearest && std::isfinite(*nearest)) {
        out.ppk = *nearest / 3.0;
    }
    if (upperLimited && lowerLimited && upper && lower && kExact) {
        try {
            out.paBothSides = twoSidedAcceptance(n, *kExact, mean, s, *lower, *upper);
        } catch (const QvError&) {
            // An integral the library cannot give leaves Pa absent.
        }
    }
    return out;
}

} // namespace qv
