#pragma once
// The project file: a whole chart as text and back. The main set's point lines,
// then the overlay block or the line "FORMATTING", then the counts line of the
// main set and 82 settings lines in a fixed order. Lines end in CR LF and the
// text is UTF-8; there are no keys, so the line order is the format.
// Pure: data sets, settings and positions in, text out; lines in, data sets out,
// and the settings lines applied through the settings' setters.

#include "core/model/DataSet.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class Settings;

inline constexpr std::string_view FormattingLine = "FORMATTING";
inline constexpr std::string_view OverlayStartLine = "OVERLAY START";
inline constexpr std::string_view OverlayEndLine = "OVERLAY END";
// Settings lines after the counts line.
inline constexpr int SettingsLineCount = 82;

// The stored places of the movable items, in the order of settings lines 54 to
// 59: top and left of the free text, of the statistics box (both in chart
// units) and of the value-axis label (window twips).
using SavedPositions = std::array<double, 6>;

// The project file's text. `overlay` is null without an overlay. Each set's
// point lines carry an uncertainty field when that set has uncertainties;
// settings line 1 says whether the main set has them. The scale choice is
// written as manual (line 32 "False", line 33 "True") with the scale texts as
// they are; line breaks inside a text are written as blanks.
std::string projectFileText(const DataSet& main, const DataSet* overlay, const Settings& settings,
                            const SavedPositions& positions);

// Settings lines 1 to 82 as projectFileText writes them.
std::vector<std::string> settingsBlockLines(const Settings& settings, bool mainHasSigmas,
                                            const SavedPositions& positions);

// What the point lines and the overlay block of a project file hold.
struct ProjectRead
{
    // The main points in file order (not yet sorted): as many as the lines
    // hold, or fewer when the counts line says so; enabledCount counted from the
    // states.
    DataSet main;
    // The overlay block's set, when the file has one and it was not skipped.
    std::optional<DataSet> overlay;
    // The settings block from its counts line on (at most 83 lines); empty
    // when the file ends after its points.
    std::vector<std::string_view> settingsBlock;
};

struct ProjectReadResult
{
    std::optional<ProjectRead> project;
    int errorCode = 0;
};

// Reads the point lines and the overlay block. The first point line decides the
// format: 2 fields (value, state) or 3 (value, uncertainty, state); a line of
// another count, a state outside 0..3 after rounding, a malformed counts line
// in the overlay block fail with 13, a missing "OVERLAY END" with 62, more than
// MaxPoints points in a set with 9. Lines with foreign characters among the
// main points are skipped. With `skipOverlayBlock` (a project read as the
// overlay) the file's own overlay block is passed over.
ProjectReadResult readProjectLines(const std::vector<std::string_view>& lines,
                                   bool skipOverlayBlock);

// The overlay block from the line after "OVERLAY START" to "OVERLAY END"; `next`
// moves past "OVERLAY END". Raises QvError as readProjectLines fails.
DataSet readOverlayBlock(const std::vector<std::string_view>& lines, std::size_t& next);

// A counts line: enabled count and point count, or nothing when it is not two
// numbers.
struct CountsLine
{
    int enabledCount = 0;
    int pointCount = 0;
};
std::optional<CountsLine> readCountsLine(std::string_view line);

struct SettingsBlockResult
{
    int errorCode = 0;    // the failure that stopped the block, 0 when none
    int linesApplied = 0; // settings lines applied (not counting the counts line)
};

// Applies the settings block (`block[0]` the counts line, then lines 1 to 82)
// to `settings` in line order through its setters, as one batch, so the
// handlers run as for a user's choice. A block that ends early is applied as
// far as it goes. An option line that is neither "True", "False" nor a number
// stops the block with 13, the lines before it staying applied. Lines 54 to 59
// go into `positions`. The scale texts (lines 29 to 31) are put back after the
// block, whatever the handlers of the scale and axis choices did to them. An
// empty line 82 selects "Arial", else `fallbackFont` when the list has it, else
// the list's last font; an unknown font name selects the list's first font.
SettingsBlockResult readSettingsBlock(Settings& settings, std::span<const std::string_view> block,
                                      SavedPositions& positions,
                                      std::string_view fallbackFont = {});

} // namespace qv
