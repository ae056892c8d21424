#include "TestTolerance.h"

#include "core/stats/Distributions.h"

namespace qv {
namespace {

struct Printed
{
    double argument;
    const char* result;
};

TEST(NormalCdf, MatchesTheApproximationsPrintedValues)
{
    const Printed rows[] = {{1.0, "0.841352"}, {1.644854, "0.950001"}, {-1.0, "0.158648"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.argument);
        EXPECT_PRINTED(normalCdf(row.argument), row.result);
    }
    EXPECT_EQ(normalCdf(0.0), 0.5);
}

TEST(NormalQuantile, MatchesTheNewtonWalksPrintedValues)
{
    const Printed rows[] = {
        {0.6, "0.250689"},  // one step
        {0.95, "1.644681"}, // four steps, not the exact 1.644854
        {0.975, "1.955917"},      {0.995, "2.576020"},    {0.05, "-1.644681"},
        {0.0001, "-3.721009"},    {0.00001, "-4.267468"}, {1.0 / 6.0, "-0.967374"},
        {2.0 / 6.0, "-0.430717"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.argument);
        EXPECT_PRINTED(normalQuantile(row.argument), row.result);
    }
}

TEST(NormalQuantile, ReturnsExactlyZeroInsideTheBandWhereTheFirstTestStops)
{
    // q > 0.5 / 1.01 stops before the first step: 0.4950495... < p < 0.5049505...
    for (const double p : {0.5, 0.4950496, 0.5049504}) {
        SCOPED_TRACE(p);
        EXPECT_EQ(normalQuantile(p), 0.0);
    }
    for (const double p : {0.4950494, 0.5049506}) {
        SCOPED_TRACE(p);
        EXPECT_NE(normalQuantile(p), 0.0);
    }
}

TEST(NormalQuantile, IsExactlyAntisymmetricWhereOneMinusPIsExact)
{
    for (const double p : {0.25, 0.125, 0.0078125}) {
        SCOPED_TRACE(p);
        EXPECT_EQ(normalQuantile(1.0 - p), -normalQuantile(p));
    }
}

TEST(NormalQuantile, FailsOnProbabilitiesItCannotReach)
{
    EXPECT_QV_ERROR(normalQuantile(0.0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(normalQuantile(1.0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(normalQuantile(-0.1), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(normalQuantile(std::nan("")), ErrorCode::InvalidArgument);
    // The approximation cannot come within 1 % this deep: the walk would never stop.
    EXPECT_QV_ERROR(normalQuantile(1e-16), ErrorCode::InvalidArgument);
}

TEST(StudentTQuantile, MatchesTheExpansionsPrintedValues)
{
    struct Row
    {
        double p;
        int dof;
        const char* result;
    };
    const Row rows[] = {
        {0.975, 8, "2.299924"}, {0.975, 3, "3.166385"}, {1.0 / 6.0, 3, "-1.150224"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.p << " dof " << row.dof);
        EXPECT_PRINTED(studentTQuantile(row.p, row.dof), row.result);
    }
    // The first correction shrinks as 1 / dof.
    EXPECT_NEAR(studentTQuantile(0.975, 1000000000), normalQuantile(0.975), 1e-8);
}

TEST(StudentTQuantile, FailsWithoutDegreesOfFreedom)
{
    EXPECT_QV_ERROR(studentTQuantile(1.0 / 3.0, 0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(studentTQuantile(0.5, 0), ErrorCode::Overflow); // 0 / 0
}

TEST(Log10, IsTheRatioOfNaturalLogarithms)
{
    EXPECT_DOUBLE_EQ(log10(1000.0), 3.0);
    EXPECT_QV_ERROR(log10(0.0), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(log10(-5.0), ErrorCode::InvalidArgument);
}

} // namespace
} // namespace qv
