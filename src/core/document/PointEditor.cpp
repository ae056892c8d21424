#include "core/document/PointEditor.h"

#include "core/Errors.h"

#include <array>
#include <charconv>
#include <new>

namespace qv {

namespace {

constexpr EditorTexts EnableTexts{
    "EditForm",
    "Data Editor",
    "EditDataGrid",
    "EditOverlayGrid",
    "Label1",
    "ccccccccccccccccccc",
    "Click anywhere on data row to enable/disable data",
    "Click on any number in the left column.  If Xed out, it will not appear on the chart.",
    "Go back to plot and update with changes.",
    "Command1",
    "Go back to plot without using changes.",
    "Data Edit Error",
    "Edit Buffer Full",
    "Too much data to edit",
    "Error in edit routine",
};

constexpr EditorTexts HiliteTexts{
    "HiliteForm",
    "Data Editor",
    "HiliteDataGrid",
    "HiliteOverlayGrid",
    "Label3",
    "Label4",
    "Click anywhere on data row to hilite/un-hilite data",
    "Click on any number in the left column.  If Xed out, it will be filled in on the chart.",
    "Go back to plot and apply changes.",
    "Cancel",
    "Go back to plot without using changes.",
    "Hilite Error",
    "Hilite Buffer Full",
    "Too much data to Hilite",
    "Error in Hilite routine",
};

constexpr std::int16_t EnabledBit = 1;
constexpr std::int16_t HilitedBit = 2;

std::int16_t editorBit(EditorKind kind)
{
    return kind == EditorKind::EnableDisable ? EnabledBit : HilitedBit;
}

bool validState(std::int16_t state)
{
    return state >= 0 && state <= 3;
}

} // namespace

const EditorTexts& editorTexts(EditorKind kind)
{
    return kind == EditorKind::EnableDisable ? EnableTexts : HiliteTexts;
}

bool isMarked(EditorKind kind, std::int16_t state)
{
    if (!validState(state)) {
        return false;
    }
    const bool bitSet = (state & editorBit(kind)) != 0;
    // The enable editor marks the points without the enabled bit.
    return kind == EditorKind::EnableDisable ? !bitSet : bitSet;
}

bool togglePoint(DataSet& set, EditorKind kind, int point)
{
    if (point < 1 || point > set.pointCount ||
        static_cast<std::size_t>(point) > set.states.size()) {
        return false;
    }
    std::int16_t& state = set.states[static_cast<std::size_t>(point - 1)];
    if (!validState(state)) {
        return false;
    }
    const std::int16_t bit = editorBit(kind);
    const bool wasSet = (state & bit) != 0;
    state = static_cast<std::int16_t>(wasSet ? state - bit : state + bit);
    if (kind == EditorKind::EnableDisable) {
        set.enabledCount += wasSet ? -1 : 1;
    }
    return true;
}

std::string pointNumberText(int point, bool marked)
{
    return (marked ? "x " : " ") + std::to_string(point);
}

std::string editorValueText(double value)
{
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return std::string(text.data(), end);
}

std::string sourceLineText(const DataSet& set, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= set.sourceLines.size()) {
        return {};
    }
    return std::to_string(set.sourceLines[static_cast<std::size_t>(index)]);
}

std::string widestPointNumberText(int pointCount)
{
    return pointNumberText(pointCount > 0 ? pointCount : 1, true);
}

int gridRowCount(const DataSet& set)
{
    const auto count = static_cast<std::size_t>(set.pointCount);
    if (set.pointCount < 0 || set.pointCount > MaxPoints || count > set.values.size() ||
        count > set.states.size()) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return set.pointCount;
}

std::string buildFailureText(EditorKind kind, const std::exception& failure)
{
    const EditorTexts& texts = editorTexts(kind);
    if (dynamic_cast<const std::bad_alloc*>(&failure)) {
        return texts.outOfMemoryText;
    }
    const auto* error = dynamic_cast<const QvError*>(&failure);
    if (error && error->code() == ErrorCode::SubscriptOutOfRange) {
        return texts.tooMuchDataText;
    }
    return texts.otherFailureText;
}

} // namespace qv
