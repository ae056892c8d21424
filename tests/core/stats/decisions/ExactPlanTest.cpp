// The lot decisions' numbers: the normality test, the exact k, the OC curve and the
// verdict against independent values. Reference values:
// - A^2 and p: R 4.2.2 nortest ad.test (below 8 points and for large lots the same
//   formula in R with pnorm(log.p = TRUE)).
// - k_exact and Pa: mpmath at 40 digits, integrating P(T' >= t) =
//   E[Phi(delta - t sqrt(V/nu))], V ~ chi^2(nu), solving Pa(k) = CR with findroot.
#include "core/stats/StatisticsPass.h"
#include "core/stats/decisions/ExactPlan.h"
#include "core/stats/decisions/NormalityTest.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <tuple>
#include <vector>

namespace qv {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

std::vector<double> mapped(std::vector<double> v, double (*f)(double))
{
    std::ranges::transform(v, v.begin(), f);
    return v;
}

TEST(NormalityTest, MatchesIndependentValuesInEveryBranchOrGivesNoAnswer)
{
    const std::vector<double> gaussian = {9.37,  9.38,  9.46,  9.82,  9.83,  9.93,  10.01, 10.08,
                                          10.13, 10.24, 10.43, 10.45, 10.55, 10.73, 10.92};
    const std::vector<double> lognormal = {4.6, 5.4, 8.5, 9.1, 9.5, 11, 11.4, 16.3, 29.9, 39.4};
    std::vector<double> outlier = {-1e4}; // 44.7 sigma out, where erfc underflows
    for (int i = 0; i < 1999; ++i) {
        outlier.push_back(-1.0 + 2.0 * i / 1998.0);
    }
    // Each row: the values, then A^2, the adjusted A*^2 and p.
    using Row = std::tuple<const char*, std::vector<double>, const char*, const char*, const char*>;
    const Row rows[] = {
        {"Gaussian-looking", gaussian, "0.1863235172", "0.1975029282", "0.8878234076"},
        {"near Gaussian",
         {47.7, 48.2, 49.5, 49.7, 49.8, 50.3, 50.4, 50.8, 51.4, 52, 53.2, 54},
         "0.2041249591",
         "0.2200722215",
         "0.8351457284"},
        {"lognormal on a log axis", mapped(lognormal, [](double v) { return std::log10(v); }),
         "0.3469376179", "0.3807640357", "0.4018552078"},
        {"lognormal on a linear axis", lognormal, "0.9927992743", "1.0895972035", "0.0074114580"},
        // Below 5 points the p formula does not hold (for 1, 1, 2 it would say 0.057
        // where the truth is 0): A^2 only, by R 4.2.2 with pnorm(log.p = TRUE).
        {"three points", {1, 2, 4}, "0.2296454367", "0.3444681551", nullptr},
        {"three points, two equal", {1, 1, 2}, "0.4877667359", "0.7316501038", nullptr},
        {"four points", {1, 2, 3, 4}, "0.1592009364", "0.2114387437", nullptr},
        {"far outlier", outlier, "767.5578064630", "767.8460723917", "0.0000000000"},
    };
    for (const auto& [what, values, a2, a2Adjusted, p] : rows) {
        SCOPED_TRACE(what);
        const auto test = andersonDarling(values);
        ASSERT_TRUE(test.has_value());
        EXPECT_PRINTED(test->a2, a2);
        EXPECT_PRINTED(test->a2Adjusted, a2Adjusted);
        EXPECT_EQ(test->pValue.has_value(), p != nullptr);
        if (p) {
            EXPECT_PRINTED(*test->pValue, p);
        }
    }
    // No answer without spread or for bad values.
    const std::vector<double> bad[] = {
        {},           {1},         {1, 2},
        {5, 5, 5, 5}, {1, NaN, 3}, {1, 2, std::numeric_limits<double>::infinity()}};
    for (const auto& values : bad) {
        EXPECT_FALSE(andersonDarling(values).has_value()) << values.size();
    }
}

TEST(NormalityTest, AGrosslyNonGaussianLotNeverLooksGaussian)
{
    // 100000 evenly spread points; the published p curve gives exp(16649) there.
    std::vector<double> uniform(100000);
    for (std::size_t i = 0; i < uniform.size(); ++i) {
        uniform[i] = (static_cast<double>(i) + 0.5) / 100000.0;
    }
    const auto test = andersonDarling(uniform);
    ASSERT_TRUE(test.has_value());
    EXPECT_PRINTED(test->a2, "1111.9033844904");
    EXPECT_LT(test->pValue.value_or(1.0), 1e-100);
    double previous = 1.0; // from the last branch on p only falls
    for (double a = 0.6; a < 1e6; a *= 1.01) {
        EXPECT_LE(andersonDarlingPValue(a), previous) << "A*^2 = " << a;
        previous = andersonDarlingPValue(a);
    }
    EXPECT_EQ(andersonDarlingPValue(NaN), 0.0);
}

TEST(ExactK, MatchesIndependentValuesAndPublishedTables)
{
    // (5, 0.1, 0.1) and (43, 0.01, 0.1) agree with the published one-sided tolerance
    // factors 2.742 and 1.8740.
    const std::tuple<int, double, double, const char*> rows[] = {
        {2, 0.10, 0.10, "10.2527140279"},   {2, 0.01, 0.01, "185.6169586032"},
        {3, 0.05, 0.05, "7.6559001332"},    {5, 0.10, 0.10, "2.7423482030"},
        {20, 0.05, 0.01, "3.2951569362"},   {43, 0.01, 0.10, "1.8739536059"},
        {1000, 0.10, 0.10, "1.3376452052"}, {100000, 0.01, 0.01, "2.3405727268"},
    };
    for (const auto& [n, cr, ltpd, k] : rows) {
        SCOPED_TRACE(::testing::Message() << n << " CR " << cr << " LTPD " << ltpd);
        EXPECT_PRINTED(exactK(n, cr, ltpd), k);
    }
    // The buttons' defaults (index 1) are CR 0.1 and LTPD 10 %.
    EXPECT_EQ(exactK(5, nominalConsumerRisk(1), nominalLtpd(1)), exactK(5, 0.1, 0.1));
}

TEST(OcCurve, PassesThroughTheConsumersRiskAtTheLtpdAndFallsWithQuality)
{
    for (const int n : {2, 5, 43, 1000, 100000}) {
        for (int cr = 0; cr < RiskChoiceCount; ++cr) {
            for (int lt = 0; lt < RiskChoiceCount; ++lt) {
                SCOPED_TRACE(::testing::Message() << n << " CR " << cr << " LTPD " << lt);
                const double ltpd = nominalLtpd(lt);
                const OcCurve oc = ocCurve(n, exactK(n, nominalConsumerRisk(cr), ltpd), ltpd);
                EXPECT_EQ(oc.fractionDefective[9], ltpd);
                EXPECT_NEAR(oc.probabilityOfAcceptance[9], nominalConsumerRisk(cr), 1e-12);
                EXPECT_DOUBLE_EQ(oc.fractionDefective[29], 3.0 * ltpd);
                EXPECT_TRUE(std::ranges::is_sorted(oc.probabilityOfAcceptance, std::greater{}));
                EXPECT_GE(oc.probabilityOfAcceptance.back(), 0.0);
                EXPECT_LE(oc.probabilityOfAcceptance.front(), 1.0);
            }
        }
    }
}

TEST(OcCurve, MatchesIndependentAcceptanceProbabilities)
{
    const std::tuple<int, double, double, double> rows[] = {
        {5, 2.7423482029512916, 0.01, 0.424296481831186},
        {43, 1.8739536058511987, 0.20, 1.47787823712211e-5},
        {100000, 1.2870341114315602, 0.09, 1.0},
        {100000, 1.2870341114315602, 0.11, 6.74289722095733e-46},
        // The limits: a perfect lot always passes, an all-bad one never.
        {5, 2.7, 0.0, 1.0},
        {5, 2.7, 1.0, 0.0},
    };
    for (const auto& [n, k, p, pa] : rows) {
        SCOPED_TRACE(::testing::Message() << n << " p " << p);
        EXPECT_NEAR(acceptanceProbability(n, k, p), pa, 1e-10 * pa); // far tails to 1e-10
    }
}

TEST(Verdict, AcceptsAtTheLimitAndRejectsNaN)
{
    const double ts = tsExact(3.0, 1.5811388300841898, 2.7423482029512916, ValueScale::Linear);
    EXPECT_PRINTED(ts, "7.3360332293"); // 1..5 by mpmath
    EXPECT_TRUE(lotAccepted(ts, ts));
    EXPECT_FALSE(lotAccepted(ts, std::nextafter(ts, 0.0)));
    EXPECT_FALSE(lotAccepted(NaN, 10.0));
}

} // namespace
} // namespace qv
