// Reading, drawing and saving at the edges the fuzz targets found: answers to
// the Data File Parameters dialog that no data line fits, texts that end in a
// comma, and charts near the largest numbers.
#include "core/document/ChartDocument.h"
#include "core/io/ProjectFile.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/ChartLayout.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace qv {
namespace {

struct Window
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    test::TempFiles files;

    Window() { document.startUp(designLayout(12000, 9000), {"Arial", "DejaVu Sans"}); }
    bool open(const std::string& name, const std::string& text, DataFileAnswers answers = {})
    {
        prompter.openAnswers.push_back(files.write(name, text));
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
};

TEST(DataFileParameters, AColumnTheLinesLackIsRefusedAndNoForeignOrEmptyLineBecomesAPoint)
{
    const struct
    {
        const char* name;
        std::string text;
        DataFileAnswers answers; // empty: OK on the proposal
        std::vector<std::string> said;
        std::vector<double> values; // of the main set afterwards
    } rows[] = {
        {"a value column beyond the fields",
         "1,10\n2,20\n3,30\n",
         {.columns = 2, .valueColumn = 3},
         {"File Error: Unexpected Error 9"},
         {7, 8}},
        {"an uncertainty column beyond the fields",
         "1,10\n2,20\n",
         {.columns = 2, .valueColumn = 1, .sigmaColumn = 4},
         {"File Error: Unexpected Error 9"},
         {7, 8}},
        // A second line of text proposes -1 fields; a blank one 0.
        {"foreign lines under -1 fields", "Lot\nx\ny\n5\n6\n", {}, {}, {}},
        {"empty lines under 0 fields", "Lot\n\n\n5\n", {}, {}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        ASSERT_TRUE(w.open("previous.csv", "7\n8\n"));
        w.prompter.messages.clear();
        w.open("lot.csv", row.text, row.answers);
        std::vector<std::string> said;
        for (const RecordedMessage& m : w.prompter.messages) {
            if (m.title != "Graphing Error") { // a set without points cannot be drawn
                said.push_back(m.title + ": " + m.text);
            }
        }
        EXPECT_EQ(said, row.said);
        EXPECT_EQ(w.document.session().set(1).values, row.values);
    }
}

TEST(ProjectFile, ATextEndingInACommaReopensWithItAndOnlyOuterBlanksAreLost)
{
    const struct
    {
        const char* typed;
        const char* reopened;
    } rows[] = {
        {"Lot 7,", "Lot 7,"}, {"Lot 7, ", "Lot 7, "}, {"a,,", "a,,"},
        {" Lot 7 ", "Lot 7"}, {"x\r\ny", "x y"},      {",", ","},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        Settings saved;
        saved.setText(Ctl::PlotOpts_PlotTitle, row.typed);
        std::vector<std::string> lines{"1,1"};
        for (std::string& line : settingsBlockLines(saved, false, {})) {
            lines.push_back(std::move(line));
        }
        const std::vector<std::string_view> block(lines.begin(), lines.end());
        Settings reopened;
        SavedPositions positions{};
        EXPECT_EQ(readSettingsBlock(reopened, block, positions).errorCode, 0);
        EXPECT_EQ(reopened.text(Ctl::PlotOpts_PlotTitle), row.reopened);
    }
}

// The example project with some of its settings lines (1 to 82) replaced.
std::string exampleProject(std::initializer_list<std::pair<int, const char*>> settings)
{
    std::ostringstream in;
    in << std::ifstream(QV_EXAMPLES_DIR "/resistor-lot.qvw", std::ios::binary).rdbuf();
    std::vector<std::string> lines;
    std::istringstream split(in.str());
    for (std::string line; std::getline(split, line);) {
        lines.push_back(line); // each keeps its carriage return
    }
    const auto counts = static_cast<std::size_t>(
        std::find(lines.begin(), lines.end(), "FORMATTING\r") - lines.begin() + 1);
    for (const auto& [number, text] : settings) {
        lines.at(counts + static_cast<std::size_t>(number)) = std::string(text) + "\r";
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(ProjectFile, AChartNearTheLargestNumbersGivesEveryTextAPlaceOrFailsWithSix)
{
    const struct
    {
        const char* name;
        std::string project;
        const char* said; // the drawing's message, empty for none
    } rows[] = {
        {"an upper limit of 1e308 on the automatic scale",
         exampleProject({{9, " 1 "}, {10, "1e308"}, {32, "True"}, {33, "False"}}), ""},
        {"a manual scale taller than the largest number",
         exampleProject({{29, "-1e308"}, {30, "1e308"}, {31, "1e307"}}),
         "Graphing Error: Unexpected Error 6"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        w.open("lot.qvw", row.project);
        std::string said;
        for (const RecordedMessage& m : w.prompter.messages) {
            said += m.title + ": " + m.text;
        }
        EXPECT_EQ(said, row.said);
        const Scene& scene = w.document.scene();
        const auto onWindow = [&](double left, double top) {
            return left >= 0 && left <= scene.windowWidth && top >= 0 && top <= scene.windowHeight;
        };
        // A label of 309 digits may stick out of the window, but it has a place.
        for (const WindowText& text : scene.windowTexts) {
            EXPECT_TRUE(std::isfinite(text.left) && onWindow(0, text.top))
                << text.text << " at " << text.top;
        }
        const Placements& p = w.document.session().placements;
        EXPECT_TRUE(onWindow(p.statsBox.left, p.statsBox.top)) << p.statsBox.top;
        EXPECT_TRUE(onWindow(p.plotText.left, p.plotText.top)) << p.plotText.top;
    }
}

} // namespace
} // namespace qv
