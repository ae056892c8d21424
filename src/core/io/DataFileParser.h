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

// Splits a line at commas, blanks and tabs into fields and returns their count:
// 0 for an empty line, -1 for a line with a foreign character (skipped whatever
// its length). A line of numbers with more than 20 fields raises QvError 9.
int splitDataLine(std::string_view line, LineFields& fields);

// Sorts the first `count` points of `set` ascending by value. The sort is stable
// and the uncertainty and the state of each point move with its value, so a
// reordered or hand-edited project file never pairs a state with the wrong value.
void sortSet(DataSet& set, int count);

// The items of a labels row: comma- or tab-separated, quotes allowed, surrounding
// blanks dropped.
std::vector<std::string> splitLabelsRow(std::string_view line);

// What the Data File Parameters dialog shows and proposes for a file's lines.
struct DataFilePrefill
{
    std::string firstRow;  // line 1, trimmed of blanks
    std::string secondRow; // line 2, trimmed of blanks
    bool labels = false;   // line 1 does not start like a number
    int fieldCount = 0;    // splitDataLine's count of line 2 (-1 foreign, 0 empty)
};

// The prefill, or the error code of the first failure: 62 for fewer than two
// lines, 5 for an empty first line (nothing to test for labels), 9 for a second
// line of more than 20 numbers.
struct PrefillResult
{
    std::optional<DataFilePrefill> prefill;
    int errorCode = 0;
};
PrefillResult prefillFromLines(const std::vector<std::string_view>& lines);

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
};

struct ParsedData
{
    // The points in file order (not yet sorted); columnCount, valueColumn and,
    // with uncertainties, sigmaColumn as the layout gave them.
    DataSet set;
    // The label of the value column from the labels row (empty without one).
    std::string label;
};

// The data set read from `lines` by `layout`, or the error code of the failure:
// 9 for a data line of more than 20 numbers, for a value or uncertainty column
// outside the fields of a data line and for more than MaxPoints points. Every
// point is enabled. Reading stops at the end of the lines, at a line
// "FORMATTING" or "END OF PASTE", at an empty line and at the first line whose
// field count differs from columnCount; a foreign line (-1) is skipped.
struct ParseResult
{
    std::optional<ParsedData> data;
    int errorCode = 0;
};
ParseResult parseDataLines(const std::vector<std::string_view>& lines, const DataLayout& layout);

} // namespace qv
