// Texts on the chart that must read right: the fraction beyond k, the labels of
// a log axis, and the chart in words after a box was dragged.
#include "core/ChartHarness.h"
#include "core/plot/Annotations.h"
#include "core/plot/ChartDescription.h"
#include "core/plot/ChartGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace qv {
namespace {

using test::Chart;
using Texts = std::vector<std::string>;

TEST(PercentLabel, LeavesNoPointBeforeThePercentSign)
{
    // Upper tails of the standard normal distribution (scipy.stats.norm.sf):
    // sf(1.6448536) = 0.05, sf(2) = 0.0227501, sf(1) = 0.158655, sf(3.0902323) = 0.001.
    const struct
    {
        double k;
        const char* text;
    } rows[] = {
        {1.6448536269514722, "5%"}, {2.0, "2.3%"}, {1.0, "16%"}, {3.090232306167813, "0.1%"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(percentText(row.k), row.text);
        EXPECT_EQ(percentLabel(row.k), std::string("<- ") + row.text + " ->");
    }
}

TEST(LogAxis, NoTwoValueLabelsReadTheSame)
{
    Chart c({0.002, 0.005, 0.02, 0.05, 0.3}, {"AxesOpts.Manual=1", "AxesOpts.YscaleMin=0.001",
                                              "AxesOpts.YscaleMax=1", "AxesOpts.TickInterval=10"});
    c.set({"PlotOpts.LogY=1"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    const Texts& labels = c.plot.results().yTickLabels;
    EXPECT_EQ(labels, (Texts{" 0.001", " 0.010", " 0.100", " 1.000"}));
    EXPECT_EQ(std::set<std::string>(labels.begin(), labels.end()).size(), labels.size());
}

// The line of the description that starts with `start`, empty when there is none.
std::string lineStarting(const Texts& lines, const std::string& start)
{
    const auto found = std::ranges::find_if(
        lines, [&start](const std::string& line) { return line.rfind(start, 0) == 0; });
    return found == lines.end() ? std::string() : *found;
}

TEST(ChartDescription, SaysWhereADraggedBoxStandsAndWhichTextsItCovers)
{
    Chart c({1, 2, 3, 4, 5}, {"PlotOpts.TestStatistic=1", "PlotOpts.PlotText=Lot 7"});
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_EQ(lineStarting(chartDescription(c.scene(), c.plot.results()), "The statistics box"),
              "The statistics box stands at the upper left of the plot area, covering no other "
              "text");

    // Dropped over the Ts value label and the free text, the box covers both.
    const Scene& scene = c.scene();
    const ChartGeometry mapping(scene.plotArea, scene.xmin, scene.xmax, scene.ymin, scene.ymax);
    const auto texts = c.all<SceneText>();
    ASSERT_FALSE(texts.empty());
    ASSERT_EQ(texts[0].text(), " Ts = 7.09");
    const Placement& freeText = c.session.placements.plotText;
    c.plot.moveItem(MovableItem::StatsBox, mapping.xToTwips(texts[0].x) - 50,
                    mapping.yToTwips(texts[0].y) - 50);
    const Texts after = chartDescription(c.scene(), c.plot.results());
    EXPECT_EQ(lineStarting(after, "The statistics box"),
              "The statistics box stands at the upper left of the plot area, covering "
              "\"Ts = 7.09\"");
    c.plot.moveItem(MovableItem::PlotText, mapping.xToTwips(texts[0].x), freeText.top);
    EXPECT_EQ(lineStarting(chartDescription(c.scene(), c.plot.results()), "The plot text"),
              "The plot text stands at the upper left of the plot area, covering part of the "
              "statistics box, \"Ts = 7.09\"");
}

} // namespace
} // namespace qv
