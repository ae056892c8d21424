// Project files: the exact text written with and without an overlay, reopening to the
// same chart with every setting and place, and damaged, short or disagreeing files.
// Saves that fail for real are in FaultInjectionTest.cpp.
#include "ChartHarness.h"
#include "core/io/ProjectFileReader.h"
#include "core/io/ProjectFileWriter.h"
#include "core/io/TextFile.h"
#include "support/TestLots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {
namespace {

using test::Document;
using test::lot;
using test::Lines;
using test::makeSet;
using test::States;
using test::Values;

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

} // namespace
} // namespace qv
