#include "core/stats/decisions/ExactPlan.h"

#include "core/Errors.h"
#include "core/stats/decisions/ExactPolicy.h"

#include <algorithm>
#include <boost/math/distributions/non_central_t.hpp>
#include <boost/math/distributions/normal.hpp>
#include <cmath>
#include <cstddef>

namespace qv {
namespace {

using NoncentralT = boost::math::non_central_t_distribution<double, ExactPolicy>;
using Gaussian = boost::math::normal_distribution<double, ExactPolicy>;

bool isRisk(double r)
{
    return r > 0.0 && r < 1.0;
}

double riskAt(const std::array<double, RiskChoiceCount>& risks, int index)
{
    if (index < 0 || index >= RiskChoiceCount) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return risks[static_cast<std::size_t>(index)];
}

// z(1 - p), the Gaussian quantile above which a fraction p lies, for 0 < p < 1;
// taken from the upper tail directly so small p keeps its digits.
double upperQuantile(double p)
{
    return boost::math::quantile(boost::math::complement(Gaussian(), p));
}

} // namespace

double nominalConsumerRisk(int crIndex)
{
    return riskAt(NominalConsumerRisks, crIndex);
}

double nominalLtpd(int ltpdIndex)
{
    return riskAt(NominalLtpds, ltpdIndex);
}

double exactK(int n, double consumerRisk, double ltpd)
{
    if (n < 2 || !isRisk(consumerRisk) || !isRisk(ltpd)) {
        raise(ErrorCode::InvalidArgument);
    }
    const double rootN = std::sqrt(static_cast<double>(n));
    const NoncentralT t(static_cast<double>(n - 1), upperQuantile(ltpd) * rootN);
    // The upper quantile of the consumer's risk, not the lower one of
    // 1 - risk, so a small risk is not rounded away.
    const double tk = boost::math::quantile(boost::math::complement(t, consumerRisk));
    // The library's root search stops near 1e154, so an absurdly small risk
    // (below about 1e-150 for two points) would come back short without a
    // word: the plan must really give the consumer's risk at the LTPD.
    const double pa = boost::math::cdf(boost::math::complement(t, checkedFinite(tk)));
    if (!(std::fabs(pa - consumerRisk) <= 1e-6 * consumerRisk)) {
        raise(ErrorCode::Overflow);
    }
    return tk / rootN;
}

double acceptanceProbability(int n, double k, double fractionDefective)
{
    if (n < 2 || !std::isfinite(k) || std::isnan(fractionDefective)) {
        raise(ErrorCode::InvalidArgument);
    }
    if (fractionDefective <= 0.0) {
        return 1.0;
    }
    if (fractionDefective >= 1.0) {
        return 0.0;
    }
    const double rootN = std::sqrt(static_cast<double>(n));
    const NoncentralT t(static_cast<double>(n - 1), upperQuantile(fractionDefective) * rootN);
    const double pa = boost::math::cdf(boost::math::complement(t, k * rootN));
    return std::clamp(checkedFinite(pa), 0.0, 1.0);
}

OcCurve ocCurve(int n, double kExact, double ltpd)
{
    if (!isRisk(ltpd)) {
        raise(ErrorCode::InvalidArgument);
    }
    OcCurve curve;
    for (std::size_t i = 0; i < curve.fractionDefective.size(); ++i) {
        // i + 1 = 10 multiplies by exactly 1, so that point is ltpd itself.
        const double p = ltpd * (static_cast<double>(i + 1) / 10.0);
        curve.fractionDefective[i] = p;
        curve.probabilityOfAcceptance[i] = acceptanceProbability(n, kExact, p);
    }
    return curve;
}

double tsExact(double mean, double sigma, double kExact, ValueScale scale)
{
    const double ts = checkedFinite(mean + kExact * sigma);
    return scale == ValueScale::Log ? checkedFinite(std::pow(10.0, ts)) : ts;
}

bool lotAccepted(double ts, double upperLimit)
{
    return ts <= upperLimit;
}

bool lotAcceptedLower(double tsLower, double lowerLimit)
{
    return tsLower >= lowerLimit;
}

} // namespace qv
