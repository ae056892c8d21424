#include "support/TestTolerance.h"

#include "core/stats/Distributions.h"

#include <tuple>

namespace qv {
namespace {

using Printed = std::pair<double, const char*>;

TEST(NormalCdf, MatchesTheApproximationsPrintedValues)
{
    const Printed rows[] = {{1.0, "0.841352"}, {1.644854, "0.950001"}, {-1.0, "0.158648"}};
    for (auto [x, printed] : rows) {
        SCOPED_TRACE(x);
        EXPECT_PRINTED(normalCdf(x), printed);
    }
    EXPECT_EQ(normalCdf(0.0), 0.5);
}

TEST(NormalQuantile, MatchesTheNewtonWalksPrintedValues)
{
    const Printed rows[] = {
        {0.6, "0.250689"},  // one step
        {0.95, "1.644681"}, // four steps, not the exact 1.644854
        {0.975, "1.955917"}, {0.995, "2.576020"}, {0.05, "-1.644681"}, {0.0001, "-3.721009"},
        {0.00001, "-4.267468"}, {1.0 / 6.0, "-0.967374"}, {2.0 / 6.0, "-0.430717"},
    };
    for (auto [p, printed] : rows) {
        SCOPED_TRACE(p);
        EXPECT_PRINTED(normalQuantile(p), printed);
    }
}

TEST(NormalQuantile, IsExactlyZeroInTheBandWhereTheFirstTestStops)
{
    // q > 0.5 / 1.01 stops before the first step: 0.4950495... < p < 0.5049505...
    for (auto [p, zero] : {std::pair{0.5, true}, {0.4950496, true}, {0.5049504, true},
                           {0.4950494, false}, {0.5049506, false}}) {
        EXPECT_EQ(normalQuantile(p) == 0.0, zero) << p;
    }
}

TEST(StudentTQuantile, MatchesTheExpansionsPrintedValues)
{
    const std::tuple<double, int, const char*> rows[] = {
        {0.975, 8, "2.299924"}, {0.975, 3, "3.166385"}, {1.0 / 6.0, 3, "-1.150224"}};
    for (const auto& [p, dof, printed] : rows) {
        SCOPED_TRACE(::testing::Message() << p << " dof " << dof);
        EXPECT_PRINTED(studentTQuantile(p, dof), printed);
    }
}

TEST(Distributions, FailWithTheirCodesWhereTheyCannotReach)
{
    EXPECT_QV_ERROR(normalQuantile(0.0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(normalQuantile(1.0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(normalQuantile(-0.1), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(normalQuantile(std::nan("")), ErrorCode::InvalidArgument);
    // The approximation cannot come within 1 % this deep: the walk would never stop.
    EXPECT_QV_ERROR(normalQuantile(1e-16), ErrorCode::InvalidArgument);
    // No degrees of freedom.
    EXPECT_QV_ERROR(studentTQuantile(1.0 / 3.0, 0), ErrorCode::DivisionByZero);
    EXPECT_QV_ERROR(studentTQuantile(0.5, 0), ErrorCode::Overflow); // 0 / 0
    EXPECT_QV_ERROR(log10(0.0), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(log10(-5.0), ErrorCode::InvalidArgument);
}

} // namespace
} // namespace qv
