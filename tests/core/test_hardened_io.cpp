// Reading and saving at the edges the fuzz targets found: answers to the Data
// File Parameters dialog that no data line fits, and texts that end in a comma.
#include "core/document/ChartDocument.h"
#include "core/io/ProjectFile.h"
#include "core/model/ScriptedPrompter.h"
#include "core/plot/ChartLayout.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace qv
