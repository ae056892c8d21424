// --design-plan: the designed plans as JSON, and the command lines it refuses.
// Reference values: SciPy 1.10.1 (scipy.stats.nct and norm), as in PlanDesignTest.
#include "BatchRun.h"
#include "core/stats/decisions/PlanDesign.h"
#include "support/TestTolerance.h"

namespace qv {
namespace {

TEST(PlanDesignOutput, PrintsBothPlansAsOneJsonObjectWhoseNumbersReadBackExactly)
{
    const test::BatchRun run = test::runReport({"--design-plan", "0.01:0.05:0.06:0.10"});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
    EXPECT_TRUE(run.output.endsWith("}\n"));
    EXPECT_EQ(run.output.count('\n'), 1);
    const QJsonObject s = run.report["s_method"].toObject();
    const QJsonObject sigma = run.report["sigma_method"].toObject();
    EXPECT_EQ(s["n"].toInt(), 42);
    EXPECT_PRINTED(s["k"].toDouble(), "1.8975622710");
    EXPECT_PRINTED(s["pa_at_aql"].toDouble(), "0.9533094837");
    EXPECT_NEAR(s["pa_at_ltpd"].toDouble(), 0.10, 1e-12);
    EXPECT_EQ(sigma["n"].toInt(), 15);
    EXPECT_PRINTED(sigma["k"].toDouble(), "1.8856687860");
    EXPECT_PRINTED(sigma["pa_at_aql"].toDouble(), "0.9560650630");
    // The text holds the shortest digits of each double.
    const auto plan = designPlan({0.01, 0.05, 0.06, 0.10}, PlanMethod::SMethod);
    ASSERT_TRUE(plan.has_value());
    EXPECT_EQ(s["k"].toDouble(), plan->k);
    EXPECT_TRUE(run.output.startsWith("{\"s_method\": {\"n\": 42, \"k\": 1.89756227"));
}

TEST(PlanDesignOutput, RefusesMalformedOrFaultyRequirementsAndAnyFileOrOtherOption)
{
    const test::Refused rows[] = {
        {{"--design-plan", "0.01:0.05:0.06"}, "--design-plan takes AQL:ALPHA:LTPD:BETA"},
        {{"--design-plan", "0.01:0.05:six:0.10"}, "--design-plan: \"six\" is not a number"},
        {{"--design-plan", "0.01:0.05: 0.06:0.10"}, "\" 0.06\" is not a number"},
        {{"--design-plan", "0.06:0.05:0.01:0.10"}, "The AQL must be below the LTPD."},
        {{"--design-plan", "0.01:0.5:0.06:0.10"},
         "The producer's risk (alpha) must lie strictly between 0 and 0.5 (50 %)."},
        {{"--design-plan", "1:5:6:10"}, "The AQL must lie strictly between 0 and 1 (100 %)."},
        {{"--design-plan", "0.01:0.05:0.06:0.10", "lot.csv"},
         "--design-plan takes no FILE and no other option"},
        {{"--design-plan", "0.01:0.05:0.06:0.10", "--report"},
         "--design-plan takes no FILE and no other option"},
    };
    test::expectRefused(2, rows);
}

TEST(PlanDesignOutput, SaysWhenNoPlanIsWithinTheLargestSampleSize)
{
    const test::BatchRun run = test::runReport({"--design-plan", "0.01:0.01:0.0101:0.01"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.report["s_method"].isNull());
    EXPECT_TRUE(run.report["sigma_method"].isNull());
    EXPECT_TRUE(run.errors.contains("no s-method plan of at most 100000 items meets these risks"))
        << run.errors.toStdString();
}

TEST(PlanDesignOutput, IsListedInTheHelp)
{
    const test::BatchRun run = test::runReport({"--help"});
    EXPECT_TRUE(run.output.contains("--design-plan <PLAN>"));
    EXPECT_TRUE(run.output.contains("AQL:ALPHA:LTPD:BETA in fractions"));
}

} // namespace
} // namespace qv
