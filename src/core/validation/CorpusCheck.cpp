#include "core/validation/CorpusCheck.h"

#include "core/validation/Sha256.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

namespace qv {

std::optional<std::string> readWholeFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

std::vector<CorpusFileCheck> checkCorpus(const std::filesystem::path& folder,
                                         std::span<const CorpusFile> listed)
{
    std::vector<CorpusFileCheck> checks;
    std::set<std::string> names;
    for (const CorpusFile& file : listed) {
        CorpusFileCheck check{
            std::string(file.path), std::string(file.sha256), {}, CorpusFileState::Missing};
        names.insert(check.path);
        if (const auto bytes = readWholeFile(folder / check.path)) {
            check.actual = sha256Hex(*bytes);
            check.state =
                check.actual == check.expected ? CorpusFileState::Intact : CorpusFileState::Changed;
        }
        checks.push_back(std::move(check));
    }
    std::vector<std::string> extra;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_regular_file()) {
            const std::string path = it->path().lexically_relative(folder).generic_string();
            if (!names.contains(path)) {
                extra.push_back(path);
            }
        }
    }
    std::sort(extra.begin(), extra.end());
    for (const std::string& path : extra) {
        const auto bytes = readWholeFile(folder / path);
        checks.push_back(
            {path, {}, bytes ? sha256Hex(*bytes) : std::string(), CorpusFileState::Unlisted});
    }
    return checks;
}

const char* stateName(CorpusFileState state)
{
    switch (state) {
    case CorpusFileState::Intact:
        return "intact";
    case CorpusFileState::Changed:
        return "changed";
    case CorpusFileState::Missing:
        return "missing";
    case CorpusFileState::Unlisted:
        break;
    }
    return "not in the built-in list";
}

} // namespace qv
