#include "core/stats/decisions/PlanDesign.h"

#include "core/Errors.h"
#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/ExactPolicy.h"

#include <algorithm>
#include <boost/math/distributions/normal.hpp>
#include <cmath>

namespace qv {

namespace {

using Gaussian = boost::math::normal_distribution<double, ExactPolicy>;

bool isFraction(double p)
{
    return p > 0.0 && p < 1.0;
}

bool isRisk(double r)
{
    return r > 0.0 && r < 0.5;
}

// z(1 - p), taken from the upper tail so a small p keeps its digits.
double upperQuantile(double p)
{
    return boost::math::quantile(boost::math::complement(Gaussian(), p));
}

// The plan of n items whose k gives the consumer's risk at the LTPD.
DesignedPlan planOfSize(const PlanRequirements& r, PlanMethod method, int n)
{
    DesignedPlan plan;
    plan.n = n;
    plan.k = method == PlanMethod::SMethod
                 ? exactK(n, r.consumerRisk, r.ltpd)
                 // Phi((z_L - k) sqrt(n)) = beta solved for k.
                 : upperQuantile(r.ltpd) +
                       upperQuantile(r.consumerRisk) / std::sqrt(static_cast<double>(n));
    plan.paAtAql = planAcceptanceProbability(method, n, plan.k, r.aql);
    plan.paAtLtpd = planAcceptanceProbability(method, n, plan.k, r.ltpd);
    return plan;
}

bool meetsProducerRisk(const PlanRequirements& r, const DesignedPlan& plan)
{
    return plan.paAtAql >= 1.0 - r.producerRisk;
}

} // namespace

std::optional<PlanRequirementsFault> planRequirementsFault(const PlanRequirements& r)
{
    using enum PlanRequirement;
    if (!isFraction(r.aql)) {
        return PlanRequirementsFault{Aql, "The AQL must lie strictly between 0 and 1 (100 %)."};
    }
    if (!isFraction(r.ltpd)) {
        return PlanRequirementsFault{Ltpd, "The LTPD must lie strictly between 0 and 1 (100 %)."};
    }
    if (!isRisk(r.producerRisk)) {
        return PlanRequirementsFault{
            ProducerRisk,
            "The producer's risk (alpha) must lie strictly between 0 and 0.5 (50 %)."};
    }
    if (!isRisk(r.consumerRisk)) {
        return PlanRequirementsFault{
            ConsumerRisk,
            "The consumer's risk (beta) must lie strictly between 0 and 0.5 (50 %)."};
    }
    if (!(r.aql < r.ltpd)) {
        return PlanRequirementsFault{Aql, "The AQL must be below the LTPD."};
    }
    return std::nullopt;
}

double knownSigmaAcceptanceProbability(int n, double k, double fractionDefective)
{
    if (n < 1 || !std::isfinite(k) || std::isnan(fractionDefective)) {
        raise(ErrorCode::InvalidArgument);
    }
    if (fractionDefective <= 0.0) {
        return 1.0;
    }
    if (fractionDefective >= 1.0) {
        return 0.0;
    }
    const double x = (upperQuantile(fractionDefective) - k) * std::sqrt(static_cast<double>(n));
    return std::clamp(boost::math::cdf(Gaussian(), x), 0.0, 1.0);
}

double planAcceptanceProbability(PlanMethod method, int n, double k, double fractionDefective)
{
    return method == PlanMethod::SMethod
               ? acceptanceProbability(n, k, fractionDefective)
               : knownSigmaAcceptanceProbability(n, k, fractionDefective);
}

std::optional<DesignedPlan> designPlan(const PlanRequirements& r, PlanMethod method)
{
    if (planRequirementsFault(r)) {
        raise(ErrorCode::InvalidArgument);
    }
    // Pa at the AQL grows with n once k holds Pa at the LTPD, so the smallest
    // n is bracketed by doubling and then found by halving the bracket.
    int failing = method == PlanMethod::SMethod ? 1 : 0;
    int meeting = failing + 1;
    std::optional<DesignedPlan> best;
    for (;;) {
        DesignedPlan plan = planOfSize(r, method, meeting);
        if (meetsProducerRisk(r, plan)) {
            best = plan;
            break;
        }
        if (meeting == MaxDesignSampleSize) {
            return std::nullopt;
        }
        failing = meeting;
        meeting = std::min(2 * meeting, MaxDesignSampleSize);
    }
    while (meeting - failing > 1) {
        const int middle = failing + (meeting - failing) / 2;
        DesignedPlan plan = planOfSize(r, method, middle);
        if (meetsProducerRisk(r, plan)) {
            meeting = middle;
            best = plan;
        } else {
            failing = middle;
        }
    }
    return best;
}

} // namespace qv
