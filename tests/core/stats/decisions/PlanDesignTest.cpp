// Designed sampling plans against independent values. Reference values: SciPy
// 1.10.1 (Debian python3-scipy), scanning n = 1, 2, ... for the first n with
// Pa(AQL) >= 1 - alpha, k = nct(n - 1, norm.isf(LTPD) sqrt(n)).isf(beta) / sqrt(n)
// and Pa = nct(n - 1, norm.isf(p) sqrt(n)).sf(k sqrt(n)) for the s-method,
// k = norm.isf(LTPD) + norm.isf(beta) / sqrt(n) and Pa = norm.cdf((norm.isf(p) - k)
// sqrt(n)) for the sigma-method. The s-method's first two rows agree with R 4.2.2
// (qt and pt with ncp) to every printed digit; for the last row SciPy gives Pa(AQL)
// 0.9499787331 with n = 2565.
#include "core/stats/decisions/PlanDesign.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace qv {
namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

struct Expected
{
    int n;
    const char* k;
    const char* paAtAql;
};

void expectPlan(const PlanRequirements& r, PlanMethod method, const Expected& want)
{
    const auto plan = designPlan(r, method);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(plan->n, want.n);
    EXPECT_PRINTED(plan->k, want.k);
    EXPECT_PRINTED(plan->paAtAql, want.paAtAql);
    EXPECT_NEAR(plan->paAtLtpd, r.consumerRisk, 1e-12);
}

TEST(PlanDesign, GivesTheSmallestPlanOfEachMethodAsScipyFindsIt)
{
    struct Row
    {
        PlanRequirements r;
        Expected s, sigma;
    };
    const Row rows[] = {
        {{0.01, 0.05, 0.06, 0.10},
         {42, "1.8975622710", "0.9533094837"},
         {15, "1.8856687860", "0.9560650630"}},
        {{0.005, 0.05, 0.04, 0.10},
         {42, "2.1202791177", "0.9510667103"},
         {13, "2.1061245237", "0.9548240800"}},
        {{0.02, 0.10, 0.08, 0.05},
         {53, "1.7746735884", "0.9020995908"},
         {21, "1.7640080485", "0.9078712037"}},
        {{0.001, 0.01, 0.01, 0.01},
         {174, "2.7071643452", "0.9901556338"},
         {38, "2.7037313322", "0.9914034486"}},
        // Thousands of items: the search brackets n before it halves.
        {{0.0001, 0.05, 0.0002, 0.05},
         {2566, "3.6297170529", "0.9500459022"},
         {339, "3.6294199853", "0.9504923726"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("AQL " + std::to_string(row.r.aql) + ", LTPD " + std::to_string(row.r.ltpd));
        {
            SCOPED_TRACE("s-method");
            expectPlan(row.r, PlanMethod::SMethod, row.s);
        }
        {
            SCOPED_TRACE("sigma-method");
            expectPlan(row.r, PlanMethod::SigmaMethod, row.sigma);
        }
    }
}

TEST(PlanDesign, ThePlanOfOneItemFewerMissesTheProducersRisk)
{
    // SciPy 1.10.1: k and Pa(AQL) of the plans of 41 and 14 items for AQL 1 %, alpha 0.05,
    // LTPD 6 %, beta 0.10, both below 0.95.
    EXPECT_PRINTED(planAcceptanceProbability(PlanMethod::SMethod, 41, 1.9024811240, 0.01),
                   "0.9492883249");
    EXPECT_PRINTED(planAcceptanceProbability(PlanMethod::SigmaMethod, 14, 1.8972826576, 0.01),
                   "0.9457987513");
}

TEST(PlanDesign, SaysWhichRequirementIsFaultyAndRefusesToDesign)
{
    using enum PlanRequirement;
    struct Row
    {
        PlanRequirements r;
        PlanRequirement faulty;
        const char* fault;
    };
    const Row rows[] = {
        {{0.0, 0.05, 0.06, 0.10}, Aql, "The AQL must lie strictly between 0 and 1 (100 %)."},
        {{NaN, 0.05, 0.06, 0.10}, Aql, "The AQL must lie strictly between 0 and 1 (100 %)."},
        {{0.01, 0.05, 1.0, 0.10}, Ltpd, "The LTPD must lie strictly between 0 and 1 (100 %)."},
        {{0.01, 0.5, 0.06, 0.10}, ProducerRisk,
         "The producer's risk (alpha) must lie strictly between 0 and 0.5 (50 %)."},
        {{0.01, 0.05, 0.06, 0.0}, ConsumerRisk,
         "The consumer's risk (beta) must lie strictly between 0 and 0.5 (50 %)."},
        {{0.06, 0.05, 0.06, 0.10}, Aql, "The AQL must be below the LTPD."},
        {{0.07, 0.05, 0.06, 0.10}, Aql, "The AQL must be below the LTPD."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        const auto fault = planRequirementsFault(row.r);
        ASSERT_TRUE(fault.has_value());
        EXPECT_EQ(fault->text, row.fault);
        EXPECT_EQ(fault->requirement, row.faulty);
        EXPECT_QV_ERROR(designPlan(row.r, PlanMethod::SigmaMethod), ErrorCode::InvalidArgument);
    }
    EXPECT_FALSE(planRequirementsFault({0.01, 0.05, 0.06, 0.10}).has_value());
}

TEST(PlanDesign, GivesNoPlanBeyondTheLargestSampleSize)
{
    // The sigma-method needs n >= ((z(0.99) + z(0.99)) / (z(0.01) - z(0.0101)))^2, about
    // 1.55e6 items (SciPy 1.10.1), far beyond the cap.
    const PlanRequirements r{0.01, 0.01, 0.0101, 0.01};
    EXPECT_FALSE(designPlan(r, PlanMethod::SigmaMethod).has_value());
    EXPECT_FALSE(designPlan(r, PlanMethod::SMethod).has_value());
}

TEST(PlanDesign, KnownSigmaAcceptanceProbabilityKeepsItsLimitsAndRefusesBadArguments)
{
    EXPECT_EQ(knownSigmaAcceptanceProbability(15, 1.9, 0.0), 1.0);
    EXPECT_EQ(knownSigmaAcceptanceProbability(15, 1.9, 1.0), 0.0);
    // SciPy 1.10.1: norm.cdf((norm.isf(0.03) - 1.9) * sqrt(15)).
    EXPECT_PRINTED(knownSigmaAcceptanceProbability(15, 1.9, 0.03), "0.4703516099");
    EXPECT_QV_ERROR(knownSigmaAcceptanceProbability(0, 1.9, 0.03), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(knownSigmaAcceptanceProbability(15, NaN, 0.03), ErrorCode::InvalidArgument);
}

} // namespace
} // namespace qv
