// The value axis of lots of every scale: nanofarads and micrometres draw as
// megohms do, each tick at its own value.
#include "core/ChartHarness.h"
#include "core/plot/ValueAxis.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace qv {
namespace {

using test::Chart;
using test::Lines;
using test::Values;

TEST(ValueAxis, TicksOfAStepBelowAMillionthAreNeverTakenForZero)
{
    const std::vector<double> tiny = valueTickValues({3.26e-9, 3.34e-9, 1e-11}, false);
    ASSERT_EQ(tiny.size(), 9u);
    for (std::size_t k = 0; k < tiny.size(); ++k) {
        EXPECT_NEAR(tiny[k], 3.26e-9 + static_cast<double>(k) * 1e-11, 1e-22) << k;
    }
    // Across 0 the rounding noise of the sums is still 0 itself.
    const std::vector<double> across = valueTickValues({-3e-9, 3e-9, 1e-9}, false);
    ASSERT_EQ(across.size(), 7u);
    EXPECT_EQ(across[3], 0.0);
    // A step of a millionth or more snaps anything below a millionth to 0, as before.
    const std::vector<double> coarse = valueTickValues({-0.2000005, 0.2, 0.1}, false);
    ASSERT_EQ(coarse.size(), 5u);
    EXPECT_EQ(coarse[2], 0.0);
    EXPECT_EQ(coarse[3], 0.1);
}

// The number a tick label shows.
double labelValue(std::string label)
{
    std::erase(label, ',');
    return std::stod(label);
}

TEST(PlotRoutine, LotsOfAnyScaleDrawWithOneLabelATickAcrossTheirPoints)
{
    // Capacitors of 3.3 nF, film thicknesses of 0.47 um, resistors of 2.5 Mohm.
    const std::tuple<const char*, Values> lots[] = {
        {"3.3 nF", {3.28e-9, 3.30e-9, 3.31e-9, 3.29e-9, 3.33e-9, 3.27e-9, 3.32e-9, 3.30e-9}},
        {"0.47 um", {4.68e-7, 4.71e-7, 4.70e-7, 4.73e-7, 4.66e-7, 4.69e-7, 4.72e-7, 4.70e-7}},
        {"2.5 Mohm", {2.48e6, 2.51e6, 2.50e6, 2.53e6, 2.49e6, 2.52e6, 2.50e6, 2.47e6}},
    };
    for (const auto& [name, values] : lots) {
        SCOPED_TRACE(name);
        Chart c(values);
        ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
        EXPECT_TRUE(c.said().empty());
        const DrawingResults& r = c.plot.results();
        const std::vector<std::string>& labels = r.yTickLabels;
        ASSERT_GE(labels.size(), 3u);
        EXPECT_LE(labelValue(labels.front()), *std::ranges::min_element(values));
        EXPECT_GE(labelValue(labels.back()), *std::ranges::max_element(values));
        for (std::size_t k = 1; k < labels.size(); ++k) {
            EXPECT_NEAR(labelValue(labels[k]) - labelValue(labels[k - 1]), r.ytick, r.ytick * 1e-6)
                << labels[k];
        }
    }
    // The large scale keeps its labels.
    Chart mega(std::get<1>(lots[2]));
    mega.draw();
    EXPECT_EQ(mega.plot.results().yTickLabels,
              (Lines{" 2,460,000", " 2,470,000", " 2,480,000", " 2,490,000", " 2,500,000",
                     " 2,510,000", " 2,520,000", " 2,530,000", " 2,540,000"}));
}

} // namespace
} // namespace qv
