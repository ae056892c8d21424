#pragma once
// Writes JSON as a stream of tokens, in the layout of the program's reports:
// Indented (four spaces a level, "key": value, an empty object or array
// opened and closed on two lines, a newline after the whole) or Compact (no
// spaces at all). Nothing of a document is kept but its open levels and a small
// buffer handed to the sink as it fills.

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class JsonWriter
{
public:
    enum class Layout
    {
        Indented,
        Compact
    };

    // Receives the text in pieces, each whole UTF-8.
    using Sink = std::function<void(std::string_view)>;

    JsonWriter(Layout layout, Sink sink);
    ~JsonWriter();
    JsonWriter(const JsonWriter&) = delete;
    JsonWriter& operator=(const JsonWriter&) = delete;

    // A value: written as a member when key() came just before, else as the
    // next element of the open array (or as the whole document).
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // A member's name. The members of an object come in ascending byte order of
    // their names (the order the reports have always listed them in).
    void key(std::string_view name);
    // A finite number in its shortest exact form: integers up to 2^53 without
    // exponent, others in the shorter of plain and exponent notation ("1e-05",
    // "0.001", "1.5e+17"); negative zero as 0, and not-finite as null.
    void number(double value);
    void integer(std::int64_t value);
    // An array of numbers or integers: the same text as beginArray, number()
    // or integer() for each, and endArray. A long one is written on two
    // threads. The text of a number equal to the one before it is copied, not
    // worked out again (sorted measurements repeat their few digits often).
    void numberArray(std::span<const double> values);
    void integerArray(std::span<const std::int64_t> values);
    // The same, of `count` elements, element i being at(i).
    template <class At> void numberArray(std::size_t count, At&& at)
    {
        numberArray(std::span<const double>(gathered<double>(count, at)));
    }
    template <class At> void integerArray(std::size_t count, At&& at)
    {
        integerArray(std::span<const std::int64_t>(gathered<std::int64_t>(count, at)));
    }
    // A UTF-8 text; quotes, backslashes and control characters escaped, bytes
    // that are not UTF-8 written as U+FFFD.
    void string(std::string_view utf8);
    void boolean(bool value);
    void null();

    // Ends the document (Indented: its last newline) and hands the rest to the sink.
    void finish();

    // The text number() writes for `value`.
    static std::string numberText(double value);

private:
    struct Level
    {
        bool object = false;
        int count = 0;
        std::string lastKey;
    };

    using NumberText = std::array<char, 64>;
    // Writes numberText(value) into `text`; returns its length.
    static std::size_t formatNumber(double value, NumberText& text);
    template <class T, class At> static std::vector<T> gathered(std::size_t count, At& at)
    {
        std::vector<T> values(count);
        for (std::size_t i = 0; i < count; ++i) {
            values[i] = static_cast<T>(at(i));
        }
        return values;
    }
    // The elements of an array: makeText() gives a function, one for each
    // thread, that returns element i's text for i in ascending order.
    template <class MakeText> void elements(std::size_t count, const MakeText& makeText);
    void beginValue();
    void open(char bracket, bool object);
    void close(char bracket);
    void write(std::string_view text);
    void newLine(std::size_t depth);
    void flushIfFull();

    Layout m_layout;
    Sink m_sink;
    std::string m_buffer;
    std::vector<Level> m_levels;
    bool m_afterKey = false;
};

} // namespace qv
