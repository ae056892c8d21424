#include "core/io/SafeFileWriter.h"

#include "core/Errors.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

namespace {

int codeOfErrno(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return ErrorCode::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return ErrorCode::PermissionDenied;
    case ENOENT:
    case ENOTDIR:
        return ErrorCode::PathNotFound;
    case ENAMETOOLONG:
        return ErrorCode::BadFileName;
    default:
        return ErrorCode::PathFileAccess;
    }
}

// Raises the code of `error` with the system's words for it ("File too large").
[[noreturn]] void raiseErrno(int error)
{
    throw QvError(codeOfErrno(error), std::strerror(error));
}

// The beginning of a temporary file's name: a dot and at most this many bytes
// of the target's name, so that the temporary name stays within the 255 bytes
// a file name may have even when the target's name is that long.
constexpr std::size_t TemporaryStemBytes = 200;

// The temporary file: removed again unless it was renamed over the target.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::random_device random;
        const std::string stem =
            "." + target.filename().string().substr(0, TemporaryStemBytes) + ".";
        const auto folder = target.parent_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto name = folder / (stem + std::to_string(random()) + ".tmp");
            m_fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd >= 0) {
                m_path = name;
                return;
            }
            if (errno != EEXIST) {
                raiseErrno(errno);
            }
        }
        throw QvError(ErrorCode::PathFileAccess, "no free temporary name beside the file");
    }
    ~TemporaryFile()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        if (!m_renamed) {
            ::unlink(m_path.c_str());
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void write(std::string_view content)
    {
        while (!content.empty()) {
            const ssize_t written = ::write(m_fd, content.data(), content.size());
            if (written < 0) {
                if (errno == EINTR) {
                    continue;
                }
                raiseErrno(errno);
            }
            content.remove_prefix(static_cast<std::size_t>(written));
        }
    }
    void keepMode(mode_t mode) { (void)::fchmod(m_fd, mode & 07777); }
    void flushAndClose()
    {
        if (::fsync(m_fd) != 0) {
            raiseErrno(errno);
        }
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0) {
            raiseErrno(errno);
        }
    }
    void renameTo(const std::filesystem::path& target)
    {
        if (::rename(m_path.c_str(), target.c_str()) != 0) {
            raiseErrno(errno);
        }
        m_renamed = true;
    }

private:
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_renamed = false;
};

} // namespace

void writeFileReplacing(const std::string& path, std::string_view content)
{
    if (path.empty()) {
        throw QvError(ErrorCode::BadFileName, "the file name is empty");
    }
    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(path, ec);
    if (ec) {
        raiseErrno(ec.value());
    }
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(target, ec))) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (!ec) {
            target = resolved;
        }
    }
    struct stat info = {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (S_ISDIR(info.st_mode)) {
            raiseErrno(EISDIR);
        }
        // A device or a FIFO is never replaced by a file, nor written to.
        if (!S_ISREG(info.st_mode)) {
            throw QvError(ErrorCode::BadFileMode,
                          "not a regular file (a device, a FIFO or a socket)");
        }
        // A file the user has made read-only stays as it is.
        if (::access(target.c_str(), W_OK) != 0) {
            raiseErrno(errno);
        }
    } else if (errno != ENOENT) {
        raiseErrno(errno);
    }
    TemporaryFile temporary(target);
    if (exists) {
        temporary.keepMode(info.st_mode);
    }
    temporary.write(content);
    temporary.flushAndClose();
    temporary.renameTo(target);
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
}

} // namespace qv
