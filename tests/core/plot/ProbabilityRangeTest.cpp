// The probability axis's range: how many nines the enabled count or the user's choice
// gives, and where Student's t ticks stand.
#include "core/plot/ProbabilityRange.h"
#include "core/stats/Distributions.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <tuple>

namespace qv {
namespace {

TEST(ProbabilityRange, ChoosesTheNinesFromTheEnabledCountOrTheExplicitRange)
{
    const std::tuple<int, int, double> rows[] = {
        {5, 0, -1.28},   {8, 0, -1.28},     {9, 1, -2.33},   {29, 1, -2.33},    {30, 2, -3.09},
        {799, 2, -3.09}, {800, 3, -3.72},   {8999, 3, -3.72}, {9000, 4, -4.27}, {100000, 4, -4.27}};
    for (const auto& [n, nines, xmin] : rows) {
        SCOPED_TRACE(n);
        const ProbabilityRange range = probabilityRange(ProbabilityScale::Gaussian, n, 0);
        EXPECT_EQ(range.nines, nines);
        EXPECT_EQ(range.xmin, xmin);
        EXPECT_EQ(range.xmax, -xmin);
    }
    for (const int chosen : {2, 3, 4, 5}) {
        SCOPED_TRACE(chosen);
        for (const int n : {5, 50000}) {
            EXPECT_EQ(probabilityRange(ProbabilityScale::Gaussian, n, chosen).nines, chosen - 1);
        }
    }
    EXPECT_EQ(probabilityRange(ProbabilityScale::Gaussian, 5, 2).xmin, -2.33);
}

TEST(ProbabilityRange, PlacesStudentTTicksAtTheExpansionsQuantiles)
{
    // 10 points: 8 degrees of freedom; "1" lies further out than the Gaussian -2.33.
    const auto positions = probabilityTickPositions(ProbabilityScale::StudentT, 10);
    EXPECT_EQ(positions[3], studentTQuantile(0.01, 8));
    EXPECT_LT(positions[3], -2.33);
    EXPECT_EQ(positions[5], 0.0);
    EXPECT_EQ(positions[7], -positions[3]);
    const ProbabilityRange range = probabilityRange(ProbabilityScale::StudentT, 10, 0);
    EXPECT_EQ(range.nines, 1);
    EXPECT_EQ(range.xmin, positions[3]);
    // No 0.001 % tick on that scale: the "99.999%" range would have no width.
    EXPECT_QV_ERROR(probabilityRange(ProbabilityScale::StudentT, 10, 5),
                    ErrorCode::InvalidArgument);
    // Two points: no degrees of freedom.
    EXPECT_QV_ERROR(probabilityRange(ProbabilityScale::StudentT, 2, 0), ErrorCode::DivisionByZero);
}

} // namespace
} // namespace qv
