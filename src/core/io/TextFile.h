#pragma once
// A text file read whole and cut into lines. Lines may end in CR LF, LF or CR;
// the line ends are not part of the lines, and a last line without an end counts.
// The text is UTF-8 once read: a byte-order mark is dropped and text that is not
// UTF-8 is read as Windows-1252 (see TextEncoding.h).

#include "core/model/DataSet.h"

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

// The most lines the reader takes: the largest lot (MaxPoints points in each of
// the two sets a project holds) with as many lines again for labels, comments
// and settings. Reading stops at the first line past it, which fails as a lot
// beyond MaxPoints does, so that memory follows the point limit, not the file.
inline constexpr std::size_t MaxFileLines = 4 * static_cast<std::size_t>(MaxPoints);

class TextFile
{
public:
    // Reads a regular file whole. Raises QvError: 52 for an empty path, 53 when
    // the file does not exist (or vanishes before it is opened), 75 for a folder
    // or a path that cannot be searched, 54 for anything else that is not a
    // regular file (a FIFO, a device, a socket), which could block or never
    // end, 70 when reading is not permitted, 7 when it does not fit in memory,
    // ErrorCode::LineTooLong, naming the line in its text, for a line longer
    // than MaxLineLength, and 9 for a file of more than MaxFileLines lines,
    // found once that many lines are read. A file that another program changes while it is read
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
