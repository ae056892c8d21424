// The chart's texts and reference lines: statistics boxes, Ts marker, limit
// lines, fit with its confidence dots, their order, placement and description;
// and which item a press grabs and where a released item lands.
#include "ChartHarness.h"
#include "core/plot/Annotations.h"
#include "core/plot/BoxDrag.h"
#include "core/plot/ChartDescription.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/Scene.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <optional>

namespace qv {
namespace {

using Texts = std::vector<std::string>;
using test::Values;

struct Chart : test::Chart
{
    using test::Chart::Chart;
    const Placement& box = session.placements.statsBox;

    void overlay(const Values& values)
    {
        session.set(2) = test::makeSet(values);
        session.overlayLoaded = true;
    }
    const SetResults& main() const { return plot.results().sets[0]; }
    PlotMapping mapping() const { return *mappingOf(scene()); }
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
};

const Values OneToFive{1, 2, 3, 4, 5};

// clang-format off
TEST(StatsBox, CaptionFollowsTheBoxOptionsDigitsAndTitle)
{
    const struct { const char* name; Values values; Texts settings; const char* caption; } rows[] = {
        {"reset settings", OneToFive, {},
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58  \r  Ts =  7.09  "},
        {"title Lot 7", OneToFive, {"StatsForm.txtMainStatBoxTitle=Lot 7"},
         "   Lot 7\r  No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58  \r  Ts =  7.09  "},
        {"only Ts", OneToFive, {"StatsForm.NumData=0", "StatsForm.chkMin=0", "StatsForm.Mean=0",
                                "StatsForm.chkMax=0", "StatsForm.StdDev=0"},
         "\r  Ts =  7.09  "},
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

TEST(TsMarker, LabelsTheTestStatisticAndTheFractionBeyondK)
{
    const std::pair<double, const char*> values[] = {
        {7.088602, " Ts = 7.09"}, {12, " Ts = 12."}, {0.5, " Ts = .5"}, {-3.2, " Ts = -3.2"},
        {0.001234, " Ts = 0.00123"}, {-0.004, " Ts = -0.004"}, {0, " Ts = 0"}};
    for (const auto& [value, label] : values) {
        EXPECT_EQ(tsValueLabel(value), label) << value;
    }
    const std::pair<double, const char*> ks[] = {
        {2.585859, "<- 0.49% ->"}, {3.380653, "<- 0.036% ->"}, {1, "<- 16% ->"}};
    for (const auto& [k, label] : ks) {
        EXPECT_EQ(percentLabel(k), label) << k;
    }
}

TEST(LimitLines, StandAtTheLimitAndItsFractionsWithDataUnitLabels)
{
    const Texts hundred{" Upper Limit = 100", " 90% of Upper Limit = 90", " 50% of Upper Limit = 50"};
    const Texts thirteen{" Upper Limit = 13", " 90% of Upper Limit = 11.7", " 50% of Upper Limit = 6.5"};
    const struct { const char* limit; bool log; const Texts& labels; std::array<const char*, 3> heights; } rows[] = {
        {"100", true, hundred, {"2", "1.954243", "1.698970"}},
        {"13", true, thirteen, {"1.113943", "1.068186", "0.812913"}},
        {"13", false, thirteen, {"13", "11.7", "6.5"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.limit) + (row.log ? " log" : " linear"));
        Chart c({4, 5, 6, 7, 8}, {"PlotOpts.LimitLines=1", std::string("PlotOpts.ULimit=") + row.limit,
                                  "PlotOpts.NinetyLine=1", "PlotOpts.FiftyLine=1", "AxesOpts.Manual=1",
                                  "AxesOpts.YscaleMin=1", "AxesOpts.YscaleMax=1000",
                                  row.log ? "AxesOpts.TickInterval=10" : "AxesOpts.TickInterval=100"});
        c.set({row.log ? "PlotOpts.LogY=1" : "PlotOpts.LinearY=1"});
        ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
        EXPECT_EQ(c.plot.results().limitLabels, row.labels);
        EXPECT_EQ(c.texts(), row.labels) << "each printed once";
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
    EXPECT_FALSE(c.session.placeBoxesPending);

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
    const PlotMapping before = c.mapping();
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

    c.session.placeBoxesPending = true; // a new load, which resets the options
    c.s.resetOptions();
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_NEAR(c.box.left, c.defaultLeft(), 1e-9);
    EXPECT_EQ(c.session.placements.plotText.left, 4000) << "the free text stays";
}

TEST(Placement, AProjectsStoredPlaceIsTakenWithTheBoxOffAndABoxOutOfSightComesBack)
{
    Chart c(OneToFive, {"PlotOpts.PlotText=Note", "PlotOpts.Statistics=0"});
    c.session.projectFileFlag = true;
    c.session.savedPositions = {5.5, 0.25, 6.0, -0.5, 0, 0};
    ASSERT_EQ(c.draw(), DrawOutcome::Drawn);
    EXPECT_FALSE(c.box.visible);
    const Placement& text = c.session.placements.plotText;
    EXPECT_TRUE(text.visible) << "the free text shows without the box";
    const PlotMapping m = c.mapping();
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
                     "Ts = 7.09", "Ts = 7.09", "Cumulative Probability (%) - Gaussian Distribution",
                     "Width (mm)"}));
}

// A 9000 x 6750 twips window, its plot area at (1500, 750) 6000 x 4500, the
// title above it, the axis label left of it and three boxes on it: the main
// statistics box, the overlay's box and a free text that reaches beyond the
// plot area's right edge at 7500.
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
        {"box on the title", {2200, 1100}, {3500, 300}, stays},
        {"box on another box", {2200, 1100}, {5500, 4000}, stays},
        {"box outside the window", {2200, 1100}, {9500, 100}, stays},
        {"axis label on the plot area", {400, 2500}, {3000, 3000}, stays},
        {"axis label on the background", {400, 2500}, {800, 6200}, std::pair{700.0, 5700.0}},
        {"axis label onto itself", {400, 2500}, {450, 2600}, std::pair{350.0, 2100.0}},
        {"axis label on a box", {400, 2500}, {2500, 1500}, stays},
        {"axis label on the title", {400, 2500}, {3500, 300}, stays},
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
