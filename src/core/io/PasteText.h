#pragma once
// Text pasted from the clipboard, cut into the lines the reader takes, and the
// fields of a pasted row. Pure.

#include <string>
#include <string_view>
#include <vector>

namespace qv {

// The line that ends the pasted lines in the paste buffer.
inline constexpr std::string_view EndOfPaste = "END OF PASTE";
// The paste buffer holds this many lines, the end line included.
inline constexpr std::size_t PasteBufferLines = 100000;

// The paste buffer's lines, or the code of the failure that stopped the cut.
struct PasteCut
{
    std::vector<std::string> lines; // the pasted lines, then EndOfPaste
    int errorCode = 0;
};

// Cuts clipboard text into the paste buffer. The text is brought to UTF-8
// (TextEncoding.h) and trimmed of blanks, then cut at every line feed, CR LF or
// lone carriage return. A line that starts with a blank or a tab is dropped; the
// text after the last line end is kept as it is when not empty. Failures: 5 for
// an empty line (two line ends in a row), 9 for more lines than the buffer
// holds before its end line.
PasteCut cutPastedText(std::string_view text);

// Field n (1-based) of a pasted row: the row trimmed of blanks and cut at tabs;
// a row of fewer fields gives its last field.
std::string nthField(std::string_view line, int n);

} // namespace qv
