#pragma once
// Designing a single sampling plan by variables (upper limit) from the two
// points its OC curve must pass: the AQL, accepted with probability at least
// 1 - producer's risk, and the LTPD, accepted with probability exactly the
// consumer's risk. Two plans are designed: the s-method (sigma estimated from
// the sample, the noncentral t of ExactPlan) and the sigma-method (sigma
// known, accept when mean + k sigma <= UL). Exact functions (Boost.Math);
// nothing here feeds the chart. Fractions throughout (0.01 for 1 %).

#include <optional>
#include <string>

namespace qv {

// The largest sample size a design tries; beyond it no plan is given.
inline constexpr int MaxDesignSampleSize = 100000;

struct PlanRequirements
{
    double aql = 0.0;          // fraction defective to accept
    double producerRisk = 0.0; // alpha: the chance of rejecting a lot at the AQL
    double ltpd = 0.0;         // fraction defective to reject
    double consumerRisk = 0.0; // beta: the chance of accepting a lot at the LTPD
};

enum class PlanRequirement
{
    Aql,
    ProducerRisk,
    Ltpd,
    ConsumerRisk,
};

struct PlanRequirementsFault
{
    PlanRequirement requirement; // the one to correct
    std::string text;            // a sentence naming it
};

// What is wrong with the requirements: the first faulty one and a sentence
// naming it ("The AQL must be below the LTPD."), or nothing when a plan can
// be designed from them: the AQL and the LTPD strictly between 0 and 1, the
// AQL below the LTPD, both risks strictly between 0 and 0.5. NaN is always
// faulty.
std::optional<PlanRequirementsFault> planRequirementsFault(const PlanRequirements& r);

enum class PlanMethod
{
    SMethod,     // sigma estimated by the sample standard deviation
    SigmaMethod, // sigma known
};

struct DesignedPlan
{
    int n = 0;
    double k = 0.0;         // accept when mean + k * (s or sigma) <= UL
    double paAtAql = 0.0;   // at least 1 - producer's risk
    double paAtLtpd = 0.0;  // the consumer's risk, to the library's precision
};

// Pa(p) of the sigma-method plan (n, k): Phi((z(1 - p) - k) sqrt(n)), the
// chance that a lot with fraction defective p passes mean + k sigma <= UL.
// In [0, 1]; p <= 0 gives exactly 1 and p >= 1 exactly 0. n < 1, a k that is
// not finite or a NaN p raises QvError 5.
[[nodiscard]] double knownSigmaAcceptanceProbability(int n, double k, double fractionDefective);

// Pa(p) of the plan designed by `method`: knownSigmaAcceptanceProbability or
// ExactPlan's acceptanceProbability. Errors as theirs.
[[nodiscard]] double planAcceptanceProbability(PlanMethod method, int n, double k,
                                               double fractionDefective);

// The smallest n (at most MaxDesignSampleSize; 2 or more for the s-method)
// whose plan, with k set so that Pa(LTPD) is the consumer's risk, gives
// Pa(AQL) >= 1 - producer's risk; nothing when no such n is within the cap.
// Faulty requirements (planRequirementsFault) raise QvError 5; a quantile
// the library cannot reach raises QvError 6.
[[nodiscard]] std::optional<DesignedPlan> designPlan(const PlanRequirements& r,
                                                     PlanMethod method);

} // namespace qv
