#pragma once
// The one reader of data sets: data files (after the Data File Parameters
// dialog), the point lines of project files, and pasted lines. It fills the set
// named by the session's currentSet, sorts it, resets or keeps the settings, and
// asks for a drawing. It reports its own failures through the Prompter.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Session;
class Prompter;
struct DataSet;

// Fields of one data line, 1-based in the user's numbering (fields[0] is field 1).
struct LineFields
{
    std::array<double, 20> values{};
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

// Reads into session.current(). Returns true when the set was loaded (and a
// drawing requested); false after Cancel or a reported failure, with the set
// unchanged.
bool readDataFile(Session& session, Prompter& prompter);

} // namespace qv
