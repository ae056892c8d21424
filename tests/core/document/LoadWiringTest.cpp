// What a load of a real file shape shows the user: the lines it skipped, the
// decimal comma it found, the column names in the pickers, the chart it keeps
// when it fails, and texts that cannot mislead (Ts beside the limit, editor values).
#include "core/ChartHarness.h"
#include "core/document/OptionDialogs.h"
#include "core/document/PointEditor.h"
#include "core/io/TextFile.h"
#include "core/plot/Annotations.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace qv::test {
namespace {

using enum Ctl;

std::string dataFile(const char* name)
{
    return std::string(QV_TEST_DATA_DIR "/") + name;
}

TEST(LoadWiring, ALoadThatSkippedLinesSaysWhichInOneMessage)
{
    Document d;
    ASSERT_TRUE(
        d.open(dataFile("r_write_csv_diameters_na.csv"), {.valueColumn = 2, .sigmaColumn = 3}));
    ASSERT_EQ(d.prompter.messages.size(), 1u);
    const RecordedMessage& m = d.prompter.messages[0];
    EXPECT_EQ(m.title, "Lines Not Read");
    EXPECT_EQ(m.icon, MessageIcon::Exclamation);
    EXPECT_EQ(m.text, "3 lines were not read: line 4 (missing value), line 5 (missing value), "
                      "line 9 (missing value).");
    EXPECT_EQ(d.session.set(1).pointCount, 5);

    // Pasted lines are counted in the pasted lines' numbering.
    d.prompter.messages.clear();
    ASSERT_TRUE(d.paste(std::string("12.1\n12.2\nNA\n12.3\n"), {.labels = false}));
    EXPECT_EQ(d.said(), (Lines{"Lines Not Read: 1 line was not read: line 3 (missing value)."}));

    // A file whose every line is read says nothing.
    d.prompter.messages.clear();
    ASSERT_TRUE(d.open(dataFile("r_write_csv_trees.csv"), {.valueColumn = 2}));
    EXPECT_TRUE(d.said().empty());
}

TEST(LoadWiring, TheDialogProposesTheDecimalCommaAndTheColumnNamesTheFileShows)
{
    Document d;
    ASSERT_TRUE(d.open(dataFile("r_write_csv2_trees.csv"), {.valueColumn = 2}));
    EXPECT_EQ(d.s.check(FileChar_DecimalComma), 1);
    EXPECT_EQ(d.s.items(FileChar_ColN),
              (Lines{"1", "2 \u00B7 Girth", "3 \u00B7 Height", "4 \u00B7 Volume"}));
    EXPECT_EQ(d.s.text(FileChar_ColN), "2");
    EXPECT_EQ(d.s.text(FileChar_Ncol), "4");
    // R: mean(trees$Girth[1:12]) 10.391666666666667; the first value read whole.
    EXPECT_EQ(d.session.set(1).values.front(), 8.3);
    EXPECT_EQ(d.s.text(PlotOpts_YAxisLabel), "Girth");

    // A point file is read with a point whatever the last file was; the user's
    // choice reads a one-column file of decimal commas.
    ASSERT_TRUE(d.open(dataFile("r_write_csv_trees.csv"), {.valueColumn = 2}));
    EXPECT_EQ(d.s.check(FileChar_DecimalComma), 0);
    EXPECT_EQ(d.session.set(1).values.front(), 8.3);
    ASSERT_TRUE(d.openText("one.csv", "8,3\n8,6\n", {.decimalComma = true}));
    EXPECT_EQ(d.session.set(1).values, (Values{8.3, 8.6}));

    // A second line that is no data line proposes no negative field count.
    d.prompter.dataFileAnswers.push_back({.accept = false});
    d.prompter.openAnswers.push_back(d.files.write("odd.csv", "a\n\"x\ny\n"));
    d.document.openFile();
    EXPECT_GE(d.s.number(FileChar_Ncol), 0);
}

TEST(LoadWiring, AFailedLoadLeavesTheSetsTheTitleAndTheChartAsTheyWere)
{
    Document d;
    ASSERT_TRUE(d.open(dataFile("r_write_csv_trees.csv"), {.valueColumn = 2}));
    const Values values = d.session.set(1).values;
    const std::string title = d.session.window.windowTitle;
    const std::optional<std::string> box = d.document.plot().results().sets[0].statsBox;
    const std::size_t primitives = d.document.scene().primitives.size();
    ASSERT_TRUE(box);
    ASSERT_GT(primitives, 0u);

    struct Row
    {
        const char* name;
        std::string content;
    };
    const Row failures[] = {
        {"one line", "12.5\n"},
        {"twenty-one numbers", "1\n" + std::string("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,"
                                                   "17,18,19,20,21\n")},
        {"a broken project", "not a project\n"},
    };
    for (const Row& row : failures) {
        SCOPED_TRACE(row.name);
        d.prompter.messages.clear();
        const std::string name =
            std::string(row.name) == "a broken project" ? "bad.qvw" : "bad.csv";
        EXPECT_FALSE(d.openText(name, row.content));
        EXPECT_EQ(d.prompter.messages.size(), 1u);
        EXPECT_EQ(d.session.set(1).values, values);
        EXPECT_EQ(d.session.window.windowTitle, title);
        EXPECT_EQ(d.document.plot().results().sets[0].statsBox, box);
        EXPECT_EQ(d.document.scene().primitives.size(), primitives);
        EXPECT_EQ(d.document.lastOutcome(), DrawOutcome::Drawn);
        EXPECT_FALSE(d.session.sources.projectFileFlag);
    }
    // The missing file, too.
    EXPECT_FALSE(d.open(d.files.path("missing.csv")));
    EXPECT_EQ(d.session.set(1).values, values);
    EXPECT_EQ(d.document.scene().primitives.size(), primitives);
}

TEST(LoadWiring, ANumberFieldTakesOnlyWholeNumbersAndKeepsThemWithAPoint)
{
    Settings s;
    s.setFromText(PlotOpts_ULimit, "2,57");
    EXPECT_EQ(s.text(PlotOpts_ULimit), "2.57");
    s.setFromText(AxesOpts_YscaleMax, " 1e3 ");
    EXPECT_EQ(s.text(AxesOpts_YscaleMax), "1e3");
    for (const char* typed : {"12a", "", "1.2.3", "2,5,7", "inf", "1e999"}) {
        SCOPED_TRACE(typed);
        EXPECT_THROW(s.setFromText(PlotOpts_BkgValue, typed), std::invalid_argument);
    }
    // Text settings stay free text.
    s.setFromText(PlotOpts_PlotTitle, "Lot 12a");
    EXPECT_EQ(s.text(PlotOpts_PlotTitle), "Lot 12a");

    // A dialog's OK: the first enabled number field that is no number is named;
    // all pass, each is stored with a point.
    ScriptedPrompter prompter;
    s.setCheck(PlotOpts_LimitLines, 1);
    s.setCheck(PlotOpts_BkgSubtraction, 1);
    s.setText(PlotOpts_ULimit, "10O");
    s.setText(PlotOpts_BkgValue, "0,5");
    EXPECT_EQ(refusedNumberField(s, "PlotOpts", prompter), PlotOpts_ULimit);
    EXPECT_EQ(said(prompter),
              (Lines{"Invalid Number: The Upper Limit must be a number, not \"10O\"."}));
    EXPECT_EQ(s.text(PlotOpts_BkgValue), "0,5");
    s.setText(PlotOpts_ULimit, "100");
    EXPECT_EQ(refusedNumberField(s, "PlotOpts", prompter), std::nullopt);
    EXPECT_EQ(s.text(PlotOpts_BkgValue), "0.5");
    // A disabled field is not the user's to fix.
    s.setCheck(PlotOpts_BkgSubtraction, 0);
    s.setText(PlotOpts_BkgValue, "x");
    EXPECT_EQ(refusedNumberField(s, "PlotOpts", prompter), std::nullopt);
}

TEST(LoadWiring, TsThatRoundsToTheLimitItDiffersFromGetsTheDigitsThatTellThemApart)
{
    SetStatistics stats;
    StatsBoxOptions options;
    options.upperLimit = 101;
    const struct
    {
        double ts;
        const char* shown;
    } rows[] = {
        // At most six digits: 100.99995 still reads as the limit.
        {100.74, "Ts =  100.7  "},    {101.2, "Ts =  101.2  "},   {101, "Ts =  101  "},
        {100.996, "Ts =  100.996  "}, {100.99995, "Ts =  101  "}, {98.7, "Ts =  98.7  "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ts);
        stats.shownTs = row.ts;
        const std::string caption = statsBoxCaption(stats, options, 0);
        EXPECT_NE(caption.find(row.shown), std::string::npos) << caption;
    }

    // The lot of the example: an accepted Ts of 100.74 beside an upper limit of 101.
    Document d;
    ASSERT_TRUE(d.open(QV_EXAMPLES_DIR "/resistor-lot.qvw"));
    const std::string box = d.document.plot().results().sets[0].statsBox.value_or("");
    EXPECT_NE(box.find("\r  Ts =  100.7  "), std::string::npos) << box;
}

TEST(LoadWiring, TheEditorsTellEveryPointApartAndNameItsLine)
{
    for (const auto& [value, text] : std::initializer_list<std::pair<double, const char*>>{
             {1234.5, "1234.5"},
             {0, "0"},
             {-0.001234, "-0.001234"},
             {12.0034, "12.0034"},
             {12.00340000000001, "12.00340000000001"},
             {1e-100, "1e-100"}}) {
        EXPECT_EQ(editorValueText(value), text);
    }

    Document d;
    ASSERT_TRUE(d.open(dataFile("instrument_text_ids.csv"), {.valueColumn = 2}));
    const DataSet& set = d.session.set(1);
    // Sorted by value, each point keeps the line of the file it came from.
    std::vector<std::string> rows;
    for (int i = 0; i < set.pointCount; ++i) {
        rows.push_back(editorValueText(set.values[static_cast<std::size_t>(i)]) + "@" +
                       sourceLineText(set, i));
    }
    const TextFile file = TextFile::read(dataFile("instrument_text_ids.csv"));
    for (const std::string& row : rows) {
        const auto at = row.find('@');
        const auto line = static_cast<std::size_t>(std::stoi(row.substr(at + 1)));
        ASSERT_LE(line, file.lines().size());
        EXPECT_NE(file.lines()[line - 1].find(row.substr(0, at)), std::string_view::npos) << row;
    }
    EXPECT_EQ(sourceLineText(set, set.pointCount), "");
}

TEST(LoadWiring, AFontListThatComesLateIsTakenOnceTheFileIsReadAndChoosesAsAtStartUp)
{
    ScriptedPrompter prompter;
    FixedPitchMeasurer measurer;
    ChartDocument document(prompter, measurer);
    int asked = 0;
    std::size_t pointsWhenAsked = 99;
    document.startUp(designLayout(12000, 9000), ChartDocument::FontSource([&] {
                         ++asked;
                         pointsWhenAsked = document.session().set(1).values.size();
                         return std::vector<std::string>{"Liberation Sans", "DejaVu Sans"};
                     }),
                     "Liberation Sans");
    Settings& s = document.settings();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(s.check(frmPageSetup_chkGraphTitleBold), 1) << "the rest of start-up is done";
    EXPECT_TRUE(document.session().fileDialogs.firstOpen);

    TempFiles files;
    prompter.openAnswers.push_back(files.path("missing.csv"));
    EXPECT_FALSE(document.openFile());
    EXPECT_EQ(asked, 0) << "a file that was never read needs no fonts";

    prompter.openAnswers.push_back(files.write("lot.csv", "10.1\n10.4\n9.8\n"));
    prompter.dataFileAnswers.push_back({});
    ASSERT_TRUE(document.openFile());
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(pointsWhenAsked, 0u) << "asked before the points joined the chart";
    EXPECT_EQ(s.fontList(), (std::vector<std::string>{"DejaVu Sans", "Liberation Sans"}));
    EXPECT_EQ(s.text(frmPageSetup_cboFont), "Liberation Sans") << "Arial's twin, as at start-up";
    EXPECT_EQ(document.session().window.graphFontName, "Liberation Sans");
    document.settleFonts();
    EXPECT_EQ(asked, 1) << "asked once";
}

} // namespace
} // namespace qv::test
