// Lots judged on a lower limit or on both: the verdicts, the status bar's and
// the Sampling Plan window's words, the enabling of the limit fields and the
// project file's block of further settings. The lot 1..5 has mean 3 and s
// 1.58113883; the chart's k 2.586 and the exact 2.742 (see LotDecisionTest)
// give Ts_lower 3 - k s = -1.089 and -1.336.
#include "ChartHarness.h"
#include "core/document/LotDecisionText.h"
#include "core/document/LotRun.h"
#include "core/io/ProjectFileReader.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace qv {
namespace {

using enum Ctl;

struct Lot : test::Document
{
    explicit Lot(const std::string& lines = "1\n2\n3\n4\n5\n")
    {
        EXPECT_TRUE(openText("lot.csv", lines));
    }
    // Limit Lines on with `sides` and both limits' texts, then draws.
    const LotDecision& draw(int sides, const char* upper, const char* lower)
    {
        s.setCheck(PlotOpts_LimitLines, 1);
        s.selectGroup(PlotOpts_LimitSides, sides);
        s.setText(PlotOpts_ULimit, upper);
        s.setText(PlotOpts_LLimit, lower);
        document.drawPlot();
        return *document.lotDecision(1);
    }
};

TEST(LowerLimitDecision, EveryLimitedSideMustAcceptAndTheWordsNameEachSide)
{
    const std::string ad = "Anderson-Darling p = 0.92 \u00b7 ";
    const struct
    {
        const char* what;
        int sides;
        const char* upper;
        const char* lower;
        std::string status;
        const char* verdict;
        const char* verdictExact;
    } rows[] = {
        {"lower only, the exact Ts_lower below", 1, "10", "-1.2",
         ad + "Ts_lower -1.09 \u2265 LL -1.2: accepted \u00b7 exact k 2.74, Ts_lower -1.34: "
              "rejected",
         "accepted: Ts_lower \u2265 LL -1.2", "rejected: Ts_lower < LL -1.2"},
        {"both accept", 2, "10", "-2",
         ad + "Ts 7.09 \u2264 UL 10, Ts_lower -1.09 \u2265 LL -2: accepted \u00b7 exact k 2.74, "
              "Ts 7.34, Ts_lower -1.34: accepted",
         "accepted: Ts \u2264 UL 10, Ts_lower \u2265 LL -2",
         "accepted: Ts \u2264 UL 10, Ts_lower \u2265 LL -2"},
        {"the upper side rejects the exact plan", 2, "7.2", "-1.2",
         ad + "Ts 7.09 \u2264 UL 7.2, Ts_lower -1.09 \u2265 LL -1.2: accepted \u00b7 exact k 2.74, "
              "Ts 7.34, Ts_lower -1.34: rejected",
         "accepted: Ts \u2264 UL 7.2, Ts_lower \u2265 LL -1.2",
         "rejected: Ts > UL 7.2, Ts_lower < LL -1.2"},
        // An upper limit of 0 is none, as it always was.
        {"both chosen, no upper limit", 2, "0", "0",
         ad + "Ts_lower -1.09 < LL 0: rejected \u00b7 exact k 2.74, Ts_lower -1.34: rejected",
         "rejected: Ts_lower < LL 0", "rejected: Ts_lower < LL 0"},
        {"upper only, the lower limit ignored", 0, "10", "5",
         ad + "Ts 7.09 \u2264 UL 10: accepted \u00b7 exact k 2.74, Ts 7.34: accepted",
         "accepted: Ts \u2264 UL 10", "accepted: Ts \u2264 UL 10"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Lot lot;
        const LotDecision& d = lot.draw(row.sides, row.upper, row.lower);
        EXPECT_EQ(lotStatusText(d), row.status);
        const SamplingPlanTexts t = samplingPlanTexts(d, lot.document.decisionSettings());
        EXPECT_EQ(t.verdict, row.verdict);
        EXPECT_EQ(t.verdictExact, row.verdictExact);
        EXPECT_EQ(t.tsLower, "-1.089");
        EXPECT_EQ(t.tsLowerExact, "-1.336");
        EXPECT_EQ(judgeLot(lot.document),
                  d.verdict->accepted == true && d.verdict->acceptedExact == true
                      ? LotJudgement::Accepted
                      : LotJudgement::Rejected);
    }
}

TEST(LowerLimitDecision, TheWindowShowsTheEstimatesAndTheTwoSidedNoteOnlyWithBothLimits)
{
    Lot lot;
    // UL 5 is 2 from the mean, LL 0 is 3: Ppk 2 / (3 s) = 0.4216 and the upper
    // fraction betainc(1.5, 1.5, 0.146447) = 0.0908451 (SciPy 1.10.1).
    const LotDecision& both = lot.draw(2, "5", "0");
    SamplingPlanTexts t = samplingPlanTexts(both, lot.document.decisionSettings());
    EXPECT_EQ(t.ppk, "0.422");
    EXPECT_EQ(t.fractionBeyondUpper, "9.085%");
    EXPECT_EQ(t.fractionBeyondLower, "0%");
    EXPECT_FALSE(t.paBothSides.empty());
    EXPECT_EQ(t.ocNote, "With two limits the OC curve is that of each limit alone.");

    const LotDecision& upper = lot.draw(0, "5", "0");
    t = samplingPlanTexts(upper, lot.document.decisionSettings());
    EXPECT_EQ(t.fractionBeyondLower, "no limit");
    EXPECT_TRUE(t.paBothSides.empty());
    EXPECT_TRUE(t.ocNote.empty());

    // Two points: no estimate of the fraction, and no guess.
    Lot two("1\n2\n");
    const LotDecision& small = two.draw(1, "0", "0");
    t = samplingPlanTexts(small, two.document.decisionSettings());
    EXPECT_EQ(t.fractionBeyondLower, "needs at least 3 enabled points");
    // No limit at all keeps the words of the upper limit's window.
    two.s.setCheck(PlotOpts_LimitLines, 0);
    two.s.selectGroup(PlotOpts_LimitSides, 0);
    two.document.drawPlot();
    EXPECT_EQ(
        samplingPlanTexts(*two.document.lotDecision(1), two.document.decisionSettings()).verdict,
        "no upper limit set");
}

TEST(LowerLimitDecision, TheLimitFieldsAreEnabledWithLimitLinesAndTheirSide)
{
    Lot lot;
    Settings& s = lot.s;
    const auto enabled = [&s] {
        return std::array{s.enabled(PlotOpts_LimitSides), s.enabled(PlotOpts_ULimit),
                          s.enabled(PlotOpts_LLimit), s.enabled(PlotOpts_LLimitLabel)};
    };
    EXPECT_EQ(enabled(), (std::array{false, false, false, false})) << "after a load";
    s.setCheck(PlotOpts_LimitLines, 1);
    EXPECT_EQ(enabled(), (std::array{true, true, false, false})) << "upper";
    s.selectGroup(PlotOpts_LimitSides, 1);
    EXPECT_EQ(enabled(), (std::array{true, false, true, true})) << "lower";
    s.selectGroup(PlotOpts_LimitSides, 2);
    EXPECT_EQ(enabled(), (std::array{true, true, true, true})) << "both";
    s.setCheck(PlotOpts_LimitLines, 0);
    EXPECT_EQ(enabled(), (std::array{false, false, false, false})) << "limit lines off";
    // A lower limit that is no number is refused as the upper one is.
    EXPECT_THROW(s.setFromText(PlotOpts_LLimit, "2.5 mm"), std::invalid_argument);
    EXPECT_THROW(s.setFromText(PlotOpts_LimitSides, "3"), std::invalid_argument);
}

TEST(LowerLimitProject, TheFurtherSettingsFollowTheFixedLinesAndReopenToTheSameChart)
{
    Lot lot;
    lot.draw(2, "7.2", "-1.2");
    const std::string path = lot.files.path("lot.qvw");
    ASSERT_TRUE(lot.saveAs(path));
    const std::string bytes = test::fileBytes(path);
    const std::string block =
        "[Quantiview 3 settings]\r\nPlotOpts.LimitSides=2\r\nPlotOpts.LLimit=-1.2\r\n";
    ASSERT_TRUE(bytes.ends_with(block));
    // A reader of the fixed lines alone: 5 points, FORMATTING, the counts and 82 lines.
    const std::string fixed = bytes.substr(0, bytes.size() - block.size());
    EXPECT_EQ(std::count(fixed.begin(), fixed.end(), '\n'), 5 + 1 + 83);

    Lot reopened;
    ASSERT_TRUE(reopened.open(path));
    EXPECT_EQ(reopened.s.group(PlotOpts_LimitSides), 2);
    EXPECT_EQ(reopened.s.text(PlotOpts_LLimit), "-1.2");
    EXPECT_EQ(reopened.document.scene().primitives.size(), lot.document.scene().primitives.size());
    EXPECT_EQ(lotStatusText(*reopened.document.lotDecision(1)),
              lotStatusText(*lot.document.lotDecision(1)));
    EXPECT_TRUE(reopened.said().empty());
}

TEST(LowerLimitProject, AFileWithoutTheBlockIsSavedByteForByteAndForeignLinesAreSkipped)
{
    Lot lot;
    lot.draw(0, "10", "0");
    const std::string first = lot.files.path("first.qvw");
    ASSERT_TRUE(lot.saveAs(first));
    const std::string written = test::fileBytes(first);
    EXPECT_EQ(written.find("[Quantiview 3 settings]"), std::string::npos);

    Lot reopened;
    ASSERT_TRUE(reopened.open(first));
    const std::string second = reopened.files.path("second.qvw");
    ASSERT_TRUE(reopened.saveAs(second));
    EXPECT_EQ(test::fileBytes(second), written);

    // A block with names this program does not know, lines without "=" and a
    // value its setting cannot take: each skipped, the rest applied.
    Settings& s = reopened.s;
    const std::string_view block[] = {"Later.Setting=7", "no equals sign", "PlotOpts.LimitSides=9",
                                      "PlotOpts.LLimit = 2.5", "PlotOpts.ULimit=99"};
    EXPECT_EQ(readExtraSettings(s, block), 1);
    EXPECT_EQ(s.text(PlotOpts_LLimit), "2.5");
    EXPECT_EQ(s.group(PlotOpts_LimitSides), 0);
    EXPECT_EQ(s.text(PlotOpts_ULimit), "10") << "only the block's own settings";
}

} // namespace
} // namespace qv
