#include "support/TestTolerance.h"

#include "core/model/DataSet.h"
#include "core/stats/StatisticsPass.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <tuple>
#include <vector>

namespace qv {
namespace {

constexpr std::int16_t Off = 0, On = 1, OffHilited = 2, OnHilited = 3;

DataSet makeSet(std::vector<double> values, std::vector<std::int16_t> states = {})
{
    DataSet set;
    set.pointCount = static_cast<int>(values.size());
    states.resize(values.size(), On);
    set.enabledCount = static_cast<int>(std::ranges::count_if(states, isEnabledState));
    set.states = std::move(states);
    set.sigmas.assign(values.size(), 0.0);
    set.values = std::move(values);
    return set;
}

struct Pass
{
    SetStatistics stats;
    std::vector<PlotPoint> points;
};

// Runs the pass and expects it to succeed.
Pass run(const DataSet& set, const StatsInputs& inputs = {})
{
    Pass pass;
    const StatisticsOutcome outcome = statisticsPass(set, inputs, pass.points);
    EXPECT_EQ(outcome.status, StatisticsStatus::Done);
    pass.stats = outcome.statistics.value_or(SetStatistics{});
    return pass;
}

TEST(StatisticsPass, GivesThePrintedNumbersForOneToFiveOnBothScalesAndAboveABackground)
{
    const std::array<const char*, 5> gaussian = {"-0.967374", "-0.430717", "0", "0.430717",
                                                 "0.967374"};
    const std::tuple<const char*, StatsInputs, std::vector<double>, std::array<const char*, 5>>
        rows[] = {
            {"Gaussian", {}, {1, 2, 3, 4, 5}, gaussian},
            // Student's t with N - 2 degrees of freedom.
            {"Student's t", {.scale = ProbabilityScale::StudentT}, {1, 2, 3, 4, 5},
             {"-1.150224", "-0.475794", "0", "0.475794", "1.150224"}},
            {"background 10", {.backgroundValue = 10.0}, {11, 12, 13, 14, 15}, gaussian}};
    for (const auto& [what, inputs, values, printed] : rows) {
        SCOPED_TRACE(what);
        const Pass pass = run(makeSet(values), inputs);
        ASSERT_EQ(pass.points.size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_PRINTED(pass.points[i].position, printed[i]) << "point " << i + 1;
            EXPECT_EQ(pass.points[i].value, static_cast<double>(i + 1));
        }
        EXPECT_PRINTED(pass.stats.ts, "7.088602");
        EXPECT_EQ(pass.stats.shownMin, 1.0);
    }
    const SetStatistics s = run(makeSet({1, 2, 3, 4, 5})).stats;
    EXPECT_EQ(s.n, 5);
    EXPECT_EQ(s.range, 4.0);
    EXPECT_PRINTED(s.mean, "3");
    EXPECT_PRINTED(s.sigma, "1.581139");
    EXPECT_PRINTED(s.k, "2.585859");
    EXPECT_PRINTED(s.normalLow, "0.976142"); // 3 - 1.28 * 1.581139
    EXPECT_PRINTED(s.normalHigh, "5.023858");
}

TEST(AcceptanceFactors, GivesThePrintedFactorsAndFailsOnANegativeRoot)
{
    const AcceptanceFactors f = acceptanceFactors(5, 1.28155, 1.28155);
    EXPECT_PRINTED(f.a, "0.794704");
    EXPECT_PRINTED(f.b, "1.313896");
    const std::tuple<int, double, const char*> rows[] = {
        {5, 1.28155, "2.585859"}, {5, 1.64485, "3.380653"},
        {3, 1.28155, "3.868392"}, {2, 1.28155, "14.005937"}};
    for (const auto& [n, consumerRiskZ, k] : rows) {
        SCOPED_TRACE(::testing::Message() << "N " << n << " Kb " << consumerRiskZ);
        EXPECT_PRINTED(acceptanceFactors(n, consumerRiskZ, 1.28155).k, k);
    }
    // N - 1 < Kb^2 / 2: a and k come out negative, unchecked.
    EXPECT_LT(acceptanceFactors(3, 2.32635, 2.32635).k, 0.0);
    // The only offered failing case: N = 2, Kb = 2.32635 and K2 = 1 or 1.28155.
    EXPECT_QV_ERROR(acceptanceFactors(2, 2.32635, 1.0), ErrorCode::InvalidArgument);
    EXPECT_QV_ERROR(acceptanceFactors(2, 2.32635, 1.28155), ErrorCode::InvalidArgument);
}

TEST(StatisticsPass, RenumbersEnabledPointsWithoutGapsAndGivesTiesConsecutivePositions)
{
    // Points 3 (disabled) and 4 (disabled, hilited) are skipped; point 5 is hilited.
    DataSet set = makeSet({1, 2, 3, 4, 5, 5}, {On, On, Off, OffHilited, OnHilited, On});
    set.sigmas = {0.1, 0.2, 0.3, 0.4, 0.5, 0.6};
    const Pass pass = run(set);
    EXPECT_EQ(pass.stats.n, 4);
    ASSERT_EQ(pass.points.size(), 4u);
    const double values[] = {1, 2, 5, 5};
    const double sigmas[] = {0.1, 0.2, 0.5, 0.6};
    for (std::size_t j = 0; j < 4; ++j) {
        SCOPED_TRACE(j);
        EXPECT_EQ(pass.points[j].position, normalQuantile(static_cast<double>(j + 1) / 5.0));
        EXPECT_EQ(pass.points[j].value, values[j]);
        EXPECT_EQ(pass.points[j].sigma, sigmas[j]);
        EXPECT_EQ(pass.points[j].hilited, j == 2);
    }
}

TEST(StatisticsPass, ShowsDataUnitsOnALogAxisAndRefusesValuesOfZeroOrLess)
{
    StatsInputs inputs{ProbabilityScale::Gaussian, ValueScale::Log};
    const Pass pass = run(makeSet({10, 100, 1000}), inputs);
    const SetStatistics& s = pass.stats;
    EXPECT_DOUBLE_EQ(pass.points[0].value, 1.0);
    EXPECT_DOUBLE_EQ(pass.points[2].value, 3.0);
    EXPECT_PRINTED(s.mean, "2");
    EXPECT_PRINTED(s.sigma, "1");
    EXPECT_PRINTED(s.k, "3.868392");
    EXPECT_PRINTED(s.ts, "5.868392");
    EXPECT_PRINTED(s.shownMean, "370");
    EXPECT_PRINTED(s.shownSigma, "547.448628");
    EXPECT_PRINTED(s.shownTs, "2487.746014");
    EXPECT_EQ(s.shownMin, 10.0);
    EXPECT_EQ(s.shownMax, 1000.0);

    // An enabled value of 0 or less gives no statistics.
    std::vector<PlotPoint> points;
    for (const double bad : {0.0, -3.0}) {
        SCOPED_TRACE(bad);
        const StatisticsOutcome outcome = statisticsPass(makeSet({bad, 1, 2, 3}), inputs, points);
        EXPECT_EQ(outcome.status, StatisticsStatus::NonPositiveOnLogAxis);
        EXPECT_FALSE(outcome.statistics.has_value());
    }
    // A disabled zero does not count; the background does (5 - 5 is 0).
    EXPECT_EQ(statisticsPass(makeSet({0, 6, 7}, {Off}), inputs, points).status,
              StatisticsStatus::Done);
    inputs.backgroundValue = 5.0;
    EXPECT_EQ(statisticsPass(makeSet({5, 6, 7}), inputs, points).status,
              StatisticsStatus::NonPositiveOnLogAxis);
}

TEST(StatisticsPass, FailsWithTheCodeOfEachBadSet)
{
    DataSet undercounted = makeSet({1, 2, 3});
    undercounted.enabledCount = 2;
    DataSet overcounted = makeSet({1, 2, 3}, {On, Off});
    overcounted.enabledCount = 3;
    StatsInputs noMultiplier;
    noMultiplier.consumerRiskZ = 2.32635;
    noMultiplier.ltpdZ = 1.0;
    const std::tuple<const char*, DataSet, StatsInputs, int> rows[] = {
        {"no points", makeSet({}), {}, ErrorCode::Overflow},
        {"none enabled", makeSet({4, 5}, {Off, Off}), {}, ErrorCode::Overflow},
        {"one point", makeSet({4}), {}, ErrorCode::Overflow},
        {"two points on Student's t", makeSet({4, 5}), {ProbabilityScale::StudentT},
         ErrorCode::DivisionByZero},
        {"no acceptance factor", makeSet({4, 5}), noMultiplier, ErrorCode::InvalidArgument},
        // sum(y^2) - N * mean * mean comes out just below 0.
        {"negative variance", makeSet({0.1, 0.1, 0.1}), {}, ErrorCode::InvalidArgument},
        {"fewer counted than enabled", undercounted, {}, ErrorCode::SubscriptOutOfRange},
        {"more counted than enabled", overcounted, {}, ErrorCode::SubscriptOutOfRange},
    };
    std::vector<PlotPoint> points;
    for (const auto& [what, set, inputs, code] : rows) {
        SCOPED_TRACE(what);
        EXPECT_QV_ERROR(statisticsPass(set, inputs, points), code);
    }
    // Equal values give a sigma of 0, not a failure.
    const SetStatistics s = run(makeSet({2, 2, 2})).stats;
    EXPECT_EQ(s.sigma, 0.0);
    EXPECT_EQ(s.ts, 2.0);
}

} // namespace
} // namespace qv

namespace qv {
namespace {

TEST(PositionTable, HoldsExactlyTheQuantilesOfEachPointAndFailsAsTheyWould)
{
    const std::pair<int, ProbabilityScale> rows[] = {{5, ProbabilityScale::Gaussian},
                                                     {1000, ProbabilityScale::Gaussian},
                                                     {100000, ProbabilityScale::Gaussian},
                                                     {29, ProbabilityScale::StudentT}};
    PositionTable table;
    for (const auto& [n, scale] : rows) {
        SCOPED_TRACE(n);
        const std::vector<double>& positions = table.positions(n, scale);
        ASSERT_EQ(positions.size(), static_cast<std::size_t>(n));
        for (int j = 1; j <= n; ++j) {
            const double p = j / (n + 1.0);
            const double direct = scale == ProbabilityScale::StudentT ? studentTQuantile(p, n - 2)
                                                                      : normalQuantile(p);
            ASSERT_EQ(std::bit_cast<std::uint64_t>(positions[static_cast<std::size_t>(j - 1)]),
                      std::bit_cast<std::uint64_t>(direct))
                << j;
        }
    }
    EXPECT_QV_ERROR(table.positions(2, ProbabilityScale::StudentT), ErrorCode::DivisionByZero);
    EXPECT_EQ(table.positions(3, ProbabilityScale::Gaussian).size(), 3u) << "usable again";
}

} // namespace
} // namespace qv
