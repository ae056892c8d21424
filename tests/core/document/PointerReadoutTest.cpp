// The readout under the mouse pointer on drawn lots: the value and probability at
// the pointer in the axes' scales, and the point near it with its file line.
#include "ChartHarness.h"
#include "core/document/PointerReadout.h"
#include "support/TestLots.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

namespace qv {
namespace {

using enum Ctl;

// The plot area on 600 x 400 device pixels.
constexpr TwipsRect Device{0, 0, 600, 400};

struct DrawnLot : test::Document
{
    explicit DrawnLot(const std::string& lines) { EXPECT_TRUE(openText("lot.csv", lines)); }
    void draw(Ctl xScale, Ctl yScale)
    {
        s.selectButton(xScale);
        s.selectButton(yScale);
        document.drawPlot();
    }
    ChartGeometry geometry() const { return mappingOf(document.scene())->onDevice(Device); }
    const PlotPoint& point(int rank) const
    {
        return document.plot().results().sets[0].points.at(static_cast<std::size_t>(rank - 1));
    }
    // The readout with the pointer `dx`, `dy` pixels from the point of `rank`.
    std::string nearPoint(int rank, double dx = 0, double dy = 0) const
    {
        const ChartGeometry g = geometry();
        return PointerReadout(document).textAt(Device, g.xToDevice(point(rank).position) + dx,
                                               g.yToDevice(point(rank).value) + dy);
    }
};

// The percentage of a readout "V at P % ...".
double percentIn(const std::string& text)
{
    const auto at = text.find(" at ") + 4;
    double p = 0;
    std::from_chars(text.data() + at, text.data() + text.size(), p);
    return p;
}

// A labels row, a foreign line and values out of order: ranks and file lines differ.
constexpr const char* Diameters = "diameter\n3.2\n2.531\nn/a\n1.9\n5.04\n4.4\n";

TEST(PointerReadout, NamesThePointNearThePointerWithItsRankValueAndFileLine)
{
    DrawnLot lot(Diameters);
    lot.draw(PlotOpts_NormalDist, PlotOpts_LinearY);
    // 2.531 is the second of five, read from line 3; 5.04 the last, from line 6.
    const std::string second = lot.nearPoint(2);
    EXPECT_EQ(second.substr(0, 9), "2.531 at ");
    EXPECT_EQ(second.substr(second.find(" %")), " % \u00b7 point 2 of 5, 2.531, line 3");
    // Plotted at the Gaussian quantile of 2/6, within the 1 % of its walk.
    EXPECT_NEAR(percentIn(second), 100.0 / 3.0, 0.01 * 100.0 / 3.0);
    const std::string last = lot.nearPoint(5, 3, -3);
    EXPECT_EQ(last.substr(last.find(" %")), " % \u00b7 point 5 of 5, 5.04, line 6");
    // Six pixels away: the value alone.
    const std::string away = lot.nearPoint(5, 6, 0);
    EXPECT_EQ(away.find("point"), std::string::npos) << away;
    EXPECT_FALSE(away.empty());
}

TEST(PointerReadout, ReadsTheAxesInTheirOwnScalesAndIsEmptyOutsideThePlotArea)
{
    DrawnLot lot("10\n100\n1000\n20\n300\n");
    lot.draw(PlotOpts_NormalDist, PlotOpts_LogY);
    // On a log axis the value under the pointer is 10^y.
    EXPECT_EQ(lot.nearPoint(5).substr(0, 9), "1000 at 8");
    EXPECT_EQ(lot.nearPoint(3).substr(0, 14), "100 at 50.0 % ");

    const ChartGeometry g = lot.geometry();
    const PointerReadout readout(lot.document);
    const double centre = g.xToDevice(0.0);
    EXPECT_EQ(readout.textAt(Device, centre, g.yToDevice(2.5)), "316.2 at 50.0 %");
    EXPECT_EQ(readout.textAt(Device, -1, 200), "");
    EXPECT_EQ(readout.textAt(Device, 600, 200), "");
    EXPECT_EQ(readout.textAt(Device, 300, 400), "");

    // Nothing drawn, nothing read.
    test::Document empty;
    EXPECT_EQ(PointerReadout(empty.document).textAt(Device, 300, 200), "");
}

TEST(PointerReadout, WritesValuesToThePixelAndProbabilitiesToThreeDigitsOfTheirTail)
{
    EXPECT_EQ(readoutValue(2.53412, 0.025), "2.534");
    EXPECT_EQ(readoutValue(999.99996, 17.0), "1000");
    // A narrow axis, a pixel 0.0025 wide: the digits that tell pixels apart.
    EXPECT_EQ(readoutValue(1000.437212, 0.0025), "1000.437");
    EXPECT_EQ(readoutValue(-0.0001234567, 1e-7), "-0.0001235");
    const std::pair<double, const char*> percents[] = {
        {0.624, "62.4"}, {0.5, "50.0"}, {0.000123, "0.0123"}, {0.99987, "99.9870"},
        {0.1, "10.0"},   {0.0, "0"},    {1.0, "100"},
    };
    for (const auto& [p, text] : percents) {
        EXPECT_EQ(readoutPercent(p), text) << p;
    }
}

TEST(PointerReadout, ReadsTheProbabilityTheAxisIsSpacedByAtItsTicks)
{
    for (const Ctl scale : {PlotOpts_NormalDist, PlotOpts_Tdist}) {
        SCOPED_TRACE(scale == PlotOpts_Tdist ? "Student's t" : "Gaussian");
        DrawnLot lot("1\n2\n3\n4\n5\n6\n7\n");
        lot.draw(scale, PlotOpts_LinearY);
        const DrawingResults& results = lot.document.plot().results();
        const PointerReadout readout(lot.document);
        ASSERT_FALSE(results.xTickLabels.empty());
        for (std::size_t i = 0; i < results.xTickLabels.size(); ++i) {
            const std::string& label = results.xTickLabels[i];
            SCOPED_TRACE(label);
            double printed = 0;
            const auto first = label.find_first_not_of(' ');
            std::from_chars(label.data() + first, label.data() + label.size(), printed);
            const double p = readout.probabilityAt(results.xTickPositions[i]);
            const double tail = std::min(printed, 100.0 - printed);
            // The ticks sit at the probabilities they print, to the 1 % of the
            // quantiles' Gaussian walk (the Gaussian ticks are rounded to 0.01).
            EXPECT_NEAR(std::min(100 * p, 100 - 100 * p), tail, 0.012 * tail);
        }
    }
}

TEST(PointerReadout, FindsTheNearestOfAHundredThousandPointsAsAFullSearchWould)
{
    const auto values = test::lot(100000, 7, 10.0, 50.0);
    std::string file;
    for (const double v : values) {
        file += std::to_string(v) + "\n";
    }
    DrawnLot lot(file);
    lot.draw(PlotOpts_NormalDist, PlotOpts_LinearY);
    const PointerReadout readout(lot.document);
    const ChartGeometry g = lot.geometry();
    const auto& points = lot.document.plot().results().sets[0].points;
    for (const double fraction : {0.001, 0.3, 0.5, 0.77, 0.9995}) {
        SCOPED_TRACE(fraction);
        const auto rank = static_cast<std::size_t>(fraction * 100000);
        const double left = g.xToDevice(points[rank].position) + 1.3;
        const double top = g.yToDevice(points[rank].value) - 0.7;
        std::size_t nearest = 0;
        double best = 1e300;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const double dx = g.xToDevice(points[i].position) - left;
            const double dy = g.yToDevice(points[i].value) - top;
            if (dx * dx + dy * dy < best) {
                best = dx * dx + dy * dy;
                nearest = i;
            }
        }
        const std::string text = readout.textAt(Device, left, top);
        EXPECT_NE(text.find("point " + std::to_string(nearest + 1) + " of 100000,"),
                  std::string::npos)
            << text;
    }
}

} // namespace
} // namespace qv
