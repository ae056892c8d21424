#include "core/Errors.h"
#include "core/io/DataFileReader.h"
#include "core/io/NumberReader.h"
#include "core/model/FileCommands.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Session.h"
#include "core/model/StartUp.h"
#include "support/TempFiles.h"
#include "core/TestTolerance.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qv {
namespace {

struct Loader
{
    Session session;
    ScriptedPrompter prompter;
    test::TempFiles files;
    int draws = 0;

    Loader()
    {
        startUp(session, {"Arial", "DejaVu Sans"});
        session.drawPlot = [this] { ++draws; };
    }
    // Opens `content` as a data file through the Open command.
    bool open(const std::string& content, DataFileAnswers answers = {},
              const std::string& name = "lot.csv")
    {
        prompter.openAnswers.push_back(files.write(name, content));
        prompter.dataFileAnswers.push_back(answers);
        return openFile(session, prompter);
    }
    const DataSet& set() const { return session.set(1); }
};

TEST(NumberReader, ReadsTheLongestLeadingNumber)
{
    struct Row
    {
        const char* text;
        double value;
    } rows[] = {
        {"12.5", 12.5},  {"  -3", -3},     {"+4", 4},         {"1.5e3", 1500},  {"1.5E+3", 1500},
        {"2e-2", 0.02},  {"7e", 7},        {"7e+", 7},        {".5", 0.5},      {"5.", 5},
        {"1.2.3", 1.2},  {"abc", 0},       {"", 0},           {"-", 0},         {".", 0},
        {"12a", 12},     {"1,5", 1},       {"1e-400", 0},     {"-0", 0},        {"3 4", 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(readNumber(row.text), row.value);
    }
    EXPECT_QV_ERROR(readNumber("1e400"), ErrorCode::Overflow);
}

TEST(SplitDataLine, CountsFieldsAcrossTheThreeSeparators)
{
    struct Row
    {
        const char* line;
        int count;
        std::vector<double> fields;
    } rows[] = {
        {"1,2,3", 3, {1, 2, 3}},
        {"1 2\t3", 3, {1, 2, 3}},
        {"1 ,2", 3, {1, 0, 2}},
        {"  4.5  ", 1, {4.5}},
        {"1,,2", 3, {1, 0, 2}},
        {"1,2,", 3, {1, 2, 0}},
        {"", 0, {}},
        {"   ", 0, {}},
        {"12a", -1, {}},
        {"x,y", -1, {}},
        {"1.5e3\t-2E-1", 2, {1500, -0.2}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        LineFields f;
        ASSERT_EQ(splitDataLine(row.line, f), row.count);
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            EXPECT_DOUBLE_EQ(f.values[i], row.fields[i]);
        }
    }
}

TEST(SplitDataLine, TwentyNumberFieldsFitAndTwentyOneFail)
{
    std::string twenty = "1";
    for (int i = 2; i <= 20; ++i) {
        twenty += "," + std::to_string(i);
    }
    LineFields f;
    EXPECT_EQ(splitDataLine(twenty, f), 20);
    EXPECT_DOUBLE_EQ(f.values[19], 20);
    EXPECT_QV_ERROR(splitDataLine(twenty + ",21", f), ErrorCode::SubscriptOutOfRange);
    // A long comment line is foreign, not too long.
    EXPECT_EQ(splitDataLine("this is a comment line with many many words in it ok", f), -1);
}

TEST(DataFileReader, DetectsLabelsAndTakesTheChosenColumn)
{
    Loader l;
    ASSERT_TRUE(l.open("x,y\r\n1,2\r\n3,4\r\n", {.valueColumn = 2}));
    const Settings& s = l.session.settings;
    EXPECT_EQ(s.check(Ctl::FileChar_Labels), 1);
    EXPECT_EQ(s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(s.fileCharColumnItems(), 2);
    EXPECT_EQ(s.text(Ctl::PlotOpts_YAxisLabel), "y");
    EXPECT_EQ(l.set().values, (std::vector<double>{2, 4}));
    EXPECT_EQ(l.session.firstRow, "x,y");
    EXPECT_EQ(l.session.secondRow, "1,2");
    EXPECT_EQ(l.draws, 1);
    EXPECT_TRUE(l.session.placeBoxesPending);
}

TEST(DataFileReader, ReadsEveryLineEndingAndSeparator)
{
    for (const char* content : {"3\r\n1\r\n2\r\n", "3\n1\n2\n", "3\r1\r2", "3\n1\n2"}) {
        SCOPED_TRACE(content);
        Loader l;
        ASSERT_TRUE(l.open(content));
        EXPECT_EQ(l.set().values, (std::vector<double>{1, 2, 3}));
        EXPECT_EQ(l.set().states, (std::vector<std::int16_t>{1, 1, 1}));
        EXPECT_FALSE(l.session.settings.enabled(Ctl::FileChar_Frame2));
    }
    Loader tabs;
    ASSERT_TRUE(tabs.open("Run\tThickness\n1\t10.5\n2\t9.5\n", {.valueColumn = 2}, "lot.txt"));
    EXPECT_EQ(tabs.set().values, (std::vector<double>{9.5, 10.5}));
    EXPECT_EQ(tabs.session.settings.text(Ctl::PlotOpts_YAxisLabel), "Thickness");
    EXPECT_TRUE(tabs.session.settings.enabled(Ctl::FileChar_Frame2));
}

TEST(DataFileReader, SkipsForeignLinesAndStopsAtAnEmptyLine)
{
    Loader l;
    ASSERT_TRUE(l.open("5\n4\n12a\n# a comment that is longer than twenty fields, a b c d e f g h i j k l m n o p q r s t u\n3\n\n2\n1\n"));
    EXPECT_EQ(l.set().values, (std::vector<double>{3, 4, 5}));
    EXPECT_EQ(l.set().pointCount, 3);
    EXPECT_EQ(l.set().enabledCount, 3);

    Loader fewer;
    ASSERT_TRUE(fewer.open("1,2\n3,4\n5\n6,7\n"));
    EXPECT_EQ(fewer.set().values, (std::vector<double>{1, 3}));
}

TEST(DataFileReader, CarriesUncertaintiesAndStatesThroughTheSort)
{
    Loader l;
    ASSERT_TRUE(l.open("3,0.3\n1,0.1\n2,0.2\n", {.sigmaColumn = 2}));
    EXPECT_EQ(l.set().values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(l.set().sigmas, (std::vector<double>{0.1, 0.2, 0.3}));
    EXPECT_TRUE(l.set().hasSigmas);
    EXPECT_TRUE(l.session.settings.enabled(Ctl::PlotOpts_ErrorBars));

    // A hand-edited project file out of order keeps each state with its value.
    Loader p;
    ASSERT_TRUE(p.open("5,0.5,0\n1,0.1,3\n3,0.3,1\nFORMATTING\n", {}, "chart.qvw"));
    EXPECT_EQ(p.prompter.dataFileDialogs, 0);
    EXPECT_EQ(p.set().values, (std::vector<double>{1, 3, 5}));
    EXPECT_EQ(p.set().sigmas, (std::vector<double>{0.1, 0.3, 0.5}));
    EXPECT_EQ(p.set().states, (std::vector<std::int16_t>{3, 1, 0}));
    EXPECT_EQ(p.set().enabledCount, 2);
    EXPECT_TRUE(p.session.menus.enabled(Menu::NewData));

    DataSet ties;
    ties.values = {2, 1, 2, 1};
    ties.sigmas = {0.4, 0.3, 0.2, 0.1};
    ties.states = {0, 1, 2, 3};
    ties.pointCount = 4;
    sortSet(ties, 4);
    EXPECT_EQ(ties.sigmas, (std::vector<double>{0.3, 0.1, 0.4, 0.2}));
    EXPECT_EQ(ties.states, (std::vector<std::int16_t>{1, 3, 0, 2}));
}

TEST(DataFileReader, LoadsOneHundredThousandLinesAndFailsOnTheNext)
{
    std::ostringstream text;
    for (int i = 0; i < MaxPoints; ++i) {
        text << (i % 977) << ".25\n";
    }
    Loader full;
    ASSERT_TRUE(full.open(text.str()));
    EXPECT_EQ(full.set().pointCount, MaxPoints);
    EXPECT_TRUE(std::is_sorted(full.set().values.begin(), full.set().values.end()));

    Loader over;
    over.open(text.str() + "1\n");
    ASSERT_EQ(over.prompter.messages.size(), 1u);
    EXPECT_EQ(over.prompter.messages[0].text, "Unexpected Error 9");
    EXPECT_EQ(over.prompter.messages[0].title, "File Error");
    EXPECT_EQ(over.set().pointCount, 0);
}

TEST(DataFileReader, ReportsFailuresWithTheirTextsAndKeepsTheSet)
{
    Loader l;
    ASSERT_TRUE(l.open("1\n2\n3\n"));
    const auto before = l.set().values;
    const std::string title = l.session.windowTitle;

    struct Row
    {
        std::string content;
        std::string text;
    } rows[] = {
        {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20\n1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21\n",
         "Unexpected Error 9"},
        {"\n1\n", "Unexpected Error 5"},
        {"", "Unexpected Error 62"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        l.prompter.messages.clear();
        EXPECT_FALSE(l.open(row.content));
        ASSERT_EQ(l.prompter.messages.size(), 1u);
        EXPECT_EQ(l.prompter.messages[0].text, row.text);
        EXPECT_EQ(l.prompter.messages[0].title, "File Error");
        EXPECT_EQ(l.prompter.messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(l.set().values, before);
        EXPECT_EQ(l.session.windowTitle, title);
    }

    l.prompter.messages.clear();
    l.prompter.openAnswers.push_back(l.files.path("missing.csv"));
    EXPECT_FALSE(openFile(l.session, l.prompter));
    ASSERT_EQ(l.prompter.messages.size(), 1u);
    EXPECT_EQ(l.prompter.messages[0].text, "File Error 53 Try Again");

    // A folder is a path access error, which is not reported.
    l.prompter.messages.clear();
    l.prompter.openAnswers.push_back(l.files.path(""));
    EXPECT_FALSE(openFile(l.session, l.prompter));
    EXPECT_TRUE(l.prompter.messages.empty());
    EXPECT_EQ(l.set().values, before);
}

TEST(DataFileReader, CancelInTheParametersDialogChangesNothing)
{
    Loader l;
    ASSERT_TRUE(l.open("1\n2\n", {}, "first.csv"));
    l.session.settings.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    ASSERT_TRUE(l.open("1\n2\n3\n", {.accept = false}, "second.csv") == false);
    EXPECT_EQ(l.set().pointCount, 2);
    EXPECT_EQ(l.session.settings.check(Ctl::PlotOpts_TestStatistic), 1);
    EXPECT_NE(l.session.windowTitle.find("first.csv"), std::string::npos);
    EXPECT_TRUE(l.prompter.messages.empty());
    EXPECT_EQ(l.draws, 1);
}

TEST(DataFileReader, ThirtyPointsForceTheGaussianScale)
{
    for (int n : {29, 30}) {
        SCOPED_TRACE(n);
        std::string text;
        for (int i = 0; i < n; ++i) {
            text += std::to_string(i) + "\n";
        }
        Loader l;
        l.session.settings.selectButton(Ctl::PlotOpts_Tdist);
        ASSERT_TRUE(l.open(text));
        EXPECT_EQ(l.session.settings.enabled(Ctl::PlotOpts_Tdist), n < 30);
        EXPECT_TRUE(l.session.settings.selected(Ctl::PlotOpts_NormalDist));
    }
}

} // namespace
} // namespace qv
