#pragma once
// Reads a project file: its point lines and overlay block into data sets, its
// settings block applied through the settings' setters. Pure: lines in, data
// sets or an error code out.

#include "core/io/ProjectFileLayout.h"
#include "core/model/DataSet.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

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
    // The "Name=Value" lines of the block after the fixed lines, when the line
    // right after them is its marker.
    std::vector<std::string_view> extraSettings;
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

// Puts the block's settings to their reset values, then applies the
// "Name=Value" lines of the block after the fixed lines, in order, as one batch
// through the setters (a file without the block opens them reset). A line whose name is not one of the
// block's settings, that has no "=", or whose value does not fit its setting
// is skipped. Returns the number of lines applied.
int readExtraSettings(Settings& settings, std::span<const std::string_view> lines);

// Whether the whole text is one decimal number: sign, digits with at most one
// point, an optional exponent. Option lines and whole-number check lines take
// nothing else besides "True" and "False".
bool isNumberText(std::string_view text);

} // namespace qv
