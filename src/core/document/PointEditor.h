#pragma once
// The rules of the two data editors: which bit of a point's state a click
// flips, how a row of the grid reads ("x 7" for a marked point, values as
// "1.23E+03"), and the captions, tips and failure messages of each editor.
// Qt-free; the editor windows are views on these rules.

#include "core/model/DataSet.h"

#include <cstdint>
#include <exception>
#include <string>

namespace qv {

enum class EditorKind
{
    EnableDisable, // flips the enabled bit and keeps the set's enabledCount in step
    Hilite,        // flips the hilited bit; enabledCount stays as it is
};

// The object names and texts of one editor window.
struct EditorTexts
{
    const char* formName;         // the window
    const char* caption;          // its title
    const char* mainGridName;     // the grid of the main set
    const char* overlayGridName;  // the grid of the overlay set
    const char* mainLabelName;    // "MAIN DATA" above the main grid
    const char* overlayLabelName; // "OVERLAY DATA" above the overlay grid
    const char* instruction;      // the bold line across the top
    const char* gridTip;
    const char* okTip;
    const char* cancelName;
    const char* cancelTip;
    // A grid that cannot be built: the title and the text for each cause.
    const char* failureTitle;
    const char* outOfMemoryText;
    const char* tooMuchDataText;
    const char* otherFailureText;
};

const EditorTexts& editorTexts(EditorKind kind);

inline constexpr const char* MainDataCaption = "MAIN DATA";
inline constexpr const char* OverlayDataCaption = "OVERLAY DATA";
inline constexpr const char* InstructionLabelName = "Label2";
// The column headings of both grids.
inline constexpr const char* NumberHeading = "No.";
inline constexpr const char* DataHeading = "Data";
inline constexpr const char* SigmaHeading = "Sigma";
inline constexpr const char* LineHeading = "Line";
// What the value and sigma columns are sized for (the longest shortest text of a
// double, with a trailing blank), and the line column.
inline constexpr const char* EditorValueSample = "-1.2345678901234567e-308 ";
inline constexpr const char* EditorLineSample = "1000000 ";

// Whether the editor marks a point in `state`: the enable editor marks the
// disabled points (0 and 2), the hilite editor the hilited ones (2 and 3).
// Codes outside 0..3 are never marked.
bool isMarked(EditorKind kind, std::int16_t state);

// A click on the row of point `point` (1-based): flips the editor's bit of its
// state (enable editor: 0 <-> 1 and 2 <-> 3 with enabledCount one up or down;
// hilite editor: 0 <-> 2 and 1 <-> 3). Returns false, changing nothing, for a
// point outside 1..pointCount or beyond the set's lists, and for a code
// outside 0..3.
bool togglePoint(DataSet& set, EditorKind kind, int point);

// Column 0 of a row: the number after one blank (" 7"), or "x " and the number
// when the point is marked ("x 7").
std::string pointNumberText(int point, bool marked);

// A value or an uncertainty as the grids write it: the shortest text that reads
// back to the same double, so two different points never look alike: 1234.5
// reads "1234.5", 0.05 "0.05", 1e-100 "1e-100".
std::string editorValueText(double value);

// The line of the file a point (0-based `index`) was read from, "" when unknown.
std::string sourceLineText(const DataSet& set, int index);

// The widest text column 0 of a set of `pointCount` points can show, which the
// column is sized for: "x " and the largest point number ("x 100000").
std::string widestPointNumberText(int pointCount);

// The number of rows a grid of `set` gets: its pointCount. Raises
// ErrorCode::SubscriptOutOfRange when the count is negative, beyond MaxPoints
// or beyond the set's lists, so that a grid never reads past them.
int gridRowCount(const DataSet& set);

// The message of a grid build that failed with `failure`: the editor's
// out-of-memory text for std::bad_alloc, its too-much-data text for a row count
// out of range, its general text for anything else.
std::string buildFailureText(EditorKind kind, const std::exception& failure);

} // namespace qv
