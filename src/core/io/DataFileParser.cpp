#include "core/io/DataFileParser.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/VectorState.h"
#include "core/io/AscendingOrder.h"
#include "core/io/PasteText.h"
#include "core/io/TextFile.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <exception>
#include <future>
#include <new>
#include <numeric>
#include <string_view>
#include <thread>
#include <utility>

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

// The characters that separate the fields of a line.
using Separators = std::array<bool, 256>;

constexpr Separators separatorsOf(std::string_view chars)
{
    Separators table{};
    for (const char c : chars) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}

constexpr Separators DataSeparators = separatorsOf(", \t");
constexpr Separators CommaDataSeparators = separatorsOf("; \t");
constexpr Separators LabelSeparators = separatorsOf(",\t");
constexpr Separators CommaLabelSeparators = separatorsOf(";\t");

const Separators& dataSeparators(bool decimalComma)
{
    return decimalComma ? CommaDataSeparators : DataSeparators;
}

DecimalMark markOf(bool decimalComma)
{
    return decimalComma ? DecimalMark::Comma : DecimalMark::Point;
}

// Calls onField(index, text) for every field of the line trimmed of blanks, the
// text as written (quotes included), and returns the field count (0 for an empty
// line). A separator between double quotes belongs to its field.
template <typename OnField>
int forEachField(std::string_view line, const Separators& separators, OnField onField)
{
    line = trimBlanks(line);
    if (line.empty()) {
        return 0;
    }
    bool quoted = false;
    std::size_t start = 0;
    int index = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && separators[static_cast<unsigned char>(c)]) {
            onField(index++, line.substr(start, i - start));
            start = i + 1;
        }
    }
    onField(index++, line.substr(start));
    return index;
}

// A field without its quotes ("" inside quotes is one quote) and surrounding blanks.
std::string unquote(std::string_view text)
{
    std::string plain;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '"') {
            plain += text[i];
        } else if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
            plain += '"';
            ++i;
        } else {
            quoted = !quoted;
        }
    }
    return std::string(trimBlanks(plain));
}

enum class FieldKind
{
    Number,
    Missing, // an empty cell or NA
    Text,
};

struct Field
{
    FieldKind kind = FieldKind::Text;
    double value = 0.0;
};

// What a field's text without quotes holds. Raises QvError 6 for a number beyond
// a double's range.
Field classify(std::string_view text, DecimalMark mark)
{
    if (text.empty() || text == "NA") {
        return {FieldKind::Missing, 0.0};
    }
    const std::optional<double> number = readWholeNumber(text, mark);
    return number ? Field{FieldKind::Number, *number} : Field{};
}

// What a field as written holds.
Field readField(std::string_view text, DecimalMark mark)
{
    if (!text.empty() && text.front() == '"') {
        return classify(unquote(text), mark);
    }
    return classify(text, mark);
}

// The kinds of all fields of a line (beyond MaxFields too); a number too large
// for a double counts as a number.
struct LineKinds
{
    int count = 0;
    bool hasNumber = false;
    bool hasText = false;
};

LineKinds kindsOf(std::string_view line, bool decimalComma)
{
    LineKinds kinds;
    kinds.count = forEachField(line, dataSeparators(decimalComma), [&](int, std::string_view text) {
        FieldKind kind = FieldKind::Number;
        try {
            kind = readField(text, markOf(decimalComma)).kind;
        } catch (const QvError&) {
        }
        kinds.hasNumber = kinds.hasNumber || kind == FieldKind::Number;
        kinds.hasText = kinds.hasText || kind == FieldKind::Text;
    });
    return kinds;
}

// The first MaxFields fields of a line as written, and the line's field count.
struct CutLine
{
    int count = 0;
    std::array<std::string_view, MaxFields> texts;
};

void cutLine(std::string_view line, bool decimalComma, CutLine& cut)
{
    cut.count = forEachField(line, dataSeparators(decimalComma), [&](int i, std::string_view text) {
        if (i < MaxFields) {
            cut.texts[static_cast<std::size_t>(i)] = text;
        }
    });
}

enum class LineKind
{
    Point,
    Empty,
    MissingValue,
    Foreign,
    OtherCount, // numbers, but not columnCount of them: the data end here
};

struct LineRead
{
    LineKind kind = LineKind::Empty;
    double value = 0.0;
    double sigma = 0.0;
};

// Field `column` (1-based) of a cut line. A column the line does not have fails
// as a field number beyond 20 does, rather than reading a number that is not in
// the file.
Field fieldOf(const CutLine& cut, int column, DecimalMark mark)
{
    if (column < 1 || column > cut.count) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return readField(cut.texts[static_cast<std::size_t>(column - 1)], mark);
}

// Whether a line holds nothing but separators, as a spreadsheet's empty row ";;" does.
bool onlySeparators(std::string_view line, bool decimalComma)
{
    const Separators& separators = dataSeparators(decimalComma);
    return std::ranges::all_of(
        line, [&](char c) { return separators[static_cast<unsigned char>(c)] || c == '"'; });
}

// Whether a line holds nothing but a number's characters (digits, signs,
// exponent letters and the decimal mark): no blank, separator or quote.
bool loneNumber(std::string_view line, bool decimalComma)
{
    const char mark = decimalComma ? ',' : '.';
    return !line.empty() && std::ranges::all_of(line, [mark](char c) {
        return (c >= '0' && c <= '9') || c == mark || c == '-' || c == '+' || c == 'e' || c == 'E';
    });
}

// What one line is for `layout`. Raises QvError 9 for a line of more than 20
// numbers and for a value or uncertainty column outside a line of columnCount fields.
LineRead readLine(std::string_view line, const DataLayout& layout, CutLine& cut)
{
    // The commonest line of all, one number alone in a one-column file, is its
    // own single field: read at once, as the general path below would read it.
    if (layout.columnCount == 1 && layout.valueColumn == 1 && !layout.withSigmas &&
        loneNumber(line, layout.decimalComma)) {
        const Field value = classify(line, markOf(layout.decimalComma));
        if (value.kind == FieldKind::Number) {
            return {LineKind::Point, value.value, 0.0};
        }
    }
    cutLine(line, layout.decimalComma, cut);
    if (cut.count == 0) {
        return {};
    }
    // An empty row of a spreadsheet ends the data as an empty line does.
    const auto emptyRow = [&] { return onlySeparators(line, layout.decimalComma); };
    if (cut.count != layout.columnCount || cut.count > MaxFields) {
        const LineKinds kinds = kindsOf(line, layout.decimalComma);
        if (kinds.hasText) {
            return {LineKind::Foreign};
        }
        if (emptyRow()) {
            return {};
        }
        if (cut.count > MaxFields) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        return {LineKind::OtherCount};
    }
    const DecimalMark mark = markOf(layout.decimalComma);
    const Field value = fieldOf(cut, layout.valueColumn, mark);
    const Field sigma =
        layout.withSigmas ? fieldOf(cut, layout.sigmaColumn, mark) : Field{FieldKind::Number, 0.0};
    if (value.kind == FieldKind::Text || sigma.kind == FieldKind::Text) {
        return {LineKind::Foreign};
    }
    if (value.kind == FieldKind::Missing || sigma.kind == FieldKind::Missing) {
        return emptyRow() ? LineRead{} : LineRead{LineKind::MissingValue};
    }
    return {LineKind::Point, value.value, sigma.value};
}

// Whether a line after the end of the data would have been a point (or a point
// with a missing value); never raises.
bool wouldBeData(std::string_view line, const DataLayout& layout, CutLine& cut)
{
    try {
        const LineKind kind = readLine(line, layout, cut).kind;
        return kind == LineKind::Point || kind == LineKind::MissingValue;
    } catch (const QvError&) {
        return false;
    }
}

void noteSkipped(SkippedLines& skipped, std::size_t index, const char* reason)
{
    ++skipped.count;
    if (skipped.first.size() < MaxListedSkippedLines) {
        skipped.first.push_back({static_cast<int>(index + 1), reason});
    }
}

bool startsLikeANumber(std::string_view line)
{
    // A quoted first field ("1",8.3) is looked into.
    const std::size_t at = line.size() > 1 && line.front() == '"' ? 1 : 0;
    const char c = line[at];
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
    const auto items = columnNames(firstLine, layout.columnCount, layout.decimalComma);
    const auto index = static_cast<std::size_t>(layout.valueColumn - 1);
    return layout.valueColumn >= 1 && index < items.size() ? items[index] : std::string();
}

// How reading a run of lines ended.
struct RunEnd
{
    bool ended = false;   // an empty line or another field count ended the data
    bool stopped = false; // a line that ends the data outright was met
};

// Reads lines [first, last) into `set` (values, sigmas as read, states, source
// lines, skipped lines), `ended` saying whether the data ended before them.
RunEnd readLines(const std::vector<std::string_view>& lines, std::size_t first, std::size_t last,
                 const DataLayout& layout, bool ended, DataSet& set)
{
    CutLine cut;
    for (std::size_t next = first; next < last; ++next) {
        const std::string_view line = lines[next];
        if (endsTheData(line)) {
            return {ended, true};
        }
        if (ended) {
            if (wouldBeData(line, layout, cut)) {
                noteSkipped(set.skippedLines, next, "after the end of the data");
            }
            continue;
        }
        const LineRead read = readLine(line, layout, cut);
        switch (read.kind) {
        case LineKind::Empty:
            ended = true;
            break;
        case LineKind::OtherCount:
            ended = true;
            noteSkipped(set.skippedLines, next, "after the end of the data");
            break;
        case LineKind::Foreign:
            noteSkipped(set.skippedLines, next, "foreign line");
            break;
        case LineKind::MissingValue:
            noteSkipped(set.skippedLines, next, "missing value");
            break;
        case LineKind::Point:
            if (set.values.size() == static_cast<std::size_t>(MaxPoints)) {
                raise(ErrorCode::SubscriptOutOfRange);
            }
            set.values.push_back(read.value);
            if (layout.withSigmas) {
                set.sigmas.push_back(read.sigma);
            }
            set.states.push_back(std::int16_t{1});
            set.sourceLines.push_back(static_cast<int>(next + 1));
            break;
        }
    }
    return {ended, false};
}

// From this many lines on, the second half is read on a thread of its own.
constexpr std::size_t ParallelLines = 20000;

// The second half of the lines read as if the data went on into it, and the
// failure that stopped it, if any.
struct SecondHalf
{
    DataSet set;
    std::exception_ptr failure;
};

// Reads lines [first, last) into `set` as readLines does, a long run in two
// halves at once: the second half is taken as read only when the first leaves
// the data going on, and is read again after an end otherwise. The points,
// skipped lines and failures come out as one reading in order would give them.
void readAllLines(const std::vector<std::string_view>& lines, std::size_t first,
                  std::size_t last, const DataLayout& layout, DataSet& set)
{
    if (last - first < ParallelLines || std::thread::hardware_concurrency() < 2) {
        readLines(lines, first, last, layout, false, set);
        return;
    }
    const std::size_t middle = first + (last - first) / 2;
    auto later = std::async(std::launch::async, [&lines, middle, last, &layout] {
        // A thread starts with the vector state of the one that made it.
        clearUpperVectorState();
        SecondHalf half;
        try {
            readLines(lines, middle, last, layout, false, half.set);
        } catch (...) {
            half.failure = std::current_exception();
        }
        return half;
    });
    const RunEnd end = readLines(lines, first, middle, layout, false, set);
    SecondHalf half = later.get();
    if (end.stopped) {
        return;
    }
    if (end.ended) {
        readLines(lines, middle, last, layout, true, set);
        return;
    }
    // Every point the second half read lies before what stopped it.
    if (set.values.size() + half.set.values.size() > static_cast<std::size_t>(MaxPoints)) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    if (half.failure) {
        std::rethrow_exception(half.failure);
    }
    const auto append = [](auto& to, const auto& from) {
        to.insert(to.end(), from.begin(), from.end());
    };
    append(set.values, half.set.values);
    append(set.sigmas, half.set.sigmas);
    append(set.states, half.set.states);
    append(set.sourceLines, half.set.sourceLines);
    SkippedLines& skipped = set.skippedLines;
    for (const SkippedLine& line : half.set.skippedLines.first) {
        if (skipped.first.size() < MaxListedSkippedLines) {
            skipped.first.push_back(line);
        }
    }
    skipped.count += half.set.skippedLines.count;
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
    set.sourceLines.reserve(reserve);
    if (layout.withSigmas) {
        set.sigmas.reserve(reserve);
    }
    readAllLines(lines, next, lines.size(), layout, set);
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

// A proposed field count, or QvError 9 when no layout could hold it.
int fieldsWithinLimit(int count)
{
    if (count > MaxFields) {
        raise(ErrorCode::SubscriptOutOfRange);
    }
    return count;
}

// The field count the dialog proposes: that of line 2, or of the first line
// after it that holds a number when line 2 holds none. Raises QvError 9 when
// that line is more than 20 fields, numbers or text: no layout could hold it.
int fieldCountOf(const std::vector<std::string_view>& lines, bool decimalComma)
{
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (endsTheData(lines[i])) {
            break;
        }
        const LineKinds kinds = kindsOf(lines[i], decimalComma);
        if (kinds.hasNumber) {
            return fieldsWithinLimit(kinds.count);
        }
    }
    return fieldsWithinLimit(kindsOf(lines[1], decimalComma).count);
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
    permute(set.sourceLines);
}

std::vector<std::string> splitLabelsRow(std::string_view line, bool decimalComma)
{
    std::vector<std::string> items;
    const int count =
        forEachField(line, decimalComma ? CommaLabelSeparators : LabelSeparators,
                     [&](int, std::string_view text) { items.push_back(unquote(text)); });
    if (count == 0) {
        items.emplace_back();
    }
    return items;
}

std::vector<std::string> columnNames(std::string_view labelsLine, int columnCount,
                                     bool decimalComma)
{
    std::vector<std::string> names = splitLabelsRow(labelsLine, decimalComma);
    if (std::cmp_less(names.size(), columnCount)) {
        std::vector<std::string> atBlanks;
        forEachField(labelsLine, dataSeparators(decimalComma),
                     [&](int, std::string_view text) { atBlanks.push_back(unquote(text)); });
        if (std::cmp_equal(atBlanks.size(), columnCount)) {
            names = std::move(atBlanks);
        }
    }
    return names;
}

int columnOfName(const std::vector<std::string>& names, std::string_view name)
{
    const auto lower = [](char c) {
        return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    };
    const auto sameIgnoringCase = [&](std::string_view a) {
        return std::ranges::equal(a, name, {}, lower, lower);
    };
    auto at = std::ranges::find(names, name);
    if (at == names.end()) {
        at = std::ranges::find_if(names, sameIgnoringCase);
    }
    return at == names.end() || name.empty() ? 0 : static_cast<int>(at - names.begin()) + 1;
}

std::string columnPickerText(int column, std::string_view name)
{
    std::string text = std::to_string(column);
    if (!name.empty()) {
        text.append(" \u00B7 ").append(name);
    }
    return text;
}

bool linesUseDecimalComma(const std::vector<std::string_view>& lines)
{
    const std::size_t n = std::min<std::size_t>(lines.size(), 100);
    for (std::size_t i = 0; i < n; ++i) {
        if (lines[i].find(';') == std::string_view::npos) {
            continue;
        }
        const LineKinds kinds = kindsOf(lines[i], true);
        if (kinds.count > 1 && kinds.hasNumber) {
            return true;
        }
    }
    return false;
}

int proposedFieldCount(const std::vector<std::string_view>& lines, bool decimalComma)
{
    return lines.size() < 2 ? 0 : fieldCountOf(lines, decimalComma);
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
        prefill.decimalComma = linesUseDecimalComma(lines);
        prefill.fieldCount = fieldCountOf(lines, prefill.decimalComma);
        if (prefill.labels) {
            prefill.names = columnNames(first, prefill.fieldCount, prefill.decimalComma);
        }
        result.prefill = std::move(prefill);
    });
}

ParseResult parseDataLines(const std::vector<std::string_view>& lines, const DataLayout& layout)
{
    return codeOf<ParseResult>([&](ParseResult& result) { result.data = parse(lines, layout); });
}

std::string skippedLinesMessage(const SkippedLines& skipped)
{
    if (skipped.count == 0) {
        return {};
    }
    constexpr std::size_t Named = 5;
    std::string text = std::to_string(skipped.count) +
                       (skipped.count == 1 ? " line was not read: " : " lines were not read: ");
    const std::size_t named = std::min(Named, skipped.first.size());
    for (std::size_t i = 0; i < named; ++i) {
        const SkippedLine& line = skipped.first[i];
        if (i > 0) {
            text += ", ";
        }
        text += "line " + std::to_string(line.line) + " (" + line.reason + ")";
    }
    if (const int more = skipped.count - static_cast<int>(named); more > 0) {
        text += " and " + std::to_string(more) + " more";
    }
    return text + ".";
}

} // namespace qv
