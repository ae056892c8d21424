// Reading data files: numbers, data lines, line endings, labels, the stable
// ascending order and the sort, the limits and how a failed or cancelled read
// leaves the chart.
#include "ChartHarness.h"
#include "core/NumberReader.h"
#include "core/io/AscendingOrder.h"
#include "core/io/DataFileParser.h"
#include "core/io/TextFile.h"
#include "support/TestTolerance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace qv {
namespace {

using test::Document;
using test::States;
using test::Values;

// A line of the numbers 1..n separated by commas, without its end.
std::string numbersUpTo(int n)
{
    std::string line = "1";
    for (int i = 2; i <= n; ++i) {
        line += "," + std::to_string(i);
    }
    return line;
}

// A file of `count` numbers, one a line.
std::string numberLines(int count)
{
    std::ostringstream text;
    for (int i = 0; i < count; ++i) {
        text << (i % 977) << ".25\n";
    }
    return text.str();
}

TEST(NumberReader, ReadsTheLongestLeadingNumberHugeExponentsAsOverflowAndTinyOnesAsZero)
{
    constexpr double Overflow = std::numeric_limits<double>::quiet_NaN();
    const std::pair<const char*, double> rows[] = {
        {"12.5", 12.5}, {"  -3", -3}, {"+4", 4},       {"1.5e3", 1500}, {"1.5E+3", 1500},
        {"2e-2", 0.02}, {"7e", 7},    {"7e+", 7},      {".5", 0.5},     {"5.", 5},
        {"1.2.3", 1.2}, {"abc", 0},   {"", 0},         {"-", 0},        {"12a", 12},
        {"1,5", 1},     {"3 4", 3},   {"1e-400", 0},   {"1e400", Overflow},
        {"1e9223372036854775807", Overflow},   {"1e99999999999999999999999", Overflow},
        {"0.001e9223372036854775807", Overflow}, {"-5.e400", Overflow},
        {"1e-9223372036854775808", 0},         {"1e-99999999999999999999999", 0},
        {"5.e-400", 0}, {"0e99999999999999999999999", 0}, {"123456789e-9223372036854775800", 0},
    };
    for (auto [text, value] : rows) {
        SCOPED_TRACE(text);
        if (std::isnan(value)) {
            EXPECT_QV_ERROR(readNumber(text), ErrorCode::Overflow);
        } else if (value == 0) {
            EXPECT_EQ(readNumber(text), 0.0);
        } else {
            EXPECT_DOUBLE_EQ(readNumber(text), value);
        }
    }
}

TEST(SplitDataLine, CountsFieldsAcrossTheThreeSeparatorsAndReadsEmptyOnesAsZero)
{
    const std::tuple<const char*, int, Values> rows[] = {
        {"1,2,3", 3, {1, 2, 3}}, {"1 2\t3", 3, {1, 2, 3}}, {"1 ,2", 3, {1, 0, 2}},
        {"  4.5  ", 1, {4.5}},   {"1,,2", 3, {1, 0, 2}},   {"1,2,", 3, {1, 2, 0}},
        {"   ", 0, {}},          {"12a", -1, {}},          {"1.5e3\t-2E-1", 2, {1500, -0.2}},
    };
    for (const auto& [line, count, values] : rows) {
        SCOPED_TRACE(line);
        LineFields f;
        ASSERT_EQ(splitDataLine(line, f), count);
        EXPECT_EQ(Values(f.values.begin(), f.values.begin() + std::max(count, 0)), values);
    }
}

TEST(SplitDataLine, FailsPastTwentyFieldsOfNumbersOnlyAndClearsFieldsALongerLineLeft)
{
    LineFields f;
    ASSERT_EQ(splitDataLine(numbersUpTo(20), f), 20);
    EXPECT_EQ(f.values[19], 20.0);
    ASSERT_EQ(splitDataLine("7,8", f), 2);
    EXPECT_EQ(Values(f.values.begin(), f.values.end()),
              Values({7, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Each row: a line and the error it raises (0: none, the line is foreign).
    const std::pair<std::string, int> rows[] = {
        {numbersUpTo(21), ErrorCode::SubscriptOutOfRange},
        {numbersUpTo(20) + ",", ErrorCode::SubscriptOutOfRange},
        {"1e999," + numbersUpTo(25), ErrorCode::Overflow},
        {numbersUpTo(20) + ",1e999", ErrorCode::SubscriptOutOfRange},
        {numbersUpTo(30) + ",x", 0},
    };
    for (const auto& [line, code] : rows) {
        SCOPED_TRACE(line);
        if (code == 0) {
            EXPECT_EQ(splitDataLine(line, f), -1);
        } else {
            EXPECT_QV_ERROR(splitDataLine(line, f), code);
        }
    }
}

TEST(TextFile, KeepsItsLinesWhenMovedAndTheFileItCameFromIsGone)
{
    test::TempFiles files;
    std::string many;
    for (int i = 0; i < 2000; ++i) {
        many += std::to_string(i) + "\r\n";
    }
    // A short text lives inside the object, a long one on the heap.
    for (const std::string& content : {std::string("1\n2"), many}) {
        SCOPED_TRACE(content.size());
        const auto expected = TextFile::splitLines(content);
        const std::vector<std::string> wanted(expected.begin(), expected.end());
        TextFile assigned = TextFile::read(files.write("other.csv", "9\n8\n7\n"));
        std::optional<TextFile> constructed;
        {
            TextFile source = TextFile::read(files.write("lot.csv", content));
            TextFile second = TextFile::read(files.write("lot.csv", content));
            assigned = std::move(source);
            constructed.emplace(std::move(second));
        }
        for (const TextFile* file : {&assigned, &*constructed}) {
            EXPECT_EQ(std::vector<std::string>(file->lines().begin(), file->lines().end()), wanted);
        }
    }
}

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
    ASSERT_TRUE(l.openText("lot.txt", "Run\tThickness\n1\t10.5\n2\t9.5\n", {.valueColumn = 2}));
    EXPECT_EQ(l.s.text(Ctl::PlotOpts_YAxisLabel), "Thickness");
    EXPECT_EQ(l.session.set(1).values, (Values{9.5, 10.5}));
}

TEST(DataFileReader, ReadsEveryLineEndingSkipsForeignLinesAndStopsAtAnEmptyOrShorterLine)
{
    const std::pair<const char*, Values> rows[] = {
        {"3\r\n1\r\n2\r\n", {1, 2, 3}},
        {"3\n1\n2\n", {1, 2, 3}},
        {"3\r1\r2", {1, 2, 3}},
        {"3\n1\n2", {1, 2, 3}},
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
        EXPECT_EQ(l.session.set(1).states, States(values.size(), 1));
        EXPECT_EQ(l.session.set(1).enabledCount, std::ssize(values));
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

    // A hand-edited project file out of order keeps each state with its value.
    ASSERT_TRUE(l.openText("chart.qvw", "5,0.5,0\n1,0.1,3\n3,0.3,1\nFORMATTING\n"));
    EXPECT_EQ(l.prompter.dataFileDialogs, 1);
    EXPECT_EQ(l.session.set(1).sigmas, (Values{0.1, 0.3, 0.5}));
    EXPECT_EQ(l.session.set(1).states, (States{3, 1, 0}));
    EXPECT_EQ(l.session.set(1).enabledCount, 2);
}

TEST(DataFileReader, LoadsOneHundredThousandLines)
{
    Document l;
    ASSERT_TRUE(l.openText("lot.csv", numberLines(MaxPoints)));
    EXPECT_EQ(l.session.set(1).pointCount, MaxPoints);
    EXPECT_TRUE(std::ranges::is_sorted(l.session.set(1).values));
}

TEST(DataFileReader, ReportsFailuresAsFileErrorsAndCancelsSilentlyKeepingTheSet)
{
    // Twenty labelled columns, the last one chosen.
    std::string labels;
    for (int i = 1; i < 20; ++i) {
        labels += "c,";
    }
    Document l;
    const std::string twenty = numbersUpTo(20) + "\n";
    ASSERT_TRUE(l.openText("lot.csv", labels + "Width\n" + twenty + twenty, {.valueColumn = 20}));
    EXPECT_EQ(l.session.set(1).values, (Values{20, 20}));
    l.s.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    const std::string title = l.session.windowTitle;

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
        EXPECT_EQ(l.session.windowTitle, title);
        EXPECT_EQ(l.draws, 1);
    }
    l.prompter.messages.clear();
    EXPECT_FALSE(l.open(l.files.path("missing.csv")));
    EXPECT_EQ(l.said(), test::Lines{"File Error: File Error 53 Try Again"});
    // A folder is a path access error, which is not reported.
    l.prompter.messages.clear();
    EXPECT_FALSE(l.open(l.files.path("")));
    EXPECT_TRUE(l.prompter.messages.empty());
}

TEST(DataFileReader, ThirtyPointsForceTheGaussianScale)
{
    for (int n : {29, 30}) {
        SCOPED_TRACE(n);
        Document l;
        l.s.selectButton(Ctl::PlotOpts_Tdist);
        ASSERT_TRUE(l.openText("lot.csv", numberLines(n)));
        EXPECT_EQ(l.s.enabled(Ctl::PlotOpts_Tdist), n < 30);
        EXPECT_TRUE(l.s.selected(Ctl::PlotOpts_NormalDist));
    }
}

// The order a stable sort by "<" gives: what the ascending order must equal.
std::vector<std::size_t> stableOrder(const std::vector<double>& values)
{
    std::vector<std::size_t> order(values.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
    return order;
}

std::vector<double> lot(std::size_t n, std::uint64_t seed, double scale, double offset)
{
    std::vector<double> values;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < n; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        values.push_back(offset + scale * (static_cast<double>(state >> 11) * 0x1p-53 - 0.5));
    }
    return values;
}

TEST(AscendingOrder, GivesTheOrderOfAStableSortOnEveryKindOfList)
{
    constexpr double Inf = std::numeric_limits<double>::infinity();
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    std::vector<double> ties;
    for (int i = 0; i < 3000; ++i) {
        ties.push_back(static_cast<double>((i * 7919) % 13) / 4.0);
    }
    std::vector<double> rounded = lot(20000, 3, 1.0, 25.4);
    for (double& v : rounded) {
        v = std::round(v * 100) / 100;
    }
    std::vector<double> reversed = lot(5000, 5, 1e6, 0.0);
    std::sort(reversed.begin(), reversed.end(), [](double a, double b) { return a > b; });
    const struct
    {
        std::string name;
        std::vector<double> values;
    } cases[] = {
        {"nothing", {}},
        {"one value", {2.5}},
        {"a measured lot", lot(100000, 1, 0.6, 25.4)},
        {"values either side of zero", lot(10000, 2, 2e-3, 0.0)},
        {"many equal values", ties},
        {"values rounded to two places", rounded},
        {"both zeros and their neighbours",
         {0.0, -0.0, 5e-324, -5e-324, -0.0, 0.0, 1.0, -1.0, 0.0, -0.0}},
        {"the extremes",
         {Inf, -Inf, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
          std::numeric_limits<double>::min(), 0.0, -Inf, Inf}},
        {"in order already", {1, 2, 2, 3, 5, 8, 13}},
        {"in order but for -0 and +0 as equals", {-1, 0.0, -0.0, 0.0, 1}},
        {"in reverse order", reversed},
        {"all the same", std::vector<double>(500, 7.25)},
        {"a NaN among them", {3, NaN, 1, 2, NaN, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ascendingOrder(c.values.data(), c.values.size()), stableOrder(c.values));
    }
}

} // namespace
} // namespace qv
