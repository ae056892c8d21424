#include "batch/JsonWriter.h"

#include "core/RepeatedNumberText.h"
#include "core/TwoHalves.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cassert>
#include <charconv>
#include <cmath>
#include <utility>

namespace qv {

namespace {

// The buffer goes to the sink past this many bytes.
constexpr std::size_t FlushAbove = 64 * 1024;
// Arrays this long are written on two threads.
constexpr std::size_t ElementsOnTwoThreadsFrom = 8192;

// Integral doubles up to here are written as integers.
constexpr double LargestExactInteger = 9007199254740992.0; // 2^53

bool ascii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void appendEscaped(std::string& out, std::string_view utf8)
{
    static constexpr char Hex[] = "0123456789abcdef";
    out += '"';
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != '"' && c != '\\') {
            out += ch;
            continue;
        }
        out += '\\';
        switch (c) {
        case '"':
            out += '"';
            break;
        case '\\':
            out += '\\';
            break;
        case '\b':
            out += 'b';
            break;
        case '\f':
            out += 'f';
            break;
        case '\n':
            out += 'n';
            break;
        case '\r':
            out += 'r';
            break;
        case '\t':
            out += 't';
            break;
        default:
            out += "u00";
            out += Hex[c >> 4];
            out += Hex[c & 0xf];
        }
    }
    out += '"';
}

} // namespace

JsonWriter::JsonWriter(Layout layout, Sink sink) : m_layout(layout), m_sink(std::move(sink))
{
    m_buffer.reserve(FlushAbove + 4096);
}

JsonWriter::~JsonWriter() = default;

std::string JsonWriter::numberText(double value)
{
    NumberText text;
    return std::string(text.data(), formatNumber(value, text));
}

std::size_t JsonWriter::formatNumber(double value, NumberText& text)
{
    char* const first = text.data();
    char* const last = first + text.size();
    if (!std::isfinite(value)) {
        constexpr std::string_view Null = "null";
        std::copy(Null.begin(), Null.end(), first);
        return Null.size();
    }
    if (std::abs(value) <= LargestExactInteger && value == std::trunc(value)) {
        return static_cast<std::size_t>(
            std::to_chars(first, last, static_cast<std::int64_t>(value)).ptr - first);
    }
    const auto plain = static_cast<std::size_t>(std::to_chars(first, last, value).ptr - first);
    if (std::abs(value) < LargestExactInteger ||
        std::string_view(first, plain).find_first_of(".e") != std::string_view::npos) {
        return plain;
    }
    // A large integer written plainly: its shortest digits, then zeros, where
    // the plain form would spell out every digit of the binary value.
    NumberText scientific;
    const char* const begin = scientific.data();
    const char* end = std::to_chars(scientific.data(), scientific.data() + scientific.size(), value,
                                    std::chars_format::scientific)
                          .ptr;
    const char* e = std::find(begin, end, 'e');
    int exponent = 0;
    std::from_chars(e + 2, end, exponent); // past "e+": the value is at least 2^53
    char* out = first;
    if (value < 0) {
        *out++ = '-';
    }
    int digits = 0;
    for (const char* c = begin; c != e; ++c) {
        if (*c >= '0' && *c <= '9') {
            *out++ = *c;
            ++digits;
        }
    }
    out = std::fill_n(out, exponent + 1 - digits, '0');
    return static_cast<std::size_t>(out - first);
}

void JsonWriter::beginValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    if (m_levels.empty()) {
        return;
    }
    Level& level = m_levels.back();
    assert(!level.object && "an object's member needs its key first");
    if (level.count++ > 0) {
        m_buffer += ',';
    }
    newLine(m_levels.size());
}

void JsonWriter::newLine(std::size_t depth)
{
    if (m_layout == Layout::Indented) {
        m_buffer += '\n';
        m_buffer.append(4 * depth, ' ');
    }
}

void JsonWriter::open(char bracket, bool object)
{
    beginValue();
    m_buffer += bracket;
    m_levels.push_back({object, 0, {}});
}

void JsonWriter::close(char bracket)
{
    assert(!m_levels.empty() && !m_afterKey);
    m_levels.pop_back();
    newLine(m_levels.size());
    m_buffer += bracket;
    flushIfFull();
}

void JsonWriter::beginObject()
{
    open('{', true);
}

void JsonWriter::endObject()
{
    assert(m_levels.back().object);
    close('}');
}

void JsonWriter::beginArray()
{
    open('[', false);
}

void JsonWriter::endArray()
{
    assert(!m_levels.back().object);
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    assert(!m_levels.empty() && m_levels.back().object && !m_afterKey);
    Level& level = m_levels.back();
    assert((level.count == 0 || level.lastKey < name) && "members must come in ascending order");
#ifndef NDEBUG
    level.lastKey = name;
#endif
    if (level.count++ > 0) {
        m_buffer += ',';
    }
    newLine(m_levels.size());
    appendEscaped(m_buffer, name);
    m_buffer += m_layout == Layout::Indented ? ": " : ":";
    m_afterKey = true;
}

void JsonWriter::write(std::string_view text)
{
    beginValue();
    m_buffer += text;
    flushIfFull();
}

void JsonWriter::number(double value)
{
    NumberText text;
    write(std::string_view(text.data(), formatNumber(value, text)));
}

void JsonWriter::integer(std::int64_t value)
{
    std::array<char, 24> text{};
    const char* end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    write(std::string_view(text.data(), static_cast<std::size_t>(end - text.data())));
}

template <class MakeText> void JsonWriter::elements(std::size_t count, const MakeText& makeText)
{
    beginArray();
    // What comes before each element: a comma but before the first, then its line.
    std::string before(1, ',');
    if (m_layout == Layout::Indented) {
        before += '\n';
        before.append(4 * m_levels.size(), ' ');
    }
    const std::string_view first = std::string_view(before).substr(1);
    const auto run = [&](std::size_t from, std::size_t to, std::string& out, bool flush) {
        auto text = makeText();
        for (std::size_t i = from; i < to; ++i) {
            out += i == 0 ? first : std::string_view(before);
            out += text(i);
            if (flush && out.size() > FlushAbove) {
                flushIfFull();
            }
        }
    };
    // The second half of a long array is written on a thread of its own while
    // the first goes out, then follows it.
    std::string second;
    // Room for the second half is taken here, from the memory the rest of the run uses.
    second.reserve((count - twoHalvesMiddle(count, ElementsOnTwoThreadsFrom)) *
                   (before.size() + 24));
    inTwoHalves(
        count, ElementsOnTwoThreadsFrom,
        [&](std::size_t from, std::size_t to) { run(from, to, m_buffer, true); },
        [&](std::size_t from, std::size_t to) { run(from, to, second, false); });
    if (!second.empty()) {
        m_sink(m_buffer);
        m_buffer.clear();
        m_sink(second);
    }
    m_levels.back().count = static_cast<int>(count);
    endArray();
}

void JsonWriter::numberArray(std::span<const double> values)
{
    elements(values.size(), [values] {
        return [values, last = RepeatedNumberText<NumberText{}.size()>{}](std::size_t i) mutable {
            return last.of(values[i], formatNumber);
        };
    });
}

void JsonWriter::integerArray(std::span<const std::int64_t> values)
{
    elements(values.size(), [values] {
        return [values, text = std::array<char, 24>{}](std::size_t i) mutable {
            const char* end = std::to_chars(text.data(), text.data() + text.size(), values[i]).ptr;
            return std::string_view(text.data(), static_cast<std::size_t>(end - text.data()));
        };
    });
}

void JsonWriter::string(std::string_view utf8)
{
    beginValue();
    if (ascii(utf8)) {
        appendEscaped(m_buffer, utf8);
    } else {
        // Read and written again as Qt does, so a byte that is not UTF-8
        // becomes U+FFFD as it would anywhere else in the program.
        const QByteArray repaired =
            QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toUtf8();
        appendEscaped(m_buffer, std::string_view(repaired.constData(),
                                                 static_cast<std::size_t>(repaired.size())));
    }
    flushIfFull();
}

void JsonWriter::boolean(bool value)
{
    write(value ? "true" : "false");
}

void JsonWriter::null()
{
    write("null");
}

void JsonWriter::finish()
{
    assert(m_levels.empty());
    if (m_layout == Layout::Indented) {
        m_buffer += '\n';
    }
    m_sink(m_buffer);
    m_buffer.clear();
}

void JsonWriter::flushIfFull()
{
    if (m_buffer.size() > FlushAbove) {
        m_sink(m_buffer);
        m_buffer.clear();
    }
}

} // namespace qv
