// The statistics of a set and what they stand on: the data editors' rules (what a click
// does to a point's state, how a row reads), the statistics pass with its acceptance
// factors and probability positions, the distributions, the probability range of the
// axis and the least-squares fit with its confidence curves, against the printed values.
#include "ChartHarness.h"
#include "core/document/PointEditor.h"
#include "core/plot/ProbabilityRange.h"
#include "core/stats/Distributions.h"
#include "core/stats/LeastSquaresFit.h"
#include "core/stats/StatisticsPass.h"
#include "support/TestTolerance.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using test::makeSet;

constexpr std::int16_t Off = 0, On = 1, OffHilited = 2, OnHilited = 3;

DataSet setOf(const test::States& states)
{
    return test::makeSet(test::Values(states.size(), 1.0), states);
}

TEST(PointEditor, AClickFlipsTheEditorsBitAndKeepsTheEnabledCountInStep)
{
    // Each row: the editor, the point's state before and after and the change of the count.
    const std::tuple<EditorKind, std::int16_t, std::int16_t, int> rows[] = {
        {EditorKind::EnableDisable, 1, 0, -1}, {EditorKind::EnableDisable, 3, 2, -1},
        {EditorKind::Hilite, 1, 3, 0},         {EditorKind::Hilite, 0, 2, 0},
    };
    for (const auto& [kind, before, after, countChange] : rows) {
        SCOPED_TRACE(testing::Message() << "editor " << static_cast<int>(kind) << ", state " << before);
        DataSet set = setOf({1, before, 1});
        const int count = set.enabledCount;
        ASSERT_TRUE(togglePoint(set, kind, 2));
        EXPECT_EQ(set.states, (test::States{1, after, 1}));
        EXPECT_EQ(set.enabledCount, count + countChange);
        // A second click gives both back: the opposite change.
        ASSERT_TRUE(togglePoint(set, kind, 2));
        EXPECT_EQ(set.states, (test::States{1, before, 1}));
        EXPECT_EQ(set.enabledCount, count);
    }
}

TEST(PointEditor, EachEditorMarksItsOwnStates)
{
    const struct { std::int16_t state; bool enableMark, hiliteMark; } rows[] = {
        {0, true, false}, {1, false, false}, {2, true, true}, {3, false, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.state);
        EXPECT_EQ(isMarked(EditorKind::EnableDisable, row.state), row.enableMark);
        EXPECT_EQ(isMarked(EditorKind::Hilite, row.state), row.hiliteMark);
    }
}

TEST(PointEditor, ClicksOutsideTheSetChangeNothing)
{
    for (EditorKind kind : {EditorKind::EnableDisable, EditorKind::Hilite}) {
        for (int point : {0, -1, 4}) {
            SCOPED_TRACE(point);
            DataSet set = setOf({1, 7, 0});
            EXPECT_FALSE(togglePoint(set, kind, point));
            EXPECT_EQ(set.states, (std::vector<std::int16_t>{1, 7, 0}));
            EXPECT_EQ(set.enabledCount, 1);
        }
    }
}

TEST(PointEditor, RowsReadAsTheGridsWriteThem)
{
    EXPECT_EQ(pointNumberText(7, false), " 7");
    EXPECT_EQ(pointNumberText(7, true), "x 7");
    EXPECT_EQ(widestPointNumberText(100000), "x 100000");
    EXPECT_EQ(widestPointNumberText(0), "x 1");
    const std::pair<double, const char*> values[] = {{1234.5, "1234.5"},
                                                     {0, "0"},
                                                     {-0.001234, "-0.001234"},
                                                     {9.996, "9.996"},
                                                     {1e-100, "1e-100"}};
    for (const auto& [value, text] : values) {
        EXPECT_EQ(editorValueText(value), text);
    }
}

TEST(PointEditor, AGridIsRefusedWhenTheSetCannotHoldItsRows)
{
    DataSet good = setOf({1, 1, 1});
    EXPECT_EQ(gridRowCount(good), 3);
    DataSet torn = setOf({1, 1});
    torn.pointCount = 3;
    DataSet negative = setOf({});
    negative.pointCount = -1;
    for (const DataSet* set : {&torn, &negative}) {
        try {
            gridRowCount(*set);
            ADD_FAILURE() << "a torn set was accepted";
        } catch (const QvError& e) {
            EXPECT_EQ(buildFailureText(EditorKind::EnableDisable, e), "Too much data to edit");
            EXPECT_EQ(buildFailureText(EditorKind::Hilite, e), "Too much data to Hilite");
        }
    }
    EXPECT_EQ(buildFailureText(EditorKind::EnableDisable, std::bad_alloc()), "Edit Buffer Full");
    EXPECT_EQ(buildFailureText(EditorKind::Hilite, std::bad_alloc()), "Hilite Buffer Full");
    EXPECT_EQ(buildFailureText(EditorKind::Hilite, std::runtime_error("x")),
              "Error in Hilite routine");
    EXPECT_STREQ(editorTexts(EditorKind::EnableDisable).failureTitle, "Data Edit Error");
    EXPECT_STREQ(editorTexts(EditorKind::Hilite).failureTitle, "Hilite Error");
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

TEST(StatisticsPass, GivesThePrintedNumbersAndAcceptanceFactors)
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
    EXPECT_EQ(s.range, 4.0);
    EXPECT_PRINTED(s.sigma, "1.581139");
    EXPECT_PRINTED(s.k, "2.585859");
    EXPECT_PRINTED(s.normalLow, "0.976142"); // 3 - 1.28 * 1.581139
    EXPECT_PRINTED(s.normalHigh, "5.023858");
    // The acceptance factor k for two points; for 3 and 5 it is read off the passes.
    EXPECT_PRINTED(acceptanceFactors(2, 1.28155, 1.28155).k, "14.005937");
    // The only offered failing case: N = 2, Kb = 2.32635 and K2 = 1 or 1.28155. A negative
    // k (N - 1 < Kb^2 / 2) is drawn: see Restart in test_annotations.cpp.
    EXPECT_QV_ERROR(acceptanceFactors(2, 2.32635, 1.0), ErrorCode::InvalidArgument);
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
    EXPECT_PRINTED(s.k, "3.868392");
    EXPECT_PRINTED(s.ts, "5.868392");
    EXPECT_PRINTED(s.shownSigma, "547.448628"); // mean, min and max are in the box's caption
    EXPECT_PRINTED(s.shownTs, "2487.746014");

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
    const std::tuple<const char*, DataSet, StatsInputs, int> rows[] = {
        {"none enabled", makeSet({4, 5}, {Off, Off}), {}, ErrorCode::Overflow},
        {"two points on Student's t", makeSet({4, 5}), {ProbabilityScale::StudentT},
         ErrorCode::DivisionByZero},
    };
    std::vector<PlotPoint> points;
    for (const auto& [what, set, inputs, code] : rows) {
        SCOPED_TRACE(what);
        EXPECT_QV_ERROR(statisticsPass(set, inputs, points), code);
    }
}

// 25 readings near 1e7 with a spread of 0.015: the one-pass sums would give
// sigma 0.1443 (Σy² - N·mean² keeps nothing of the spread at that offset).
const test::Values OffsetReadings = {
    10000000.469, 10000000.474, 10000000.478, 10000000.481, 10000000.484,
    10000000.486, 10000000.488, 10000000.490, 10000000.491, 10000000.493,
    10000000.495, 10000000.496, 10000000.498, 10000000.500, 10000000.501,
    10000000.503, 10000000.505, 10000000.506, 10000000.508, 10000000.510,
    10000000.512, 10000000.515, 10000000.518, 10000000.522, 10000000.527};

TEST(StatisticsPass, KeepsTheSpreadOfReadingsFarFromZeroAndGivesEqualReadingsNoSpread)
{
    // Mean and sigma of the doubles by Python 3.11.7 statistics.mean and
    // statistics.stdev (exact rational arithmetic); Ts with the written k 1.6851011701.
    const Pass linear = run(makeSet(OffsetReadings));
    EXPECT_PRINTED(linear.stats.mean, "10000000.498000000");
    EXPECT_NEAR(linear.stats.sigma, 0.014991664364397613, 1e-12);
    EXPECT_PRINTED(linear.stats.ts, "10000000.5232625");
    // The shown numbers of a log axis come from the same values unlogged.
    const Pass log = run(makeSet(OffsetReadings), {ProbabilityScale::Gaussian, ValueScale::Log});
    EXPECT_NEAR(log.stats.shownSigma, 0.014991664364397613, 1e-12);

    // Equal readings: exactly their value and no spread (the one-pass sums
    // gave a negative variance for 2.675 and 0.0143 for 1000000.1).
    for (const double v : {2.675, 1000000.1, 0.1}) {
        SCOPED_TRACE(v);
        const SetStatistics s = run(makeSet(test::Values(v == 2.675 ? 7 : 20, v))).stats;
        EXPECT_EQ(s.mean, v);
        EXPECT_EQ(s.sigma, 0.0);
        EXPECT_EQ(s.ts, v);
    }
}

TEST(PositionTable, HoldsExactlyTheQuantilesOfEachPointAndFailsAsTheyWould)
{
    const std::pair<int, ProbabilityScale> rows[] = {{5, ProbabilityScale::Gaussian},
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

// The quantiles of 1/6 and 2/6 and Student's t of 1/6 at 3 degrees of freedom are
// the positions of StatisticsPass.GivesThePrintedNumbers... above.
TEST(Distributions, MatchTheApproximationsPrintedValues)
{
    for (auto [x, printed] : {std::pair{1.644854, "0.950001"}, {-1.0, "0.158648"}}) {
        EXPECT_PRINTED(normalCdf(x), printed) << x;
    }
    const std::pair<double, const char*> quantiles[] = {
        {0.6, "0.250689"},  // one step of the Newton walk
        {0.95, "1.644681"}, // four steps, not the exact 1.644854
        {0.995, "2.576020"}, {0.05, "-1.644681"}, {0.00001, "-4.267468"},
    };
    for (auto [p, printed] : quantiles) {
        EXPECT_PRINTED(normalQuantile(p), printed) << p;
    }
    EXPECT_PRINTED(studentTQuantile(0.975, 8), "2.299924");
    EXPECT_PRINTED(studentTQuantile(0.975, 3), "3.166385");
}

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

// The points of values 1..5 on the Gaussian scale, linear axis, as the pass gives them.
std::vector<PlotPoint> oneToFive(double sigma = 0.0)
{
    return run(makeSet({1, 2, 3, 4, 5}, {}, test::Values(5, sigma))).points;
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
    EXPECT_QV_ERROR(leastSquaresFit(points, 5, true), ErrorCode::Overflow); // every sigma 0
}

TEST(LeastSquaresFit, GivesReadingsFarFromZeroTheResidualVarianceOfTheirDeviations)
{
    // The same readings less 1e7 are ordinary numbers; the fit's scatter must not change.
    test::Values near(OffsetReadings.size());
    std::ranges::transform(OffsetReadings, near.begin(), [](double v) { return v - 1e7; });
    const Pass far = run(makeSet(OffsetReadings));
    const Pass shifted = run(makeSet(near));
    const FitResult farFit = leastSquaresFit(far.points, 25, false).fit;
    const FitResult nearFit = leastSquaresFit(shifted.points, 25, false).fit;
    EXPECT_NEAR(farFit.residualVariance, nearFit.residualVariance,
                1e-6 * nearFit.residualVariance);
    EXPECT_NEAR(farFit.slope, nearFit.slope, 1e-6 * nearFit.slope);
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
}

} // namespace
} // namespace qv
