#include "TestTolerance.h"

#include "core/model/DataSet.h"
#include "core/stats/StatisticsPass.h"

#include <vector>

namespace qv {
namespace {

constexpr std::int16_t Off = 0;
constexpr std::int16_t On = 1;
constexpr std::int16_t OffHilited = 2;
constexpr std::int16_t OnHilited = 3;

DataSet makeSet(std::vector<double> values, std::vector<std::int16_t> states = {})
{
    DataSet set;
    set.pointCount = static_cast<int>(values.size());
    states.resize(values.size(), On);
    for (const auto state : states) {
        set.enabledCount += isEnabledState(state) ? 1 : 0;
    }
    set.states = std::move(states);
    set.sigmas.assign(values.size(), 0.0);
    set.values = std::move(values);
    return set;
}

// Runs the pass and expects it to succeed.
SetStatistics run(const DataSet& set, const StatsInputs& inputs, std::vector<PlotPoint>& points)
{
    const StatisticsOutcome outcome = statisticsPass(set, inputs, points);
    EXPECT_EQ(outcome.status, StatisticsStatus::Done);
    return outcome.statistics.value_or(SetStatistics{});
}

void expectPositions(const std::vector<PlotPoint>& points, const std::vector<const char*>& printed)
{
    ASSERT_EQ(points.size(), printed.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        SCOPED_TRACE(::testing::Message() << "point " << i + 1);
        EXPECT_PRINTED(points[i].position, printed[i]);
    }
}

TEST(StatisticsPass, GivesThePrintedNumbersForOneToFive)
{
    std::vector<PlotPoint> points;
    const SetStatistics s = run(makeSet({1, 2, 3, 4, 5}), StatsInputs{}, points);
    expectPositions(points, {"-0.967374", "-0.430717", "0", "0.430717", "0.967374"});
    EXPECT_EQ(s.n, 5);
    EXPECT_EQ(s.range, 4.0);
    EXPECT_PRINTED(s.mean, "3");
    EXPECT_PRINTED(s.sigma, "1.581139");
    EXPECT_PRINTED(s.k, "2.585859");
    EXPECT_PRINTED(s.ts, "7.088602");
    EXPECT_PRINTED(s.normalLow, "0.976142"); // 3 - 1.28 * 1.581139
    EXPECT_PRINTED(s.normalHigh, "5.023858");
    EXPECT_EQ(s.shownMin, 1.0);
    EXPECT_EQ(s.shownMax, 5.0);
    EXPECT_EQ(s.shownTs, s.ts);
}

TEST(StatisticsPass, PlacesPointsOnTheStudentTScaleWithNMinusTwoDegrees)
{
    std::vector<PlotPoint> points;
    const SetStatistics s = run(makeSet({1, 2, 3, 4, 5}), {ProbabilityScale::StudentT}, points);
    expectPositions(points, {"-1.150224", "-0.475794", "0", "0.475794", "1.150224"});
    EXPECT_PRINTED(s.ts, "7.088602");
}

TEST(AcceptanceFactors, GivesThePrintedFactors)
{
    const AcceptanceFactors f = acceptanceFactors(5, 1.28155, 1.28155);
    EXPECT_PRINTED(f.a, "0.794704");
    EXPECT_PRINTED(f.b, "1.313896");
    struct Row
    {
        int n;
        double consumerRiskZ;
        const char* k;
    };
    const Row rows[] = {{5, 1.28155, "2.585859"},
                        {5, 1.64485, "3.380653"},
                        {3, 1.28155, "3.868392"},
                        {2, 1.28155, "14.005937"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << "N " << row.n << " Kb " << row.consumerRiskZ);
        EXPECT_PRINTED(acceptanceFactors(row.n, row.consumerRiskZ, 1.28155).k, row.k);
    }
    // N - 1 < Kb^2 / 2: a and k come out negative, unchecked.
    EXPECT_LT(acceptanceFactors(3, 2.32635, 2.32635).k, 0.0);
}

TEST(AcceptanceFactors, FailsWhenTheRootHasANegativeArgument)
{
    // The only offered case: N = 2, Kb = 2.32635 and K2 = 1 or 1.28155.
    EXPECT_QV_ERROR(acceptanceFactors(2, 2.32635, 1.0), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(acceptanceFactors(2, 2.32635, 1.28155), ErrorCode::InvalidArgument);
}

TEST(StatisticsPass, RenumbersEnabledPointsWithoutGaps)
{
    // Points 3 (disabled) and 4 (disabled, hilited) are skipped; point 5 is hilited.
    std::vector<PlotPoint> points;
    const DataSet set = makeSet({1, 2, 3, 4, 5, 6}, {On, On, Off, OffHilited, OnHilited, On});
    const SetStatistics s = run(set, StatsInputs{}, points);
    EXPECT_EQ(s.n, 4);
    ASSERT_EQ(points.size(), 4u);
    const double values[] = {1, 2, 5, 6};
    for (std::size_t j = 0; j < 4; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(points[j].position, normalQuantile(static_cast<double>(j + 1) / 5.0));
        EXPECT_EQ(points[j].value, values[j]);
        EXPECT_EQ(points[j].hilited, j == 2);
    }
    EXPECT_EQ(s.shownMax, 6.0);
}

TEST(StatisticsPass, GivesTiedValuesConsecutivePositions)
{
    std::vector<PlotPoint> points;
    run(makeSet({2, 2, 3}), StatsInputs{}, points);
    EXPECT_LT(points[0].position, points[1].position);
}

TEST(StatisticsPass, SubtractsTheBackgroundBeforeEverything)
{
    std::vector<PlotPoint> plain;
    std::vector<PlotPoint> shifted;
    const SetStatistics a = run(makeSet({1, 2, 3, 4, 5}), StatsInputs{}, plain);
    StatsInputs inputs;
    inputs.backgroundValue = 10.0;
    const SetStatistics b = run(makeSet({11, 12, 13, 14, 15}), inputs, shifted);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(plain[i].value, shifted[i].value);
    }
    EXPECT_EQ(a.ts, b.ts);
    EXPECT_EQ(b.shownMin, 1.0);
}

TEST(StatisticsPass, ShowsDataUnitsOnALogAxis)
{
    std::vector<PlotPoint> points;
    const SetStatistics s =
        run(makeSet({10, 100, 1000}), {ProbabilityScale::Gaussian, ValueScale::Log}, points);
    EXPECT_DOUBLE_EQ(points[0].value, 1.0);
    EXPECT_DOUBLE_EQ(points[2].value, 3.0);
    EXPECT_PRINTED(s.mean, "2");
    EXPECT_PRINTED(s.sigma, "1");
    EXPECT_PRINTED(s.k, "3.868392");
    EXPECT_PRINTED(s.ts, "5.868392");
    EXPECT_PRINTED(s.shownMean, "370");
    EXPECT_PRINTED(s.shownSigma, "547.448628");
    EXPECT_PRINTED(s.shownTs, "2487.746014");
    EXPECT_EQ(s.shownMin, 10.0);
    EXPECT_EQ(s.shownMax, 1000.0);
}

TEST(StatisticsPass, ReportsANonPositiveValueOnALogAxisWithoutStatistics)
{
    std::vector<PlotPoint> points;
    StatsInputs inputs{ProbabilityScale::Gaussian, ValueScale::Log};
    for (const double bad : {0.0, -3.0}) {
        SCOPED_TRACE(bad);
        const StatisticsOutcome outcome = statisticsPass(makeSet({bad, 1, 2, 3}), inputs, points);
        EXPECT_EQ(outcome.status, StatisticsStatus::NonPositiveOnLogAxis);
        EXPECT_FALSE(outcome.statistics.has_value());
    }
    EXPECT_EQ(NonPositiveLogValueMessage.text,
              "Dataset contains zero or negative values.  Please remove these "
              "values before plotting as log function");
    // A disabled zero does not count; the background does (5 - 5 is 0).
    EXPECT_EQ(statisticsPass(makeSet({0, 6, 7}, {Off}), inputs, points).status,
              StatisticsStatus::Done);
    inputs.backgroundValue = 5.0;
    EXPECT_EQ(statisticsPass(makeSet({5, 6, 7}), inputs, points).status,
              StatisticsStatus::NonPositiveOnLogAxis);
}

TEST(StatisticsPass, FailsOnTooFewPoints)
{
    std::vector<PlotPoint> points;
    EXPECT_QV_ERROR(statisticsPass(makeSet({}), StatsInputs{}, points), ErrorCode::Overflow);
    EXPECT_QV_ERROR(statisticsPass(makeSet({4, 5}, {Off, Off}), StatsInputs{}, points),
                    ErrorCode::Overflow);
    EXPECT_QV_ERROR(statisticsPass(makeSet({4}), StatsInputs{}, points), ErrorCode::Overflow);
    EXPECT_QV_ERROR(statisticsPass(makeSet({4, 5}), {ProbabilityScale::StudentT}, points),
                    ErrorCode::DivisionByZero);
    StatsInputs noMultiplier;
    noMultiplier.consumerRiskZ = 2.32635;
    noMultiplier.ltpdZ = 1.0;
    EXPECT_QV_ERROR(statisticsPass(makeSet({4, 5}), noMultiplier, points),
                    ErrorCode::InvalidArgument);
}

TEST(StatisticsPass, FailsOnANegativeVarianceFromRounding)
{
    // 0.1 three times: sum(y^2) - N * mean * mean comes out just below 0.
    std::vector<PlotPoint> points;
    EXPECT_QV_ERROR(statisticsPass(makeSet({0.1, 0.1, 0.1}), StatsInputs{}, points),
                    ErrorCode::InvalidArgument);
    const SetStatistics s = run(makeSet({2, 2, 2}), StatsInputs{}, points);
    EXPECT_EQ(s.sigma, 0.0);
    EXPECT_EQ(s.ts, 2.0);
}

TEST(StatisticsPass, FailsOnAnEnabledCountThatDoesNotMatchTheStates)
{
    std::vector<PlotPoint> points;
    DataSet set = makeSet({1, 2, 3});
    set.enabledCount = 2;
    EXPECT_QV_ERROR(statisticsPass(set, StatsInputs{}, points), ErrorCode::SubscriptOutOfRange);
    set.states[1] = Off;
    set.enabledCount = 3;
    EXPECT_QV_ERROR(statisticsPass(set, StatsInputs{}, points), ErrorCode::SubscriptOutOfRange);
}

TEST(StatisticsPass, CopiesUncertaintiesAndToleratesASetWithout)
{
    std::vector<PlotPoint> points;
    DataSet set = makeSet({1, 2, 3});
    set.sigmas = {0.5, 0.25, 0.125};
    run(set, StatsInputs{}, points);
    EXPECT_EQ(points[1].sigma, 0.25);
    set.sigmas.clear();
    run(set, StatsInputs{}, points);
    EXPECT_EQ(points[1].sigma, 0.0);
}

} // namespace
} // namespace qv
