#include "FuzzEntries.h"

#include "core/Errors.h"
#include "core/NumberReader.h"
#include "core/document/ChartDocument.h"
#include "core/format/DateText.h"
#include "core/format/FormatMask.h"
#include "core/format/NumberText.h"
#include "core/format/RoundSignificant.h"
#include "core/io/DataFileParser.h"
#include "core/io/PasteText.h"
#include "core/io/ProjectFileReader.h"
#include "core/io/ProjectFileWriter.h"
#include "core/io/TextEncoding.h"
#include "core/io/TextFile.h"
#include "core/model/ScriptedPrompter.h"
#include "core/model/Settings.h"
#include "core/plot/ChartLayout.h"
#include "support/FixedPitchMeasurer.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <clocale>
#include <locale.h>
#if defined(_WIN32)
#include <fstream>
#include <random>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace qv::fuzz {

namespace {

void require(bool rule, const char* what)
{
    if (!rule) {
        throw FuzzFailure(what);
    }
}

bool sameBits(double a, double b)
{
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

unsigned byteAt(std::string_view bytes, std::size_t i)
{
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0u;
}

bool isOneOf(int code, std::initializer_list<int> codes)
{
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The error code a call raises, 0 when it returns.
template <typename Body> int codeOf(Body body)
{
    try {
        body();
    } catch (const QvError& e) {
        return e.code();
    }
    return 0;
}

// ---- numbers -----------------------------------------------------------------

// The C library's reading of a number, whatever the process's locale.
double referenceNumber(const std::string& text, bool& outOfRange)
{
#if defined(_WIN32)
    static const _locale_t c = ::_create_locale(LC_ALL, "C");
    errno = 0;
    const double value = ::_strtod_l(text.c_str(), nullptr, c);
#else
    static const locale_t c = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    errno = 0;
    const double value = ::strtod_l(text.c_str(), nullptr, c);
#endif
    outOfRange = errno == ERANGE;
    return value;
}

struct Reading
{
    double value = 0;
    int code = 0;
};

Reading readAll(std::string_view text)
{
    Reading r;
    r.code = codeOf([&] { r.value = readNumber(text); });
    return r;
}

// ---- data sets -----------------------------------------------------------------

void requireConsistent(const DataSet& set)
{
    const auto n = static_cast<std::size_t>(set.pointCount);
    require(set.pointCount >= 0 && set.pointCount <= MaxPoints, "point count out of range");
    require(set.values.size() == n && set.states.size() == n && set.sigmas.size() == n,
            "the lists of a set differ from its point count");
    require(set.enabledCount == static_cast<int>(std::count_if(set.states.begin(), set.states.end(),
                                                               isEnabledState)),
            "the enabled count differs from the states");
    for (std::size_t i = 0; i < n; ++i) {
        require(std::isfinite(set.values[i]) && std::isfinite(set.sigmas[i]),
                "a point is not a finite number");
        require(set.states[i] >= 0 && set.states[i] <= 3, "a state outside 0..3");
    }
    if (!set.hasSigmas) {
        require(std::all_of(set.sigmas.begin(), set.sigmas.end(), [](double s) { return s == 0; }),
                "a set without uncertainties carries some");
    }
}

bool samePoints(const DataSet& a, const DataSet& b)
{
    // Whether a set without points has uncertainties shows nowhere.
    if (a.pointCount != b.pointCount || a.enabledCount != b.enabledCount || a.states != b.states ||
        (a.pointCount > 0 && a.hasSigmas != b.hasSigmas)) {
        return false;
    }
    for (std::size_t i = 0; i < a.values.size(); ++i) {
        if (!sameBits(a.values[i], b.values[i]) || !sameBits(a.sigmas[i], b.sigmas[i])) {
            return false;
        }
    }
    return true;
}

// The fields of a line as a CSV reader cuts them: at the separators outside double
// quotes; a field that starts with a quote loses its quotes ("" inside them is one)
// and the blanks around its content. Each field is a number, missing (empty or NA)
// or text; a number too large for a double is noted.
struct OracleField
{
    enum Kind
    {
        Number,
        Missing,
        Text
    } kind = Text;
    double value = 0.0;
    bool overflow = false;
};

std::vector<OracleField> oracleFields(std::string_view line, bool decimalComma)
{
    const std::string_view separators = decimalComma ? "; \t" : ", \t";
    std::vector<std::string> texts(1);
    bool quoted = false;
    for (const char c : trimBlanks(line)) {
        if (c == '"') {
            quoted = !quoted;
        }
        if (!quoted && c != '"' && separators.find(c) != std::string_view::npos) {
            texts.emplace_back();
        } else {
            texts.back() += c;
        }
    }
    if (trimBlanks(line).empty()) {
        return {};
    }
    std::vector<OracleField> fields;
    for (std::string text : texts) {
        if (!text.empty() && text[0] == '"') {
            std::string plain;
            bool inside = false;
            for (std::size_t i = 0; i < text.size(); ++i) {
                if (text[i] != '"') {
                    plain += text[i];
                } else if (inside && i + 1 < text.size() && text[i + 1] == '"') {
                    plain += text[i++];
                } else {
                    inside = !inside;
                }
            }
            text = std::string(trimBlanks(plain));
        }
        OracleField field;
        if (text.empty() || text == "NA") {
            field.kind = OracleField::Missing;
        } else {
            const int code = codeOf([&] {
                if (auto v = readWholeNumber(text, decimalComma ? DecimalMark::Comma
                                                                : DecimalMark::Point)) {
                    field = {OracleField::Number, *v};
                }
            });
            if (code != 0) {
                field = {OracleField::Number, 0.0, true};
            }
        }
        fields.push_back(field);
    }
    return fields;
}

// The points a layout takes from the lines and the lines it skips: a line of
// columnCount fields is a point when its value (and uncertainty) field is a
// number, foreign when one of them is text, a missing value when one is
// missing; a line of another count is foreign when it holds text and ends the
// data otherwise (a spreadsheet's empty row of separators uncounted); an empty
// line ends the data; after the end the lines that would have been points (or
// missing values) are counted. Field numbers outside the line and more than 20
// numbers fail with 9, a number too large for a double with 6.
struct Expected
{
    std::vector<double> values;
    std::vector<double> sigmas;
    std::vector<int> skipped; // line numbers
    int code = 0;
};

enum class OracleLine
{
    Point,
    Missing,
    Foreign,
    Ends,
    EndsCounted
};

OracleLine oracleLine(std::string_view line, const DataLayout& layout, double& value, double& sigma)
{
    const std::vector<OracleField> fields = oracleFields(line, layout.decimalComma);
    const int count = static_cast<int>(fields.size());
    const auto isText = [](const OracleField& f) { return f.kind == OracleField::Text; };
    // A spreadsheet's empty row: separators and quotes only.
    const bool onlySeparators =
        line.find_first_not_of(layout.decimalComma ? "; \t\"" : ", \t\"") == std::string_view::npos;
    if (count == 0) {
        return OracleLine::Ends;
    }
    if (count != layout.columnCount || count > MaxFields) {
        if (std::any_of(fields.begin(), fields.end(), isText)) {
            return OracleLine::Foreign;
        }
        if (onlySeparators) {
            return OracleLine::Ends;
        }
        if (count > MaxFields) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        return OracleLine::EndsCounted;
    }
    const auto fieldAt = [&](int column) {
        if (column < 1 || column > count) {
            raise(ErrorCode::SubscriptOutOfRange);
        }
        const OracleField& f = fields[static_cast<std::size_t>(column - 1)];
        if (f.overflow) {
            raise(ErrorCode::Overflow);
        }
        return f;
    };
    const OracleField v = fieldAt(layout.valueColumn);
    const OracleField u =
        layout.withSigmas ? fieldAt(layout.sigmaColumn) : OracleField{OracleField::Number};
    if (isText(v) || isText(u)) {
        return OracleLine::Foreign;
    }
    if (v.kind == OracleField::Missing || u.kind == OracleField::Missing) {
        return onlySeparators ? OracleLine::Ends : OracleLine::Missing;
    }
    value = v.value;
    sigma = u.value;
    return OracleLine::Point;
}

Expected expectedPoints(const std::vector<std::string_view>& lines, const DataLayout& layout)
{
    Expected e;
    std::size_t next = layout.labelsRow != LabelsRow::None && !lines.empty() ? 1 : 0;
    bool ended = false;
    e.code = codeOf([&] {
        for (; next < lines.size(); ++next) {
            if (lines[next] == "FORMATTING" || lines[next] == EndOfPaste) {
                break;
            }
            const int number = static_cast<int>(next) + 1;
            double value = 0.0;
            double sigma = 0.0;
            if (ended) {
                OracleLine kind = OracleLine::Ends;
                codeOf([&] { kind = oracleLine(lines[next], layout, value, sigma); });
                if (kind == OracleLine::Point || kind == OracleLine::Missing) {
                    e.skipped.push_back(number);
                }
                continue;
            }
            const OracleLine kind = oracleLine(lines[next], layout, value, sigma);
            ended = kind == OracleLine::Ends || kind == OracleLine::EndsCounted;
            if (kind == OracleLine::Point) {
                if (e.values.size() == static_cast<std::size_t>(MaxPoints)) {
                    raise(ErrorCode::SubscriptOutOfRange);
                }
                e.values.push_back(value);
                e.sigmas.push_back(layout.withSigmas ? sigma : 0.0);
            } else if (kind != OracleLine::Ends) {
                e.skipped.push_back(number);
            }
        }
    });
    return e;
}

void requireSortedPairs(DataSet before, const DataSet& after)
{
    require(std::is_sorted(after.values.begin(), after.values.end()),
            "the sort left points out of order");
    std::vector<std::pair<double, double>> a, b;
    for (std::size_t i = 0; i < before.values.size(); ++i) {
        a.emplace_back(before.values[i], before.sigmas[i]);
        b.emplace_back(after.values[i], after.sigmas[i]);
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    require(a == b, "the sort lost or split a point's value and uncertainty");
}

// ---- settings --------------------------------------------------------------------

const std::vector<std::string>& fontList()
{
    static const std::vector<std::string> fonts{"Arial", "DejaVu Sans", "Liberation Serif"};
    return fonts;
}

Settings freshSettings()
{
    Settings s;
    s.setFontList(fontList());
    s.walkFontListTo("Arial");
    return s;
}

// ---- text ------------------------------------------------------------------------

// A plain byte-by-byte check of UTF-8, for comparison with the reader's faster one.
bool referenceUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned b = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if ((b & 0xE0) == 0xC0) {
            length = 2;
            c = b & 0x1F;
        } else if ((b & 0xF0) == 0xE0) {
            length = 3;
            c = b & 0x0F;
        } else if ((b & 0xF8) == 0xF0) {
            length = 4;
            c = b & 0x07;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        const char32_t least = length == 2 ? 0x80 : length == 3 ? 0x800 : 0x10000;
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

// ---- the chart document -------------------------------------------------------------

#if !defined(_WIN32)

// A file of the process's own memory that the readers open by path, so the
// document reads a file without touching the disk.
class MemoryFile
{
public:
    MemoryFile() : m_fd(::memfd_create("qv-fuzz", MFD_CLOEXEC))
    {
        require(m_fd >= 0, "no memory file");
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~MemoryFile() { ::close(m_fd); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& hold(std::string_view bytes)
    {
        require(::ftruncate(m_fd, 0) == 0, "memory file not emptied");
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n =
                ::pwrite(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            require(n > 0, "memory file not written");
            done += static_cast<std::size_t>(n);
        }
        return m_path;
    }

private:
    int m_fd;
    std::string m_path;
};

#endif

// The memory file under names with an extension, so the document opens it as a
// data file or a project file by its name, as the window and batch mode do.
class NamedMemoryFile
{
public:
    NamedMemoryFile()
        : m_folder(std::filesystem::temp_directory_path() /
#if defined(_WIN32)
                   ("qv-fuzz-" + std::to_string(std::random_device()())))
#else
                   ("qv-fuzz-" + std::to_string(::getpid())))
#endif
    {
        std::filesystem::create_directories(m_folder);
    }
    ~NamedMemoryFile()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }
    NamedMemoryFile(const NamedMemoryFile&) = delete;
    NamedMemoryFile& operator=(const NamedMemoryFile&) = delete;

    // The name, ending in `extension`, under which `bytes` are read.
    std::string hold(std::string_view bytes, const std::string& extension)
    {
        const std::filesystem::path name = m_folder / ("lot" + extension);
#if defined(_WIN32)
        // Windows keeps no file in memory: the bytes go to the named file itself.
        std::ofstream file(name, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        require(!file.fail(), "file not written");
#else
        const std::string& target = m_file.hold(bytes);
        if (!std::filesystem::is_symlink(name)) {
            std::filesystem::create_symlink(target, name);
        }
#endif
        return name.string();
    }

private:
#if !defined(_WIN32)
    MemoryFile m_file;
#endif
    std::filesystem::path m_folder;
};

bool finite(std::initializer_list<double> numbers)
{
    return std::all_of(numbers.begin(), numbers.end(), [](double x) { return std::isfinite(x); });
}

void requireFiniteScene(const Scene& scene)
{
    for (const ScenePrimitive& primitive : scene.primitives) {
        const bool ok = std::visit(
            [](const auto& p) {
                using T = std::decay_t<decltype(p)>;
                if constexpr (std::is_same_v<T, SceneLine> || std::is_same_v<T, SceneBox>) {
                    return finite({p.x1, p.y1, p.x2, p.y2});
                } else if constexpr (std::is_same_v<T, SceneCircle>) {
                    return finite({p.cx, p.cy, p.radius});
                } else {
                    return finite({p.x, p.y});
                }
            },
            primitive);
        require(ok, "the drawing left a non-finite coordinate for the painter");
    }
    for (const WindowText& text : scene.windowTexts) {
        require(finite({text.left, text.top, text.font.pointSize}),
                "the drawing left a window text at a non-finite place");
    }
    // A movable item that is not shown is placed afresh when it is.
    for (const Placement* p :
         {&scene.placements.statsBox, &scene.placements.yLabel, &scene.placements.plotText,
          &scene.placements.overlayStats, &scene.placements.overlayText, &scene.title}) {
        require(!p->visible || finite({p->left, p->top, p->width, p->height, p->font.pointSize}),
                "the drawing left a shown item at a non-finite place");
    }
    if (scene.coordinatesSet) {
        require(finite({scene.xmin, scene.xmax, scene.ymin, scene.ymax}) &&
                    scene.xmin != scene.xmax && scene.ymin != scene.ymax,
                "the drawing set a plot area without extent");
    }
}

} // namespace

void numberReader(std::string_view bytes)
{
    const Reading r = readAll(bytes);
    require(isOneOf(r.code, {0, ErrorCode::Overflow}), "readNumber raised an unknown code");
    require(r.code != 0 || std::isfinite(r.value), "readNumber gave a non-finite number");

    // Blanks before a number and a character after it that cannot continue it
    // change nothing.
    for (const std::string& variant : {"  " + std::string(bytes), std::string(bytes) + ",x"}) {
        const Reading v = readAll(variant);
        require(v.code == r.code && (r.code != 0 || sameBits(v.value, r.value)),
                "a blank before or a comma after a number changed it");
    }

    if (isNumberText(bytes)) {
        bool outOfRange = false;
        const double reference = referenceNumber(std::string(bytes), outOfRange);
        if (std::isinf(reference)) {
            require(r.code == ErrorCode::Overflow, "a number beyond a double was read as one");
        } else if (outOfRange || (reference != 0 && !std::isnormal(reference))) {
            // Below the smallest double: zero or the nearest tiny number.
            require(r.code == 0 && (r.value == 0 || sameBits(r.value, reference)),
                    "a number below the smallest double was misread");
        } else {
            require(r.code == 0 && sameBits(r.value, reference),
                    "a number was not read to the nearest double");
        }
    }
    if (r.code == 0) {
        const int code = codeOf([&] {
            const long long whole = roundToInteger(r.value, 32767);
            require(whole >= -32767 && whole <= 32767 &&
                        static_cast<double>(whole) == std::nearbyint(r.value),
                    "a whole-number conversion went out of its bounds");
        });
        require(isOneOf(code, {0, ErrorCode::Overflow}), "roundToInteger raised an unknown code");
    }
}

void lineSplitter(std::string_view bytes)
{
    LineFields fields;
    int count = 0;
    const int code = codeOf([&] { count = splitDataLine(bytes, fields); });
    require(isOneOf(code, {0, ErrorCode::Overflow, ErrorCode::SubscriptOutOfRange}),
            "splitDataLine raised an unknown code");
    if (code == 0) {
        require(count >= -1 && count <= MaxFields, "a field count out of range");
        require((count == 0) == trimBlanks(bytes).empty(), "an empty line was not counted 0");
        if (count > 0) {
            // The fields written back as numbers read back to the same fields.
            std::string joined;
            for (int k = 0; k < MaxFields; ++k) {
                const double v = fields.values[static_cast<std::size_t>(k)];
                require(std::isfinite(v), "a field is not a finite number");
                require(k < count || v == 0, "a field beyond the count is not 0");
                if (k < count) {
                    char buffer[32];
                    const auto end = std::to_chars(buffer, buffer + sizeof buffer, v).ptr;
                    // Every separator the splitter knows, one at a time.
                    joined.append(k == 0       ? ""
                                  : k % 3 == 0 ? ","
                                  : k % 3 == 1 ? "\t"
                                               : " ")
                        .append(buffer, end);
                }
            }
            LineFields again;
            require(splitDataLine(joined, again) == count, "rejoined fields split differently");
            for (int k = 0; k < count; ++k) {
                const auto at = static_cast<std::size_t>(k);
                require(sameBits(again.values[at], fields.values[at]),
                        "a field did not read back to the same number");
            }
        }
    }
    const auto labels = splitLabelsRow(bytes);
    require(!labels.empty(), "a labels row without items");
    for (const std::string& label : labels) {
        require(trimBlanks(label) == label, "a label kept blanks around it");
    }
}

void dataFile(std::string_view bytes)
{
    if (bytes.size() < 4) {
        return;
    }
    DataLayout layout;
    layout.columnCount = static_cast<int>(byteAt(bytes, 0) % 24) - 1;
    layout.valueColumn = static_cast<int>(byteAt(bytes, 1) % 24) - 1;
    layout.withSigmas = byteAt(bytes, 2) >= 128;
    layout.sigmaColumn = static_cast<int>((byteAt(bytes, 2) & 0x7F) % 24) - 1;
    layout.labelsRow = static_cast<LabelsRow>(byteAt(bytes, 3) % 3);
    layout.decimalComma = byteAt(bytes, 3) / 3 % 2 == 1;
    const std::string text = toUtf8Text(bytes.substr(4));
    const std::vector<std::string_view> lines = TextFile::splitLines(text);

    const PrefillResult prefill = prefillFromLines(lines);
    require(isOneOf(prefill.errorCode, {0, ErrorCode::InvalidArgument, ErrorCode::InputPastEnd,
                                        ErrorCode::SubscriptOutOfRange, ErrorCode::Overflow}),
            "the prefill failed with an unknown code");
    require(prefill.prefill.has_value() == (prefill.errorCode == 0), "a prefill and a failure");
    if (prefill.prefill) {
        require(prefill.prefill->fieldCount >= -1 && prefill.prefill->fieldCount <= MaxFields,
                "the prefill proposes a field count out of range");
        require(prefill.prefill->firstRow == trimBlanks(lines[0]),
                "the preview shows another line");
    }

    const ParseResult parsed = parseDataLines(lines, layout);
    const Expected expected = expectedPoints(lines, layout);
    require(parsed.errorCode == expected.code, "the read failed otherwise than its lines say");
    require(parsed.data.has_value() == (parsed.errorCode == 0), "points and a failure");
    if (!parsed.data) {
        return;
    }
    const DataSet& set = parsed.data->set;
    requireConsistent(set);
    require(set.enabledCount == set.pointCount, "a read point is not enabled");
    require(set.hasSigmas == layout.withSigmas, "uncertainties that the layout did not ask for");
    require(set.values.size() == expected.values.size(),
            "the read took other lines than its layout says");
    for (std::size_t i = 0; i < set.values.size(); ++i) {
        require(sameBits(set.values[i], expected.values[i]) &&
                    sameBits(set.sigmas[i], expected.sigmas[i]),
                "a point holds a number that its line does not");
    }
    require(set.skippedLines.count == static_cast<int>(expected.skipped.size()),
            "the read counted other skipped lines than its lines say");
    for (std::size_t i = 0; i < set.skippedLines.first.size(); ++i) {
        require(i < expected.skipped.size() &&
                    set.skippedLines.first[i].line == expected.skipped[i],
                "a skipped line with another number");
    }
    DataSet sorted = set;
    sortSet(sorted, sorted.pointCount);
    requireConsistent(sorted);
    requireSortedPairs(set, sorted);
}

void projectFile(std::string_view bytes)
{
    if (bytes.empty()) {
        return;
    }
    const bool asOverlay = byteAt(bytes, 0) % 2 == 1;
    const std::string text = toUtf8Text(bytes.substr(1));
    const std::vector<std::string_view> lines = TextFile::splitLines(text);
    ProjectReadResult read = readProjectLines(lines, asOverlay);
    require(isOneOf(read.errorCode, {0, ErrorCode::TypeMismatch, ErrorCode::InputPastEnd,
                                     ErrorCode::SubscriptOutOfRange, ErrorCode::Overflow}),
            "the project reader failed with an unknown code");
    require(read.project.has_value() == (read.errorCode == 0), "a project and a failure");
    if (!read.project) {
        return;
    }
    ProjectRead& project = *read.project;
    requireConsistent(project.main);
    require(project.settingsBlock.size() <= static_cast<std::size_t>(SettingsLineCount) + 1,
            "a settings block longer than the format");
    if (project.overlay) {
        require(!asOverlay, "a project read as the overlay kept its own overlay");
        requireConsistent(*project.overlay);
    }

    Settings settings = freshSettings();
    SavedPositions positions{};
    const SettingsBlockResult block =
        readSettingsBlock(settings, project.settingsBlock, positions, "DejaVu Sans");
    require(isOneOf(block.errorCode, {0, ErrorCode::TypeMismatch, ErrorCode::Overflow}),
            "the settings block failed with an unknown code");
    require(block.linesApplied >= 0 && block.linesApplied <= SettingsLineCount,
            "more settings lines applied than there are");
    for (double p : positions) {
        require(std::isfinite(p), "a stored place is not a finite number");
    }
    if (project.main.pointCount == 0) {
        return;
    }

    // What was read, saved as the document saves it (sorted), reopens to the
    // same points and settings, and saving those gives the same text.
    sortSet(project.main, project.main.pointCount);
    if (project.overlay) {
        sortSet(*project.overlay, project.overlay->pointCount);
    }
    const DataSet* overlay = project.overlay ? &*project.overlay : nullptr;
    const std::string saved = projectFileText(project.main, overlay, settings, positions);
    const std::vector<std::string_view> savedLines = TextFile::splitLines(saved);
    const ProjectReadResult reread = readProjectLines(savedLines, false);
    require(reread.project.has_value(), "a saved project does not open again");
    const ProjectRead& again = *reread.project;
    require(samePoints(again.main, project.main), "a saved project reopens with other points");
    require(again.overlay.has_value() == (overlay != nullptr) &&
                (!overlay || samePoints(*again.overlay, *overlay)),
            "a saved project reopens with another overlay");
    Settings reopened = freshSettings();
    SavedPositions reopenedPositions{};
    const SettingsBlockResult reapplied =
        readSettingsBlock(reopened, again.settingsBlock, reopenedPositions, "DejaVu Sans");
    require(reapplied.errorCode == 0 && reapplied.linesApplied == SettingsLineCount,
            "a saved settings block does not read back whole");
    const std::vector<std::string> before =
        settingsBlockLines(settings, project.main.hasSigmas, positions);
    const std::vector<std::string> after =
        settingsBlockLines(reopened, again.main.hasSigmas, reopenedPositions);
    for (std::size_t i = 0; i < before.size(); ++i) {
        // The format keeps no blanks around a text; everything else comes back as it was.
        const bool trimmed =
            isOneOf(static_cast<int>(i) + 1, {2, 3, 4, 10, 11, 29, 30, 31, 46, 53});
        require(before[i] == after[i] || (trimmed && trimBlanks(before[i]) == trimBlanks(after[i])),
                "a setting comes back otherwise from a saved project");
    }
    const DataSet* overlayAgain = again.overlay ? &*again.overlay : nullptr;
    const std::string resaved =
        projectFileText(again.main, overlayAgain, reopened, reopenedPositions);
    const ProjectReadResult third = readProjectLines(TextFile::splitLines(resaved), false);
    require(third.project.has_value(), "a resaved project does not open again");
    Settings last = freshSettings();
    SavedPositions lastPositions{};
    readSettingsBlock(last, third.project->settingsBlock, lastPositions, "DejaVu Sans");
    require(projectFileText(third.project->main,
                            third.project->overlay ? &*third.project->overlay : nullptr, last,
                            lastPositions) == resaved,
            "a reopened project saves to another text");
}

void pasteText(std::string_view bytes)
{
    const PasteCut cut = cutPastedText(bytes);
    require(isOneOf(cut.errorCode, {0, ErrorCode::InvalidArgument, ErrorCode::SubscriptOutOfRange}),
            "the paste cut failed with an unknown code");
    if (cut.errorCode != 0) {
        require(cut.lines.empty(), "a failed paste left lines");
        return;
    }
    require(!cut.lines.empty() && cut.lines.back() == EndOfPaste,
            "the paste buffer has no end line");
    require(cut.lines.size() <= PasteBufferLines, "more paste lines than the buffer holds");
    const int n = static_cast<int>(byteAt(bytes, 0) % 5);
    for (std::size_t i = 0; i + 1 < cut.lines.size(); ++i) {
        const std::string& line = cut.lines[i];
        require(!line.empty(), "an empty paste line");
        require(line.find_first_of("\r\n") == std::string::npos, "a line end inside a paste line");
        require(isValidUtf8(line), "a paste line is not UTF-8");
        require(i + 2 == cut.lines.size() || (line.front() != ' ' && line.front() != '\t'),
                "a paste line that starts with a blank or a tab was kept");
        const std::string field = nthField(line, n);
        require(field.find('\t') == std::string::npos && line.find(field) != std::string::npos,
                "a pasted field is not a piece of its row");
    }
}

void textEncoding(std::string_view bytes)
{
    const bool valid = isValidUtf8(bytes);
    require(valid == referenceUtf8(bytes), "UTF-8 was judged wrongly");
    const std::string text = toUtf8Text(bytes);
    require(isValidUtf8(text), "decoded text is not UTF-8");
    const bool bom = bytes.starts_with("\xEF\xBB\xBF");
    if (valid && !bom) {
        require(text == bytes, "UTF-8 text was changed");
    }
    if (!valid) {
        // Windows-1252: each byte after the byte-order mark one character.
        const std::string_view body = bom ? bytes.substr(3) : bytes;
        require(text.size() >= body.size(), "decoding lost characters");
    }
    if (!text.starts_with("\xEF\xBB\xBF")) {
        require(toUtf8Text(text) == text, "decoding twice changed the text");
    }
}

void formatMask(std::string_view bytes)
{
    if (bytes.size() < 8) {
        return;
    }
    double value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    std::string_view mask = bytes.substr(8);
    if (mask.size() > 256) {
        mask = mask.substr(0, 256);
    }
    const std::string any = format(value, mask);
    require(!isValidUtf8(mask) || isValidUtf8(any), "a mask broke its own characters");

    // The masks the chart uses give numbers that read back within their rounding.
    static const std::array<std::pair<const char*, double>, 10> inUse{{
        {"##.##", 0.005},
        {"0.###%", 0.000005},
        {"0.##%", 0.00005},
        {"0.#%", 0.0005},
        {"##%", 0.005},
        {"#,##0", 0.5},
        {"#,##0.00", 0.005},
        {"#,##0.0000", 0.00005},
        {"0E+00", -0.5},
        {"0.000E+00", -0.0005},
    }};
    const auto& [useMask, halfStep] = inUse[byteAt(bytes, 8) % inUse.size()];
    if (std::isfinite(value) && std::fabs(value) < 1e15) {
        const std::string shown = format(value, useMask);
        std::string digits;
        for (char c : shown) {
            if (c != ',' && c != '%') {
                digits += c;
            }
        }
        const double back = readNumber(digits) / (shown.ends_with('%') ? 100 : 1);
        // A negative half step is relative: the exponent masks round to significant digits.
        const double allowed =
            (halfStep > 0 ? halfStep : -halfStep * std::fabs(value)) * (1 + 1e-9) +
            std::fabs(value) * 1e-14 + 1e-300;
        require(std::fabs(back - value) <= allowed, "a mask printed another number");
        require(!(value < 0 && back == 0 && shown.starts_with('-')), "a zero printed with a sign");
    }
    if (std::isfinite(value)) {
        const std::string plain = plainText(value);
        require(plain.find(',') == std::string::npos, "a number text depends on the locale");
        // Fifteen digits of the largest doubles round beyond them: such a text
        // reads as an overflow, every other one as the number within its digits.
        const Reading back = readAll(plain);
        if (back.code == ErrorCode::Overflow) {
            require(std::fabs(value) > 1.79769313486231e308, "a number text reads as an overflow");
        } else {
            require(back.code == 0 && std::fabs(back.value - value) <= std::fabs(value) * 1e-14,
                    "a number text misreads");
        }
        const Reading sign = readAll(signedText(value));
        require(sign.code == back.code &&
                    (sameBits(sign.value, back.value) || (back.value == 0 && sign.value == 0)),
                "the signed text reads otherwise than the plain text");

        const int digits = static_cast<int>(byteAt(bytes, 9) % 20);
        double rounded = 0;
        const int code = codeOf([&] { rounded = roundSignificant(value, digits); });
        require(isOneOf(code, {0, ErrorCode::Overflow}),
                "significant rounding raised an unknown code");
        if (code == 0) {
            require(std::isfinite(rounded), "significant rounding gave a non-finite number");
            if (digits >= 1 && std::fabs(value) > 1e-290 && std::fabs(value) < 1e290) {
                require(std::fabs(rounded - value) <=
                            std::fabs(value) * (0.5 * std::pow(10.0, 1 - digits) + 1e-12),
                        "significant rounding moved a number too far");
            }
        }
    }
    const int places = static_cast<int>(byteAt(bytes, 10) % 40) - 5;
    const bool exponent = byteAt(bytes, 11) % 2 == 1;
    (void)format(value, valueAxisMask(places, exponent));
    const std::string percent = format(value, percentMask(value));
    require(!std::isfinite(value) || percent.ends_with('%'), "a percentage without its sign");
    const std::chrono::year_month_day date{
        std::chrono::year{static_cast<int>(byteAt(bytes, 12) * 256 + byteAt(bytes, 13)) - 32768},
        std::chrono::month{byteAt(bytes, 14)}, std::chrono::day{byteAt(bytes, 15)}};
    const std::string stamp = formatDate(date);
    require(stamp.size() == 8 && stamp[2] == '-' && stamp[5] == '-',
            "a date stamp of another shape");
}

void chartDocument(std::string_view bytes)
{
    if (bytes.size() < 4) {
        return;
    }
    ScriptedPrompter prompter;
    const test::FixedPitchMeasurer measurer;
    ChartDocument document(prompter, measurer);
    document.startUp(designLayout(12000, 9000), fontList(), "DejaVu Sans");
    const std::string_view content = bytes.substr(4);
    DataFileAnswers answers;
    if (byteAt(bytes, 1) >= 128) {
        answers.columns = static_cast<int>(byteAt(bytes, 1) % 23) - 1;
        answers.valueColumn = static_cast<int>(byteAt(bytes, 2) % 23) - 1;
        if (byteAt(bytes, 3) >= 128) {
            answers.sigmaColumn = static_cast<int>(byteAt(bytes, 3) % 23) - 1;
        }
    }
    static NamedMemoryFile file;
    const unsigned mode = byteAt(bytes, 0) % 5;
    // The plot size of the Page Setup, the design's (4) for a first byte below 5.
    const int plotSize = static_cast<int>((byteAt(bytes, 0) / 5 + 4) % 9);
    if (mode >= 3) {
        // The bytes as the overlay of a small lot.
        prompter.dataFileAnswers.push_back({});
        require(document.pasteData("2.51\n2.53\n2.49\n2.55\n2.50\n"), "the main lot did not load");
    }
    // Files are opened by name, as the window and batch mode open them: the
    // extension makes a project of modes 2 and 4.
    const bool project = mode == 2 || mode == 4;
    if (!project) {
        prompter.dataFileAnswers.push_back(answers);
    }
    if (mode == 0) {
        document.pasteData(std::string(content));
    } else if (mode <= 2) {
        document.openFromCommandLine(file.hold(content, project ? ".qvw" : ".csv"), true);
    } else {
        prompter.openAnswers.push_back(file.hold(content, project ? ".qvw" : ".csv"));
        document.inputOverlayData();
    }
    const Session& session = document.session();
    requireConsistent(session.set(1));
    const DataSet& main = session.set(1);
    require(std::is_sorted(main.values.begin(), main.values.end()), "a loaded set is not sorted");
    if (session.sources.overlayLoaded) {
        requireConsistent(session.set(2));
    }
    if (document.lastLoad().status == LoadStatus::Loaded && plotSize != 4) {
        document.settings().selectGroup(Ctl::frmPageSetup_optPlotSize, plotSize);
        document.refreshPlot();
    }
    for (const RecordedMessage& m : prompter.messages) {
        require(!m.text.empty() && !m.title.empty(), "a message without text or title");
    }
    if (document.lastLoad().status == LoadStatus::Loaded) {
        requireFiniteScene(document.scene());
        // Drawing again from the same state gives the same outcome.
        const DrawOutcome first = document.lastOutcome();
        require(document.drawPlot() == first, "a second drawing ended otherwise");
        requireFiniteScene(document.scene());
    }
}

std::span<const NamedEntry> entries()
{
    static const NamedEntry all[] = {
        {"number_reader", numberReader}, {"line_splitter", lineSplitter},
        {"data_file", dataFile},         {"project_file", projectFile},
        {"paste_text", pasteText},       {"text_encoding", textEncoding},
        {"format_mask", formatMask},     {"chart_document", chartDocument},
    };
    return all;
}

} // namespace qv::fuzz
