#pragma once
// The exact single sampling plan by variables (upper limit, unknown sigma): the
// acceptance multiplier k from the noncentral t distribution, the plan's
// operating characteristic (OC) curve and the verdict. These are exact
// functions beside the chart's written approximation of k; nothing here feeds
// the chart. Risks and fractions defective are fractions (0.1 for 10 %).

#include "core/stats/StatisticsPass.h"

#include <array>

namespace qv {

// The nominal risks of the consumer's-risk and LTPD buttons, indexed like the
// option groups plotOpts.CR ("0.16", "0.1", "0.05", "0.01") and plotOpts.LTPD
// ("16%", "10%", "5%", "1%").
inline constexpr int RiskChoiceCount = 4;
inline constexpr std::array<double, RiskChoiceCount> NominalConsumerRisks{0.16, 0.10, 0.05, 0.01};
inline constexpr std::array<double, RiskChoiceCount> NominalLtpds{0.16, 0.10, 0.05, 0.01};

// The entry for a selected button; an index outside 0..3 (-1: none selected)
// raises QvError 9.
double nominalConsumerRisk(int crIndex);
double nominalLtpd(int ltpdIndex);

// k_exact = t'^-1(1 - consumerRisk; nu = n - 1, delta = z(1 - ltpd) sqrt(n)) / sqrt(n),
// t' the noncentral t distribution: a lot of n points with fraction defective
// ltpd passes mean + k s <= UL with probability consumerRisk.
// Errors (QvError): n < 2, or a risk that is not strictly between 0 and 1,
// raises 5; a k whose plan does not give the consumer's risk at the LTPD to
// 1e-6 of it (a quantile the library cannot reach) raises 6. Never NaN.
[[nodiscard]] double exactK(int n, double consumerRisk, double ltpd);

// Probability of acceptance Pa(p) = P(T' >= k sqrt(n)), T' noncentral t with
// nu = n - 1 and delta = z(1 - p) sqrt(n): the chance that a lot with
// fraction defective p passes mean + k s <= UL. In [0, 1]; p <= 0 gives
// exactly 1 and p >= 1 exactly 0 (the limits). n < 2, a k that is not finite,
// or a NaN p raises QvError 5.
[[nodiscard]] double acceptanceProbability(int n, double k, double fractionDefective);

// The OC curve of a plan at p = ltpd * i / 10 for i = 1..30; point 10 lies
// exactly at ltpd, where Pa equals the consumer's risk of an exact k.
inline constexpr int OcPointCount = 30;
struct OcCurve
{
    std::array<double, OcPointCount> fractionDefective{};
    std::array<double, OcPointCount> probabilityOfAcceptance{};
};

// Errors as for acceptanceProbability, and an ltpd not strictly between 0 and
// 1 raises QvError 5. (With ltpd above 1/3 the points at p >= 1 get Pa = 0.)
[[nodiscard]] OcCurve ocCurve(int n, double kExact, double ltpd);

// The test statistic with k_exact in place of the written k, from the mean
// and sample standard deviation of the lot's plot values: mean + kExact * sigma
// on a linear axis; on a log axis (plot values are decimal logarithms) the lot
// is taken as log-normal and Ts is 10^(mean + kExact * sigma). Data units less
// the background either way. A result beyond the largest double raises QvError 6.
[[nodiscard]] double tsExact(double mean, double sigma, double kExact, ValueScale scale);

// The verdict of the test: a lot is accepted when ts <= upperLimit (equality
// accepts). A NaN on either side rejects.
[[nodiscard]] bool lotAccepted(double ts, double upperLimit);
// The lower side's verdict: accepted when tsLower >= lowerLimit (equality
// accepts). A NaN on either side rejects.
[[nodiscard]] bool lotAcceptedLower(double tsLower, double lowerLimit);

} // namespace qv
