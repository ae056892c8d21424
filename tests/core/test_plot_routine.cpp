// The drawing routine: the value axis's scale, labels and ticks, the points and
// their symbols, the restarts and stops with their messages, and the mapping of
// chart units to twips.
#include "ChartHarness.h"
#include "core/format/NumberText.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ValueAxis.h"
#include "support/TestTolerance.h"

#include <array>
#include <numeric>

namespace qv {
namespace {

using enum Ctl;
using Texts = std::vector<std::string>;

struct Chart : test::Chart
{
    using test::Chart::Chart;
    void manualScale(const char* min, const char* max, const char* tick)
    {
        s.selectButton(AxesOpts_Manual);
        s.setText(AxesOpts_YscaleMin, min);
        s.setText(AxesOpts_YscaleMax, max);
        s.setText(AxesOpts_TickInterval, tick);
    }
};

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
    // A tiny mean widens the places by the power of ten of the bottom, which must not be 0.
    EXPECT_EQ(valueLabelMask({1e-5, 9e-5, 1e-5}, true, 0, false, 5e-5), "#,##0.00000000000");
    EXPECT_QV_ERROR(valueLabelMask({0, 9e-5, 1e-5}, true, 0, false, 5e-5),
                    ErrorCode::InvalidArgument);

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
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
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
    c.session.overlayLoaded = true;
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.all<SceneCircle>().size(), 5u);
    // 4 triangles * 3 + 20 hilite strokes + 2 distribution lines + 3 x ticks * 2 + the y ticks * 2.
    const std::size_t yMarks = c.plot.results().yTickLabels.size() * 2;
    EXPECT_EQ(c.all<SceneLine>().size(), 4u * 3 + 20 + 2 + 6 + yMarks);
}

TEST(PlotRoutine, LogAxisWithAZeroValueOrBarRestartsLinearOnce)
{
    Chart c({0, 1, 2, 3, 4});
    c.s.selectButton(PlotOpts_LogY);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
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
    ASSERT_EQ(bars.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(bars.said(), (Texts{"Uncertainty bars contain zero or negative values.  "
                                          "Please delete these data points before turning on "
                                          "log scale."}));
    EXPECT_TRUE(bars.s.selected(PlotOpts_LinearY));
}

TEST(PlotRoutine, StopsOnAZeroAxisIntervalAndTrapsOtherErrors)
{
    Chart flat({3, 3, 3, 3});
    EXPECT_EQ(flat.plot.drawPlot(), DrawOutcome::Stopped);
    EXPECT_EQ(flat.said(), (Texts{"Axis Interval is a zero or negative value.  Please "
                                          "reload data and change to a positive value."}));

    Chart manual({1, 2, 3, 4});
    manual.manualScale("0", "0", "1");
    EXPECT_EQ(manual.plot.drawPlot(), DrawOutcome::Failed);
    ASSERT_EQ(manual.prompter.messages.size(), 1u);
    EXPECT_EQ(manual.prompter.messages[0].title, "Graphing Error");
    EXPECT_TRUE(manual.plot.scene().primitives.empty());

    Chart one({7});
    EXPECT_EQ(one.plot.drawPlot(), DrawOutcome::Failed);
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
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(test::said(c.prompter), (Texts{"Graph Warning: One or more x-values out of range",
                                             "Graph Warning: One or more y-values out of range"}));
    EXPECT_EQ(c.prompter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_LT(c.all<SceneCircle>().size(), 200u);
}

TEST(PlotRoutine, RefreshResetsTheUpperLimitOfSwitchedOffLimitLines)
{
    Chart c({1, 2, 3, 4, 5});
    c.s.setCheck(PlotOpts_LimitLines, 1);
    c.s.setText(PlotOpts_ULimit, "50");
    c.s.setCheck(PlotOpts_LimitLines, 0);
    c.plot.refreshPlot();
    EXPECT_EQ(c.s.text(PlotOpts_ULimit), "0");
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
            ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
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

TEST(PlotMapping, TakesChartUnitsToTwipsAndBack)
{
    const TwipsRect area{1800, 900, 7500, 5100};
    const PlotMapping m(area, -1.28, 1.28, 2, 12);
    EXPECT_DOUBLE_EQ(m.xToTwips(-1.28), 1800);
    EXPECT_DOUBLE_EQ(m.xToTwips(1.28), 9300);
    EXPECT_DOUBLE_EQ(m.yToTwips(12), 900);
    EXPECT_DOUBLE_EQ(m.yToTwips(2), 6000);
    EXPECT_DOUBLE_EQ(m.unitsPerTwipX(), 2.56 / 7500);
    EXPECT_DOUBLE_EQ(m.unitsPerTwipY(), -10.0 / 5100);
    for (const auto& [x, y] : {std::pair{-1.28, 2.0}, {0.0, 7.0}, {0.431, 11.9}, {3.0, -4.5}}) {
        SCOPED_TRACE(::testing::Message() << x << "," << y);
        EXPECT_NEAR(m.twipsToX(m.xToTwips(x)), x, 1e-12);
        EXPECT_NEAR(m.twipsToY(m.yToTwips(y)), y, 1e-12);
    }
}

} // namespace
} // namespace qv
