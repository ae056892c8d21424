// The lot decisions of a drawing: what the document decides a drawn lot with,
// how the status bar words it, the numbers' rounding and the OC picture.
//
// Independent values: A^2 and p by Python 3.11 math.erfc with the published
// formulas (they agree with R nortest ad.test where that applies, see
// test_decisions.cpp); k_exact by mpmath at 40 digits (test_decisions.cpp);
// exact k for (5, 0.16, 0.16) 1.88951 and (5, 0.01, 0.01) 8.93902 by mpmath 1.3
// at 30 digits the same way; the chart's k and Ts by hand from the written
// formula and the lots' mean and sigma.
#include "core/document/ChartDocument.h"
#include "core/document/LotDecisionText.h"
#include "core/format/DecisionNumber.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/OcChart.h"
#include "core/stats/StatisticsPass.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <variant>

namespace qv {
namespace {

using enum Ctl;

struct Lot
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    test::TempFiles files;

    explicit Lot(const std::string& lines)
    {
        document.startUp(designLayout(12000, 9000), {"Arial"});
        prompter.openAnswers.push_back(files.write("lot.csv", lines));
        prompter.dataFileAnswers.push_back({});
        EXPECT_TRUE(document.openFile());
    }
    // Sets the limit ("" for Limit Lines off) and the risks, then draws.
    void draw(const std::string& limit, int cr = 1, int ltpd = 1, bool log = false)
    {
        Settings& s = document.settings();
        s.setCheck(PlotOpts_LimitLines, limit.empty() ? 0 : 1);
        s.setText(PlotOpts_ULimit, limit.empty() ? "0" : limit);
        s.selectGroup(PlotOpts_CR, cr);
        s.selectGroup(PlotOpts_LTPD, ltpd);
        s.selectButton(log ? PlotOpts_LogY : PlotOpts_LinearY);
        document.drawPlot();
    }
};

constexpr const char* OneToFive = "1\n2\n3\n4\n5\n";

TEST(LotDecision, TheStatusBarStatesTheDrawnLotsTestAndBothVerdicts)
{
    const struct
    {
        const char* what;
        const char* lines;
        const char* limit;
        const char* status;
    } rows[] = {
        {"both accept", OneToFive, "10",
         "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 \u2264 UL 10: accepted \u00b7 exact k 2.74, "
         "Ts 7.34: accepted"},
        {"only the chart's k accepts", OneToFive, "7.2",
         "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 \u2264 UL 7.2: accepted \u00b7 exact k 2.74, "
         "Ts 7.34: rejected"},
        {"both reject", OneToFive, "7",
         "Anderson-Darling p = 0.92 \u00b7 Ts 7.09 > UL 7: rejected \u00b7 exact k 2.74, "
         "Ts 7.34: rejected"},
        // Ts 7.0886 would read 7.09, as the limit: one digit more tells them apart.
        {"a limit that Ts would print as", OneToFive, "7.09",
         "Anderson-Darling p = 0.92 \u00b7 Ts 7.089 \u2264 UL 7.09: accepted \u00b7 exact k 2.74, "
         "Ts 7.34: rejected"},
        {"no limit: no verdict", OneToFive, "", "Anderson-Darling p = 0.92"},
        // Two points: no normality test; k 14.005937 against the exact 10.2527.
        {"two points", "1\n2\n", "10",
         "Ts 11.40 > UL 10: rejected \u00b7 exact k 10.25, Ts 8.75: accepted"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Lot lot(row.lines);
        lot.draw(row.limit);
        const LotDecision* decision = lot.document.lotDecision(1);
        ASSERT_NE(decision, nullptr);
        EXPECT_EQ(lotStatusText(*decision), row.status);
        EXPECT_EQ(lot.document.lotDecision(2), nullptr); // no overlay
    }
}

TEST(LotDecision, DecidesOnThePlotValuesWithTheChosenRisks)
{
    Lot lot(OneToFive);
    lot.draw("10");
    const LotDecision& plain = *lot.document.lotDecision(1);
    EXPECT_PRINTED(plain.normality->a2, "0.1435942037");
    EXPECT_PRINTED(plain.normality->a2Adjusted, "0.1780568126");
    EXPECT_PRINTED(plain.normality->pValue, "0.9195823034");
    EXPECT_PRINTED(plain.plan->kExact, "2.7423482030");
    EXPECT_PRINTED(*plain.tsExact, "7.3360332293");
    EXPECT_PRINTED(plain.ts, "7.088602");
    EXPECT_NEAR(plain.plan->oc.probabilityOfAcceptance[9], 0.1, 1e-12);

    // The risks of the buttons drawn with: CR 0.01 and LTPD 10 % at N = 43.
    std::string lines;
    for (int i = 1; i <= 43; ++i) {
        lines += std::to_string(i) + "\n";
    }
    Lot many(lines);
    many.draw("100", 3, 1);
    EXPECT_PRINTED(many.document.lotDecision(1)->plan->kExact, "1.8740");

    // On a log axis the test sees the decimal logarithms the chart plots.
    Lot logLot("4.6\n5.4\n8.5\n9.1\n9.5\n11\n11.4\n16.3\n29.9\n39.4\n");
    logLot.draw("100", 1, 1, true);
    const LotDecision& logged = *logLot.document.lotDecision(1);
    EXPECT_PRINTED(logged.normality->a2, "0.3469376179");
    EXPECT_PRINTED(logged.normality->pValue, "0.4018552078");
}

TEST(LotDecision, ExistsOnlyForAFinishedDrawingOfTheSet)
{
    Lot lot(OneToFive);
    lot.draw("10");
    ASSERT_NE(lot.document.lotDecision(1), nullptr);
    // A failed drawing (two points have no Student's t scale) decides nothing.
    Lot two("1\n2\n");
    two.document.settings().selectButton(PlotOpts_Tdist);
    two.document.drawPlot();
    EXPECT_EQ(two.document.lastOutcome(), DrawOutcome::Failed);
    EXPECT_EQ(two.document.lotDecision(1), nullptr);
    // A stopped drawing neither.
    Lot flat("3\n3\n3\n");
    EXPECT_EQ(flat.document.lastOutcome(), DrawOutcome::Stopped);
    EXPECT_EQ(flat.document.lotDecision(1), nullptr);
    // A limit beyond the largest number gives no verdict and throws nothing.
    Lot huge(OneToFive);
    ASSERT_NO_THROW(huge.draw("1e999"));
    if (const LotDecision* d = huge.document.lotDecision(1)) {
        EXPECT_FALSE(d->verdict.has_value());
    }
    // A failed load clears the chart and its decisions.
    lot.prompter.openAnswers.push_back(lot.files.path("missing.csv"));
    lot.prompter.dataFileAnswers.push_back({});
    EXPECT_FALSE(lot.document.openFile());
    EXPECT_EQ(lot.document.lotDecision(1), nullptr);
}

TEST(LotDecision, LeavesOutWhatHasNoAnswerAndNeverGivesNaN)
{
    const double big = std::numeric_limits<double>::max();
    SetStatistics st;
    st.n = 5;
    st.k = 2.585859;
    st.shownMean = 3;
    st.shownSigma = 1.581139;
    st.shownTs = 7.088602;
    const std::vector<PlotPoint> equal(5, PlotPoint{0, 4, 0, false});
    const struct
    {
        const char* what;
        DecisionSettings settings;
        SetStatistics statistics;
        bool plan, tsExact, verdict, acceptedExact;
    } rows[] = {
        {"no CR button chosen", {-1, 1, 10}, st, false, false, true, false},
        {"an LTPD index out of range", {1, 4, 10}, st, false, false, true, false},
        {"a limit that is not a number",
         {1, 1, std::numeric_limits<double>::quiet_NaN()}, st, true, true, false, false},
        {"an exact Ts that overflows", {1, 1, 10},
         [&] {
             SetStatistics s = st;
             s.shownMean = s.shownSigma = big;
             return s;
         }(),
         true, false, true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const LotDecision d = decideLot(equal, row.statistics, row.settings);
        EXPECT_FALSE(d.normality.has_value()); // all values equal
        EXPECT_EQ(d.plan.has_value(), row.plan);
        EXPECT_EQ(d.tsExact.has_value(), row.tsExact);
        ASSERT_EQ(d.verdict.has_value(), row.verdict);
        if (d.verdict) {
            EXPECT_EQ(d.verdict->acceptedExact.has_value(), row.acceptedExact);
        }
        if (d.tsExact) {
            EXPECT_TRUE(std::isfinite(*d.tsExact));
        }
    }
}

TEST(DecisionNumber, RoundsToDecimalsOrSignificantDigitsWhicheverKeepsMore)
{
    const struct
    {
        double value;
        int decimals, significant;
        const char* text;
    } rows[] = {
        {7.088602, 2, 3, "7.09"},     {1.79996, 2, 3, "1.80"},      {2487.746, 2, 3, "2487.75"},
        {0.0012345, 2, 3, "0.00123"}, {-3.14159, 2, 3, "-3.14"},    {2.675, 2, 3, "2.68"},
        {0.0, 2, 3, "0"},             {1.5e20, 2, 3, "1.5E+20"},    {1.2345e-5, 2, 3, "1.23E-05"},
        {0.996, 0, 2, "1.00"},        {0.0074, 0, 2, "0.0074"},     {10.2527, 3, 4, "10.253"},
        {std::numeric_limits<double>::infinity(), 2, 3, "Inf"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(decisionNumber(row.value, row.decimals, row.significant), row.text);
    }
    EXPECT_EQ(pValueText(0.54321), "0.54");
    EXPECT_EQ(pValueText(0.00099), "< 0.001");
    EXPECT_EQ(pValueText(0.0), "< 0.001");
    EXPECT_EQ(percentOf(0.16), "16%");
}

TEST(OcChart, DrawsTheCurveThroughThePlanWithItsCaptionAndAxes)
{
    const struct
    {
        int cr, ltpd;
        const char* caption;
        std::vector<std::string> xLabels;
    } rows[] = {
        {1, 1, "N = 5 \u00b7 exact k = 2.742 \u00b7 chart's k = 2.586 \u00b7 CR = 0.1 \u00b7 LTPD = 10%",
         {"0", "5", "10", "15", "20", "25", "30"}},
        {0, 0, "N = 5 \u00b7 exact k = 1.890 \u00b7 chart's k = 1.769 \u00b7 CR = 0.16 \u00b7 LTPD = 16%",
         {"0", "8", "16", "24", "32", "40", "48"}},
        {3, 3, "N = 5 \u00b7 exact k = 8.939 \u00b7 chart's k = 13.382 \u00b7 CR = 0.01 \u00b7 LTPD = 1%",
         {"0", "0.5", "1", "1.5", "2", "2.5", "3"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        Lot lot(OneToFive);
        lot.draw("", row.cr, row.ltpd);
        const SamplingPlan& plan = *lot.document.lotDecision(1)->plan;
        EXPECT_EQ(planCaption(plan), row.caption);
        EXPECT_EQ(ocAxisTexts(plan).xTickLabels, row.xLabels);
        EXPECT_EQ(ocAxisTexts(plan).yTickLabels,
                  (std::vector<std::string>{"0", "0.2", "0.4", "0.6", "0.8", "1"}));

        const Scene scene = ocChartScene(plan, lot.measurer, "Arial");
        int joints = 0;
        bool marked = false;
        for (const ScenePrimitive& primitive : scene.primitives) {
            if (const auto* line = std::get_if<SceneLine>(&primitive); line && line->width == 2) {
                // Each segment joins two neighbouring points of the plan.
                const auto i = static_cast<std::size_t>(++joints);
                ASSERT_LT(i, plan.oc.fractionDefective.size());
                EXPECT_EQ(line->x1, plan.oc.fractionDefective[i - 1]);
                EXPECT_EQ(line->y2, plan.oc.probabilityOfAcceptance[i]);
            }
            if (const auto* dot = std::get_if<SceneCircle>(&primitive)) {
                marked = dot->filled && dot->cx == plan.ltpd &&
                         dot->cy == plan.oc.probabilityOfAcceptance[9];
            }
        }
        EXPECT_EQ(joints, 29);
        EXPECT_TRUE(marked);
        EXPECT_EQ(scene.windowTexts.front().text, row.caption);
        // Every text lies inside the picture.
        for (const WindowText& t : scene.windowTexts) {
            SCOPED_TRACE(t.text);
            EXPECT_GE(t.left, 0);
            EXPECT_LE(t.left + lot.measurer.textWidth(t.text, t.font), scene.windowWidth);
            EXPECT_LE(t.top + lot.measurer.textHeight(t.text, t.font), scene.windowHeight);
        }
        EXPECT_GE(scene.placements.yLabel.left, 0);
        EXPECT_TRUE(scene.title.visible);
    }
}

} // namespace
} // namespace qv
