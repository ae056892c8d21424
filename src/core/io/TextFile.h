#pragma once
// A text file read whole and cut into lines. Lines may end in CR LF, LF or CR;
// the line ends are not part of the lines, and a last line without an end counts.
// The text is UTF-8 once read: a byte-order mark is dropped and text that is not
// UTF-8 is read as Windows-1252 (see TextEncoding.h).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The text without leading and trailing blanks (tabs stay), as lines and
// arguments are trimmed before they are read.
std::string_view trimBlanks(std::string_view text);

// The longest line the reader takes, in bytes: far beyond any line of
// measurements, and a bound on what a file without line ends can cost.
inline constexpr std::size_t MaxLineLength = 1 << 20;

class TextFile
{
public:
    // Reads a regular file whole. Raises QvError: 52 for an empty path, 53 when
    // the file does not exist (or vanishes before it is opened), 75 for a folder
    // or a path that cannot be searched, 54 for anything else that is not a
    // regular file (a FIFO, a device, a socket), which could block or never
    // end, 70 when reading is not permitted, 7 when it does not fit in memory,
    // and ErrorCode::LineTooLong, naming the line in its text, for a line longer
    // than MaxLineLength. A file that another program changes while it is read
    // (its size or times change, or a second reading differs) is read again, up
    // to three times in all, and then fails with 55, so a read never mixes two
    // versions; a file removed or replaced after it was opened is read whole as
    // it was.
    static TextFile read(const std::string& path);
    static std::vector<std::string_view> splitLines(std::string_view text);

    const std::vector<std::string_view>& lines() const { return m_lines; }

    TextFile() = default;
    TextFile(TextFile&& other) noexcept;
    TextFile& operator=(TextFile&& other) noexcept;
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

private:
    std::string m_content;
    std::vector<std::string_view> m_lines; // views into m_content
};

} // namespace qv
