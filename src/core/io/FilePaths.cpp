#include "core/io/FilePaths.h"

#include <algorithm>
#include <cctype>

namespace qv {

SplitPathResult splitPath(std::string_view path)
{
    const auto slash = path.rfind('/');
    SplitPathResult result;
    result.fileName = std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
    result.extension = std::string(path.size() > 3 ? path.substr(path.size() - 3) : path);
    return result;
}

bool isProjectPath(std::string_view path)
{
    constexpr std::string_view Extension = ".qvw";
    if (path.size() < Extension.size()) {
        return false;
    }
    const std::string_view end = path.substr(path.size() - Extension.size());
    return std::equal(end.begin(), end.end(), Extension.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace qv
