#include "support/TestTolerance.h"

#include "core/NumberReader.h"
#include "core/document/ChartDocument.h"
#include "core/io/DataFileParser.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "support/FixedPitchMeasurer.h"
#include "support/TempFiles.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <tuple>

namespace qv {
namespace {

using Values = std::vector<double>;
using States = std::vector<std::int16_t>;

// Counts the drawings of the document it views.
struct DrawCounter : DocumentView
{
    int draws = 0;
    void chartDrawn() override { ++draws; }
};

struct Loader
{
    ScriptedPrompter prompter;
    test::FixedPitchMeasurer measurer;
    ChartDocument document{prompter, measurer};
    Session& session = document.session();
    test::TempFiles files;
    Settings& s = session.settings;
    DrawCounter view;
    const int& draws = view.draws;

    Loader()
    {
        document.startUp(designLayout(12000, 9000), {"Arial", "DejaVu Sans"});
        document.setView(&view);
    }
    // Opens `content` as a data file through the Open command.
    bool open(const std::string& content, DataFileAnswers answers = {},
              const std::string& name = "lot.csv")
    {
        prompter.openAnswers.push_back(files.write(name, content));
        prompter.dataFileAnswers.push_back(answers);
        return document.openFile();
    }
    const DataSet& set() const { return session.set(1); }
};

// A line of the numbers 1..n separated by commas.
std::string numbersUpTo(int n)
{
    std::string line = "1";
    for (int i = 2; i <= n; ++i) {
        line += "," + std::to_string(i);
    }
    return line + "\n";
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

TEST(NumberReader, ReadsTheLongestLeadingNumber)
{
    const std::pair<const char*, double> rows[] = {
        {"12.5", 12.5}, {"  -3", -3}, {"+4", 4},       {"1.5e3", 1500}, {"1.5E+3", 1500},
        {"2e-2", 0.02}, {"7e", 7},    {"7e+", 7},      {".5", 0.5},     {"5.", 5},
        {"1.2.3", 1.2}, {"abc", 0},   {"", 0},         {"-", 0},        {"12a", 12},
        {"1,5", 1},     {"3 4", 3},   {"1e-400", 0},
    };
    for (auto [text, value] : rows) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(readNumber(text), value);
    }
    EXPECT_QV_ERROR(readNumber("1e400"), ErrorCode::Overflow);
}

TEST(NumberReader, ReadsHugeExponentsAsOverflowAndTinyOnesAsZero)
{
    const std::pair<const char*, bool> rows[] = {
        {"1e9223372036854775807", true},
        {"1e99999999999999999999999", true},
        {"0.001e9223372036854775807", true},
        {"-5.e400", true},
        {"1e-9223372036854775808", false},
        {"1e-99999999999999999999999", false},
        {"5.e-400", false},
        {"0e99999999999999999999999", false},
        {"123456789e-9223372036854775800", false},
    };
    for (auto [text, overflows] : rows) {
        SCOPED_TRACE(text);
        if (overflows) {
            EXPECT_QV_ERROR(readNumber(text), ErrorCode::Overflow);
        } else {
            EXPECT_EQ(readNumber(text), 0.0);
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
    const auto upTo = [](int n) {
        std::string line = numbersUpTo(n);
        line.pop_back(); // the line end
        return line;
    };
    LineFields f;
    ASSERT_EQ(splitDataLine(upTo(20), f), 20);
    EXPECT_EQ(f.values[19], 20.0);
    ASSERT_EQ(splitDataLine("7,8", f), 2);
    EXPECT_EQ(Values(f.values.begin(), f.values.end()),
              Values({7, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Each row: a line and the error it raises (0: none, the line is foreign).
    const std::pair<std::string, int> rows[] = {
        {upTo(21), ErrorCode::SubscriptOutOfRange},
        {upTo(20) + ",", ErrorCode::SubscriptOutOfRange},
        {"1e999," + upTo(25), ErrorCode::Overflow},
        {upTo(20) + ",1e999", ErrorCode::SubscriptOutOfRange},
        {upTo(30) + ",x", 0},
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
        const std::vector<std::string_view> expected = TextFile::splitLines(content);
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

TEST(DataFileReader, DetectsLabelsAndTakesTheChosenColumn)
{
    Loader l;
    ASSERT_TRUE(l.open("x,y\r\n1,2\r\n3,4\r\n", {.valueColumn = 2}));
    EXPECT_EQ(l.s.check(Ctl::FileChar_Labels), 1);
    EXPECT_EQ(l.s.text(Ctl::FileChar_Ncol), "2");
    EXPECT_EQ(l.s.text(Ctl::PlotOpts_YAxisLabel), "y");
    EXPECT_EQ(l.set().values, (Values{2, 4}));
    EXPECT_EQ(l.draws, 1);
    Loader tabs;
    ASSERT_TRUE(tabs.open("Run\tThickness\n1\t10.5\n2\t9.5\n", {.valueColumn = 2}, "lot.txt"));
    EXPECT_EQ(tabs.s.text(Ctl::PlotOpts_YAxisLabel), "Thickness");
    EXPECT_EQ(tabs.set().values, (Values{9.5, 10.5}));
}

TEST(DataFileReader, ReadsEveryLineEnding)
{
    for (const char* content : {"3\r\n1\r\n2\r\n", "3\n1\n2\n", "3\r1\r2", "3\n1\n2"}) {
        SCOPED_TRACE(content);
        Loader l;
        ASSERT_TRUE(l.open(content));
        EXPECT_EQ(l.set().values, (Values{1, 2, 3}));
        EXPECT_EQ(l.set().states, (States{1, 1, 1}));
    }
}

TEST(DataFileReader, SkipsForeignLinesOfAnyLengthAndStopsAtAnEmptyLine)
{
    Loader l;
    ASSERT_TRUE(l.open("5\n4\n12a\n# a comment longer than twenty fields: a b c d e f g h i j k l m"
                       " n o p q r s t u\n3\n\n2\n1\n"));
    EXPECT_EQ(l.set().values, (Values{3, 4, 5}));
    EXPECT_EQ(l.set().enabledCount, 3);
    // A shorter line stops the data as well.
    Loader fewer;
    ASSERT_TRUE(fewer.open("1,2\n3,4\n5\n6,7\n"));
    EXPECT_EQ(fewer.set().values, (Values{1, 3}));
}

TEST(DataFileReader, CarriesUncertaintiesAndStatesThroughTheStableSort)
{
    Loader l;
    ASSERT_TRUE(l.open("3,0.3\n1,0.1\n2,0.2\n", {.sigmaColumn = 2}));
    EXPECT_EQ(l.set().values, (Values{1, 2, 3}));
    EXPECT_EQ(l.set().sigmas, (Values{0.1, 0.2, 0.3}));
    EXPECT_TRUE(l.s.enabled(Ctl::PlotOpts_ErrorBars));

    // A hand-edited project file out of order keeps each state with its value.
    Loader p;
    ASSERT_TRUE(p.open("5,0.5,0\n1,0.1,3\n3,0.3,1\nFORMATTING\n", {}, "chart.qvw"));
    EXPECT_EQ(p.prompter.dataFileDialogs, 0);
    EXPECT_EQ(p.set().sigmas, (Values{0.1, 0.3, 0.5}));
    EXPECT_EQ(p.set().states, (States{3, 1, 0}));
    EXPECT_EQ(p.set().enabledCount, 2);

    // Equal values keep their file order, however many share a value.
    DataSet ties;
    for (std::int16_t line = 0; line < 20; ++line) {
        ties.values.push_back(line % 2 == 0 ? 2 : 1);
        ties.sigmas.push_back(line);
        ties.states.push_back(line);
    }
    ties.pointCount = 20;
    sortSet(ties, 20);
    for (int i = 0; i < 20; ++i) {
        const int line = i < 10 ? 2 * i + 1 : 2 * (i - 10); // the odd lines hold the 1s
        EXPECT_EQ(ties.states[static_cast<std::size_t>(i)], line) << i;
        EXPECT_EQ(ties.sigmas[static_cast<std::size_t>(i)], line) << i;
    }
}

TEST(DataFileReader, LoadsOneHundredThousandLines)
{
    Loader l;
    ASSERT_TRUE(l.open(numberLines(MaxPoints)));
    EXPECT_EQ(l.set().pointCount, MaxPoints);
    EXPECT_TRUE(std::is_sorted(l.set().values.begin(), l.set().values.end()));
}

TEST(DataFileReader, ReportsFailuresAsFileErrorsAndCancelsSilentlyKeepingTheSet)
{
    Loader l;
    ASSERT_TRUE(l.open(numbersUpTo(20) + numbersUpTo(20), {.valueColumn = 20}));
    EXPECT_EQ(l.set().values, (Values{20, 20}));
    l.s.setCheck(Ctl::PlotOpts_TestStatistic, 1);
    const std::string title = l.session.windowTitle;

    const std::tuple<const char*, std::string, DataFileAnswers, const char*> rows[] = {
        {"21 fields", numbersUpTo(20) + numbersUpTo(21), {}, "Unexpected Error 9"},
        {"100001 lines", numberLines(MaxPoints + 1), {}, "Unexpected Error 9"},
        {"empty first line", "\n1\n", {}, "Unexpected Error 5"},
        {"empty file", "", {}, "Unexpected Error 62"},
        {"Cancel in the parameters dialog", "1\n2\n3\n", {.accept = false}, nullptr},
    };
    for (const auto& [what, content, answers, text] : rows) {
        SCOPED_TRACE(what);
        l.prompter.messages.clear();
        l.prompter.dataFileAnswers.clear(); // a failure may come before the dialog
        EXPECT_FALSE(l.open(content, answers));
        const auto& messages = l.prompter.messages;
        ASSERT_EQ(messages.size(), text ? 1u : 0u);
        if (text) {
            EXPECT_EQ(messages[0].text, text);
            EXPECT_EQ(messages[0].title, "File Error");
            EXPECT_EQ(messages[0].icon, MessageIcon::Warning);
        }
        EXPECT_EQ(l.set().values, (Values{20, 20}));
        EXPECT_EQ(l.s.check(Ctl::PlotOpts_TestStatistic), 1);
        EXPECT_EQ(l.session.windowTitle, title);
        EXPECT_EQ(l.draws, 1);
    }
    l.prompter.messages.clear();
    l.prompter.openAnswers.push_back(l.files.path("missing.csv"));
    EXPECT_FALSE(l.document.openFile());
    EXPECT_EQ(l.prompter.messages.at(0).text, "File Error 53 Try Again");
    // A folder is a path access error, which is not reported.
    l.prompter.messages.clear();
    l.prompter.openAnswers.push_back(l.files.path(""));
    EXPECT_FALSE(l.document.openFile());
    EXPECT_TRUE(l.prompter.messages.empty());
}

TEST(DataFileReader, ThirtyPointsForceTheGaussianScale)
{
    for (int n : {29, 30}) {
        SCOPED_TRACE(n);
        Loader l;
        l.s.selectButton(Ctl::PlotOpts_Tdist);
        ASSERT_TRUE(l.open(numberLines(n)));
        EXPECT_EQ(l.s.enabled(Ctl::PlotOpts_Tdist), n < 30);
        EXPECT_TRUE(l.s.selected(Ctl::PlotOpts_NormalDist));
    }
}

} // namespace
} // namespace qv
