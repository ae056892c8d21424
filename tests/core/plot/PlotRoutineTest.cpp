// The drawing routine: the value axis's scale, labels and ticks, the points and their
// symbols, the restarts and stops with their messages; the chart's texts and reference
// lines: statistics boxes, Ts marker, limit lines, fit with its confidence dots, their
// order, placement and description; and which item a press grabs and where a released
// item lands.
#include "ChartHarness.h"
#include "core/format/NumberText.h"
#include "core/plot/Annotations.h"
#include "core/plot/BoxDrag.h"
#include "core/plot/ChartDescription.h"
#include "core/plot/ChartGeometry.h"
#include "core/plot/Scene.h"
#include "core/plot/ValueAxis.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <numeric>
#include <tuple>

namespace qv {
namespace {

using enum Ctl;
using Texts = std::vector<std::string>;
using test::Values;

struct Chart : test::Chart
{
    using test::Chart::Chart;
    const Placement& box = session.placements.statsBox;

    void overlay(const Values& values)
    {
        session.set(2) = test::makeSet(values);
        session.sources.overlayLoaded = true;
    }
    const SetResults& main() const { return plot.results().sets[0]; }
    ChartGeometry mapping() const { return *mappingOf(scene()); }
    Texts texts() const
    {
        Texts out;
        for (const SceneText& t : all<SceneText>()) {
            out.push_back(t.text());
        }
        return out;
    }
    std::vector<SceneLine> lines(LineStyle style) const
    {
        auto out = all<SceneLine>();
        std::erase_if(out, [style](const SceneLine& l) { return l.style != style; });
        return out;
    }
    double defaultLeft() const
    {
        return plot.layout().plotArea.left + 0.036 * plot.layout().plotArea.width;
    }
    void manualScale(const char* min, const char* max, const char* tick)
    {
        s.selectButton(AxesOpts_Manual);
        s.setText(AxesOpts_YscaleMin, min);
        s.setText(AxesOpts_YscaleMax, max);
        s.setText(AxesOpts_TickInterval, tick);
    }
};

const Values OneToFive{1, 2, 3, 4, 5};

TEST(ValueAxis, AutomaticScaleTakesANiceStepAndWidensToTheLineAndTheUpperLimit)
{
    for (auto [raw, step] : {std::pair{1.5, 1.0}, {3, 3}, {7, 5}, {4, 5}, {0.04, 0.05}, {8, 10}}) {
        EXPECT_NEAR(niceStep(raw), step, 1e-12) << raw;
    }
    AutoScaleInputs in{.minPlot = 2, .maxPlot = 8, .mean = 5, .sigma = 1.5, .n = 10, .xmax = 2.33};
    ValueRange r;
    ASSERT_TRUE(autoScale(in, r));
    EXPECT_EQ((std::array{r.ymin, r.ymax, r.ytick}), (std::array{1.0, 9.0, 1.0}));
    EXPECT_EQ(valueLabelMask(r, true, 0, false, 5), "#,##0.0");
    in.limitLines = true;
    in.upperLimit = 20;
    ASSERT_TRUE(autoScale(in, r));
    EXPECT_EQ((std::array{r.ymin, r.ymax, r.ytick}), (std::array{-5.0, 25.0, 5.0}));
    // No spread gives no step.
    EXPECT_FALSE(autoScale({.minPlot = 3, .maxPlot = 3, .mean = 3, .n = 5, .xmax = 1.28}, r));
}

TEST(ValueAxis, LabelMasksFollowTheStepAndTicksLabelZeroAndTheTopOnce)
{
    EXPECT_EQ(valueLabelMask({0, 1, 0.05}, true, 0, false, 0.5), "#,##0.00");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, true, 0, false, 2000), "#,##0");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, false, 2, true, 2000), "0.00E+00");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, true, 0, true, 2000), "0E+00");
    // A tiny mean widens the places by the power of ten of the bottom; a bottom
    // of 0 keeps the places of the tick instead of failing the drawing.
    EXPECT_EQ(valueLabelMask({1e-5, 9e-5, 1e-5}, true, 0, false, 5e-5), "#,##0.00000000000");
    EXPECT_EQ(valueLabelMask({0, 9e-5, 1e-5}, true, 0, false, 5e-5), "#,##0.000000");

    // Ticks snap to zero and label the top once.
    const auto ticks = valueTickValues({-0.3, 0.3, 0.1}, false);
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_EQ(ticks[3], 0.0);
    // 2.5 + 7 * 0.01 falls just short of 2.57.
    const auto top = valueTickValues({2.5, 2.57, 0.01}, false);
    EXPECT_EQ(top.size(), 8u);
    EXPECT_EQ(top.back(), 2.57);
    EXPECT_EQ(valueTickValues({-0.2, 3.2, 1}, true), (std::vector<double>{-0.2, 0, 1, 2, 3, 3.2}));
    EXPECT_EQ(scaleText(3, true), "1000");
    EXPECT_QV_ERROR(valueTickValues({0, 1, 1e-9}, false), ErrorCode::Overflow);
}

TEST(PlotRoutine, DrawsFiveGaussianPointsWithTheirAxes)
{
    Chart c({1, 2, 3, 4, 5});
    ASSERT_EQ(c.redraw(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.prompter.messages.empty());
    const DrawingResults& r = c.plot.results();
    EXPECT_EQ(r.xTickLabels, (Texts{"10", "50", "90"}));
    EXPECT_EQ(r.xCaption, "Cumulative Probability (%) - Gaussian Distribution");
    EXPECT_TRUE(c.session.menus.enabled(Menu::mnuPrint));
    // The automatic scale is written back for Manual to start from.
    EXPECT_EQ(c.s.number(AxesOpts_YscaleMin), r.ymin);
    EXPECT_EQ(c.s.number(AxesOpts_TickInterval), r.ytick);

    // Five open circles of radius 1 % of the probability span, a frame of width 2.
    const auto circles = c.all<SceneCircle>();
    ASSERT_EQ(circles.size(), 5u);
    EXPECT_PRINTED(circles[0].cx, "-0.967374");
    EXPECT_DOUBLE_EQ(circles[0].radius, 0.01 * 2.56);
    EXPECT_FALSE(circles[0].filled);
    ASSERT_EQ(c.all<SceneBox>().size(), 1u);
    EXPECT_EQ(c.all<SceneBox>()[0].width, 2);
}

TEST(PlotRoutine, DrawsHilitedTrianglesAndTheOverlayAsCircles)
{
    Chart c({1, 2, 3, 4, 5});
    c.session.set(1).states = {1, 3, 1, 0, 1};
    c.session.set(1).enabledCount = 4;
    c.s.selectGroup(AxesOpts_DataSymbol, 2);
    c.session.set(2) = c.session.set(1);
    c.session.set(2).states = {1, 1, 1, 1, 1};
    c.session.set(2).enabledCount = 5;
    c.session.sources.overlayLoaded = true;
    ASSERT_EQ(c.redraw(), DrawOutcome::Drawn);
    EXPECT_EQ(c.all<SceneCircle>().size(), 5u);
    // 4 triangles * 3 + 20 hilite strokes + 2 distribution lines + 3 x ticks * 2 + the y ticks * 2.
    const std::size_t yMarks = c.plot.results().yTickLabels.size() * 2;
    EXPECT_EQ(c.all<SceneLine>().size(), 4u * 3 + 20 + 2 + 6 + yMarks);
}

TEST(PlotRoutine, LogAxisWithAZeroValueOrBarRestartsLinearOnce)
{
    Chart c({0, 1, 2, 3, 4});
    c.s.selectButton(PlotOpts_LogY);
    ASSERT_EQ(c.redraw(), DrawOutcome::Drawn);
    EXPECT_EQ(c.said(), (Texts{"Dataset contains zero or negative values.  Please remove "
                                       "these values before plotting as log function"}));
    EXPECT_EQ(c.prompter.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(c.s.selected(PlotOpts_LinearY));
    EXPECT_EQ(c.all<SceneCircle>().size(), 5u);

    Chart bars({5, 6, 7});
    bars.session.set(1).sigmas = {5, 0.1, 0.1};
    bars.session.set(1).hasSigmas = true;
    bars.s.setCheck(PlotOpts_ErrorBars, 1);
    bars.s.selectButton(PlotOpts_LogY);
    ASSERT_EQ(bars.redraw(), DrawOutcome::Drawn);
    EXPECT_EQ(bars.said(), (Texts{"Uncertainty bars contain zero or negative values.  "
                                          "Please delete these data points before turning on "
                                          "log scale."}));
    EXPECT_TRUE(bars.s.selected(PlotOpts_LinearY));
}

TEST(PlotRoutine, StopsOnAZeroAxisIntervalAndTrapsOtherErrors)
{
    Chart flat({3, 3, 3, 3});
    EXPECT_EQ(flat.redraw(), DrawOutcome::Stopped);
    EXPECT_EQ(flat.said(), (Texts{"Axis Interval is a zero or negative value.  Please "
                                          "reload data and change to a positive value."}));

    Chart manual({1, 2, 3, 4});
    manual.manualScale("0", "0", "1");
    EXPECT_EQ(manual.redraw(), DrawOutcome::Failed);
    ASSERT_EQ(manual.prompter.messages.size(), 1u);
    EXPECT_EQ(manual.prompter.messages[0].title, "Graphing Error");
    EXPECT_TRUE(manual.plot.scene().primitives.empty());

    Chart one({7});
    EXPECT_EQ(one.redraw(), DrawOutcome::Failed);
    EXPECT_EQ(one.said(), (Texts{"Unexpected Error 6"}));
}

TEST(PlotRoutine, WarnsOncePerSetOfPointsOutOfRange)
{
    // The quantile's one-percent tolerance keeps 1/101 inside -2.33, so 200 points.
    std::vector<double> values(200);
    std::iota(values.begin(), values.end(), 1.0);
    Chart c(values);
    c.s.selectGroup(AxesOpts_NumNines, 1);
    c.manualScale("10", "190", "10");
    ASSERT_EQ(c.redraw(), DrawOutcome::Drawn);
    EXPECT_EQ(test::said(c.prompter), (Texts{"Graph Warning: One or more x-values out of range",
                                             "Graph Warning: One or more y-values out of range"}));
    EXPECT_EQ(c.prompter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_LT(c.all<SceneCircle>().size(), 200u);
}

TEST(PlotRoutine, DrawsDecadeValuesAtTheEndsOfALogAxis)
{
    for (const double decade : {0.01, 1.0, 1000.0, 1e6}) {
        for (const bool manual : {false, true}) {
            SCOPED_TRACE(::testing::Message() << decade << (manual ? " manual" : " automatic"));
            Chart c({decade, 2 * decade, 5 * decade, 10 * decade, 50 * decade, 100 * decade});
            c.s.selectButton(PlotOpts_LogY);
            if (manual) {
                c.manualScale(plainText(decade).c_str(), plainText(100 * decade).c_str(), "10");
            }
            ASSERT_EQ(c.redraw(), DrawOutcome::Drawn);
            EXPECT_EQ(c.said(), Texts{});
            EXPECT_EQ(c.all<SceneCircle>().size(), 6u);
            if (manual) {
                // The ends are the points' own plot values.
                EXPECT_EQ(c.plot.results().ymin, c.plot.results().sets[0].points.front().value);
                EXPECT_EQ(c.plot.results().ymax, c.plot.results().sets[0].points.back().value);
            }
        }
    }
}

// clang-format off
TEST(StatsBox, CaptionFollowsTheBoxOptionsDigitsAndTitle)
{
    const struct { const char* name; Values values; Texts settings; const char* caption; } rows[] = {
        {"reset settings", OneToFive, {},
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58  \r  Ts =  7.09  "},
        {"title Lot 7, only Ts", OneToFive, {"StatsForm.txtMainStatBoxTitle=Lot 7", "StatsForm.NumData=0",
            "StatsForm.chkMin=0", "StatsForm.Mean=0", "StatsForm.chkMax=0", "StatsForm.StdDev=0"},
         "   Lot 7\r \r  Ts =  7.09  "},
        {"manual digits 1", OneToFive, {"StatsForm.StatsPrecision=1", "StatsForm.Digits=1"},
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  2  \r  Ts =  7  "},
        {"typed 400 digits are 15", OneToFive,
         {"StatsForm.StatsPrecision=1", "StatsForm.Digits=400", "StatsForm.TS=0"},
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58113883008419  "},
        {"log axis 10, 100, 1000", {10, 100, 1000}, {"PlotOpts.LogY=1"},
         " No. Pts. =  3  \r  Min =  10  \r  Mean =  370  \r  Max =  1000  \r  Sigma =  547  \r  Ts =  2490  "},
        {"tiny values keep their digits", {1e-5, 2e-5, 3e-5, 4e-5, 5e-5},
         {"StatsForm.TS=0", "AxesOpts.Manual=1", "AxesOpts.YscaleMin=0.00001",
          "AxesOpts.YscaleMax=0.00006", "AxesOpts.TickInterval=0.00001"},
         " No. Pts. =  5  \r  Min =  1E-05  \r  Mean =  3E-05  \r  Max =  5E-05  \r  Sigma =  1.5811388E-05  "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Chart c(row.values, row.settings);
        ASSERT_EQ(c.draw(), DrawOutcome::Drawn) << testing::PrintToString(c.said());
        EXPECT_EQ(c.box.caption, row.caption);
        EXPECT_TRUE(c.box.visible);
        // Sized to its caption inside its border, in 8 points times the screen factor.
        EXPECT_EQ(c.box.font.pointSize, 8 * 1.28);
        EXPECT_EQ(c.box.width, c.measurer.textWidth(row.caption, c.box.font) + 60);
    }
}

TEST(LimitLines, StandAtTheLimitAndItsFractionsWithDataUnitLabels)
{
    const Texts labels{" Upper Limit = 13", " 90% of Upper Limit = 11.7", " 50% of Upper Limit = 6.5"};
    const struct { bool log; std::array<const char*, 3> heights; } rows[] = {
        {true, {"1.113943", "1.068186", "0.812913"}}, {false, {"13", "11.7", "6.5"}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.log ? "log" : "linear");
        Chart c({4, 5, 6, 7, 8}, {"PlotOpts.LimitLines=1", "PlotOpts.ULimit=13",
                                  "PlotOpts.NinetyLine=1", "PlotOpts.FiftyLine=1", "AxesOpts.Manual=1",
                                  "AxesOpts.YscaleMin=1", "AxesOpts.YscaleMax=1000",
                                  row.log ? "AxesOpts.TickInterval=10" : "AxesOpts.TickInterval=100"});
        c.set({row.log ? "PlotOpts.LogY=1" : "PlotOpts.LinearY=1"});
        ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
        EXPECT_EQ(c.plot.results().limitLabels, labels);
        EXPECT_EQ(c.texts(), labels) << "each printed once";
        const auto solid = c.lines(LineStyle::Solid);
        std::vector<double> heights;
        for (const SceneLine& l : solid) {
            if (l.x1 == c.scene().xmin && l.x2 == c.scene().xmax && l.y1 == l.y2 && l.y1 != 0) {
                heights.push_back(l.y1);
            }
        }
        ASSERT_EQ(heights.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_PRINTED(heights[i], row.heights[i]);
        }
    }
    // A negative limit on a log axis fails the drawing, lines shown or not.
    Chart negative(OneToFive, {"PlotOpts.LogY=1", "PlotOpts.LimitLines=1", "PlotOpts.ULimit=-5",
                               "PlotOpts.UL_Line=0"});
    EXPECT_EQ(negative.draw(), DrawOutcome::Failed);
    EXPECT_EQ(negative.said(), Texts{"Unexpected Error 5"});
    EXPECT_FALSE(negative.box.visible);
    EXPECT_FALSE(negative.main().statsBox) << "nothing of a cleared chart is reported";
}
// clang-format on

TEST(TsMarker, DrawsTheDottedCornerAtKWithItsValueOnTsAndItsFractionRightOfK)
{
    Chart c(OneToFive, {"PlotOpts.CR=2", "PlotOpts.TestStatistic=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    const SetStatistics& st = *c.main().statistics;
    EXPECT_PRINTED(st.k, "3.380653");
    EXPECT_EQ(c.main().tsLabel, " Ts = 8.35");
    EXPECT_EQ(c.main().percentLabel, "<- 0.036% ->");
    const auto dotted = c.lines(LineStyle::Dotted);
    ASSERT_EQ(dotted.size(), 2u);
    const Scene& sc = c.scene();
    EXPECT_EQ((std::array{dotted[0].x1, dotted[0].y1, dotted[0].x2, dotted[0].y2}),
              (std::array{sc.xmin, st.shownTs, st.k, st.shownTs}));
    EXPECT_EQ((std::array{dotted[1].x1, dotted[1].y1, dotted[1].x2, dotted[1].y2}),
              (std::array{st.k, st.shownTs, st.k, sc.ymin}));
    const auto labels = c.all<SceneText>();
    ASSERT_EQ(labels.size(), 2u);
    // A line of text in chart units: 1.2 em of 6 points times the screen factor.
    const double line = 1.2 * 6 * 1.28 * 20 * c.mapping().unitsPerTwipY();
    EXPECT_NEAR(labels[0].y + line, st.ts, 1e-9);
    EXPECT_NEAR(labels[0].x, sc.xmin + 0.025 * (sc.xmax - sc.xmin), 1e-12);
    EXPECT_GT(labels[1].x, st.k);
    EXPECT_NEAR(labels[1].y, sc.ymin - 4 * line, 1e-9);
    // A Ts near or below zero keeps its digits.
    for (auto [value, label] :
         {std::pair{0.001234, " Ts = 0.00123"}, {-0.004, " Ts = -0.004"}, {0.0, " Ts = 0"}}) {
        EXPECT_EQ(tsValueLabel(value), label) << value;
    }
}

TEST(FitLine, DrawsADottedLineWithRowsOfSingleDotsAndSurvivesExactOrUnweightablePoints)
{
    Chart c(OneToFive, {"PlotOpts.LSQfit=1", "PlotOpts.ConfInterval=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    const auto dots = c.all<ScenePixel>();
    ASSERT_EQ(dots.size(), 202u);
    EXPECT_EQ(std::pair(dots[0].x, dots[1].x), std::pair(c.scene().xmin, c.scene().xmin))
        << "each upper dot followed by its lower one";
    EXPECT_PRINTED(dots[0].y - dots[1].y, "0.499012");
    EXPECT_EQ(dots[201].x, c.scene().xmax);
    ASSERT_EQ(c.lines(LineStyle::Dotted).size(), 1u);
    EXPECT_PRINTED(c.lines(LineStyle::Dotted)[0].y2, "5.700183");
    c.set({"PlotOpts.ConfInterval=3"}); // "None": the line alone
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.all<ScenePixel>().empty());
    EXPECT_EQ(c.lines(LineStyle::Dotted).size(), 1u);

    // Points exactly on a line: no "Unexpected Error 5" from a tiny negative variance.
    Chart exact({2, 4, 6, 8, 10, 12, 14},
                {"PlotOpts.Tdist=1", "PlotOpts.LSQfit=1", "PlotOpts.ConfInterval=2"});
    EXPECT_EQ(exact.draw(), DrawOutcome::Drawn);

    // No uncertainty at all in a weighted fit: said once, before the fit fails.
    Values values(500);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 10 + static_cast<double>(i) / 50;
    }
    Chart zero(values, {"PlotOpts.LSQfit=1", "PlotOpts.weighting=0"});
    EXPECT_EQ(zero.draw(), DrawOutcome::Failed);
    EXPECT_EQ(zero.said(), (Texts{"Data Produces Divide By Zero Error. Use Correct Dataset.",
                                  "Unexpected Error 6"}));
}

TEST(Overlay, DrawsEachSetsTextsMarkerAndFitInOrderWithTheLimitLinesOnce)
{
    Chart c({10, 11, 12, 13, 14, 15, 16, 17, 18, 19},
            {"PlotOpts.TestStatistic=1", "PlotOpts.LimitLines=1", "PlotOpts.ULimit=40",
             "PlotOpts.LSQfit=1", "PlotOpts.OverlayText=Line B",
             "StatsForm.txtOverlayStatBoxTitle=B", "AxesOpts.Manual=1", "AxesOpts.YscaleMin=0",
             "AxesOpts.YscaleMax=50", "AxesOpts.TickInterval=10"});
    c.overlay({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(c.texts(), (Texts{" Ts = 20.59", "<- 2.2% ->", " Upper Limit = 40", " Ts = 22.59",
                                "<- 2.2% ->"}));
    // The main marker (2 lines) and fit, then the overlay's.
    const auto dotted = c.lines(LineStyle::Dotted);
    ASSERT_EQ(dotted.size(), 6u);
    EXPECT_PRINTED(dotted[3].y1, "22.592");
    const Placements& p = c.session.placements;
    EXPECT_EQ(p.overlayStats.caption.substr(0, 18), "  B\r  No. Pts. =  ");
    EXPECT_EQ(c.plot.results().sets[1].plotText, "Line B");
    EXPECT_TRUE(p.overlayText.visible);

    // An overlay with a mean near 0 over an axis from exactly 0 keeps its box.
    c.overlay({-0.00002, -0.00001, 0, 0.00001, 0.00002});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(p.overlayStats.caption.substr(0, 38), "  B\r  No. Pts. =  5  \r  Min = -2E-05  ");
}

TEST(Restart, ANonPositiveTsOnALogAxisRedrawsLinearOnceWithoutRepeatingMessages)
{
    // Three overlay points and a consumer's risk of 0.01 give a negative k.
    Chart c({0.5, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
            {"PlotOpts.CR=3", "PlotOpts.TestStatistic=1", "PlotOpts.LogY=1", "AxesOpts.Manual=1",
             "AxesOpts.YscaleMin=1", "AxesOpts.YscaleMax=100", "AxesOpts.TickInterval=10"});
    c.overlay({1, 2, 30});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(c.said(), (Texts{"One or more y-values out of range",
                               "Negative or zero data values. Please delete these values before "
                               "plotting a log scale."}));
    EXPECT_EQ(c.prompter.messages[1].title, "Dataset Error");
    EXPECT_TRUE(c.s.selected(Ctl::PlotOpts_LinearY));
    // One complete linear chart: both markers, both boxes.
    EXPECT_EQ(c.texts().size(), 4u);
    EXPECT_TRUE(c.session.placements.overlayStats.visible);
}

TEST(Placement, TheBoxStaysOnTheScreenAcrossARescaleAndGoesBackAfterALoad)
{
    Chart c(OneToFive);
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_NEAR(c.box.left, c.defaultLeft(), 1e-9);
    const ChartGeometry before = c.mapping();
    EXPECT_NEAR(before.twipsToY(c.box.top),
                c.scene().ymax - 0.05 * (c.scene().ymax - c.scene().ymin), 1e-9);

    // Until the user moves it, the box makes way for a label under it.
    c.set({"PlotOpts.LimitLines=1", "PlotOpts.ULimit=8.5", "AxesOpts.Manual=1",
           "AxesOpts.YscaleMin=0", "AxesOpts.YscaleMax=9", "AxesOpts.TickInterval=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_GT(c.box.left, c.defaultLeft() + 1000) << "right of ' Upper Limit = 8.5'";

    c.plot.moveItem(MovableItem::StatsBox, 3000, 2500);
    c.plot.moveItem(MovableItem::PlotText, 4000, 3000);
    c.set({"AxesOpts.Auto=1", "PlotOpts.TestStatistic=1"}); // Ts widens the automatic scale
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_NE(c.mapping().twipsToY(2500), before.twipsToY(2500));
    EXPECT_EQ(std::pair(c.box.left, c.box.top), std::pair(3000.0, 2500.0));

    c.session.sources.placeBoxesPending = true; // a new load, which resets the options
    c.s.resetOptions();
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_NEAR(c.box.left, c.defaultLeft(), 1e-9);
    EXPECT_EQ(c.session.placements.plotText.left, 4000) << "the free text stays";
}

TEST(Placement, AProjectsStoredPlaceIsTakenWithTheBoxOffAndABoxOutOfSightComesBack)
{
    Chart c(OneToFive, {"PlotOpts.PlotText=Note", "PlotOpts.Statistics=0"});
    c.session.sources.projectFileFlag = true;
    c.session.sources.savedPositions = {5.5, 0.25, 6.0, -0.5, 0, 0};
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_FALSE(c.box.visible);
    const Placement& text = c.session.placements.plotText;
    EXPECT_TRUE(text.visible) << "the free text shows without the box";
    const ChartGeometry m = c.mapping();
    EXPECT_NEAR(m.twipsToX(c.box.left), -0.5, 1e-12);
    EXPECT_NEAR(m.twipsToY(c.box.top), 6.0, 1e-12);
    EXPECT_NEAR(m.twipsToX(text.left), 0.25, 1e-12);
    EXPECT_NEAR(m.twipsToY(text.top), 5.5, 1e-12);

    c.set({"PlotOpts.Statistics=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.box.visible);
    EXPECT_NEAR(c.mapping().twipsToX(c.box.left), -0.5, 1e-12) << "kept while off";

    // Dropped far away (or a plot area made smaller): back at the default place.
    c.plot.moveItem(MovableItem::StatsBox, 90000, -50000);
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_NEAR(c.box.left, c.defaultLeft(), 1e-9);
}

TEST(ChartDescription, ListsTheVisibleTextsOnePerLine)
{
    Chart c(OneToFive, {"PlotOpts.PlotTitle=Lot 7", "PlotOpts.YAxisLabel=Width (mm)",
                        "PlotOpts.TestStatistic=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    // k = 2.59 lies right of the axis's end: its percentage label is not seen.
    EXPECT_EQ(chartDescription(c.scene(), c.plot.results()),
              (Texts{"Lot 7", "No. Pts. = 5", "Min = 1", "Mean = 3", "Max = 5", "Sigma = 1.58",
                     "Ts = 7.09",
                     "The statistics box stands at the upper left of the plot area, covering no "
                     "other text",
                     "Ts = 7.09", "Cumulative Probability (%) - Gaussian Distribution",
                     "Width (mm)"}));
}

// A 9000 x 6750 twips window, its plot area at (1500, 750) 6000 x 4500, the title and
// axis label beside it, and on it two boxes and a free text cut off at its right edge.
Scene dragScene()
{
    Scene scene;
    scene.windowWidth = 9000;
    scene.windowHeight = 6750;
    scene.plotArea = {1500, 750, 6000, 4500};
    scene.coordinatesSet = true;
    scene.title = {"Lot 7", {}, 3000, 200, 3000, 400, true, false};
    Placements& p = scene.placements;
    p.statsBox = {"Stats", {}, 2000, 1000, 1500, 1200, true, true};
    p.overlayStats = {"Overlay", {}, 5000, 3500, 1200, 1000, true, true};
    p.plotText = {"Note", {}, 7000, 1000, 800, 300, true, false};
    p.overlayText = {"Hidden", {}, 3000, 3000, 800, 300, false, false};
    p.yLabel = {"Width", {}, 300, 2000, 300, 1500, true, false};
    return scene;
}

TEST(BoxDrag, PressesGrabShownItemsAndDropRulesMoveThemOnlyOntoThemselvesOrTheirGround)
{
    const Scene scene = dragScene();
    const std::optional<std::pair<double, double>> stays;
    const struct
    {
        const char* name;
        TwipsPoint press;
        TwipsPoint drop;
        std::optional<std::pair<double, double>> landed;
    } rows[] = {
        {"box on the plot area", {2200, 1100}, {4000, 3000}, std::pair{3800.0, 2900.0}},
        {"box moved a little, onto itself", {2200, 1100}, {2300, 1150}, std::pair{2100.0, 1050.0}},
        {"box on the window's background", {2200, 1100}, {1000, 6000}, stays},
        {"box on another box", {2200, 1100}, {5500, 4000}, stays},
        {"box outside the window", {2200, 1100}, {9500, 100}, stays},
        {"axis label on the plot area", {400, 2500}, {3000, 3000}, stays},
        {"axis label on the background", {400, 2500}, {800, 6200}, std::pair{700.0, 5700.0}},
        {"axis label on a box", {400, 2500}, {2500, 1500}, stays},
        {"free text where it shows", {7200, 1100}, {2000, 4000}, std::pair{1800.0, 3900.0}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto drag = pressAt(scene, row.press);
        ASSERT_TRUE(drag);
        const auto landed = dropAt(scene, *drag, row.drop);
        ASSERT_EQ(landed.has_value(), row.landed.has_value());
        if (landed) {
            EXPECT_EQ(std::pair(landed->x, landed->y), *row.landed);
        }
    }
    // Nothing to grab: a box where it is cut off, a hidden item, the plot area, the title.
    for (const TwipsPoint empty : {TwipsPoint{7600, 1100}, TwipsPoint{3100, 3100},
                                   TwipsPoint{4000, 2000}, TwipsPoint{3500, 300}}) {
        EXPECT_FALSE(pressAt(scene, empty)) << empty.x << "," << empty.y;
    }
}

} // namespace
} // namespace qv
