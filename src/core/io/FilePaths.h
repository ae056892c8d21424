#pragma once
// What the file commands read from a path: its bare name, its extension, and
// whether it names a project file.

#include <string>
#include <string_view>

namespace qv {

// The bare file name (after the last "/") and the extension, which is
// simply the last three characters of the path.
struct SplitPathResult
{
    std::string fileName;
    std::string extension;
};
SplitPathResult splitPath(std::string_view path);

// Whether `path` names a project file: it ends in ".qvw" in any mixture of
// cases. Every command decides with this one test.
bool isProjectPath(std::string_view path);

} // namespace qv
