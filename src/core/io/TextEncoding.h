#pragma once
// The program works in UTF-8 throughout. Text that comes in from a file or the
// clipboard is brought to UTF-8 here: a UTF-8 byte-order mark is dropped, and
// text that is not valid UTF-8 is taken as Windows-1252, the encoding of files
// written on the earlier desktop platform ("µ", "°" as single bytes).

#include <string>
#include <string_view>

namespace qv {

// Appends the code point `c` to `out` in UTF-8 (one to four bytes).
void appendUtf8(std::string& out, char32_t c);

// Whether `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing beyond U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// `bytes` as UTF-8: without a leading byte-order mark, and converted from
// Windows-1252 when it is not valid UTF-8 (the five bytes that code page leaves
// undefined become the control characters of the same number).
std::string toUtf8Text(std::string_view bytes);

} // namespace qv
