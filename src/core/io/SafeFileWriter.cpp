#include "core/io/SafeFileWriter.h"

#include "core/Errors.h"
#include "core/io/PlatformFiles.h"

#include <filesystem>
#include <system_error>

namespace qv {

namespace platform {

namespace {

// The beginning of a temporary file's name: a dot and at most this many units
// of the target's name, so that the temporary name stays within the 255 a file
// name may have even when the target's name is that long.
constexpr std::size_t TemporaryStemUnits = 200;

} // namespace

std::filesystem::path temporaryNameBeside(const std::filesystem::path& target, unsigned number)
{
    const std::filesystem::path::string_type stem =
        target.filename().native().substr(0, TemporaryStemUnits);
    std::filesystem::path name(".");
    name += stem;
    name += "." + std::to_string(number) + ".tmp";
    return target.parent_path() / name;
}

} // namespace platform

void writeFileReplacing(const std::string& path, std::string_view content)
{
    if (path.empty()) {
        throw QvError(ErrorCode::BadFileName, "the file name is empty");
    }
    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(platform::nativePath(path), ec);
    if (ec) {
        platform::raiseFileError(ec);
    }
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    platform::replaceFile(target, content);
}

} // namespace qv
