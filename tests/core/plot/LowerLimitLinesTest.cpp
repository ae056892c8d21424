// The lower limit on the chart: its line and label beside the upper ones, and
// the value axis reaching it.
#include "ChartHarness.h"
#include "core/plot/ValueAxis.h"

#include <gtest/gtest.h>

#include <array>

namespace qv {
namespace {

using Texts = std::vector<std::string>;

struct Chart : test::Chart
{
    using test::Chart::Chart;
    Texts limitTexts() const { return plot.results().limitLabels; }
    // Heights of the solid lines across the whole chart, bottom to top as drawn.
    std::vector<double> limitHeights() const
    {
        std::vector<double> out;
        for (const SceneLine& l : all<SceneLine>()) {
            if (l.style == LineStyle::Solid && l.x1 == scene().xmin && l.x2 == scene().xmax &&
                l.y1 == l.y2 && l.y1 != 0) {
                out.push_back(l.y1);
            }
        }
        return out;
    }
};

const test::Values Lot{4, 5, 6, 7, 8};

TEST(LowerLimitLines, EachLimitedSideDrawsItsLineAndLabel)
{
    const struct
    {
        const char* sides;
        Texts labels;
        std::vector<double> heights;
    } rows[] = {
        {"0", {" Upper Limit = 13"}, {13}},
        {"1", {" Lower Limit = 1.5"}, {1.5}},
        {"2", {" Upper Limit = 13", " Lower Limit = 1.5"}, {13, 1.5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.sides);
        Chart c(Lot, {"PlotOpts.LimitLines=1", "PlotOpts.ULimit=13", "PlotOpts.LLimit=1,5",
                      std::string("PlotOpts.LimitSides=") + row.sides});
        ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
        EXPECT_EQ(c.limitTexts(), row.labels);
        EXPECT_EQ(c.limitHeights(), row.heights);
        EXPECT_EQ(c.s.text(Ctl::PlotOpts_ULimit), "13") << "an unlimited side keeps its text";
    }
    // A lower limit of 0 is a limit: it is drawn. Limit Lines off draws none and reads 0.
    Chart zero(Lot, {"PlotOpts.LimitLines=1", "PlotOpts.LimitSides=1"});
    ASSERT_EQ(zero.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(zero.limitTexts(), Texts{" Lower Limit = 0"});
    Chart off(Lot, {"PlotOpts.LimitSides=2", "PlotOpts.LLimit=2", "PlotOpts.ULimit=9"});
    ASSERT_EQ(off.draw(), DrawOutcome::Drawn);
    EXPECT_TRUE(off.limitTexts().empty());
    EXPECT_EQ(off.s.text(Ctl::PlotOpts_LLimit), "0");
}

TEST(LowerLimitLines, TheAutomaticScaleReachesDownToTheLowerLimit)
{
    AutoScaleInputs in{.minPlot = 2, .maxPlot = 8, .mean = 5, .sigma = 1.5, .n = 10, .xmax = 2.33};
    in.limitLines = true;
    in.lowerLimited = true;
    in.lowerLimit = -10;
    ValueRange r;
    ASSERT_TRUE(autoScale(in, r));
    // From -10 to 8.495: raw step 3.699 takes 5, one step beyond each end.
    EXPECT_EQ((std::array{r.ymin, r.ymax, r.ytick}), (std::array{-15.0, 15.0, 5.0}));
    in.lowerLimited = false;
    ASSERT_TRUE(autoScale(in, r));
    EXPECT_EQ((std::array{r.ymin, r.ymax, r.ytick}), (std::array{1.0, 9.0, 1.0}));

    // On the chart: the lower limit widens the scale, the unlimited upper one does not.
    Chart plain(Lot, {"PlotOpts.LimitLines=1"});
    Chart lower(Lot, {"PlotOpts.LimitLines=1", "PlotOpts.LimitSides=1", "PlotOpts.LLimit=-20",
                      "PlotOpts.ULimit=50"});
    ASSERT_EQ(plain.draw(), DrawOutcome::Drawn);
    ASSERT_EQ(lower.draw(), DrawOutcome::Drawn);
    EXPECT_LT(lower.plot.results().ymin, -20);
    EXPECT_GT(plain.plot.results().ymin, -20);
    EXPECT_LT(lower.plot.results().ymax, 50);
}

TEST(LowerLimitLines, ALowerLimitOfZeroOrLessOnALogAxisFailsTheDrawing)
{
    for (const char* limit : {"0", "-2"}) {
        SCOPED_TRACE(limit);
        Chart c(Lot, {"PlotOpts.LogY=1", "PlotOpts.LimitLines=1", "PlotOpts.LimitSides=2",
                      "PlotOpts.ULimit=13", std::string("PlotOpts.LLimit=") + limit});
        EXPECT_EQ(c.draw(), DrawOutcome::Failed);
        EXPECT_EQ(c.said(), Texts{"Unexpected Error 5"});
    }
    Chart good(Lot, {"PlotOpts.LogY=1", "PlotOpts.LimitLines=1", "PlotOpts.LimitSides=1",
                     "PlotOpts.LLimit=0.5"});
    ASSERT_EQ(good.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(good.limitTexts(), Texts{" Lower Limit = 0.5"});
    EXPECT_LE(good.plot.results().ymin, std::log10(0.5));
}

} // namespace
} // namespace qv
