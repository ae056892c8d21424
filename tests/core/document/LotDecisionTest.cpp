// The document's decision on a drawn lot: what it tests, the status bar's words, the
// sampling plan's texts and the OC picture. Reference values:
// - A^2 and p: R 4.2.2 nortest ad.test and Python math.erfc.
// - k_exact: mpmath at 40 digits, integrating P(T' >= t) = E[Phi(delta - t sqrt(V/nu))],
//   V ~ chi^2(nu), solving Pa(k) = CR with findroot.
// - The chart's k and Ts by hand from the written formula.
#include "ChartHarness.h"
#include "core/document/LotDecisionText.h"
#include "core/format/DecisionNumber.h"
#include "core/plot/OcChart.h"
#include "core/stats/decisions/ExactPlan.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using enum Ctl;

struct Lot : test::Document
{
    explicit Lot(const std::string& lines) { EXPECT_TRUE(openText("lot.csv", lines)); }
    // Sets the limit ("" for Limit Lines off) and the risks, then draws.
    void draw(const std::string& limit, int cr = 1, int ltpd = 1, bool log = false)
    {
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
    const std::string ad = "Anderson-Darling p = 0.92 \u00b7 ";
    const std::string exact = " \u00b7 exact k 2.74, Ts 7.34: ";
    // Each row: the lot, the upper limit ("": Limit Lines off) and the status bar's text.
    const std::tuple<const char*, const char*, const char*, std::string> rows[] = {
        {"both accept", OneToFive, "10",
         ad + "Ts 7.09 \u2264 UL 10: accepted" + exact + "accepted"},
        {"only the chart's k accepts", OneToFive, "7.2",
         ad + "Ts 7.09 \u2264 UL 7.2: accepted" + exact + "rejected"},
        // Ts 7.0886 would read 7.09, as the limit: one digit more tells them apart.
        {"a limit that Ts would print as", OneToFive, "7.09",
         ad + "Ts 7.089 \u2264 UL 7.09: accepted" + exact + "rejected"},
        {"no limit: no verdict", OneToFive, "", "Anderson-Darling p = 0.92"},
        {"three points: no p", "1\n1\n2\n", "",
         "Anderson-Darling A*\u00b2 = 0.732, no p below 5 points"},
        // Two points: no normality test; k 14.005937 against the exact 10.2527.
        {"two points", "1\n2\n", "10",
         "Ts 11.40 > UL 10: rejected \u00b7 exact k 10.25, Ts 8.75: accepted"},
    };
    for (const auto& [what, lines, limit, status] : rows) {
        SCOPED_TRACE(what);
        Lot lot(lines);
        lot.draw(limit);
        const LotDecision* decision = lot.document.lotDecision(1);
        ASSERT_NE(decision, nullptr);
        EXPECT_EQ(lotStatusText(*decision), status);
        EXPECT_EQ(lot.document.lotDecision(2), nullptr); // no overlay
    }
}

TEST(LotDecision, TestsThePlotValuesAndExistsOnlyForAFinishedDrawingOfTheSet)
{
    // On a log axis the test sees the decimal logarithms the chart plots.
    Lot logLot("4.6\n5.4\n8.5\n9.1\n9.5\n11\n11.4\n16.3\n29.9\n39.4\n");
    logLot.draw("100", 1, 1, true);
    EXPECT_PRINTED(logLot.document.lotDecision(1)->normality->a2, "0.3469376179");

    // A failed drawing (two points have no Student's t scale) decides nothing.
    Lot two("1\n2\n");
    two.s.selectButton(PlotOpts_Tdist);
    EXPECT_EQ(two.document.drawPlot(), DrawOutcome::Failed);
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
    // A failed load keeps the chart and its decisions.
    const LotDecision* kept = logLot.document.lotDecision(1);
    ASSERT_NE(kept, nullptr);
    EXPECT_FALSE(logLot.open(logLot.files.path("missing.csv")));
    EXPECT_EQ(logLot.document.lotDecision(1), kept);
}

TEST(LotDecision, JudgesReadingsFarFromZeroByTheirTrueSpread)
{
    // 25 readings near 1e7 with s = 0.0150 (Python 3.11.7 statistics.stdev): Ts
    // 10000000.5233 and the exact 10000000.5235 (k 1.70152402778564 by mpmath
    // 1.3.0) both lie below the limit.
    std::string lines;
    for (const char* v :
         {"469", "474", "478", "481", "484", "486", "488", "490", "491", "493", "495", "496", "498",
          "500", "501", "503", "505", "506", "508", "510", "512", "515", "518", "522", "527"}) {
        lines += std::string("10000000.") + v + "\n";
    }
    Lot lot(lines);
    lot.draw("10000000.55");
    const LotDecision* decision = lot.document.lotDecision(1);
    ASSERT_NE(decision, nullptr);
    EXPECT_EQ(decision->verdict->accepted, true);
    EXPECT_EQ(decision->verdict->acceptedExact, true);
    EXPECT_PRINTED(decision->plan->kExact, "1.7015240278");
    EXPECT_PRINTED(*decision->tsExact, "10000000.5235087");
}

TEST(LotDecision, GivesNoChartVerdictWhereTheChartsKIsNotPositiveOrMissing)
{
    // Exact k by mpmath 1.3.0 at 40 digits (R 4.2.2 qt with ncp agrees to 1e-11).
    // The chart's k by hand: -7.377013 (N = 2, CR 0.05) and -7.197794 (N = 3, CR 0.01);
    // at N = 2 with CR 0.01 and LTPD 10 % or 16 % K2^2 - a b < 0 leaves it without a value.
    struct Row
    {
        const char* lines;
        int cr, ltpd;
        DrawOutcome outcome;
        ChartK chartK;
        const char* kExact;
        const char* note;
    };
    const Row rows[] = {
        {"2\n3\n", 2, 1, DrawOutcome::Drawn, ChartK::NotPositive, "20.5814676242",
         "the chart's k = -7.38 is not positive for N = 2 at CR 0.05 and LTPD 10%; use the exact "
         "plan"},
        {"2\n3\n4\n", 3, 1, DrawOutcome::Drawn, ChartK::NotPositive, "13.9954065546",
         "the chart's k = -7.20 is not positive for N = 3 at CR 0.01 and LTPD 10%; use the exact "
         "plan"},
        {"2\n3\n", 3, 1, DrawOutcome::Failed, ChartK::NoValue, "103.0286130010",
         "the chart's k has no value for N = 2 at CR 0.01 and LTPD 10%; use the exact plan"},
        {"2\n3\n", 3, 0, DrawOutcome::Failed, ChartK::NoValue, "81.3811673326",
         "the chart's k has no value for N = 2 at CR 0.01 and LTPD 16%; use the exact plan"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.note);
        Lot lot(row.lines);
        lot.draw("1", row.cr, row.ltpd);
        EXPECT_EQ(lot.document.lastOutcome(), row.outcome);
        const LotDecision* decision = lot.document.lotDecision(1);
        ASSERT_NE(decision, nullptr);
        EXPECT_EQ(decision->chartK, row.chartK);
        EXPECT_FALSE(decision->verdict->accepted.has_value()) << "a Ts below the mean passes all";
        EXPECT_EQ(decision->verdict->acceptedExact, false);
        EXPECT_PRINTED(decision->plan->kExact, row.kExact);
        EXPECT_EQ(chartKNote(*decision), row.note);
        const SamplingPlanTexts t = samplingPlanTexts(*decision, lot.document.decisionSettings());
        EXPECT_EQ(t.verdict, std::string("not available: ") + row.note);
        EXPECT_EQ(t.kExact, decisionNumber(decision->plan->kExact, 3, 4));
        EXPECT_TRUE(lotStatusText(*decision).find("chart's verdict not available: ") !=
                    std::string::npos);
    }
}

TEST(LotDecision, TreatsALotOnALogAxisAsLogNormal)
{
    // log10 of 10, 100, 1000: mean 2, s 1; exact k 4.25816493670642 (mpmath 1.3.0,
    // N = 3, CR 0.1, LTPD 10 %); Ts = 10^(2 + k) = 1812028.13546 (Python).
    EXPECT_PRINTED(tsExact(2.0, 1.0, 4.25816493670642, ValueScale::Log), "1812028.13546");
    Lot lot("10\n100\n1000\n");
    lot.draw("2000000", 1, 1, true);
    const LotDecision* decision = lot.document.lotDecision(1);
    ASSERT_NE(decision, nullptr);
    EXPECT_EQ(decision->scale, ValueScale::Log);
    EXPECT_PRINTED(*decision->tsExact, "1812028.1");
    EXPECT_EQ(decision->verdict->acceptedExact, true);
    EXPECT_EQ(samplingPlanTexts(*decision, lot.document.decisionSettings()).tsExact,
              "1812028.135 (log-normal)");
}

TEST(OcChart, DrawsTheCurveThroughThePlanWithItsCaptionAndAxes)
{
    const struct
    {
        int cr, ltpd;
        const char* caption;
        std::vector<std::string> xLabels;
    } rows[] = {
        {1,
         1,
         "N = 5 \u00b7 exact k = 2.742 \u00b7 chart's k = 2.586 \u00b7 CR = 0.1 \u00b7 LTPD = 10%",
         {"0", "5", "10", "15", "20", "25", "30"}},
        {0,
         0,
         "N = 5 \u00b7 exact k = 1.890 \u00b7 chart's k = 1.769 \u00b7 CR = 0.16 \u00b7 LTPD = 16%",
         {"0", "8", "16", "24", "32", "40", "48"}},
        {3,
         3,
         "N = 5 \u00b7 exact k = 8.939 \u00b7 chart's k = 13.382 \u00b7 CR = 0.01 \u00b7 LTPD = 1%",
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
        EXPECT_TRUE(scene.title.visible);
    }
}

} // namespace
} // namespace qv
