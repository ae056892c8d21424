#pragma once
// What the file commands read from a path: its bare name, its extension, and
// whether it names a project file; file names between bytes and text, and the
// identity of the file a path names.

#include <string>
#include <string_view>

namespace qv {

// The bare file name (after the last "/", or on Windows "\\" too) and the extension, which is
// simply the last three characters of the path.
struct SplitPathResult
{
    std::string fileName;
    std::string extension;
};
SplitPathResult splitPath(std::string_view path);

// A file name's bytes as UTF-16 text that gives the same bytes back: UTF-8 is
// decoded, and each byte that is not part of well-formed UTF-8 becomes the lone
// surrogate U+DC00 + byte (U+DC80 to U+DCFF), so that "lot\351.csv" keeps its byte.
std::u16string fileNameText(std::string_view bytes);
// The bytes of a name that fileNameText gave (or any UTF-16 text, in UTF-8).
std::string fileNameBytes(std::u16string_view text);

// What tells two paths apart as files: the system's identity of an existing
// file (through any link), else the canonical path of its folder and the name, so
// that two spellings of one file, or two links to it, give the same identity.
std::string fileIdentity(const std::string& path);

// Whether `path` names a project file: it ends in ".qvw" in any mixture of
// cases. Every command decides with this one test.
bool isProjectPath(std::string_view path);

} // namespace qv
