// Reading data files (numbers, data lines, line endings, labels, the stable ascending
// order and the sort, the limits and how a failed or cancelled read leaves the chart),
// project files (the exact text, reopening to the same chart, damaged files, Save File
// As's name and question) and Paste Data, with the encodings of what comes in. Saves
// that fail for real are in test_fault_injection.cpp.
#include "ChartHarness.h"
#include "core/NumberReader.h"
#include "core/io/AscendingOrder.h"
#include "core/io/DataFileParser.h"
#include "core/io/PasteText.h"
#include "core/io/ProjectFileReader.h"
#include "core/io/ProjectFileWriter.h"
#include "core/io/TextFile.h"
#include "support/TestTolerance.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numeric>
#include <sstream>
#include <tuple>

namespace qv {
namespace {

using test::Document;
using test::fileBytes;
using test::Lines;
using test::makeSet;
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
        {"12.5", 12.5}, {"  -3", -3}, {"+4", 4},       {"1.5E+3", 1500}, {"2e-2", 0.02},
        {"7e+", 7},     {".5", 0.5},  {"5.", 5},       {"1.2.3", 1.2},  {"abc", 0},
        {"", 0},        {"-", 0},     {"1,5", 1},      {"1e-400", 0},   {"1e400", Overflow},
        {"1e99999999999999999999999", Overflow},       {"0.001e9223372036854775807", Overflow},
        {"1e-99999999999999999999999", 0},             {"0e99999999999999999999999", 0},
        {"1e-9223372036854775808", 0},                 {"123456789e-9223372036854775800", 0},
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
    std::vector<double> ties;
    for (int i = 0; i < 3000; ++i) {
        ties.push_back(static_cast<double>((i * 7919) % 13) / 4.0);
    }
    std::vector<double> reversed = lot(5000, 5, 1e6, 0.0);
    std::sort(reversed.begin(), reversed.end(), [](double a, double b) { return a > b; });
    const struct
    {
        std::string name;
        std::vector<double> values;
    } cases[] = {
        {"nothing", {}},
        {"a measured lot", lot(100000, 1, 0.6, 25.4)},
        {"values either side of zero", lot(10000, 2, 2e-3, 0.0)},
        {"many equal values", ties},
        {"both zeros and their neighbours",
         {0.0, -0.0, 5e-324, -5e-324, -0.0, 0.0, 1.0, -1.0, 0.0, -0.0}},
        {"the extremes", {std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
                          std::numeric_limits<double>::min(), 0.0, 1.0}},
        {"in order but for -0 and +0 as equals", {-1, 0.0, -0.0, 0.0, 1}},
        {"in reverse order", reversed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ascendingOrder(c.values.data(), c.values.size()), stableOrder(c.values));
    }
}

std::string crlf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines) {
        text = text + line + "\r\n";
    }
    return text;
}

// The bits of each number, so that 0.30000000000000004 never passes for 0.3.
std::vector<std::uint64_t> bits(const Values& values)
{
    std::vector<std::uint64_t> out;
    for (double v : values) {
        out.push_back(std::bit_cast<std::uint64_t>(v));
    }
    return out;
}

// The settings of a chart after its first data file, with a few choices made.
Settings chosenSettings()
{
    Settings s;
    s.setFontList({"Arial", "Z"});
    s.walkFontListTo("Arial");
    s.setCheck(Ctl::frmPageSetup_chkGraphTitleBold, 1);
    s.resetOptions();
    for (const auto& [group, index] : {std::pair{Ctl::frmPageSetup_optPlotTitleFontsize, 2},
                                       {Ctl::frmPageSetup_optYAxisLabelFontsize, 2},
                                       {Ctl::frmPageSetup_optPrtOrientation, 0},
                                       {Ctl::PlotOpts_ConfInterval, 1},
                                       {Ctl::PlotOpts_CR, 2}}) {
        s.selectGroup(group, index);
    }
    s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7");
    s.setText(Ctl::PlotOpts_YAxisLabel, "Width (\xC2\xB5m)");
    s.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    s.setCheck(Ctl::PlotOpts_LSQfit, 1);
    s.setText(Ctl::AxesOpts_YscaleMin, "0.5");
    s.setText(Ctl::AxesOpts_YscaleMax, "4.5");
    s.setText(Ctl::AxesOpts_TickInterval, "1");
    return s;
}

TEST(ProjectFile, WritesTheExactTextWithAndWithoutAnOverlay)
{
    // clang-format off
    const std::string settings = crlf({
        " 1 ", "Lot 7", "Width (\xC2\xB5m)", "", " 1 ", " 1 ", " 0 ", " 1 ", " 0 ", "0", "0",
        " 0 ", " 1 ", "False", "True", "False", "False", "False", "True", "True",      // 12-20
        "False", "True", "False", "False", "False", "False", "True", "False",          // 21-28
        "0.5", "4.5", "1", "False", "True", "True", "False", "False", "False", "False", // 29-38
        "True", "False", "True", "False", "False", "True", "False", "0",                // 39-46
        " 1 ", " 1 ", " 1 ", " 1 ", "True", "False", "0",                               // 47-53
        " 2.5 ", "-1.25 ", " 3.75 ", " 1e-07 ", " 1200 ", " 240 ",                      // 54-59
        "True", "False", "False", " 0 ", " 1 ", " 0 ", "True", "False",                 // 60-67
        "False", "False", "True", "False", "False", "False", "False", "True", "False", "False",
        " 1 ", " 1 ", "", "", "Arial"});
    // clang-format on
    const Settings s = chosenSettings();
    const SavedPositions places{2.5, -1.25, 3.75, 1e-7, 1200, 240};
    const DataSet withSigmas = makeSet({1e-7, 1.5, 0.1 + 0.2}, {1, 2, 3}, {0.5, 0.25, 0.125});
    EXPECT_EQ(
        projectFileText(withSigmas, nullptr, s, places),
        crlf({"1e-07,0.5,1", "1.5,0.25,2", "0.30000000000000004,0.125,3", "FORMATTING", "2,3"}) +
            settings);
    // Each set has its own point format; line 1 answers for the main set.
    const DataSet main = makeSet({-2, 4}, {1, 0});
    const DataSet overlay = makeSet({10, 20}, {3, 1}, {1, 2});
    EXPECT_EQ(projectFileText(main, &overlay, s, places),
              crlf({"-2,1", "4,0", "OVERLAY START", "2,2", "10,1,3", "20,2,1", "OVERLAY END", "1,2",
                    " 0 "}) +
                  settings.substr(5));
}

TEST(ProjectFile, ALogAutomaticChartReopensWithBothSetsEverySettingAndItsPlaces)
{
    Document saver;
    ASSERT_TRUE(saver.openText("lot.csv",
                               "Width,Sigma\n0.30000000000000004,0.1\n3.3333333333333335,2.5e-9\n"
                               "1e-7,0.5\n123456789.123,2\n0.1,0.2\n",
                               {.sigmaColumn = 2}));
    saver.prompter.openAnswers.push_back(saver.files.write("over.csv", "7.25\n6.125\n5.1\n"));
    ASSERT_TRUE(saver.document.inputOverlayData());
    saver.session.set(1).states = {0, 2, 3, 1, 1}; // disabled, disabled hilited, hilited
    saver.session.set(1).enabledCount = 3;
    Settings& s = saver.s;
    // Every stored setting away from its value after a data file.
    for (const ControlInfo& info : controlTable()) {
        if (info.fileLine != 0 && info.kind == ControlKind::Check) {
            s.setCheck(info.id, 1 - s.check(info.id));
        } else if (info.fileLine != 0 && info.kind == ControlKind::Group) {
            s.selectGroup(info.id, (s.group(info.id) + 1) % info.buttons);
        } else if (info.fileLine != 0 && info.kind != ControlKind::Button) {
            s.setText(info.id, "3");
        }
    }
    s.setCheck(Ctl::FileChar_ErrorBars, 1); // the main set has uncertainties
    s.setCheck(Ctl::PlotOpts_BkgSubtraction, 0);
    s.setCheck(Ctl::PlotOpts_ErrorBars, 0); // bars below zero would end the log scale
    s.selectButton(Ctl::PlotOpts_Tdist);
    s.selectButton(Ctl::AxesOpts_Eformat);
    s.selectButton(Ctl::PlotOpts_LogY);
    s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7\r\nshift 2");
    s.setText(Ctl::PlotOpts_PlotText, "n = 5,");
    s.setText(Ctl::StatsForm_txtMainStatBoxTitle, "  Main  ");
    s.setFromText(Ctl::frmPageSetup_cboFont, "DejaVu Sans");
    saver.document.drawPlot(); // the automatic log scale writes its ends and step back
    const Settings before = s;
    const SavedPositions places = saver.document.projectPositions();
    const std::string path = saver.files.path("both.qvw");
    ASSERT_TRUE(saver.saveAs(path));
    // Only now the live chart takes the manual scale, with the texts the file holds.
    EXPECT_TRUE(s.selected(Ctl::AxesOpts_Manual));
    EXPECT_EQ(s.text(Ctl::AxesOpts_TickInterval), before.text(Ctl::AxesOpts_TickInterval));
    EXPECT_NE(s.text(Ctl::AxesOpts_TickInterval), "10");

    Document reader;
    ASSERT_TRUE(reader.open(path));
    ASSERT_TRUE(reader.session.sources.overlayLoaded);
    for (int n : {1, 2}) {
        SCOPED_TRACE(n);
        const DataSet& a = saver.session.set(n);
        const DataSet& b = reader.session.set(n);
        EXPECT_EQ(bits(b.values), bits(a.values));
        EXPECT_EQ(bits(b.sigmas), bits(a.sigmas));
        EXPECT_EQ(b.states, a.states);
        EXPECT_EQ(b.hasSigmas, a.hasSigmas);
        EXPECT_EQ(b.enabledCount, a.enabledCount);
    }
    for (const ControlInfo& info : controlTable()) {
        if (info.fileLine != 0 && info.id != Ctl::PlotOpts_PlotTitle) {
            EXPECT_EQ(reader.s.valueText(info.id), s.valueText(info.id))
                << info.name;
        }
    }
    // The free text "n = 5," and the box title "  Main  " came back whole with the rest.
    EXPECT_EQ(reader.s.text(Ctl::PlotOpts_PlotTitle), "Lot 7 shift 2");
    // The reopening's drawing put the statistics box and the free text at their stored places.
    const SavedPositions placed = reader.document.projectPositions();
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(placed[i], places[i], 1e-9 * (1 + std::fabs(places[i]))) << i;
    }
    // The bold chart font counts from the reopening's drawing on.
    EXPECT_TRUE(reader.document.scene().placements.statsBox.font.bold);
    EXPECT_EQ(reader.document.plot().results().ymax, saver.document.plot().results().ymax);
}

TEST(ProjectFile, ShortBadAndUnknownSettingsLines)
{
    const std::string text =
        projectFileText(makeSet({1, 2}), nullptr, chosenSettings(), {1, 2, 3, 4, 5, 6});
    const auto lines = TextFile::splitLines(text);
    const std::vector<std::string_view> full(lines.begin() + 3, lines.end()); // counts line on
    // Each row: the lines of the block kept (the counts line included), a line
    // replaced (0: none) and its replacement; then the error, the font, the
    // probability range (lines 34-38), the first place (line 54) and Max (line 79).
    // clang-format off
    const struct { const char* what; std::ptrdiff_t keep; std::size_t line; const char* replacement;
                   int errorCode; const char *font, *probabilityRange; double place; int showMax; } rows[] = {
        {"a block that stops after line 40", 41, 0, "", 0, "Z", "0", 9, 0},
        {"maybe on an option line", 83, 35, "maybe", 13, "Z", "0", 9, 0},
        {"a number on an option line", 83, 35, " 1 ", 0, "Arial", "1", 1, 1},
        {"an unknown font", 83, 82, "Wingdings 9", 0, "Arial", "0", 1, 1},
        {"a word on a whole-number check line", 83, 63, "bold", 13, "Z", "0", 1, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string_view> block(full.begin(), full.begin() + row.keep);
        if (row.line != 0) {
            block[row.line] = row.replacement;
        }
        Settings s;
        s.setFontList({"Z", "Arial"});
        s.walkFontListTo("Z");
        s.resetOptions();
        s.selectGroup(Ctl::AxesOpts_NumNines, 2);
        s.setCheck(Ctl::StatsForm_chkMax, 0);
        SavedPositions places{9, 9, 9, 9, 9, 9};
        EXPECT_EQ(readSettingsBlock(s, block, places).errorCode, row.errorCode);
        // The lines before a failure or the end stay applied, the rest as they were.
        EXPECT_EQ(s.text(Ctl::PlotOpts_PlotTitle), "Lot 7");
        EXPECT_EQ(s.group(Ctl::PlotOpts_CR), 2);
        EXPECT_EQ(s.valueText(Ctl::AxesOpts_NumNines), row.probabilityRange);
        EXPECT_EQ(s.text(Ctl::frmPageSetup_cboFont), row.font);
        EXPECT_EQ(s.check(Ctl::StatsForm_chkMax), row.showMax);
        EXPECT_EQ(places[0], row.place);
    }
}

TEST(ProjectFile, PointLinesAndCountsThatDisagree)
{
    // No values afterwards: the previous chart stays.
    // clang-format off
    const struct { const char* what; std::string text; const char* said; Values values; int enabled; } rows[] = {
        {"a counts line above the lines read",
         crlf({"1,1", "2,0", "3,1", "4,1", "FORMATTING", "9,9", " 0 ", "Lot 7"}), nullptr, {1, 2, 3, 4}, 3},
        {"a counts line below the lines read",
         crlf({"3,1", "1,1", "2,1", "5,1", "FORMATTING", "3,3"}), nullptr, {1, 2, 3}, 3},
        {"a counts line that is no count", crlf({"3,1", "1,0", "2,1", "4,1", "FORMATTING", "x"}),
         "Read QVW Error: Unexpected Error  13", {1, 2, 3, 4}, 3},
        {"a file that ends after its points", crlf({"2,1", "1,3", "3,1"}), nullptr, {1, 2, 3}, 3},
        {"a state outside 0..3", crlf({"1,1", "2,4", "FORMATTING"}),
         "File Error: Unexpected Error 13", {}, 0},
        {"a point line of four fields", crlf({"1,1", "2,0.5,1,1", "FORMATTING"}),
         "File Error: Unexpected Error 13", {}, 0},
        {"an overlay without its end", crlf({"1,1", "OVERLAY START", "1,1", "5,1"}),
         "File Error: Unexpected Error 62", {}, 0},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Document d;
        ASSERT_TRUE(d.openText("before.csv", "7\n8\n"));
        d.prompter.messages.clear();
        EXPECT_EQ(d.openText("chart.qvw", row.text), !row.values.empty());
        EXPECT_EQ(d.said(), row.said ? Lines{row.said} : Lines{});
        const DataSet& set = d.session.set(1);
        EXPECT_EQ(set.values, (row.values.empty() ? Values{7, 8} : row.values));
        EXPECT_EQ(set.states.size(), set.values.size());
        EXPECT_EQ(set.enabledCount, row.values.empty() ? 2 : row.enabled);
    }
}

TEST(ProjectFile, OverlaysReopenUpToMaxPointsAndAProjectAsOverlaySkipsItsOwn)
{
    Document d;
    Values many = lot(40000, 9, 1.0, 25.4);
    std::ranges::sort(many);
    const DataSet big = makeSet(many);
    const std::string path = d.files.write(
        "big.Qvw", projectFileText(makeSet({5, 1, 3}, {1, 3, 0}), &big, chosenSettings(), {}));
    ASSERT_TRUE(d.open(path));
    EXPECT_EQ(d.session.set(2).values, many);
    EXPECT_EQ(d.session.set(1).values, (Values{1, 3, 5}));

    // As the overlay, the file supplies its main points with their states.
    ASSERT_TRUE(d.openText("main.csv", "10\n20\n30\n"));
    d.prompter.openAnswers.push_back(path);
    ASSERT_TRUE(d.document.inputOverlayData());
    EXPECT_EQ(d.session.set(2).values, (Values{1, 3, 5}));
    EXPECT_EQ(d.session.set(2).states, (States{3, 0, 1}));
    EXPECT_EQ(d.session.set(2).enabledCount, 2);
    EXPECT_EQ(d.session.set(1).values, (Values{10, 20, 30}));
    // Cancel in the dialog of the next overlay keeps this one.
    d.prompter.openAnswers.push_back(d.files.write("more.csv", "8\n9\n"));
    d.prompter.dataFileAnswers = {{.accept = false}}; // the project asked no dialog
    EXPECT_FALSE(d.document.inputOverlayData());
    EXPECT_EQ(d.session.set(2).values, (Values{1, 3, 5}));
    EXPECT_TRUE(d.session.sources.overlayLoaded);
    // "OVERLAY START" in a data file is just a foreign line.
    ASSERT_TRUE(d.openText("odd.csv", "1\n2\nOVERLAY START\n3\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
}

TEST(SaveFileAs, ProposesTheSourceNameAddsTheExtensionAndAsksBeforeReplacing)
{
    Document d;
    d.session.fileDialogs.documentsFolder = "/home/user/Documents";
    d.document.saveAs();
    EXPECT_EQ(d.prompter.fileRequests.back().proposedName, "GRAPH.QVW");
    EXPECT_EQ(d.prompter.fileRequests.back().initialFolder, "/home/user/Documents");
    ASSERT_TRUE(d.openText("RUN1.Data.CSV", "3\n1\n2\n"));
    const std::string old = d.files.write("Chart.QVW", "old");
    // Each row: the name chosen, the answer to the question when it is asked and
    // the file written ("": none).
    const std::tuple<std::string, std::optional<bool>, std::string> rows[] = {
        {d.files.path("Lot7"), {}, d.files.path("Lot7.qvw")}, {old, false, ""}, {old, true, old}};
    for (const auto& [chosen, overwrite, written] : rows) {
        SCOPED_TRACE(chosen);
        d.prompter.confirmations.clear();
        if (overwrite) {
            d.prompter.confirmAnswers.push_back(*overwrite);
        }
        EXPECT_EQ(d.saveAs(chosen), !written.empty());
        EXPECT_EQ(d.prompter.fileRequests.back().proposedName, d.files.path("RUN1.Data"));
        EXPECT_EQ(d.prompter.fileRequests.back().filterIndex, 3);
        EXPECT_EQ(d.prompter.confirmations,
                  overwrite ? Lines{"File Already Exists, Overwrite?"} : Lines{});
        EXPECT_EQ(fileBytes(written.empty() ? old : written).substr(0, 3),
                  written.empty() ? "old" : "1,1");
    }
    EXPECT_EQ(d.said(), Lines{});
}

TEST(PasteText, CutsClipboardTextIntoBufferLinesInUtf8)
{
    const std::string end(EndOfPaste);
    const std::tuple<std::string, Lines, int> rows[] = {
        {"3\r2\r1\r", {"3", "2", "1", end}, 0},
        {"  1\n 2\n\t3\n4\n\tx", {"1", "4", "\tx", end}, 0}, // the last line is kept as it is
        {"   ", {end}, 0},
        {"1\r\n\r\n2", {}, 5},
        {"\xEF\xBB\xBF" "5\n\xB5g \xE2\x82\xAC", {"5", "\xC2\xB5g \xC3\xA2\xE2\x80\x9A\xC2\xAC", end}, 0},
    };
    for (const auto& [text, lines, errorCode] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(cutPastedText(text).lines, lines);
        EXPECT_EQ(cutPastedText(text).errorCode, errorCode);
    }
    const std::string most = numberLines(99999);
    EXPECT_EQ(cutPastedText(most).lines.size(), 100000u);
    EXPECT_EQ(cutPastedText(most + "2").errorCode, 9);
    EXPECT_EQ(nthField(" a\tb\tc ", 2), "b");
    EXPECT_EQ(nthField("a\tb", 5), "b");
}

TEST(PasteData, LoadsColumnsAndBlocksAtStartUpAndKeepsTheOptionsOfATitledChart)
{
    Document d;
    ASSERT_TRUE(d.paste("1.5\r\n2.5\r\n0.5\r\n"));
    EXPECT_EQ(d.session.set(1).values, (Values{0.5, 1.5, 2.5}));
    EXPECT_EQ(d.session.window.windowTitle, "Quantiview 3.0");
    EXPECT_EQ(d.session.sources.pasteBuffer, (Lines{"1.5", "2.5", "0.5", "END OF PASTE"}));
    for (Menu item : {Menu::Options_File, Menu::EnableDisable, Menu::InputOverlayData}) {
        EXPECT_TRUE(d.session.menus.enabled(item)) << menuName(item);
    }
    d.s.setText(Ctl::PlotOpts_PlotTitle, "Lot 7");
    d.s.selectGroup(Ctl::PlotOpts_CR, 3);
    ASSERT_TRUE(d.paste("Width\tDepth (\xB5m)\r\n1\t10\r\n3\t30\r\n2\t20\r\n", {.valueColumn = 2}));
    EXPECT_EQ(d.prompter.previews.back().secondRow, "1\t10");
    EXPECT_EQ(d.s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(d.session.set(1).values, (Values{10, 20, 30}));
    EXPECT_EQ(d.s.text(Ctl::PlotOpts_YAxisLabel), "Depth (\xC2\xB5m)");
    EXPECT_EQ(d.s.group(Ctl::PlotOpts_CR), 3); // the titled chart keeps its options
    EXPECT_EQ(d.said(), Lines{});
    // One line is previewed twice, not with the end line; an untitled chart is reset.
    d.s.setText(Ctl::PlotOpts_PlotTitle, "");
    ASSERT_TRUE(d.paste("42\t7"));
    EXPECT_EQ(d.prompter.previews.back().secondRow, "42\t7");
    EXPECT_EQ(d.s.group(Ctl::PlotOpts_CR), 1);
}

TEST(PasteData, ACancelledOrFailedPasteChangesNothing)
{
    // Each row: the clipboard's text, the answer to the dialog and what the user is told.
    const std::tuple<std::optional<std::string>, bool, const char*> rows[] = {
        {"7\n8\n9\n", false, nullptr},
        {std::nullopt, true, "Clipboard Error: Clipboard Data Not Text!"},
        {"7\r\n\r\n8\r\n", true, "Check Clipboard Data!: Clipboard Error  5"},
        {"1\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21", true,
         "File Error: Unexpected Error 9"},
    };
    for (const auto& [text, accept, said] : rows) {
        SCOPED_TRACE(said ? said : "Cancel");
        Document d;
        ASSERT_TRUE(d.paste("1\n2\n3\n"));
        d.prompter.openAnswers.push_back(d.files.write("over.csv", "4\n5\n6\n"));
        ASSERT_TRUE(d.document.inputOverlayData()); // clears the paste mode
        d.prompter.messages.clear();
        EXPECT_FALSE(d.paste(text, {.accept = accept}));
        EXPECT_EQ(d.said(), said ? Lines{said} : Lines{});
        EXPECT_EQ(d.session.set(1).values, (Values{1, 2, 3}));
        EXPECT_TRUE(d.session.sources.overlayLoaded);
        EXPECT_FALSE(d.session.sources.pasteMode);
        EXPECT_EQ(d.session.sources.pasteBuffer, (Lines{"1", "2", "3", "END OF PASTE"}));
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
