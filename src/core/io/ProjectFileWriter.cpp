#include "core/io/ProjectFileWriter.h"

#include "core/NumberReader.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace qv {

namespace {

using enum Ctl;

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
        out += ProjectLineEnd;
    }
}

void appendCounts(std::string& out, const DataSet& set)
{
    appendInteger(out, set.enabledCount);
    out += ',';
    appendInteger(out, set.pointCount);
    out += ProjectLineEnd;
}

} // namespace

std::vector<std::string> settingsBlockLines(const Settings& s, bool mainHasSigmas,
                                            const SavedPositions& positions)
{
    std::vector<std::string> lines;
    lines.reserve(SettingsLineCount);
    const auto& table = settingsLineTable();
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

std::vector<std::string> extraSettingsLines(const Settings& s)
{
    const bool atReset = std::all_of(ExtraSettings.begin(), ExtraSettings.end(),
                                     [&s](const ExtraSetting& extra) {
                                         return s.valueText(extra.id) == extra.resetValue;
                                     });
    if (atReset) {
        return {};
    }
    std::vector<std::string> lines{std::string(ExtraSettingsLine)};
    for (const ExtraSetting& extra : ExtraSettings) {
        lines.push_back(std::string(controlInfo(extra.id).name) + "=" +
                        oneLine(s.valueText(extra.id)));
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
        out += ProjectLineEnd;
        appendCounts(out, *overlay);
        appendPoints(out, *overlay);
        out += OverlayEndLine;
        out += ProjectLineEnd;
    } else {
        out += FormattingLine;
        out += ProjectLineEnd;
    }
    appendCounts(out, main);
    for (const std::string& line : settingsBlockLines(settings, main.hasSigmas, positions)) {
        out += line;
        out += ProjectLineEnd;
    }
    for (const std::string& line : extraSettingsLines(settings)) {
        out += line;
        out += ProjectLineEnd;
    }
    return out;
}

} // namespace qv
