// The data file reader on the files users have: what R's write.csv and write.csv2
// write, a spreadsheet export with semicolons and decimal commas, gaps and NA, an
// instrument file with a text ID column; the lines it does not read and the
// message that names them; how a data line splits into fields.
#include "core/io/DataFileParser.h"
#include "core/io/TextFile.h"
#include "support/TestLots.h"
#include "support/TestTolerance.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

namespace qv {
namespace {

using test::numbersUpTo;
using Values = std::vector<double>;
using Skips = std::vector<std::pair<int, std::string>>;

TextFile dataFile(const std::string& name)
{
    return TextFile::read(std::string(QV_TEST_DATA_DIR) + "/" + name);
}

Skips skipsOf(const DataSet& set)
{
    Skips skips;
    for (const SkippedLine& line : set.skippedLines.first) {
        skips.emplace_back(line.line, line.reason);
    }
    return skips;
}

double meanOf(const std::vector<double>& v)
{
    return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size());
}

double sdOf(const std::vector<double>& v)
{
    const double mean = meanOf(v);
    double sum = 0.0;
    for (double x : v) {
        sum += (x - mean) * (x - mean);
    }
    return std::sqrt(sum / static_cast<double>(v.size() - 1));
}

DataSet parsed(const std::vector<std::string_view>& lines, const DataLayout& layout)
{
    const ParseResult result = parseDataLines(lines, layout);
    EXPECT_EQ(result.errorCode, 0);
    return result.data ? result.data->set : DataSet{};
}

DataSet parsedText(const std::string& text, const DataLayout& layout)
{
    return parsed(TextFile::splitLines(text), layout);
}

TEST(DataFileReader, SplitsLinesAtLfCrAndCrLfAlikeWithEmptyLinesKept)
{
    using Lines = std::vector<std::string_view>;
    const Lines expected{"8.3", "", "8.6", "x"};
    const std::pair<const char*, Lines> rows[] = {
        {"8.3\n\n8.6\nx\n", expected},   {"8.3\n\n8.6\nx", expected},
        {"8.3\r\n\r\n8.6\r\nx", expected}, {"8.3\r\r8.6\rx\r", expected},
        {"8.3\n\r\n8.6\rx", expected},      {"", Lines{}},
        {"\n", Lines{""}},                 {"\n\n8.3", Lines{"", "", "8.3"}},
    };
    for (const auto& [text, lines] : rows) {
        SCOPED_TRACE(text);
        EXPECT_EQ(TextFile::splitLines(text), lines);
    }
}

TEST(DataFileReader, ReadsRWriteCsvWithItsQuotedHeaderAndRowNamesByColumnName)
{
    // trees[1:12, ] of R 4.2, write.csv(t, "trees_write_csv.csv").
    const TextFile file = dataFile("r_write_csv_trees.csv");
    const PrefillResult prefill = prefillFromLines(file.lines());
    ASSERT_TRUE(prefill.prefill);
    EXPECT_TRUE(prefill.prefill->labels);
    EXPECT_FALSE(prefill.prefill->decimalComma);
    EXPECT_EQ(prefill.prefill->fieldCount, 4);
    EXPECT_EQ(prefill.prefill->names, (std::vector<std::string>{"", "Girth", "Height", "Volume"}));
    EXPECT_EQ(columnOfName(prefill.prefill->names, "Volume"), 4);

    DataLayout layout{.columnCount = 4, .labelsRow = LabelsRow::Items};
    layout.valueColumn = columnOfName(prefill.prefill->names, "Girth");
    const ParseResult result = parseDataLines(file.lines(), layout);
    ASSERT_TRUE(result.data);
    EXPECT_EQ(result.data->label, "Girth");
    const DataSet& girth = result.data->set;
    EXPECT_EQ(girth.pointCount, 12);
    EXPECT_EQ(girth.skippedLines.count, 0);
    // R: mean(t$Girth) 10.391666666666667, sd(t$Girth) 1.1333444740985401.
    EXPECT_PRINTED(meanOf(girth.values), "10.3916666666667");
    EXPECT_PRINTED(sdOf(girth.values), "1.133344474099");

    layout.valueColumn = 4;
    const DataSet volume = parsed(file.lines(), layout);
    // R: mean(t$Volume) 17.266666666666666, sd(t$Volume) 4.8342214440069835.
    EXPECT_PRINTED(meanOf(volume.values), "17.266666666667");
    EXPECT_PRINTED(sdOf(volume.values), "4.834221444007");
}

TEST(DataFileReader, ReadsSemicolonFilesWithDecimalCommasAsRAndSpreadsheetsWriteThem)
{
    // write.csv2(trees[1:12, ]): "1";8,3;70;10,3 and so on.
    const TextFile trees = dataFile("r_write_csv2_trees.csv");
    const PrefillResult prefill = prefillFromLines(trees.lines());
    ASSERT_TRUE(prefill.prefill);
    EXPECT_TRUE(prefill.prefill->decimalComma);
    EXPECT_EQ(prefill.prefill->fieldCount, 4);
    EXPECT_EQ(prefill.prefill->names[1], "Girth");
    const DataSet girth = parsed(
        trees.lines(),
        {.columnCount = 4, .valueColumn = 2, .labelsRow = LabelsRow::Items, .decimalComma = true});
    EXPECT_EQ(girth.pointCount, 12);
    EXPECT_PRINTED(meanOf(girth.values), "10.3916666666667");
    EXPECT_PRINTED(sdOf(girth.values), "1.133344474099");

    // A German spreadsheet export (CR LF): an empty cell on line 4, then the
    // sheet's empty row ";;" ends the data without being counted.
    const TextFile sheet = dataFile("spreadsheet_semicolons_decimal_commas.csv");
    const PrefillResult sheetPrefill = prefillFromLines(sheet.lines());
    ASSERT_TRUE(sheetPrefill.prefill);
    EXPECT_TRUE(sheetPrefill.prefill->decimalComma);
    EXPECT_EQ(sheetPrefill.prefill->fieldCount, 3);
    const ParseResult result = parseDataLines(sheet.lines(), {.columnCount = 3,
                                                              .valueColumn = 2,
                                                              .withSigmas = true,
                                                              .sigmaColumn = 3,
                                                              .labelsRow = LabelsRow::Items,
                                                              .decimalComma = true});
    ASSERT_TRUE(result.data);
    EXPECT_EQ(result.data->label, "Durchmesser (mm)");
    const DataSet& set = result.data->set;
    EXPECT_EQ(set.sigmas[0], 0.002);
    EXPECT_EQ(skipsOf(set), (Skips{{4, "missing value"}}));
    // R: v <- na.omit(read.csv2(f)[[2]]): 7 values, mean 12.036428571428571,
    // sd 0.0055933634144147582.
    EXPECT_EQ(set.pointCount, 7);
    EXPECT_PRINTED(meanOf(set.values), "12.036428571429");
    EXPECT_PRINTED(sdOf(set.values), "0.005593363414415");

    // A one-column file of decimal commas has no semicolon to tell: the user's
    // choice reads it.
    const auto oneColumn = TextFile::splitLines("8,3\n8,6\n");
    EXPECT_FALSE(linesUseDecimalComma(oneColumn));
    EXPECT_EQ(parsed(oneColumn, {.columnCount = 1, .decimalComma = true}).values,
              (std::vector<double>{8.3, 8.6}));
    // With a decimal comma a point is not a decimal mark (it may group thousands).
    EXPECT_EQ(skipsOf(parsedText("1.234;5\n", {.columnCount = 2, .decimalComma = true})),
              (Skips{{1, "foreign line"}}));
}

TEST(DataFileReader, SkipsMissingValuesAndForeignLinesAndReadsTextColumnsBeside)
{
    // write.csv(d, row.names = FALSE) of part IDs (one with a comma, one with
    // quotes), diameters and uncertainties with NA.
    const TextFile gaps = dataFile("r_write_csv_diameters_na.csv");
    DataLayout layout{.columnCount = 3, .valueColumn = 2, .labelsRow = LabelsRow::Items};
    const DataSet diameters = parsed(gaps.lines(), layout);
    EXPECT_EQ(skipsOf(diameters), (Skips{{4, "missing value"}, {9, "missing value"}}));
    // R: d$diameter without NA: mean 25.410333333333334, sd 0.0082865352631040726.
    EXPECT_EQ(diameters.pointCount, 6);
    EXPECT_PRINTED(meanOf(diameters.values), "25.410333333333");
    EXPECT_PRINTED(sdOf(diameters.values), "0.008286535263104");
    layout.withSigmas = true;
    layout.sigmaColumn = 3;
    const DataSet both = parsed(gaps.lines(), layout);
    EXPECT_EQ(skipsOf(both),
              (Skips{{4, "missing value"}, {5, "missing value"}, {9, "missing value"}}));
    // R: rows with both present: mean 25.4114, sd 0.0087920418561335655.
    EXPECT_PRINTED(meanOf(both.values), "25.411400000000");
    EXPECT_PRINTED(sdOf(both.values), "0.008792041856134");

    // An instrument file: serial numbers beside the diameters, a comment inside
    // the data, an empty line and the operator's name after it.
    const TextFile instrument = dataFile("instrument_text_ids.csv");
    const PrefillResult prefill = prefillFromLines(instrument.lines());
    ASSERT_TRUE(prefill.prefill);
    EXPECT_EQ(prefill.prefill->fieldCount, 3);
    const DataSet bores = parsed(
        instrument.lines(), {.columnCount = 3, .valueColumn = 2, .labelsRow = LabelsRow::Items});
    EXPECT_EQ(skipsOf(bores), (Skips{{5, "foreign line"}}));
    // R: read.csv(f, comment.char = "#"): 6 diameters, mean 12.003450000000001,
    // sd 0.0005319774431304104.
    EXPECT_EQ(bores.pointCount, 6);
    EXPECT_PRINTED(meanOf(bores.values), "12.003450000000");
    EXPECT_PRINTED(sdOf(bores.values), "0.000531977443130");
}

TEST(DataFileReader, CountsTheLinesAfterTheEndOfTheDataThatWouldHaveBeenPoints)
{
    struct Row
    {
        const char* text;
        DataLayout layout;
        std::vector<double> values;
        Skips skips;
    };
    const Row rows[] = {
        {"1\n2\n\n3\nend of run\n4\n",
         {.columnCount = 1},
         {1, 2},
         {{4, "after the end of the data"}, {6, "after the end of the data"}}},
        {"1,2\n3,4\n5\n6,7\n",
         {.columnCount = 2, .valueColumn = 2},
         {2, 4},
         {{3, "after the end of the data"}, {4, "after the end of the data"}}},
        {"1 ,2\n1,5,2\n", {.columnCount = 3, .valueColumn = 2}, {5}, {{1, "missing value"}}},
        {"x\n1\n12a\n2\nFORMATTING\n3\n",
         {.columnCount = 1, .labelsRow = LabelsRow::Items},
         {1, 2},
         {{3, "foreign line"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const DataSet set = parsedText(row.text, row.layout);
        EXPECT_EQ(set.values, row.values);
        EXPECT_EQ(skipsOf(set), row.skips);
        EXPECT_EQ(set.skippedLines.count, static_cast<int>(row.skips.size()));
    }

    std::string many = "1\n";
    for (int i = 0; i < 15; ++i) {
        many += "NA\n";
    }
    const DataSet set = parsedText(many + "2\n", {.columnCount = 1});
    EXPECT_EQ(set.skippedLines.count, 15);
    ASSERT_EQ(set.skippedLines.first.size(), MaxListedSkippedLines);
    EXPECT_EQ(set.skippedLines.first.back().line, 11);
    EXPECT_EQ(skippedLinesMessage(set.skippedLines),
              "15 lines were not read: line 2 (missing value), line 3 (missing value), line 4 "
              "(missing value), line 5 (missing value), line 6 (missing value) and 10 more.");
    EXPECT_EQ(skippedLinesMessage({}), "");
    EXPECT_EQ(skippedLinesMessage({1, {{7, "foreign line"}}}),
              "1 line was not read: line 7 (foreign line).");
    EXPECT_EQ(
        skippedLinesMessage(
            {3, {{6, "missing value"}, {9, "missing value"}, {12, "after the end of the data"}}}),
        "3 lines were not read: line 6 (missing value), line 9 (missing value), line 12 "
        "(after the end of the data).");
}

TEST(DataFileReader, ReadsALongFileInHalvesAsOneReadingInOrderWould)
{
    // Line i (1-based) holds the value i unless changed; 40000 lines are read in
    // two halves of 20000, so line 20001 is the first of the second half.
    const auto file = [](int count, const std::vector<std::pair<int, std::string>>& changes) {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i) {
            lines.push_back(std::to_string(i));
        }
        for (const auto& [line, text] : changes) {
            lines[static_cast<std::size_t>(line - 1)] = text;
        }
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        return text;
    };
    const auto valuesUpTo = [](int last, std::initializer_list<int> leftOut) {
        Values values;
        for (int i = 1; i <= last; ++i) {
            if (std::find(leftOut.begin(), leftOut.end(), i) == leftOut.end()) {
                values.push_back(i);
            }
        }
        return values;
    };
    const DataLayout one{.columnCount = 1};

    // Lines not read in both halves: counted together, the first five named in order.
    std::vector<std::pair<int, std::string>> gaps = {{3, "NA"}, {7, "x1"}, {20001, "NA"}, {39999, "?"}};
    DataSet set = parsedText(file(40000, gaps), one);
    EXPECT_EQ(set.values, valuesUpTo(40000, {3, 7, 20001, 39999}));
    EXPECT_EQ(set.sourceLines.front(), 1);
    EXPECT_EQ(set.sourceLines.back(), 40000);
    EXPECT_EQ(set.sourceLines[20000 - 2], 20002); // the second half's first point
    EXPECT_EQ(skipsOf(set), (Skips{{3, "missing value"}, {7, "foreign line"}, {20001, "missing value"},
                                   {39999, "foreign line"}}));
    EXPECT_EQ(set.pointCount, 39996);
    EXPECT_EQ(set.enabledCount, 39996);

    // An empty line in the first half ends the data: the second half's numbers are
    // lines after the end, not points.
    set = parsedText(file(40000, {{100, ""}}), one);
    EXPECT_EQ(set.values, valuesUpTo(99, {}));
    EXPECT_EQ(set.skippedLines.count, 40000 - 100);
    EXPECT_EQ(set.skippedLines.first.front().line, 101);
    // ... and one in the second half, there.
    set = parsedText(file(40000, {{30000, ""}}), one);
    EXPECT_EQ(set.values, valuesUpTo(29999, {}));
    EXPECT_EQ(set.skippedLines.count, 10000);
    // The end of a paste in the first half ends everything, one in the second there.
    set = parsedText(file(40000, {{5, "END OF PASTE"}, {20005, "1 2"}}), one);
    EXPECT_EQ(set.values, valuesUpTo(4, {}));
    EXPECT_EQ(set.skippedLines.count, 0);
    set = parsedText(file(40000, {{20005, "END OF PASTE"}}), one);
    EXPECT_EQ(set.values, valuesUpTo(20004, {}));

    // A line of too many fields fails the read where reading in order meets it,
    // and not after the data ended; more points than a set holds fail too.
    std::string fields = "1";
    for (int i = 0; i < 21; ++i) {
        fields += " 1";
    }
    EXPECT_EQ(parseDataLines(TextFile::splitLines(file(40000, {{30000, fields}})), one).errorCode,
              ErrorCode::SubscriptOutOfRange);
    set = parsedText(file(40000, {{100, ""}, {30000, fields}}), one);
    EXPECT_EQ(set.values.size(), 99u);
    const std::string full = file(MaxPoints + 1, {});
    EXPECT_EQ(parseDataLines(TextFile::splitLines(full), one).errorCode,
              ErrorCode::SubscriptOutOfRange);
    set = parsedText(file(MaxPoints + 1, {{MaxPoints - 5, ""}}), one);
    EXPECT_EQ(set.values.size(), static_cast<std::size_t>(MaxPoints - 6));
    set = parsedText(file(MaxPoints + 1, {{60000, "NA"}}), one);
    EXPECT_EQ(set.values.size(), static_cast<std::size_t>(MaxPoints));
}

TEST(DataFileReader, ProposesTheFieldCountOfTheFirstLineThatHoldsNumbers)
{
    const std::pair<const char*, int> rows[] = {
        {"Part,Diameter\n\"P 1\",25.4\n", 2},
        {"Lot 7\nID,Diameter,U\nP-001,25.41,0.01\n", 3},
        {"x\ny\n", 1},
    };
    for (auto [text, count] : rows) {
        SCOPED_TRACE(text);
        const PrefillResult prefill = prefillFromLines(TextFile::splitLines(text));
        ASSERT_TRUE(prefill.prefill);
        EXPECT_EQ(prefill.prefill->fieldCount, count);
    }
    const auto quotedFirst = TextFile::splitLines("\"1\",8.3\n\"2\",8.6\n");
    EXPECT_FALSE(prefillFromLines(quotedFirst).prefill->labels);
}

TEST(DataFileReader, NamesColumnsForThePickerAndFindsThemByName)
{
    EXPECT_EQ(columnPickerText(2, "Girth"), "2 \u00B7 Girth");
    EXPECT_EQ(columnPickerText(1, ""), "1");
    EXPECT_EQ(splitLabelsRow("\"a,b\",\"say \"\"hi\"\"\", c "),
              (std::vector<std::string>{"a,b", "say \"hi\"", "c"}));
    EXPECT_EQ(columnNames("Girth Height Volume", 3, false),
              (std::vector<std::string>{"Girth", "Height", "Volume"}));
    EXPECT_EQ(columnNames("Part ID,Diameter", 2, false),
              (std::vector<std::string>{"Part ID", "Diameter"}));
    EXPECT_EQ(columnNames("\"\";\"Girth\"", 2, true), (std::vector<std::string>{"", "Girth"}));
    const std::vector<std::string> names{"", "Girth", "girth", "Volume"};
    EXPECT_EQ(columnOfName(names, "girth"), 3);
    EXPECT_EQ(columnOfName(names, "VOLUME"), 4);
    EXPECT_EQ(columnOfName(names, "Height"), 0);
    EXPECT_EQ(columnOfName(names, ""), 0);
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


} // namespace
} // namespace qv
