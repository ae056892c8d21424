// The lot's estimates against its limits. Reference values: SciPy 1.10.1,
//   scipy.special.betainc(n/2 - 1, n/2 - 1, x) with x = max(0, 1/2 - q sqrt(n) / (2 (n - 1)));
//   scipy.integrate.quad(f, 0, (ul - ll) / (2 k), epsabs=1e-14, epsrel=1e-12, limit=200) with
//   f(s) = chi2.pdf(nu s^2 / sig^2, nu) 2 nu s / sig^2
//          * max(norm.cdf((ul - k s - mu) / se) - norm.cdf((ll + k s - mu) / se), 0),
//   nu = n - 1, se = sig / sqrt(n).
#include "core/stats/decisions/LotEstimates.h"
#include "core/stats/decisions/LotDecision.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace qv {
namespace {

TEST(LotEstimates, TheFractionBeyondALimitIsTheIncompleteBetaEstimate)
{
    const struct
    {
        int n;
        double q;
        const char* fraction; // betainc, rounded to 12 decimals
    } rows[] = {
        {3, 0.5, "0.357450520704"}, // a = b = 0.5
        {5, 1.0, "0.163638065748"},
        {10, 2.0, "0.011711751649"},
        {30, 3.0, "0.000548555276"},
        {12, -0.5, "0.687484909622"}, // the mean beyond the limit
        {4, 5.0, "0"},                // x clipped to 0
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "n = " << row.n << ", q = " << row.q);
        const auto fraction = fractionBeyondLimit(row.n, row.q);
        ASSERT_TRUE(fraction.has_value());
        EXPECT_PRINTED(*fraction, row.fraction);
    }
    // Far on the wrong side x would pass 1: every item is beyond.
    EXPECT_EQ(fractionBeyondLimit(3, -10.0), 1.0);
    EXPECT_FALSE(fractionBeyondLimit(2, 1.0).has_value()) << "needs 3 points";
    EXPECT_FALSE(fractionBeyondLimit(5, std::numeric_limits<double>::infinity()).has_value());
}

TEST(LotEstimates, TwoSidedAcceptanceMatchesTheIntegralOverTheSpread)
{
    const struct
    {
        int n;
        double k, mu, sigma, lower, upper;
        const char* pa; // scipy.integrate.quad, rounded to 10 decimals
    } rows[] = {
        {10, 1.8, 0.3, 1.0, -2.5, 2.5, "0.7923207201"},
        {5, 2.0, 0.5, 1.0, -3.0, 3.0, "0.7707234977"},
        {2, 3.0, 0.0, 1.0, -2.0, 2.0, "0.3649166344"}, // the density of s at 0 is finite
        {30, 1.657, 10.0, 2.0, 6.0, 14.0, "0.8100304624"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "n = " << r.n);
        EXPECT_PRINTED(twoSidedAcceptance(r.n, r.k, r.mu, r.sigma, r.lower, r.upper), r.pa);
    }
    // Limits too close for any s: never accepted.
    EXPECT_EQ(twoSidedAcceptance(10, 2.0, 0.0, 1.0, 1.0, 1.0), 0.0);
    EXPECT_THROW((void)twoSidedAcceptance(10, 0.0, 0.0, 1.0, -1.0, 1.0), QvError);
    EXPECT_THROW((void)twoSidedAcceptance(1, 2.0, 0.0, 1.0, -1.0, 1.0), QvError);
}

TEST(LotEstimates, PpkTakesTheNearerLimitedSideAndNeedsEveryLimitedSidesLimit)
{
    // n 5, mean 3, s 1.5811388300841898; UL 5 is 2 away, LL 0 is 3 away.
    const double s = 1.5811388300841898;
    const LimitEstimates both = estimateAgainstLimits(5, 3.0, s, true, 5.0, true, 0.0, 2.742);
    EXPECT_PRINTED(*both.ppk, "0.421637021356");                 // 2 / (3 s)
    EXPECT_PRINTED(*both.fractionBeyondUpper, "0.090845056908"); // betainc(1.5, 1.5, 0.146447)
    EXPECT_EQ(both.fractionBeyondLower, 0.0);                    // x clipped to 0
    EXPECT_TRUE(both.paBothSides.has_value());

    const LimitEstimates lowerOnly = estimateAgainstLimits(5, 3.0, s, false, 5.0, true, 0.0, 2.742);
    EXPECT_PRINTED(*lowerOnly.ppk, "0.632455532"); // 3 / (3 s)
    EXPECT_FALSE(lowerOnly.fractionBeyondUpper.has_value());
    EXPECT_FALSE(lowerOnly.paBothSides.has_value()) << "one limit: the one-sided OC curve";

    // A limited side without a usable limit (0 or less on a log axis).
    const LimitEstimates noLower = estimateAgainstLimits(5, 3.0, s, true, 5.0, true, {}, 2.742);
    EXPECT_FALSE(noLower.ppk.has_value());
    EXPECT_FALSE(noLower.fractionBeyondLower.has_value());
    EXPECT_TRUE(noLower.fractionBeyondUpper.has_value());
    // All values equal: no spread, no estimate.
    const LimitEstimates flat = estimateAgainstLimits(5, 3.0, 0.0, true, 5.0, false, {}, {});
    EXPECT_FALSE(flat.ppk.has_value());
    EXPECT_FALSE(flat.fractionBeyondUpper.has_value());
}

TEST(LotEstimates, OnALogAxisTheEstimatesAreThoseOfTheLogarithms)
{
    // Plot values log10 of 10, 100, 1000: mean 2, s 1. UL 100000 (log 5) is 3 away,
    // LL 1 (log 0) 2 away: Ppk 2/3.
    const std::vector<double> logs{1.0, 2.0, 3.0};
    DecisionSettings settings;
    settings.axis = ValueScale::Log;
    settings.sides = LimitSides::Both;
    settings.upperLimit = 100000.0;
    settings.lowerLimit = 1.0;
    const LotDecision decision = decideLot(logs, std::nullopt, settings);
    ASSERT_TRUE(decision.verdict.has_value());
    EXPECT_PRINTED(*decision.verdict->estimates.ppk, "0.666666666667");
    // 10^(2 - 4.25816493670642): k_exact for N 3 at CR 0.1, LTPD 10 % (mpmath 1.3.0).
    EXPECT_PRINTED(*decision.tsLowerExact, "0.005518678106774");
    EXPECT_EQ(decision.verdict->acceptedExact, false); // 0.0055 < LL 1

    // A lower limit of 0 has no logarithm: no Ppk, no lower fraction, and no guess.
    settings.lowerLimit = 0.0;
    const LotDecision zero = decideLot(logs, std::nullopt, settings);
    EXPECT_FALSE(zero.verdict->estimates.ppk.has_value());
    EXPECT_FALSE(zero.verdict->estimates.fractionBeyondLower.has_value());
}

TEST(LotEstimates, ALowerSideAcceptsAtEqualityAndRejectsBelow)
{
    EXPECT_TRUE(lotAcceptedLower(2.45, 2.45));
    EXPECT_TRUE(lotAcceptedLower(2.46, 2.45));
    EXPECT_FALSE(lotAcceptedLower(2.44, 2.45));
    EXPECT_FALSE(lotAcceptedLower(std::nan(""), 2.45));
}

} // namespace
} // namespace qv
