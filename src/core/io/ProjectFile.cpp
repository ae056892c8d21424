#include "core/io/ProjectFile.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/io/DataFileParser.h"
#include "core/io/TextFile.h"
#include "core/model/Settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <new>

namespace qv {

namespace {

using enum Ctl;

constexpr std::string_view LineEnd = "\r\n";

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

constexpr int FirstPositionLine = 54;

bool isCheckInteger(int line)
{
    return line == 63 || line == 64 || line == 65 || line == 78 || line == 79;
}

// Settings lines 1 to 82 (index 0 unused), from the control table.
const std::array<LineSlot, SettingsLineCount + 1>& lineTable()
{
    static const auto table = [] {
        std::array<LineSlot, SettingsLineCount + 1> slots{};
        for (const ControlInfo& info : controlTable()) {
            if (info.fileLine <= 0) {
                continue;
            }
            const auto at = static_cast<std::size_t>(info.fileLine);
            switch (info.kind) {
            case ControlKind::Check:
                slots[at] = {
                    info.id, -1,
                    isCheckInteger(info.fileLine) ? LineForm::CheckInteger : LineForm::Check, -1};
                break;
            case ControlKind::Text:
            case ControlKind::Combo:
                slots[at] = {info.id, -1,
                             info.fileLine == 80 || info.fileLine == 81 ? LineForm::ExactText
                                                                        : LineForm::Text,
                             -1};
                break;
            case ControlKind::Font:
                slots[at] = {info.id, -1, LineForm::Font, -1};
                break;
            case ControlKind::Button:
                slots[at] = {info.id, -1, LineForm::Option, -1};
                break;
            case ControlKind::Group:
                for (int b = 0; b < info.buttons; ++b) {
                    slots[at + static_cast<std::size_t>(b)] = {info.id, b, LineForm::Option, -1};
                }
                break;
            case ControlKind::Control:
                break;
            }
        }
        for (int i = 0; i < 6; ++i) {
            slots[static_cast<std::size_t>(FirstPositionLine + i)] = {Ctl::Count, -1,
                                                                      LineForm::Position, i};
        }
        return slots;
    }();
    return table;
}

void appendNumber(std::string& out, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendInteger(std::string& out, long long value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// A text on one line: each line break (CR LF, LF or CR) becomes a blank.
std::string oneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            out += ' ';
        } else {
            out += c;
        }
    }
    return out;
}

void appendPoints(std::string& out, const DataSet& set)
{
    const auto n = static_cast<std::size_t>(std::max(set.pointCount, 0));
    const bool sigmas = set.hasSigmas && set.sigmas.size() >= n;
    for (std::size_t i = 0; i < n; ++i) {
        appendNumber(out, set.values[i]);
        out += ',';
        if (sigmas) {
            appendNumber(out, set.sigmas[i]);
            out += ',';
        }
        appendInteger(out, set.states[i]);
        out += LineEnd;
    }
}

void appendCounts(std::string& out, const DataSet& set)
{
    appendInteger(out, set.enabledCount);
    out += ',';
    appendInteger(out, set.pointCount);
    out += LineEnd;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Whether the whole text is one decimal number: sign, digits with at most one
// point, an optional exponent.
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

void addPoint(DataSet& set, const LineFields& fields, int count)
{
    if (set.values.size() == static_cast<std::size_t>(MaxPoints)) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    set.values.push_back(fields.values[0]);
    set.sigmas.push_back(count == 3 ? fields.values[1] : 0.0);
    set.states.push_back(stateOf(fields, count));
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
        addPoint(set, fields, count);
    }
    withSigmas = columns == 3;
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

} // namespace

std::vector<std::string> settingsBlockLines(const Settings& s, bool mainHasSigmas,
                                            const SavedPositions& positions)
{
    std::vector<std::string> lines;
    lines.reserve(SettingsLineCount);
    const auto& table = lineTable();
    for (int line = 1; line <= SettingsLineCount; ++line) {
        const LineSlot& slot = table[static_cast<std::size_t>(line)];
        std::string text;
        switch (slot.form) {
        case LineForm::Check:
        case LineForm::CheckInteger: {
            const int value =
                slot.id == FileChar_ErrorBars ? (mainHasSigmas ? 1 : 0) : s.check(slot.id);
            text = " " + std::to_string(value) + " ";
            break;
        }
        case LineForm::Option: {
            bool on = slot.button >= 0 ? s.group(slot.id) == slot.button : s.selected(slot.id);
            // The project always stores the manual scale with the scale texts.
            if (slot.id == AxesOpts_Auto) {
                on = false;
            } else if (slot.id == AxesOpts_Manual) {
                on = true;
            }
            text = on ? "True" : "False";
            break;
        }
        case LineForm::Text:
            text = oneLine(s.text(slot.id));
            // The reader trims the line and drops one trailing comma: a text
            // that ends in one, blanks after it or not, keeps it.
            if (const std::string_view trimmed = trimBlanks(text);
                !trimmed.empty() && trimmed.back() == ',') {
                text += ',';
            }
            break;
        case LineForm::ExactText:
        case LineForm::Font:
            text = oneLine(s.text(slot.id));
            break;
        case LineForm::Position: {
            double value = positions[static_cast<std::size_t>(slot.position)];
            if (!std::isfinite(value)) {
                value = 0;
            }
            text = std::signbit(value) ? "" : " ";
            appendNumber(text, value);
            text += ' ';
            break;
        }
        }
        lines.push_back(std::move(text));
    }
    return lines;
}

std::string projectFileText(const DataSet& main, const DataSet* overlay, const Settings& settings,
                            const SavedPositions& positions)
{
    std::string out;
    const auto points = static_cast<std::size_t>(std::max(main.pointCount, 0)) +
                        (overlay ? static_cast<std::size_t>(std::max(overlay->pointCount, 0)) : 0);
    out.reserve(points * 28 + 2048);
    appendPoints(out, main);
    if (overlay) {
        out += OverlayStartLine;
        out += LineEnd;
        appendCounts(out, *overlay);
        appendPoints(out, *overlay);
        out += OverlayEndLine;
        out += LineEnd;
    } else {
        out += FormattingLine;
        out += LineEnd;
    }
    appendCounts(out, main);
    for (const std::string& line : settingsBlockLines(settings, main.hasSigmas, positions)) {
        out += line;
        out += LineEnd;
    }
    return out;
}

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
        addPoint(set, fields, count);
    }
    finishSet(set, withSigmas, counts->pointCount);
    return set;
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

SettingsBlockResult readSettingsBlock(Settings& s, std::span<const std::string_view> block,
                                      SavedPositions& positions, std::string_view fallbackFont)
{
    SettingsBlockResult result;
    if (block.empty()) {
        return result;
    }
    const Settings::Batch batch(s);
    std::array<std::optional<std::string>, 3> scaleTexts; // lines 29, 30, 31 as read
    const auto& table = lineTable();
    result.errorCode = failureOf([&] {
        if (!readCountsLine(block[0])) {
            raise(ErrorCode::TypeMismatch);
        }
        const std::size_t last = std::min<std::size_t>(block.size() - 1, SettingsLineCount);
        for (std::size_t line = 1; line <= last; ++line) {
            const LineSlot& slot = table[line];
            const std::string_view text = block[line];
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
                if (line >= 29 && line <= 31) {
                    scaleTexts[line - 29] = std::string(value);
                }
                break;
            }
            case LineForm::ExactText:
                s.setText(slot.id, std::string(text));
                break;
            case LineForm::Position:
                positions[static_cast<std::size_t>(slot.position)] = readNumber(text);
                break;
            case LineForm::Font: {
                const std::string_view name = trimBlanks(text);
                if (!name.empty()) {
                    s.selectFontOrFirst(name);
                } else if (!s.walkFontListTo("Arial") && !fallbackFont.empty()) {
                    const auto& fonts = s.fontList();
                    if (std::find(fonts.begin(), fonts.end(), fallbackFont) != fonts.end()) {
                        s.selectFontOrFirst(fallbackFont);
                    }
                }
                break;
            }
            }
            result.linesApplied = static_cast<int>(line);
        }
    });
    // The handlers of the scale and axis choices rewrite the tick interval; the
    // file's scale texts stand.
    const Ctl scaleControls[] = {AxesOpts_YscaleMin, AxesOpts_YscaleMax, AxesOpts_TickInterval};
    for (std::size_t i = 0; i < scaleTexts.size(); ++i) {
        if (scaleTexts[i]) {
            s.setText(scaleControls[i], *scaleTexts[i]);
        }
    }
    return result;
}

} // namespace qv
