// The chart's texts and reference lines: statistics boxes, Ts marker, limit
// lines, fit with its confidence dots, their order, placement and description.
#include "support/TestTolerance.h"

#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "core/plot/Annotations.h"
#include "core/plot/ChartDescription.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/PlotRoutine.h"
#include "support/FixedPitchMeasurer.h"

#include <functional>

namespace qv {
namespace {

using enum Ctl;
using Texts = std::vector<std::string>;

void fill(DataSet& set, const std::vector<double>& values, const std::vector<double>& sigmas = {})
{
    set.values = values;
    set.sigmas = sigmas.empty() ? std::vector<double>(values.size(), 0.0) : sigmas;
    set.hasSigmas = !sigmas.empty();
    set.states.assign(values.size(), 1);
    set.pointCount = set.enabledCount = static_cast<int>(values.size());
}

// A chart of freshly loaded values with the reset settings.
struct Chart
{
    Session session;
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    PlotRoutine plot{session, prompter, measurer};
    Settings& s = session.settings;

    explicit Chart(const std::vector<double>& values, const std::vector<double>& sigmas = {})
    {
        startUp(session, {"Arial"});
        s.resetOptions();
        fill(session.set(1), values, sigmas);
        plot.layout() = designLayout(15360, 11520);
        session.placements = designPlacements(plot.layout().plotArea);
        session.placeBoxesPending = true;
    }
    void overlay(const std::vector<double>& values)
    {
        fill(session.set(2), values);
        session.overlayLoaded = true;
    }
    void manualScale(const char* min, const char* max, const char* tick)
    {
        s.selectButton(AxesOpts_Manual);
        s.setText(AxesOpts_YscaleMin, min);
        s.setText(AxesOpts_YscaleMax, max);
        s.setText(AxesOpts_TickInterval, tick);
    }
    Texts said() const
    {
        Texts out;
        for (const auto& m : prompter.messages) {
            out.push_back(m.text);
        }
        return out;
    }
    const SetResults& set(int n) const
    {
        return plot.results().sets[static_cast<std::size_t>(n - 1)];
    }
    const Placement& box() const { return session.placements.statsBox; }
    PlotMapping mapping() const { return *mappingOf(plot.scene()); }
    template <typename T> std::vector<T> all() const
    {
        std::vector<T> out;
        for (const auto& p : plot.scene().primitives) {
            if (const T* t = std::get_if<T>(&p)) {
                out.push_back(*t);
            }
        }
        return out;
    }
    Texts texts() const
    {
        Texts out;
        for (const SceneText& t : all<SceneText>()) {
            out.push_back(t.text);
        }
        return out;
    }
};

const std::vector<double> OneToFive{1, 2, 3, 4, 5};

TEST(StatsBox, CaptionFollowsTheBoxOptionsDigitsAndTitle)
{
    const struct
    {
        const char* name;
        std::vector<double> values;
        std::function<void(Chart&)> setUp;
        const char* caption;
    } rows[] = {
        {"reset settings", OneToFive, [](Chart&) {},
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58  \r  Ts =  "
         "7.09  "},
        {"title Lot 7", OneToFive,
         [](Chart& c) { c.s.setText(StatsForm_txtMainStatBoxTitle, "Lot 7"); },
         "   Lot 7\r  No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58  "
         "\r  Ts =  7.09  "},
        {"only Ts", OneToFive,
         [](Chart& c) {
             for (Ctl id : {StatsForm_NumData, StatsForm_chkMin, StatsForm_Mean, StatsForm_chkMax,
                            StatsForm_StdDev}) {
                 c.s.setCheck(id, 0);
             }
         },
         "\r  Ts =  7.09  "},
        {"manual digits 1", OneToFive,
         [](Chart& c) {
             c.s.selectGroup(StatsForm_StatsPrecision, 1);
             c.s.setText(StatsForm_Digits, "1");
         },
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  2  \r  Ts =  7 "
         " "},
        {"typed 400 digits are 15", OneToFive,
         [](Chart& c) {
             c.s.selectGroup(StatsForm_StatsPrecision, 1);
             c.s.setText(StatsForm_Digits, "400");
             c.s.setCheck(StatsForm_TS, 0);
         },
         " No. Pts. =  5  \r  Min =  1  \r  Mean =  3  \r  Max =  5  \r  Sigma =  1.58113883008419 "
         " "},
        {"log axis 10, 100, 1000",
         {10, 100, 1000},
         [](Chart& c) { c.s.selectButton(PlotOpts_LogY); },
         " No. Pts. =  3  \r  Min =  10  \r  Mean =  370  \r  Max =  1000  \r  Sigma =  547  "
         "\r  Ts =  2490  "},
        {"tiny values keep their digits",
         {1e-5, 2e-5, 3e-5, 4e-5, 5e-5},
         [](Chart& c) {
             c.s.setCheck(StatsForm_TS, 0);
             c.manualScale("0.00001", "0.00006", "0.00001");
         },
         " No. Pts. =  5  \r  Min =  1E-05  \r  Mean =  3E-05  \r  Max =  5E-05  "
         "\r  Sigma =  1.5811388E-05  "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Chart c(row.values);
        row.setUp(c);
        ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn) << testing::PrintToString(c.said());
        EXPECT_EQ(c.box().caption, row.caption);
        EXPECT_TRUE(c.box().visible);
        EXPECT_EQ(c.set(1).statsBox, row.caption);
        // Sized to its caption and inside its border.
        EXPECT_EQ(c.box().width, c.measurer.textWidth(row.caption, c.box().font) + 60);
        EXPECT_EQ(c.box().font.pointSize, 8 * 15360 / 12000.0);
    }
}

TEST(StatsBox, StatisticsOffShowsNoBoxButTheFreeTextStillShows)
{
    Chart c(OneToFive);
    c.s.setCheck(PlotOpts_Statistics, 0);
    c.s.setText(PlotOpts_PlotText, "Line 3, <b>night</b> shift");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_FALSE(c.box().visible);
    EXPECT_FALSE(c.set(1).statsBox);
    EXPECT_TRUE(c.session.placements.plotText.visible);
    EXPECT_EQ(c.session.placements.plotText.caption, "Line 3, <b>night</b> shift");
}

TEST(TsMarker, LabelsTheTestStatisticAndTheFractionBeyondK)
{
    const struct
    {
        double value;
        const char* label;
    } values[] = {{7.088602, " Ts = 7.09"}, {12, " Ts = 12."},           {0.5, " Ts = .5"},
                  {-3.2, " Ts = -3.2"},     {0.001234, " Ts = 0.00123"}, {0, " Ts = 0"},
                  {-0.004, " Ts = -0.004"}};
    for (const auto& [value, label] : values) {
        SCOPED_TRACE(value);
        EXPECT_EQ(tsValueLabel(value), label);
    }
    const struct
    {
        double k;
        const char* label;
    } ks[] = {{2.585859, "<- 0.49% ->"}, {3.380653, "<- 0.036% ->"}, {1, "<- 16% ->"}};
    for (const auto& [k, label] : ks) {
        SCOPED_TRACE(k);
        EXPECT_EQ(percentLabel(k), label);
    }
}

TEST(TsMarker, DrawsTheDottedCornerAtKAndItsLabelsOnTheChart)
{
    for (const int risk : {1, 2}) {
        SCOPED_TRACE(risk);
        Chart c(OneToFive);
        c.s.selectGroup(PlotOpts_CR, risk);
        c.s.setCheck(PlotOpts_TestStatistic, 1);
        ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
        const SetStatistics& st = *c.set(1).statistics;
        EXPECT_PRINTED(st.k, risk == 1 ? "2.585859" : "3.380653");
        EXPECT_EQ(c.set(1).percentLabel, risk == 1 ? "<- 0.49% ->" : "<- 0.036% ->");
        EXPECT_EQ(c.set(1).tsLabel, risk == 1 ? " Ts = 7.09" : " Ts = 8.35");
        std::vector<SceneLine> dotted;
        for (const SceneLine& line : c.all<SceneLine>()) {
            if (line.style == LineStyle::Dotted) {
                dotted.push_back(line);
            }
        }
        const double xmin = c.plot.scene().xmin;
        const double ymin = c.plot.scene().ymin;
        ASSERT_EQ(dotted.size(), 2u);
        EXPECT_EQ((std::array{dotted[0].x1, dotted[0].y1, dotted[0].x2, dotted[0].y2}),
                  (std::array{xmin, st.shownTs, st.k, st.shownTs}));
        EXPECT_EQ((std::array{dotted[1].x1, dotted[1].y1, dotted[1].x2, dotted[1].y2}),
                  (std::array{st.k, st.shownTs, st.k, ymin}));
        // The value label stands on the height of Ts, the fraction right of k.
        const auto labels = c.all<SceneText>();
        ASSERT_EQ(labels.size(), 2u);
        const double lineHeight = 1.2 * 6 * 15360 / 12000.0 * 20 * c.mapping().unitsPerTwipY();
        EXPECT_NEAR(labels[0].y + lineHeight, st.ts, 1e-9);
        EXPECT_NEAR(labels[0].x, xmin + 0.025 * (c.plot.scene().xmax - xmin), 1e-12);
        EXPECT_GT(labels[1].x, st.k);
        EXPECT_NEAR(labels[1].y, ymin - 4 * lineHeight, 1e-9);
    }
}

TEST(LimitLines, StandAtTheLimitAndItsFractionsWithDataUnitLabels)
{
    const struct
    {
        const char* limit;
        bool log;
        Texts labels;
        std::array<const char*, 3> heights;
    } rows[] = {
        {"100",
         true,
         {" Upper Limit = 100", " 90% of Upper Limit = 90", " 50% of Upper Limit = 50"},
         {"2", "1.954243", "1.698970"}},
        {"13",
         true,
         {" Upper Limit = 13", " 90% of Upper Limit = 11.7", " 50% of Upper Limit = 6.5"},
         {"1.113943", "1.068186", "0.812913"}},
        {"13",
         false,
         {" Upper Limit = 13", " 90% of Upper Limit = 11.7", " 50% of Upper Limit = 6.5"},
         {"13", "11.7", "6.5"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.limit) + (row.log ? " log" : " linear"));
        Chart c({4, 5, 6, 7, 8});
        if (row.log) {
            c.s.selectButton(PlotOpts_LogY);
        }
        c.s.setCheck(PlotOpts_LimitLines, 1);
        c.s.setText(PlotOpts_ULimit, row.limit);
        c.s.setCheck(PlotOpts_NinetyLine, 1);
        c.s.setCheck(PlotOpts_FiftyLine, 1);
        c.manualScale("1", "1000", row.log ? "10" : "100");
        ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
        EXPECT_EQ(c.plot.results().limitLabels, row.labels);
        std::vector<double> heights;
        for (const SceneLine& line : c.all<SceneLine>()) {
            if (line.x1 == c.plot.scene().xmin && line.x2 == c.plot.scene().xmax &&
                line.y1 == line.y2 && line.style == LineStyle::Solid && line.y1 != 0) {
                heights.push_back(line.y1);
            }
        }
        ASSERT_EQ(heights.size(), 3u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_PRINTED(heights[i], row.heights[i]);
        }
        // Close lines on a log axis: no label covers another.
        EXPECT_EQ(c.texts(), row.labels);
    }
}

TEST(LimitLines, ShowNothingWhenOffAndANegativeLimitOnALogAxisFailsTheDrawing)
{
    Chart off(OneToFive);
    off.s.setCheck(PlotOpts_LimitLines, 1);
    off.s.setText(PlotOpts_ULimit, "3");
    off.s.setCheck(PlotOpts_LimitLines, 0);
    ASSERT_EQ(off.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_TRUE(off.plot.results().limitLabels.empty());
    EXPECT_EQ(off.s.text(PlotOpts_ULimit), "0");

    Chart negative(OneToFive);
    negative.s.selectButton(PlotOpts_LogY);
    negative.s.setCheck(PlotOpts_LimitLines, 1);
    negative.s.setText(PlotOpts_ULimit, "-5");
    negative.s.setCheck(PlotOpts_UL_Line, 0); // even with no line of it shown
    EXPECT_EQ(negative.plot.drawPlot(), DrawOutcome::Failed);
    EXPECT_EQ(negative.said(), Texts{"Unexpected Error 5"});
    EXPECT_TRUE(negative.plot.scene().primitives.empty());
    EXPECT_FALSE(negative.box().visible);
    EXPECT_FALSE(negative.set(1).statsBox) << "nothing of a cleared chart is reported";
}

TEST(FitLine, DrawsADottedLineAndTwoRowsOfSingleDots)
{
    Chart c(OneToFive);
    c.s.setCheck(PlotOpts_LSQfit, 1);
    c.s.selectGroup(PlotOpts_ConfInterval, 1);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    const auto dots = c.all<ScenePixel>();
    ASSERT_EQ(dots.size(), 202u);
    const Scene& scene = c.plot.scene();
    EXPECT_EQ(dots[0].x, scene.xmin);
    EXPECT_EQ(dots[1].x, scene.xmin) << "each upper dot followed by its lower one";
    EXPECT_PRINTED(dots[0].y - dots[1].y, "0.499012");
    EXPECT_EQ(dots[201].x, scene.xmax);
    const SceneLine fit = c.all<SceneLine>().back();
    EXPECT_EQ(fit.style, LineStyle::Dotted);
    EXPECT_PRINTED(fit.y2, "5.700183");

    c.s.selectGroup(PlotOpts_ConfInterval, 3); // "None"
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.all<ScenePixel>().empty());
    EXPECT_EQ(c.all<SceneLine>().back().style, LineStyle::Dotted);
}

TEST(FitLine, PointsOnALineOrZeroUncertaintiesNeverClearTheChart)
{
    // Exactly on a line: no "Unexpected Error 5" from a tiny negative variance.
    Chart exact({2, 4, 6, 8, 10, 12, 14});
    exact.s.selectButton(PlotOpts_Tdist);
    exact.s.setCheck(PlotOpts_LSQfit, 1);
    exact.s.selectGroup(PlotOpts_ConfInterval, 2);
    EXPECT_EQ(exact.plot.drawPlot(), DrawOutcome::Drawn);

    // One zero uncertainty per point: the message once per set and drawing.
    std::vector<double> values(500);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 10 + static_cast<double>(i) / 50;
    }
    Chart zero(values, std::vector<double>(values.size(), 0.0));
    zero.overlay({1, 2, 3, 4, 5});
    zero.session.set(2).hasSigmas = true;
    zero.s.setEnabled(PlotOpts_weighting, true);
    zero.s.selectGroup(PlotOpts_weighting, 0);
    zero.s.setCheck(PlotOpts_LSQfit, 1);
    zero.manualScale("0", "30", "5");
    EXPECT_EQ(zero.plot.drawPlot(), DrawOutcome::Failed) << "every weight 0";
    EXPECT_EQ(zero.said(), (Texts{"Data Produces Divide By Zero Error. Use Correct Dataset.",
                                  "Unexpected Error 6"}));
}

TEST(Overlay, DrawsEachSetsTextsMarkerAndFitInOrderWithTheLimitLinesOnce)
{
    Chart c({10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    c.overlay({12, 13, 14, 15, 16, 17, 18, 19, 20, 21});
    c.s.setCheck(PlotOpts_TestStatistic, 1);
    c.s.setCheck(PlotOpts_LimitLines, 1);
    c.s.setText(PlotOpts_ULimit, "40");
    c.s.setCheck(PlotOpts_LSQfit, 1);
    c.s.selectGroup(PlotOpts_ConfInterval, 0);
    c.s.setText(PlotOpts_OverlayText, "Line B");
    c.s.setText(StatsForm_txtOverlayStatBoxTitle, "B");
    c.manualScale("0", "50", "10");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.texts(), (Texts{" Ts = 20.59", "<- 2.2% ->", " Upper Limit = 40", " Ts = 22.59",
                                "<- 2.2% ->"}));
    // Main marker (2), its fit, the overlay's marker (2), its fit.
    std::vector<double> dottedStarts;
    for (const SceneLine& line : c.all<SceneLine>()) {
        if (line.style == LineStyle::Dotted) {
            dottedStarts.push_back(line.y1);
        }
    }
    ASSERT_EQ(dottedStarts.size(), 6u);
    EXPECT_PRINTED(dottedStarts[3], "22.592");
    EXPECT_EQ(c.all<ScenePixel>().size(), 404u);
    const Placements& p = c.session.placements;
    EXPECT_TRUE(p.overlayStats.visible);
    EXPECT_EQ(p.overlayStats.caption.substr(0, 18), "  B\r  No. Pts. =  ");
    EXPECT_EQ(p.overlayText.caption, "Line B");
    EXPECT_EQ(c.set(2).plotText, "Line B");
    EXPECT_FALSE(c.session.placeBoxesPending);
}

TEST(Overlay, MeanNearZeroOnAnAxisFromZeroKeepsTheDrawing)
{
    Chart c(OneToFive);
    c.overlay({-0.00002, -0.00001, 0, 0.00001, 0.00002});
    c.manualScale("0", "6", "1");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.session.placements.overlayStats.caption.substr(0, 34),
              " No. Pts. =  5  \r  Min = -2E-05  \r");
}

TEST(Restart, ANonPositiveTsOnALogAxisRedrawsLinearOnceWithoutRepeatingMessages)
{
    // Three points and a consumer's risk of 0.01 give a negative k: Ts < 0.
    Chart c({0.5, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    c.overlay({1, 2, 30});
    c.s.selectGroup(PlotOpts_CR, 3);
    c.s.setCheck(PlotOpts_TestStatistic, 1);
    c.s.selectButton(PlotOpts_LogY);
    c.manualScale("1", "100", "10");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.said(), (Texts{"One or more y-values out of range",
                               "Negative or zero data values. Please delete these values before "
                               "plotting a log scale."}));
    EXPECT_EQ(c.prompter.messages[1].title, "Dataset Error");
    EXPECT_EQ(c.prompter.messages[1].icon, MessageIcon::None);
    EXPECT_TRUE(c.s.selected(PlotOpts_LinearY));
    // One complete linear chart: both markers, both boxes.
    EXPECT_EQ(c.texts().size(), 4u);
    EXPECT_TRUE(c.session.placements.overlayStats.visible);
    EXPECT_EQ(c.plot.results().warnings.size(), 1u);
}

TEST(Placement, TheBoxStaysOnTheScreenAcrossARescaleAndGoesBackAfterALoad)
{
    Chart c(OneToFive);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    const TwipsRect plot = c.plot.layout().plotArea;
    // The default place, 3.6 % across and 5 % down.
    EXPECT_NEAR(c.box().left, plot.left + 0.036 * plot.width, 1e-9);
    EXPECT_NEAR(c.box().top, plot.top + 0.05 * plot.height, 1e-9);
    EXPECT_NEAR(c.mapping().twipsToY(c.box().top),
                c.plot.scene().ymax - 0.05 * (c.plot.scene().ymax - c.plot.scene().ymin), 1e-9);

    c.plot.moveItem(MovableItem::StatsBox, 3000, 2500);
    c.plot.moveItem(MovableItem::PlotText, 4000, 3000);
    const double yBefore = c.mapping().twipsToY(2500);
    c.s.setCheck(PlotOpts_TestStatistic, 1); // Ts widens the automatic scale
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_NE(c.mapping().twipsToY(2500), yBefore);
    EXPECT_EQ(std::pair(c.box().left, c.box().top), std::pair(3000.0, 2500.0));

    c.session.placeBoxesPending = true; // a new load, which resets the options
    c.s.setCheck(PlotOpts_TestStatistic, 0);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_NEAR(c.box().left, plot.left + 0.036 * plot.width, 1e-9);
    EXPECT_EQ(c.session.placements.plotText.left, 4000) << "the free text stays";
}

TEST(Placement, AProjectsStoredPlaceIsTakenWithTheBoxOffAndABoxOutOfSightComesBack)
{
    Chart c(OneToFive);
    c.session.projectFileFlag = true;
    c.session.savedPositions = {5.5, 0.25, 6.0, -0.5, 0, 0};
    c.s.setText(PlotOpts_PlotText, "Note");
    c.s.setCheck(PlotOpts_Statistics, 0);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_FALSE(c.box().visible);
    EXPECT_NEAR(c.mapping().twipsToX(c.box().left), -0.5, 1e-12);
    EXPECT_NEAR(c.mapping().twipsToY(c.box().top), 6.0, 1e-12);
    const Placement& text = c.session.placements.plotText;
    EXPECT_NEAR(c.mapping().twipsToX(text.left), 0.25, 1e-12);
    EXPECT_NEAR(c.mapping().twipsToY(text.top), 5.5, 1e-12);

    c.s.setCheck(PlotOpts_Statistics, 1);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_TRUE(c.box().visible);
    EXPECT_NEAR(c.mapping().twipsToX(c.box().left), -0.5, 1e-12) << "the stored place was kept";

    // Dropped far away (or a plot area made smaller): back at the default place.
    c.plot.moveItem(MovableItem::StatsBox, 90000, -50000);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    const TwipsRect plot = c.plot.layout().plotArea;
    EXPECT_NEAR(c.box().left, plot.left + 0.036 * plot.width, 1e-9);
}

TEST(Placement, TheBoxAtItsDefaultPlaceMakesWayForLabelsUntilTheUserMovesIt)
{
    Chart c(OneToFive);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    const double home = c.box().left;
    c.s.setCheck(PlotOpts_LimitLines, 1);
    c.s.setText(PlotOpts_ULimit, "8.5");
    c.manualScale("0", "9", "1");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_GT(c.box().left, home) << "right of ' Upper Limit = 8.5'";

    c.s.setCheck(PlotOpts_LimitLines, 0);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.box().left, home);

    c.plot.moveItem(MovableItem::StatsBox, home, c.box().top);
    c.s.setCheck(PlotOpts_LimitLines, 1);
    c.s.setText(PlotOpts_ULimit, "8.5");
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    EXPECT_EQ(c.box().left, home) << "a box the user placed stays";
}

TEST(ChartDescription, ListsTheVisibleTextsOnePerLine)
{
    Chart c(OneToFive);
    c.s.setText(PlotOpts_PlotTitle, "Lot 7");
    c.s.setText(PlotOpts_YAxisLabel, "Width (mm)");
    c.s.setCheck(PlotOpts_TestStatistic, 1);
    ASSERT_EQ(c.plot.drawPlot(), DrawOutcome::Drawn);
    // k = 2.59 lies right of the axis's end: its percentage label is not seen.
    EXPECT_EQ(chartDescription(c.plot.scene(), c.plot.results()),
              (Texts{"Lot 7", "No. Pts. = 5", "Min = 1", "Mean = 3", "Max = 5", "Sigma = 1.58",
                     "Ts = 7.09", "Ts = 7.09", "Cumulative Probability (%) - Gaussian Distribution",
                     "Width (mm)"}));
}

} // namespace
} // namespace qv
