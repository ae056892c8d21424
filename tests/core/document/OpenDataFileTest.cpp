// Opening a data file through the document: the labels and the chosen column, line
// endings, foreign lines, the stable sort with uncertainties and states, the limits,
// the encodings, and how a failed or cancelled read leaves the chart.
#include "ChartHarness.h"
#include "support/TestLots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace qv {
namespace {

using test::Document;
using test::numberLines;
using test::numbersUpTo;
using test::Values;

TEST(DataFileReader, DetectsLabelsShowsTheFirstRowsAndTakesTheChosenColumn)
{
    Document l;
    ASSERT_TRUE(l.openText("lot.csv", "x,y\r\n1,2\r\n3,4\r\n", {.valueColumn = 2}));
    EXPECT_EQ(l.prompter.previews.back().firstRow, "x,y");
    EXPECT_EQ(l.prompter.previews.back().secondRow, "1,2");
    EXPECT_EQ(l.s.check(Ctl::FileChar_Labels), 1);
    EXPECT_EQ(l.s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(l.s.text(Ctl::PlotOpts_YAxisLabel), "y");
    EXPECT_EQ(l.session.set(1).values, (Values{2, 4}));
    EXPECT_EQ(l.draws, 1);
}

TEST(DataFileReader, ReadsEveryLineEndingSkipsForeignLinesAndStopsAtAnEmptyOrShorterLine)
{
    const std::pair<const char*, Values> rows[] = {
        {"3\r\n1\r\n2\r\n", {1, 2, 3}}, {"3\r1\r2", {1, 2, 3}}, {"3\n1\n2", {1, 2, 3}},
        {"5\n4\n12a\n# a comment longer than twenty fields: a b c d e f g h i j k l m"
         " n o p q r s t u\n3\n\n2\n1\n",
         {3, 4, 5}},
        {"1,2\n3,4\n5\n6,7\n", {1, 3}},
    };
    for (const auto& [content, values] : rows) {
        SCOPED_TRACE(content);
        Document l;
        ASSERT_TRUE(l.openText("lot.csv", content));
        EXPECT_EQ(l.session.set(1).values, values);
    }
}

TEST(DataFileReader, CarriesUncertaintiesAndStatesThroughTheStableSort)
{
    // Twenty lines (more than a sort does by insertion) of 2 and 1 by turns, the
    // line's number as its uncertainty: equal values keep their file order.
    std::string lines;
    for (int line = 0; line < 20; ++line) {
        lines += (line % 2 == 0 ? "2," : "1,") + std::to_string(line) + "\n";
    }
    Document l;
    ASSERT_TRUE(l.openText("lot.csv", lines, {.sigmaColumn = 2}));
    EXPECT_TRUE(std::ranges::is_sorted(l.session.set(1).values));
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(l.session.set(1).sigmas[i], double(i < 10 ? 2 * i + 1 : 2 * (i - 10))) << i;
    }
    EXPECT_TRUE(l.s.enabled(Ctl::PlotOpts_ErrorBars));
}

TEST(DataFileReader, ReportsFailuresAsFileErrorsAndCancelsSilentlyKeepingTheSet)
{
    // Twenty labelled columns, the last one chosen.
    const std::string labels = "c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,c,Width\n";
    Document l;
    const std::string twenty = numbersUpTo(20) + "\n";
    ASSERT_TRUE(l.openText("lot.csv", labels + twenty + twenty, {.valueColumn = 20}));
    EXPECT_EQ(l.session.set(1).values, (Values{20, 20}));
    l.s.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    const std::string title = l.session.window.windowTitle;

    const std::tuple<const char*, std::string, DataFileAnswers, const char*> rows[] = {
        {"21 fields", "Depth\n" + twenty + numbersUpTo(21) + "\n", {}, "Unexpected Error 9"},
        {"100001 lines", numberLines(MaxPoints + 1), {}, "Unexpected Error 9"},
        {"empty first line", "\n1\n", {}, "Unexpected Error 5"},
        {"empty file", "", {}, "Unexpected Error 62"},
        {"Cancel in the parameters dialog", "1\n2\n3\n", {.accept = false}, nullptr},
    };
    for (const auto& [what, content, answers, text] : rows) {
        SCOPED_TRACE(what);
        l.prompter.messages.clear();
        l.prompter.dataFileAnswers.clear(); // a failure may come before the dialog
        EXPECT_FALSE(l.openText("lot.csv", content, answers));
        const auto& messages = l.prompter.messages;
        ASSERT_EQ(messages.size(), text ? 1u : 0u);
        if (text) {
            EXPECT_EQ(messages[0].text, text);
            EXPECT_EQ(messages[0].title, "File Error");
            EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
        }
        EXPECT_EQ(l.session.set(1).values, (Values{20, 20}));
        EXPECT_EQ(l.s.text(Ctl::PlotOpts_YAxisLabel), "Width");
        EXPECT_EQ(l.s.check(Ctl::PlotOpts_TestStatistic), 1);
        EXPECT_EQ(l.session.window.windowTitle, title);
        EXPECT_EQ(l.draws, 1);
    }
    // A folder is a path access error, which is not reported.
    l.prompter.messages.clear();
    EXPECT_FALSE(l.open(l.files.path("")));
    EXPECT_TRUE(l.prompter.messages.empty());
}

TEST(DataFileReader, ThirtyPointsForceTheGaussianScaleAndAHundredThousandLoad)
{
    for (int n : {29, 30, MaxPoints}) {
        SCOPED_TRACE(n);
        Document l;
        l.s.selectButton(Ctl::PlotOpts_Tdist);
        ASSERT_TRUE(l.openText("lot.csv", numberLines(n)));
        EXPECT_EQ(l.session.set(1).pointCount, n);
        EXPECT_EQ(l.s.enabled(Ctl::PlotOpts_Tdist), n < 30);
        EXPECT_TRUE(l.s.selected(Ctl::PlotOpts_NormalDist));
    }
}

TEST(DataFileReader, ReadsFilesWithAByteOrderMarkOrInWindows1252)
{
    Document d;
    ASSERT_TRUE(d.openText("bom.csv", "\xEF\xBB\xBF" "3\n1\n2\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
    ASSERT_TRUE(d.openText("old.csv", "Temperature (\xB0" "C)\r\n21.5\r\n22\r\n"));
    EXPECT_EQ(d.s.text(Ctl::PlotOpts_YAxisLabel), "Temperature (\xC2\xB0" "C)");
}

} // namespace
} // namespace qv
