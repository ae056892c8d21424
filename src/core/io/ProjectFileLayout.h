#pragma once
// The project file's layout: the main set's point lines, then the overlay block
// or the line "FORMATTING", then the counts line of the main set and 82
// settings lines in a fixed order. Lines end in CR LF and the text is UTF-8;
// there are no keys, so the line order is the format. The reader and the writer
// both walk the table of settings lines built here from the control table.
// Settings that the fixed lines have no place for follow them in a block of
// their own: the line "[Quantiview 3 settings]", then one "Name=Value" line per
// setting. A reader of the fixed lines alone stops before it; the block is
// written only when one of its settings differs from its reset value.

#include "core/model/Placements.h"
#include "core/model/Settings.h"

#include <array>
#include <string_view>

namespace qv {

inline constexpr std::string_view FormattingLine = "FORMATTING";
inline constexpr std::string_view OverlayStartLine = "OVERLAY START";
inline constexpr std::string_view OverlayEndLine = "OVERLAY END";
inline constexpr std::string_view ProjectLineEnd = "\r\n";
inline constexpr std::string_view ExtraSettingsLine = "[Quantiview 3 settings]";
// Settings lines after the counts line.
inline constexpr int SettingsLineCount = 82;

// How one settings line is written and read.
enum class LineForm
{
    Check,        // " 0 " / " 1 "; read with the number reading
    CheckInteger, // as Check, but read as a whole conversion that fails on a non-number
    Text,         // the text; read trimmed, one trailing comma dropped
    ExactText,    // the text; read exactly as it stands
    Option,       // "True" / "False"
    Position,     // a number with a sign place and a trailing blank
    Font,         // the font name
};

struct LineSlot
{
    Ctl id = Ctl::Count;
    int button = -1; // the button of an option group, -1 for any other control
    LineForm form = LineForm::Text;
    int position = -1; // index into SavedPositions for lines 54 to 59
};

// Settings lines 1 to 82 (index 0 unused), from the control table's file lines.
const std::array<LineSlot, SettingsLineCount + 1>& settingsLineTable();

// The settings of the block after the fixed lines, each with its reset value
// as the report prints it (Settings::valueText).
struct ExtraSetting
{
    Ctl id;
    std::string_view resetValue;
};
inline constexpr std::array<ExtraSetting, 2> ExtraSettings{{
    {Ctl::PlotOpts_LimitSides, "0"},
    {Ctl::PlotOpts_LLimit, "0"},
}};

} // namespace qv
