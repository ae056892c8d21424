#include "core/io/ProjectFileReader.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/io/DataFileParser.h"
#include "core/io/ScaleTexts.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <stdexcept>

namespace qv {

namespace {

using enum Ctl;

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// An option line, or a whole-number check line: "True" and "False" in any case,
// or a number (true when not 0). Anything else raises 13.
double conversionOf(std::string_view line)
{
    const std::string_view text = trimBlanks(line);
    if (equalsIgnoringCase(text, "True")) {
        return -1;
    }
    if (equalsIgnoringCase(text, "False")) {
        return 0;
    }
    if (!isNumberText(text)) {
        raise(ErrorCode::TypeMismatch);
    }
    return readNumber(text);
}

bool isMarker(std::string_view line, std::string_view marker)
{
    return trimBlanks(line) == marker;
}

std::int16_t stateOf(const LineFields& fields, int count)
{
    const long long state =
        roundToInteger(fields.values[static_cast<std::size_t>(count - 1)], 32767);
    if (state < 0 || state > 3) {
        raise(ErrorCode::TypeMismatch);
    }
    return static_cast<std::int16_t>(state);
}

// Adds the point of a line; `index` is the line's 0-based place in the file.
void addPoint(DataSet& set, const LineFields& fields, int count, std::size_t index)
{
    if (set.values.size() == static_cast<std::size_t>(MaxPoints)) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    set.values.push_back(fields.values[0]);
    set.sigmas.push_back(count == 3 ? fields.values[1] : 0.0);
    set.states.push_back(stateOf(fields, count));
    set.sourceLines.push_back(static_cast<int>(index + 1));
}

// Fixes the counts and the uncertainty layout of a set read from point lines:
// at most `claimed` points (the counts line), the enabled ones counted.
void finishSet(DataSet& set, bool withSigmas, std::optional<int> claimed)
{
    if (claimed) {
        const auto keep = static_cast<std::size_t>(std::max(*claimed, 0));
        if (keep < set.values.size()) {
            set.values.resize(keep);
            set.sigmas.resize(keep);
            set.states.resize(keep);
            set.sourceLines.resize(std::min(keep, set.sourceLines.size()));
        }
    }
    set.pointCount = static_cast<int>(set.values.size());
    set.enabledCount =
        static_cast<int>(std::count_if(set.states.begin(), set.states.end(), isEnabledState));
    set.hasSigmas = withSigmas;
    set.columnCount = withSigmas ? 3 : 2;
    set.valueColumn = 1;
    set.sigmaColumn = withSigmas ? 2 : 0;
    if (!withSigmas) {
        std::fill(set.sigmas.begin(), set.sigmas.end(), 0.0);
    }
}

// The main point lines from `next` up to the first marker line, where `next` stops.
DataSet readMainPoints(const std::vector<std::string_view>& lines, std::size_t& next,
                       bool& withSigmas)
{
    DataSet set;
    LineFields fields;
    int columns = 0;
    for (; next < lines.size(); ++next) {
        const std::string_view line = lines[next];
        if (isMarker(line, FormattingLine) || isMarker(line, OverlayStartLine)) {
            break;
        }
        const int count = splitDataLine(line, fields);
        if (columns == 0) {
            // The first line decides the format for the whole set.
            if (count != 2 && count != 3) {
                raise(ErrorCode::TypeMismatch);
            }
            columns = count;
        } else if (count == -1) {
            continue;
        } else if (count != columns) {
            raise(ErrorCode::TypeMismatch);
        }
        addPoint(set, fields, count, next);
    }
    withSigmas = columns == 3;
    return set;
}

// A counts line: enabled count and point count, or nothing when it is not two
// numbers.
struct CountsLine
{
    int enabledCount = 0;
    int pointCount = 0;
};

std::optional<CountsLine> readCountsLine(std::string_view line)
{
    LineFields fields;
    int count = 0;
    try {
        count = splitDataLine(line, fields);
        if (count != 2) {
            return std::nullopt;
        }
        return CountsLine{static_cast<int>(roundToInteger(fields.values[0], MaxPoints * 10LL)),
                          static_cast<int>(roundToInteger(fields.values[1], MaxPoints * 10LL))};
    } catch (const QvError&) {
        return std::nullopt;
    }
}

// The overlay block from the line after "OVERLAY START" to "OVERLAY END"; `next`
// moves past "OVERLAY END". Raises QvError as readProjectLines fails.
DataSet readOverlayBlock(const std::vector<std::string_view>& lines, std::size_t& next)
{
    if (next >= lines.size()) {
        raise(ErrorCode::InputPastEnd);
    }
    const auto counts = readCountsLine(lines[next]);
    if (!counts) {
        raise(ErrorCode::TypeMismatch);
    }
    ++next;
    DataSet set;
    LineFields fields;
    bool withSigmas = false;
    for (;; ++next) {
        if (next >= lines.size()) {
            raise(ErrorCode::InputPastEnd);
        }
        if (isMarker(lines[next], OverlayEndLine)) {
            ++next;
            break;
        }
        const int count = splitDataLine(lines[next], fields);
        if (count != 2 && count != 3) {
            raise(ErrorCode::TypeMismatch);
        }
        withSigmas = withSigmas || count == 3;
        addPoint(set, fields, count, next);
    }
    finishSet(set, withSigmas, counts->pointCount);
    return set;
}

template <typename Body> int failureOf(Body body)
{
    try {
        body();
    } catch (const QvError& e) {
        return e.code();
    } catch (const std::bad_alloc&) {
        return ErrorCode::OutOfMemory;
    }
    return 0;
}

// Applies one settings line of a control; returns the text a text line set.
std::optional<std::string> applySettingLine(Settings& s, const LineSlot& slot,
                                            std::string_view text)
{
    switch (slot.form) {
    case LineForm::Check:
        s.setCheck(slot.id, roundToInteger(readNumber(text), 32767) != 0 ? 1 : 0);
        break;
    case LineForm::CheckInteger:
        s.setCheck(slot.id, roundToInteger(conversionOf(text), 32767) != 0 ? 1 : 0);
        break;
    case LineForm::Option: {
        const bool on = conversionOf(text) != 0;
        if (slot.button >= 0) {
            // A group keeps its selection when one of its buttons reads "False".
            if (on) {
                s.selectGroup(slot.id, slot.button);
            }
        } else if (on) {
            s.selectButton(slot.id);
        } else {
            s.deselectButton(slot.id);
        }
        break;
    }
    case LineForm::Text: {
        std::string_view value = trimBlanks(text);
        if (!value.empty() && value.back() == ',') {
            value.remove_suffix(1);
        }
        s.setText(slot.id, std::string(value));
        return std::string(value);
    }
    case LineForm::ExactText:
        s.setText(slot.id, std::string(text));
        break;
    case LineForm::Position:
    case LineForm::Font:
        break;
    }
    return std::nullopt;
}

// The font line: an empty one selects "Arial", else `fallbackFont` when the
// list has it, else the list's last font.
void applyFontLine(Settings& s, std::string_view text, std::string_view fallbackFont)
{
    const std::string_view name = trimBlanks(text);
    if (!name.empty()) {
        s.selectFontOrFirst(name);
    } else if (!s.walkFontListTo("Arial") && !fallbackFont.empty()) {
        const auto& fonts = s.fontList();
        if (std::find(fonts.begin(), fonts.end(), fallbackFont) != fonts.end()) {
            s.selectFontOrFirst(fallbackFont);
        }
    }
}

} // namespace

bool isNumberText(std::string_view t)
{
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    bool point = false;
    for (; i < t.size() && ((t[i] >= '0' && t[i] <= '9') || (t[i] == '.' && !point)); ++i) {
        if (t[i] == '.') {
            point = true;
        } else {
            ++digits;
        }
    }
    if (digits == 0) {
        return false;
    }
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
            ++i;
        }
        if (i == start) {
            return false;
        }
    }
    return i == t.size();
}

ProjectReadResult readProjectLines(const std::vector<std::string_view>& lines,
                                   bool skipOverlayBlock)
{
    ProjectReadResult result;
    const int failure = failureOf([&] {
        if (lines.empty()) {
            raise(ErrorCode::InputPastEnd);
        }
        ProjectRead read;
        std::size_t next = 0;
        bool withSigmas = false;
        read.main = readMainPoints(lines, next, withSigmas);
        if (next < lines.size()) {
            const bool overlayBlock = isMarker(lines[next], OverlayStartLine);
            ++next;
            if (overlayBlock && skipOverlayBlock) {
                while (next < lines.size() && !isMarker(lines[next], OverlayEndLine)) {
                    ++next;
                }
                if (next == lines.size()) {
                    raise(ErrorCode::InputPastEnd);
                }
                ++next;
            } else if (overlayBlock) {
                read.overlay = readOverlayBlock(lines, next);
            }
        }
        const std::size_t end = std::min(lines.size(), next + SettingsLineCount + 1);
        read.settingsBlock.assign(lines.begin() + static_cast<std::ptrdiff_t>(next),
                                  lines.begin() + static_cast<std::ptrdiff_t>(end));
        if (end < lines.size() && trimBlanks(lines[end]) == ExtraSettingsLine) {
            read.extraSettings.assign(lines.begin() + static_cast<std::ptrdiff_t>(end) + 1,
                                      lines.end());
        }
        std::optional<int> claimed;
        if (!read.settingsBlock.empty()) {
            if (const auto counts = readCountsLine(read.settingsBlock.front())) {
                claimed = counts->pointCount;
            }
        }
        finishSet(read.main, withSigmas, claimed);
        result.project = std::move(read);
    });
    if (failure != 0) {
        result.project.reset();
        result.errorCode = failure;
    }
    return result;
}

int readExtraSettings(Settings& s, std::span<const std::string_view> lines)
{
    const Settings::Batch batch(s);
    for (const ExtraSetting& extra : ExtraSettings) {
        s.setFromText(extra.id, extra.resetValue);
    }
    int applied = 0;
    for (const std::string_view line : lines) {
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        const auto id = findControl(trimBlanks(line.substr(0, equals)));
        const bool known = id && std::any_of(ExtraSettings.begin(), ExtraSettings.end(),
                                             [&id](const ExtraSetting& e) { return e.id == *id; });
        if (!known) {
            continue;
        }
        try {
            s.setFromText(*id, trimBlanks(line.substr(equals + 1)));
            ++applied;
        } catch (const std::invalid_argument&) {
            // A value this setting cannot take leaves it as it was.
        }
    }
    return applied;
}

SettingsBlockResult readSettingsBlock(Settings& s, std::span<const std::string_view> block,
                                      SavedPositions& positions, std::string_view fallbackFont)
{
    SettingsBlockResult result;
    if (block.empty()) {
        return result;
    }
    const Settings::Batch batch(s);
    ScaleTexts scaleTexts; // as read
    const auto& table = settingsLineTable();
    result.errorCode = failureOf([&] {
        if (!readCountsLine(block[0])) {
            raise(ErrorCode::TypeMismatch);
        }
        const std::size_t last = std::min<std::size_t>(block.size() - 1, SettingsLineCount);
        for (std::size_t line = 1; line <= last; ++line) {
            const LineSlot& slot = table[line];
            if (slot.form == LineForm::Position) {
                positions[static_cast<std::size_t>(slot.position)] = readNumber(block[line]);
            } else if (slot.form == LineForm::Font) {
                applyFontLine(s, block[line], fallbackFont);
            } else if (const auto text = applySettingLine(s, slot, block[line])) {
                scaleTexts.note(slot.id, *text);
            }
            result.linesApplied = static_cast<int>(line);
        }
    });
    scaleTexts.putBack(s);
    return result;
}

} // namespace qv
