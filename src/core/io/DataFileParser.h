#pragma once
// The data-line parser behind the loads of data files and pasted lines (project
// files have their own reader, ProjectFileReader.h). Pure: lines and a layout in, a data set (or an
// error code) out. Asking the user, the settings and the redraw belong to the
// load command of the chart document.

#include "core/model/DataSet.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Fields of one data line, 1-based in the user's numbering (values[0] is field 1).
struct LineFields
{
    std::array<double, MaxFields> values{};
};

// Splits a project file's point line at commas, blanks and tabs into fields and
// returns their count: 0 for an empty line, -1 for a line with a foreign
// character (skipped whatever its length); an empty field reads as 0. A line of
// numbers with more than 20 fields raises QvError 9. Data files and pasted lines
// are read by parseDataLines, which takes quotes, text fields and gaps.
int splitDataLine(std::string_view line, LineFields& fields);

// Sorts the first `count` points of `set` ascending by value. The sort is stable
// and the uncertainty and the state of each point move with its value, so a
// reordered or hand-edited project file never pairs a state with the wrong value.
void sortSet(DataSet& set, int count);

// The items of a labels row: cut at commas and tabs (at semicolons and tabs with
// a decimal comma), a separator inside double quotes kept in its item ("" inside
// quotes stands for one quote), surrounding blanks dropped.
std::vector<std::string> splitLabelsRow(std::string_view line, bool decimalComma = false);

// The column names of a labels row for lines of `columnCount` fields: its items
// as splitLabelsRow cuts them; a row that gives fewer items than columnCount but
// exactly columnCount when cut at blanks too ("Girth Height Volume") is cut so.
std::vector<std::string> columnNames(std::string_view labelsLine, int columnCount,
                                     bool decimalComma);

// The 1-based column called `name`: the first exact match among `names`, else the
// first that matches when ASCII case is ignored; 0 when no column has that name.
int columnOfName(const std::vector<std::string>& names, std::string_view name);

// What a column picker shows for a column: "2 · Girth" (number, middle dot, name),
// or just "2" for a column without a name.
std::string columnPickerText(int column, std::string_view name);

// Whether the lines are written with a decimal comma, as spreadsheets in
// comma-decimal locales and R's write.csv2 write them: one of the first 100 lines
// cuts at semicolons (outside quotes), blanks and tabs into several fields, one of
// them a number with a comma as its decimal mark or a whole number.
bool linesUseDecimalComma(const std::vector<std::string_view>& lines);

// What the Data File Parameters dialog shows and proposes for a file's lines.
struct DataFilePrefill
{
    std::string firstRow;  // line 1, trimmed of blanks
    std::string secondRow; // line 2, trimmed of blanks
    bool labels = false;   // line 1 does not start like a number (a leading quote looked through)
    // The fields of line 2, or of the first line after it that holds a number
    // when line 2 holds none (a second heading line); 0 only for an empty line 2.
    int fieldCount = 0;
    bool decimalComma = false;      // linesUseDecimalComma of the lines
    std::vector<std::string> names; // columnNames of line 1 when labels, else empty
};

// The prefill, or the error code of the first failure: 62 for fewer than two
// lines, 5 for an empty first line (nothing to test for labels), 9 when the line
// that gives the field count is more than 20 numbers.
struct PrefillResult
{
    std::optional<DataFilePrefill> prefill;
    int errorCode = 0;
};
PrefillResult prefillFromLines(const std::vector<std::string_view>& lines);

// The field count the prefill proposes for `lines` cut with or without a decimal
// comma (0 for fewer than two lines), for a user who overrules the detection.
// Raises QvError 9 as prefillFromLines reports it.
int proposedFieldCount(const std::vector<std::string_view>& lines, bool decimalComma);

// Where a labels row is and how it is cut.
enum class LabelsRow
{
    None,      // line 1 is read like any other line
    Items,     // line 1 holds labels, cut as splitLabelsRow does
    TabFields, // line 1 holds labels, cut at tabs as nthField does (pasted lines)
};

// How the lines of one load are read.
struct DataLayout
{
    int columnCount = 0; // fields a data line must have
    int valueColumn = 1; // 1-based field of the value
    bool withSigmas = false;
    int sigmaColumn = 0; // 1-based field of the uncertainty when withSigmas
    LabelsRow labelsRow = LabelsRow::None;
    // A comma is the decimal mark: fields are cut at semicolons, blanks and tabs.
    bool decimalComma = false;
};

struct ParsedData
{
    // The points in file order (not yet sorted); columnCount, valueColumn and,
    // with uncertainties, sigmaColumn as the layout gave them, and the lines
    // that did not become points.
    DataSet set;
    // The label of the value column from the labels row (empty without one).
    std::string label;
};

// The data set read from `lines` by `layout`, or the error code of the failure:
// 9 for a line of more than 20 numbers, for a value or uncertainty column
// outside the fields of a data line and for more than MaxPoints points; 6 for a
// number beyond a double's range. Every point is enabled.
// A line is cut at commas, blanks and tabs (semicolons, blanks and tabs with a
// decimal comma); a double-quoted field may hold separators. A line of
// columnCount fields is a point when its value (and uncertainty) field is a
// number; other fields may hold text. Lines skipped and counted in
// set.skippedLines: a "missing value" (the value or uncertainty field empty or
// NA), a "foreign line" (that field text, or a line of another field count that
// holds text). The data end at an empty line and at a line of numbers of
// another field count (counted "after the end of the data", as is every later
// line that would have been a point); reading stops at the end of the lines and
// at a line "FORMATTING" or "END OF PASTE". A labels row is not counted.
struct ParseResult
{
    std::optional<ParsedData> data;
    int errorCode = 0;
};
ParseResult parseDataLines(const std::vector<std::string_view>& lines, const DataLayout& layout);

// The message after a load that did not read every line, "" when it did:
// "3 lines were not read: line 6 (missing value), line 9 (missing value), line 12
// (foreign line)." At most five lines are named; "and N more" counts the rest.
std::string skippedLinesMessage(const SkippedLines& skipped);

} // namespace qv
