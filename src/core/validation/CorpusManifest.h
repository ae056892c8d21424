#pragma once
// The files of the validation corpus as the program was built with them: each
// path (relative to the corpus folder, "/" separated) with its SHA-256. The
// list is made by the build from the corpus it installs.

#include <span>
#include <string_view>

namespace qv {

struct CorpusFile
{
    std::string_view path;
    std::string_view sha256; // 64 lower-case hexadecimal digits
};

// The built-in list, sorted by path.
[[nodiscard]] std::span<const CorpusFile> builtInCorpus();

} // namespace qv
