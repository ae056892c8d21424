#include "core/io/DataFileParser.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/io/AscendingOrder.h"
#include "core/io/PasteText.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <new>
#include <numeric>
#include <string_view>

namespace qv {

namespace {

enum class CharKind : unsigned char
{
    Foreign,
    Number,    // a digit, sign, point or exponent letter
    Separator, // comma, blank or tab
};

constexpr std::array<CharKind, 256> CharKinds = [] {
    std::array<CharKind, 256> kinds{};
    for (const char c : std::string_view("0123456789+-.Ee")) {
        kinds[static_cast<unsigned char>(c)] = CharKind::Number;
    }
    for (const char c : std::string_view(", \t")) {
        kinds[static_cast<unsigned char>(c)] = CharKind::Separator;
    }
    return kinds;
}();

// Field `column` (1-based) of a split line of `count` fields. A column the line
// does not have fails as a field number beyond 20 does, rather than reading a
// number that is not in the file.
double field(const LineFields& fields, int count, int column)
{
    if (column < 1 || column > count) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return fields.values[static_cast<std::size_t>(column - 1)];
}

bool startsLikeANumber(std::string_view line)
{
    const char c = line.front();
    return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+';
}

bool endsTheData(std::string_view line)
{
    // "OVERLAY START" means something only in a project file, which has a reader of its own.
    return line == "FORMATTING" || line == "END OF PASTE";
}

std::string labelOf(std::string_view firstLine, const DataLayout& layout)
{
    if (layout.labelsRow == LabelsRow::TabFields) {
        return nthField(firstLine, layout.valueColumn);
    }
    const auto items = splitLabelsRow(trimBlanks(firstLine));
    const auto index = static_cast<std::size_t>(layout.valueColumn - 1);
    return layout.valueColumn >= 1 && index < items.size() ? items[index] : std::string();
}

ParsedData parse(const std::vector<std::string_view>& lines, const DataLayout& layout)
{
    ParsedData parsed;
    DataSet& set = parsed.set;
    set.columnCount = layout.columnCount;
    set.valueColumn = layout.valueColumn;
    set.sigmaColumn = layout.sigmaColumn;
    std::size_t next = 0;
    if (layout.labelsRow != LabelsRow::None && !lines.empty()) {
        parsed.label = labelOf(lines.front(), layout);
        next = 1;
    }
    const std::size_t reserve = std::min<std::size_t>(lines.size() - next, MaxPoints);
    set.values.reserve(reserve);
    set.states.reserve(reserve);
    if (layout.withSigmas) {
        set.sigmas.reserve(reserve);
    }
    LineFields fields;
    for (; next < lines.size(); ++next) {
        const std::string_view line = lines[next];
        if (endsTheData(line)) {
            break;
        }
        const int count = splitDataLine(line, fields);
        // A foreign line is skipped and an empty line ends the data whatever
        // field count the layout asks for: neither holds a point.
        if (count == -1) {
            continue;
        }
        if (count == 0 || count != layout.columnCount) {
            break;
        }
        if (set.values.size() == static_cast<std::size_t>(MaxPoints)) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        set.values.push_back(field(fields, count, layout.valueColumn));
        if (layout.withSigmas) {
            set.sigmas.push_back(field(fields, count, layout.sigmaColumn));
        }
        set.states.push_back(std::int16_t{1});
    }
    set.pointCount = static_cast<int>(set.values.size());
    set.hasSigmas = layout.withSigmas;
    if (!layout.withSigmas) {
        // Without an uncertainty column the set keeps no uncertainties.
        set.sigmas.assign(set.values.size(), 0.0);
    }
    set.enabledCount =
        static_cast<int>(std::count_if(set.states.begin(), set.states.end(), isEnabledState));
    return parsed;
}

// Runs `body` and turns its failure into the code the messages print.
template <typename Result, typename Body> Result codeOf(Body body)
{
    Result result;
    try {
        body(result);
    } catch (const QvError& e) {
        result = Result{};
        result.errorCode = e.code();
    } catch (const std::bad_alloc&) {
        result = Result{};
        result.errorCode = ErrorCode::OutOfMemory;
    }
    return result;
}

} // namespace

int splitDataLine(std::string_view line, LineFields& fields)
{
    line = trimBlanks(line);
    if (line.empty()) {
        return 0;
    }
    // Every letter ends a field, so a foreign line is recognised before it is
    // split: a labels or comment line is skipped whatever its length. The same
    // pass notes where the first fields end.
    std::array<std::size_t, MaxFields> ends; // only those written are read
    std::size_t separators = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        switch (CharKinds[static_cast<unsigned char>(line[i])]) {
        case CharKind::Foreign:
            return -1;
        case CharKind::Separator:
            if (separators < ends.size()) {
                ends[separators] = i;
            }
            ++separators;
            break;
        case CharKind::Number:
            break;
        }
    }
    const std::size_t count = separators + 1;
    std::size_t start = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (k == static_cast<std::size_t>(MaxFields)) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        const std::size_t end = k < separators ? ends[k] : line.size();
        fields.values[k] = readNumber(line.substr(start, end - start));
        start = end + 1;
    }
    std::fill(fields.values.begin() + static_cast<std::ptrdiff_t>(count), fields.values.end(), 0.0);
    return static_cast<int>(count);
}

void sortSet(DataSet& set, int count)
{
    const auto n =
        std::min(static_cast<std::size_t>(std::clamp(count, 0, set.pointCount)), set.values.size());
    const std::vector<std::size_t> order = ascendingOrder(set.values.data(), n);
    auto permute = [&](auto& list) {
        if (list.size() < n) {
            return;
        }
        std::remove_reference_t<decltype(list)> sorted(list.size());
        for (std::size_t i = 0; i < n; ++i) {
            sorted[i] = list[order[i]];
        }
        std::copy(list.begin() + static_cast<std::ptrdiff_t>(n), list.end(),
                  sorted.begin() + static_cast<std::ptrdiff_t>(n));
        list = std::move(sorted);
    };
    permute(set.values);
    permute(set.sigmas);
    permute(set.states);
}

std::vector<std::string> splitLabelsRow(std::string_view line)
{
    std::vector<std::string> items;
    std::string item;
    bool quoted = false;
    auto finish = [&] {
        items.emplace_back(trimBlanks(item));
        item.clear();
    };
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && (c == ',' || c == '\t')) {
            finish();
        } else {
            item += c;
        }
    }
    finish();
    return items;
}

PrefillResult prefillFromLines(const std::vector<std::string_view>& lines)
{
    return codeOf<PrefillResult>([&](PrefillResult& result) {
        if (lines.empty()) {
            raise(ErrorCode::InputPastEnd);
        }
        DataFilePrefill prefill;
        const std::string_view first = trimBlanks(lines[0]);
        prefill.firstRow = std::string(first);
        if (first.empty()) {
            raise(ErrorCode::InvalidArgument); // nothing to test for labels
        }
        prefill.labels = !startsLikeANumber(first);
        if (lines.size() < 2) {
            raise(ErrorCode::InputPastEnd);
        }
        const std::string_view second = trimBlanks(lines[1]);
        prefill.secondRow = std::string(second);
        LineFields fields;
        prefill.fieldCount = splitDataLine(second, fields);
        result.prefill = std::move(prefill);
    });
}

ParseResult parseDataLines(const std::vector<std::string_view>& lines, const DataLayout& layout)
{
    return codeOf<ParseResult>([&](ParseResult& result) { result.data = parse(lines, layout); });
}

} // namespace qv
