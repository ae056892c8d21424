#include "support/TestTolerance.h"

#include "core/stats/LeastSquaresFit.h"

#include <tuple>
#include <vector>

namespace qv {
namespace {

// The points of values 1..5 on the Gaussian scale, linear axis.
std::vector<PlotPoint> oneToFive(double sigma = 0.0)
{
    std::vector<PlotPoint> points;
    for (int j = 1; j <= 5; ++j) {
        points.push_back({normalQuantile(j / 6.0), static_cast<double>(j), sigma, false});
    }
    return points;
}

TEST(LeastSquaresFit, GivesThePrintedLineForOneToFiveWithOrWithoutEqualWeights)
{
    const FitOutcome outcome = leastSquaresFit(oneToFive(), 5, false);
    EXPECT_PRINTED(outcome.fit.intercept, "3");
    EXPECT_PRINTED(outcome.fit.slope, "2.109518");
    EXPECT_PRINTED(outcome.fit.meanPosition, "0");
    EXPECT_PRINTED(outcome.fit.positionSpread, "11.213298");
    EXPECT_PRINTED(outcome.fit.residualVariance, "0.006673");

    const FitResult weighted = leastSquaresFit(oneToFive(2.0), 5, true).fit;
    EXPECT_PRINTED(weighted.intercept, "3");
    EXPECT_PRINTED(weighted.slope, "2.109518");
    EXPECT_EQ(weighted.weightSum, 1.25);
}

TEST(LeastSquaresFit, WarnsOnceOfZeroUncertaintiesAndFailsOnTooFewPointsOrNoWeight)
{
    std::vector<PlotPoint> points = oneToFive(1.0);
    EXPECT_FALSE(zeroUncertaintyMessage(points, 5, true));
    points[0].sigma = 0.0; // weight 0: left out
    points[3].sigma = 0.0; // the weight of point 3, that is 1
    const auto message = zeroUncertaintyMessage(points, 5, true);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "Data Produces Divide By Zero Error. Use Correct Dataset.");
    EXPECT_EQ(message->title, "Dataset Error");
    EXPECT_FALSE(zeroUncertaintyMessage(points, 5, false)) << "unweighted";
    const FitOutcome outcome = leastSquaresFit(points, 5, true);
    EXPECT_EQ(outcome.fit.weightSum, 4.0);
    const FitResult rest = leastSquaresFit({points.begin() + 1, points.end()}, 4, false).fit;
    EXPECT_DOUBLE_EQ(outcome.fit.slope, rest.slope);

    points = oneToFive();
    // Two points leave no residual: 0 / 0 in the residual variance.
    EXPECT_QV_ERROR(leastSquaresFit({{-0.5, 1.0, 0.0, false}, {0.5, 3.0, 0.0, false}}, 2, false),
                    ErrorCode::Overflow);
    EXPECT_QV_ERROR(leastSquaresFit(points, 1, false), ErrorCode::Overflow); // one point at 0
    EXPECT_QV_ERROR(leastSquaresFit(points, 0, false), ErrorCode::Overflow);
    EXPECT_QV_ERROR(leastSquaresFit(points, 5, true), ErrorCode::Overflow); // every sigma 0
    EXPECT_QV_ERROR(leastSquaresFit(points, 6, false), ErrorCode::SubscriptOutOfRange);
}

TEST(ConfidenceCurves, GivesThePrintedHalfWidthsForOneToFive)
{
    const FitResult fit = leastSquaresFit(oneToFive(), 5, false).fit;
    const ConfidenceCurves curves = confidenceCurves(fit, 5, 95, -1.28, 1.28);
    const std::tuple<std::size_t, double, const char*> rows[] = {
        {0, -1.28, "0.249506"}, {50, 0.0, "0.115671"}, {100, 1.28, "0.249506"}};
    for (const auto& [i, x, halfWidth] : rows) {
        SCOPED_TRACE(i);
        const ConfidenceSample& sample = curves[i];
        EXPECT_NEAR(sample.x, x, 1e-15);
        EXPECT_PRINTED(sample.upper - fittedValue(fit, sample.x), halfWidth);
        EXPECT_PRINTED(fittedValue(fit, sample.x) - sample.lower, halfWidth);
    }
    EXPECT_QV_ERROR(confidenceCurves(fit, 2, 95, -1.28, 1.28), ErrorCode::DivisionByZero);
}

} // namespace
} // namespace qv
