#include "core/Errors.h"
#include "core/format/FormatMask.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/PlotRoutine.h"
#include "core/plot/ValueAxis.h"
#include "support/FixedPitchMeasurer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

using enum Ctl;

struct Chart
{
    Session session;
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    PlotRoutine plot{session, prompter, measurer};

    explicit Chart(const std::vector<double>& values, const std::vector<double>& sigmas = {})
    {
        startUp(session, {"Arial"});
        session.settings.resetOptions();
        DataSet& set = session.set(1);
        set.values = values;
        set.sigmas = sigmas.empty() ? std::vector<double>(values.size(), 0.0) : sigmas;
        set.hasSigmas = !sigmas.empty();
        set.states.assign(values.size(), 1);
        set.pointCount = set.enabledCount = static_cast<int>(values.size());
        session.titlePath = "RUN1.CSV";
        plot.layout() = designLayout(15360, 11520);
        plot.today = [] { return std::chrono::year_month_day{std::chrono::year{2026}, std::chrono::month{8},
                                                             std::chrono::day{26}}; };
    }
    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> out;
        for (const auto& m : prompter.messages) {
            out.push_back(m.text);
        }
        return out;
    }
    template <typename T> std::vector<T> primitives() const
    {
        std::vector<T> out;
        for (const auto& p : plot.scene().primitives) {
            if (const T* t = std::get_if<T>(&p)) {
                out.push_back(*t);
            }
        }
        return out;
    }
};

std::vector<double> series(int n, double start = 1, double step = 1)
{
    std::vector<double> v;
    for (int i = 0; i < n; ++i) {
        v.push_back(start + step * i);
    }
    return v;
}

TEST(ValueAxis, NiceStepsFollowOneThreeFiveTen)
{
    struct Row
    {
        double raw, step;
    } rows[] = {{1.5, 1}, {3, 3}, {7, 5}, {4, 5}, {0.04, 0.05}, {1.398, 1}, {8, 10}, {150, 100}, {0.7, 0.5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.raw);
        EXPECT_NEAR(niceStep(row.raw), row.step, 1e-12);
    }
}

TEST(ValueAxis, AutomaticScaleWidensToTheDistributionLine)
{
    AutoScaleInputs in;
    in.minPlot = 2;
    in.maxPlot = 8;
    in.mean = 5;
    in.sigma = 1.5;
    in.n = 10;
    in.xmax = 2.33;
    ValueRange r;
    ASSERT_TRUE(autoScale(in, r));
    EXPECT_DOUBLE_EQ(r.ytick, 1);
    EXPECT_DOUBLE_EQ(r.ymin, 1);
    EXPECT_DOUBLE_EQ(r.ymax, 9);
    EXPECT_EQ(valueLabelMask(r, true, 0, false, 5), "#,##0.0");

    // The upper limit and Ts raise the top; no spread gives no step.
    in.limitLines = true;
    in.upperLimit = 20;
    ASSERT_TRUE(autoScale(in, r));
    EXPECT_DOUBLE_EQ(r.ytick, 5);
    EXPECT_DOUBLE_EQ(r.ymin, -5);
    EXPECT_DOUBLE_EQ(r.ymax, 25);
    AutoScaleInputs flat;
    flat.minPlot = flat.maxPlot = flat.mean = 3;
    flat.n = 5;
    flat.xmax = 1.28;
    EXPECT_FALSE(autoScale(flat, r));
}

TEST(ValueAxis, LabelMasksAndTickValues)
{
    EXPECT_EQ(valueLabelMask({0, 1, 0.05}, true, 0, false, 0.5), "#,##0.00");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, true, 0, false, 2000), "#,##0");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, false, 2, true, 2000), "0.00E+00");
    EXPECT_EQ(valueLabelMask({0, 5000, 500}, true, 0, true, 2000), "0E+00");
    // A tiny mean widens the places by the power of ten of the bottom.
    EXPECT_EQ(valueLabelMask({0.00001, 0.00009, 0.00001}, true, 0, false, 0.00005), "#,##0.00000000000");
    EXPECT_THROW(valueLabelMask({0, 0.00009, 0.00001}, true, 0, false, 0.00005), QvError);

    // Accumulated rounding near zero shows as 0.
    const auto ticks = valueTickValues({-0.3, 0.3, 0.1}, false);
    ASSERT_EQ(ticks.size(), 7u);
    EXPECT_EQ(ticks[3], 0.0);
    EXPECT_EQ(ticks.back(), 0.3);
    // 2.5 + 7 * 0.01 falls just short of 2.57: the top is labelled once.
    const auto top = valueTickValues({2.5, 2.57, 0.01}, false);
    EXPECT_EQ(top.size(), 8u);
    EXPECT_EQ(top.back(), 2.57);
    const auto logTicks = valueTickValues({-0.2, 3.2, 1}, true);
    EXPECT_EQ(logTicks, (std::vector<double>{-0.2, 0, 1, 2, 3, 3.2}));
    EXPECT_EQ(scaleText(3, true), "1000");
    EXPECT_THROW(valueTickValues({0, 1, 1e-9}, false), QvError);
}

TEST(PlotRoutine, DrawsFiveGaussianPointsWithTheirAxes)
{
    Chart c({1, 2, 3, 4, 5});
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.prompter.messages.empty());
    const DrawingResults& r = c.plot.results();
    EXPECT_DOUBLE_EQ(r.xmin, -1.28);
    EXPECT_DOUBLE_EQ(r.xmax, 1.28);
    EXPECT_EQ(r.xTickLabels, (std::vector<std::string>{"10", "50", "90"}));
    EXPECT_EQ(r.xCaption, "Cumulative Probability (%) - Gaussian Distribution");
    EXPECT_EQ(r.yTickLabels.front(), " " + format(r.ymin, r.labelMask));
    EXPECT_TRUE(c.session.menus.enabled(Menu::mnuPrint));
    EXPECT_FALSE(c.session.placeBoxesPending);

    // The automatic scale is written back for Manual to start from.
    EXPECT_EQ(c.session.settings.number(AxesOpts_YscaleMin), r.ymin);
    EXPECT_EQ(c.session.settings.number(AxesOpts_TickInterval), r.ytick);

    // Five circles of radius 1 % of the probability span, a frame of width 2.
    const auto circles = c.primitives<SceneCircle>();
    ASSERT_EQ(circles.size(), 5u);
    EXPECT_NEAR(circles[0].cx, -0.967374, 1e-6);
    EXPECT_DOUBLE_EQ(circles[0].radius, 0.01 * 2.56);
    EXPECT_FALSE(circles[0].filled);
    const auto boxes = c.primitives<SceneBox>();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].width, 2);

    // Footer: the file name at the plot's left edge, the date flush right.
    const Scene& scene = c.plot.scene();
    auto footer = std::find_if(scene.windowTexts.begin(), scene.windowTexts.end(),
                               [](const WindowText& t) { return t.text == "08-26-26"; });
    ASSERT_NE(footer, scene.windowTexts.end());
    EXPECT_NEAR(footer->left + c.measurer.textWidth("08-26-26", footer->font), scene.plotArea.right(), 1e-6);
    EXPECT_FALSE(scene.yLabel.visible);
}

TEST(PlotRoutine, SymbolsHiliteFillsAndTheOverlayCycle)
{
    Chart c({1, 2, 3, 4, 5});
    c.session.set(1).states = {1, 3, 1, 0, 1};
    c.session.set(1).enabledCount = 4;
    c.session.settings.selectGroup(AxesOpts_DataSymbol, 2);
    c.session.set(2) = c.session.set(1);
    c.session.set(2).states = {1, 1, 1, 1, 1};
    c.session.set(2).enabledCount = 5;
    c.session.overlayLoaded = true;
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    // Main set: triangles (3 lines each, 20 strokes more when hilited); overlay: circles.
    EXPECT_EQ(c.primitives<SceneCircle>().size(), 5u);
    const auto lines = c.primitives<SceneLine>();
    // 4 triangles * 3 + 20 strokes + 2 distribution lines + ticks (3 x marks * 2 + y marks * 2).
    const std::size_t yMarks = c.plot.results().yTickLabels.size() * 2;
    EXPECT_EQ(lines.size(), 4u * 3 + 20 + 2 + 6 + yMarks);
    EXPECT_EQ(c.session.settings.dataSymbolCode(), 3);
}

TEST(PlotRoutine, LogAxisWithAZeroValueRestartsLinearOnce)
{
    Chart c({0, 1, 2, 3, 4});
    c.session.settings.selectButton(PlotOpts_LogY);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    ASSERT_EQ(c.prompter.messages.size(), 1u);
    EXPECT_EQ(c.prompter.messages[0].text,
              "Dataset contains zero or negative values.  Please remove these values before plotting as log function");
    EXPECT_EQ(c.prompter.messages[0].icon, MessageIcon::None);
    EXPECT_TRUE(c.session.settings.selected(PlotOpts_LinearY));
    EXPECT_EQ(c.primitives<SceneCircle>().size(), 5u);

    // An uncertainty bar reaching 0 on a log axis restarts as well.
    Chart bars({5, 6, 7}, {5, 0.1, 0.1});
    bars.session.settings.setCheck(PlotOpts_ErrorBars, 1);
    bars.session.settings.selectButton(PlotOpts_LogY);
    ASSERT_EQ(bars.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(bars.messageTexts(), (std::vector<std::string>{
                                       "Uncertainty bars contain zero or negative values.  Please delete these "
                                       "data points before turning on log scale."}));
    EXPECT_TRUE(bars.session.settings.selected(PlotOpts_LinearY));
}

TEST(PlotRoutine, StopsAndFailsWithTheirMessages)
{
    Chart flat({3, 3, 3, 3});
    EXPECT_EQ(flat.plot.drawPlot(), DrawOutcome::Stopped);
    EXPECT_EQ(flat.messageTexts(), (std::vector<std::string>{
                                       "Axis Interval is a zero or negative value.  Please reload data and change "
                                       "to a positive value."}));

    Chart manual({1, 2, 3, 4});
    manual.session.settings.selectButton(AxesOpts_Manual);
    manual.session.settings.setText(AxesOpts_YscaleMin, "0");
    manual.session.settings.setText(AxesOpts_YscaleMax, "0");
    manual.session.settings.setText(AxesOpts_TickInterval, "1");
    EXPECT_EQ(manual.plot.drawPlot(), DrawOutcome::Failed);
    ASSERT_EQ(manual.prompter.messages.size(), 1u);
    EXPECT_EQ(manual.prompter.messages[0].title, "Graphing Error");
    EXPECT_TRUE(manual.plot.scene().primitives.empty());

    Chart one({7});
    EXPECT_EQ(one.plot.drawPlot(), DrawOutcome::Failed);
    EXPECT_EQ(one.messageTexts(), (std::vector<std::string>{"Unexpected Error 6"}));
}

TEST(PlotRoutine, OutOfRangeWarningsAppearOncePerSet)
{
    // The quantile's one-percent tolerance keeps 1/101 inside -2.33, so 200 points.
    Chart c(series(200));
    c.session.settings.selectGroup(AxesOpts_NumNines, 1);
    c.session.settings.selectButton(AxesOpts_Manual);
    c.session.settings.setText(AxesOpts_YscaleMin, "10");
    c.session.settings.setText(AxesOpts_YscaleMax, "190");
    c.session.settings.setText(AxesOpts_TickInterval, "10");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.messageTexts(),
              (std::vector<std::string>{"One or more x-values out of range", "One or more y-values out of range"}));
    EXPECT_EQ(c.prompter.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(c.prompter.messages[0].title, "Graph Warning");
    EXPECT_LT(c.primitives<SceneCircle>().size(), 200u);
}

TEST(PlotRoutine, RefreshResizesOnceAndLabelsTheValueAxis)
{
    Chart c({1, 2, 3, 4, 5});
    // The upper limit of switched-off limit lines reads "0" after the drawing.
    c.session.settings.setCheck(PlotOpts_LimitLines, 1);
    c.session.settings.setText(PlotOpts_ULimit, "50");
    c.session.settings.setCheck(PlotOpts_LimitLines, 0);
    EXPECT_EQ(c.session.settings.text(PlotOpts_ULimit), "50");
    c.session.settings.setText(PlotOpts_YAxisLabel, "Width (mm)");
    const double width = c.plot.layout().plotArea.width;
    c.session.settings.selectGroup(frmPageSetup_optPlotSize, 7);
    c.plot.refreshPlot();
    EXPECT_EQ(c.session.settings.text(PlotOpts_ULimit), "0");
    c.plot.refreshPlot();
    EXPECT_NEAR(c.plot.layout().plotArea.width, width * 1.2, 1e-9);
    EXPECT_EQ(c.session.settings.group(frmPageSetup_optPlotSize), 4);

    const WindowLabel& y = c.plot.scene().yLabel;
    EXPECT_TRUE(y.visible);
    EXPECT_GT(y.height, y.width); // turned: taller than wide
    EXPECT_LT(y.left + y.width, c.plot.scene().plotArea.left);
}

} // namespace
} // namespace qv
