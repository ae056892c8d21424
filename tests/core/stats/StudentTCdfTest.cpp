// The probability the Student's t axis stands at: the inverse of its quantiles.
#include "core/stats/Distributions.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace qv {
namespace {

TEST(Distributions, StudentTCdfLeadsBackToTheProbabilityOfEachQuantile)
{
    for (const int dof : {1, 3, 8, 28, 998}) {
        for (const double p : {0.0001, 0.001, 0.01, 0.1, 0.3, 0.624, 0.9, 0.99, 0.9999}) {
            SCOPED_TRACE("dof " + std::to_string(dof) + ", p " + std::to_string(p));
            const double tail = std::min(p, 1.0 - p);
            // Within the 1 % that the quantile's own Gaussian walk allows.
            const double back = studentTCdf(studentTQuantile(p, dof), dof);
            EXPECT_NEAR(std::min(back, 1.0 - back), tail, 0.0101 * tail);
            EXPECT_EQ(back < 0.5, p < 0.5);
        }
    }
    // The expansion at 0 is 0, where the probability is one half.
    EXPECT_NEAR(studentTCdf(0.0, 5), 0.5, 1e-12);
    EXPECT_EQ(studentTCdf(1e300, 1), 1.0);
    EXPECT_EQ(studentTCdf(-1e300, 1), 0.0);
    EXPECT_QV_ERROR(studentTCdf(1.0, 0), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(studentTCdf(std::numeric_limits<double>::quiet_NaN(), 4),
                    ErrorCode::InvalidArgument);
}

} // namespace
} // namespace qv
