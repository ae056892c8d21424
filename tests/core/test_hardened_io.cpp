// Reading, drawing and saving at the edges the fuzz targets found: answers to
// the Data File Parameters dialog that no data line fits, texts that end in a
// comma and charts near the largest numbers; then every seed of the fuzz
// corpora and every input that once broke a target (tests/data/fuzz/<target>/),
// fed through the same entry points as the fuzz targets.
#include "ChartHarness.h"
#include "FuzzEntries.h"
#include "core/io/ProjectFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <tuple>

namespace qv {
namespace {

using Window = test::Document;

TEST(DataFileParameters, AColumnTheLinesLackIsRefusedAndNoForeignOrEmptyLineBecomesAPoint)
{
    // Each row: the file, the dialog's answers (none: OK on the proposal), what the user
    // is told and the main set's values afterwards.
    // clang-format off
    const struct { const char* name; std::string text; DataFileAnswers answers; test::Lines said;
                   test::Values values; } rows[] = {
        {"a value column beyond the fields", "1,10\n2,20\n3,30\n", {.columns = 2, .valueColumn = 3},
         {"File Error: Unexpected Error 9"}, {7, 8}},
        {"an uncertainty column beyond the fields", "1,10\n2,20\n",
         {.columns = 2, .valueColumn = 1, .sigmaColumn = 4}, {"File Error: Unexpected Error 9"}, {7, 8}},
        // A second line of text proposes -1 fields; a blank one 0.
        {"foreign lines under -1 fields", "Lot\nx\ny\n5\n6\n", {}, {}, {}},
        {"empty lines under 0 fields", "Lot\n\n\n5\n", {}, {}, {}},
    };
    // clang-format on
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Window w;
        ASSERT_TRUE(w.openText("previous.csv", "7\n8\n"));
        w.prompter.messages.clear();
        w.openText("lot.csv", row.text, row.answers);
        test::Lines said = w.said();
        std::erase_if(said, [](const std::string& m) { // a set without points cannot be drawn
            return m.starts_with("Graphing Error: ");
        });
        EXPECT_EQ(said, row.said);
        EXPECT_EQ(w.session.set(1).values, row.values);
    }
}

TEST(ProjectFile, ATextEndingInACommaReopensWithItAndOnlyOuterBlanksAreLost)
{
    const std::pair<const char*, const char*> rows[] = {
        {"Lot 7,", "Lot 7,"}, {"Lot 7, ", "Lot 7, "}, {"a,,", "a,,"},
        {" Lot 7 ", "Lot 7"}, {"x\r\ny", "x y"},      {",", ","},
    };
    for (const auto& [typed, expected] : rows) {
        SCOPED_TRACE(typed);
        Settings saved;
        saved.setText(Ctl::PlotOpts_PlotTitle, typed);
        std::vector<std::string> lines{"1,1"};
        for (std::string& line : settingsBlockLines(saved, false, {})) {
            lines.push_back(std::move(line));
        }
        const std::vector<std::string_view> block(lines.begin(), lines.end());
        Settings reopened;
        SavedPositions positions{};
        EXPECT_EQ(readSettingsBlock(reopened, block, positions).errorCode, 0);
        EXPECT_EQ(reopened.text(Ctl::PlotOpts_PlotTitle), expected);
    }
}

// The example project with some of its settings lines (1 to 82) replaced.
std::string exampleProject(std::initializer_list<std::pair<int, const char*>> settings)
{
    std::istringstream split(test::fileBytes(QV_EXAMPLES_DIR "/resistor-lot.qvw"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(split, line);) {
        lines.push_back(line); // each keeps its carriage return
    }
    const auto counts = std::ranges::find(lines, "FORMATTING\r") - lines.begin() + 1;
    for (const auto& [number, text] : settings) {
        lines.at(static_cast<std::size_t>(counts + number)) = std::string(text) + "\r";
    }
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\n";
    }
    return text;
}

TEST(ProjectFile, AChartNearTheLargestNumbersGivesEveryTextAPlaceOrFailsWithSix)
{
    // Each row: the project and the drawing's message ("": none).
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"an upper limit of 1e308 on the automatic scale",
         exampleProject({{9, " 1 "}, {10, "1e308"}, {32, "True"}, {33, "False"}}), ""},
        {"a manual scale taller than the largest number",
         exampleProject({{29, "-1e308"}, {30, "1e308"}, {31, "1e307"}}),
         "Graphing Error: Unexpected Error 6"},
    };
    for (const auto& [name, project, said] : rows) {
        SCOPED_TRACE(name);
        Window w;
        w.openText("lot.qvw", project);
        EXPECT_EQ(w.said(), *said ? test::Lines{said} : test::Lines{});
        const Scene& scene = w.document.scene();
        const auto onWindow = [&](double left, double top) {
            return left >= 0 && left <= scene.windowWidth && top >= 0 && top <= scene.windowHeight;
        };
        // A label of 309 digits may stick out of the window, but it has a place.
        for (const WindowText& text : scene.windowTexts) {
            EXPECT_TRUE(std::isfinite(text.left) && onWindow(0, text.top))
                << text.text << " at " << text.top;
        }
        const Placements& p = w.session.placements;
        EXPECT_TRUE(onWindow(p.statsBox.left, p.statsBox.top)) << p.statsBox.top;
        EXPECT_TRUE(onWindow(p.plotText.left, p.plotText.top)) << p.plotText.top;
    }
}

namespace fs = std::filesystem;

TEST(FuzzInputs, EverySeedAndEveryFoundInputKeepsTheRulesOfItsTarget)
{
    int inputs = 0;
    for (const fuzz::NamedEntry& target : fuzz::entries()) {
        for (const fs::path& folder : {fs::path(QV_FUZZ_DIR) / "corpus" / target.name,
                                       fs::path(QV_TEST_DATA_DIR) / "fuzz" / target.name}) {
            if (!fs::is_directory(folder)) {
                continue;
            }
            for (const auto& file : fs::directory_iterator(folder)) {
                SCOPED_TRACE(file.path().string());
                try {
                    target.entry(test::fileBytes(file.path().string()));
                } catch (const std::exception& e) {
                    ADD_FAILURE() << e.what();
                }
                ++inputs;
            }
        }
    }
    EXPECT_GE(inputs, 50);
}

} // namespace
} // namespace qv
