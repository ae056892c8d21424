// Texts on the chart that must read right: the fraction beyond k and the labels
// of a log axis.
#include "core/ChartHarness.h"
#include "core/plot/Annotations.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qv
