// The files of a POSIX system: descriptors, stat, fsync and rename.
#include "core/io/PlatformFiles.h"

#include "core/Errors.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv::platform {

std::filesystem::path nativePath(const std::string& utf8) { return utf8; }

std::string utf8Path(const std::filesystem::path& path) { return path.string(); }

std::string_view pathSeparators() { return "/"; }

FileKind fileKind(const std::string& path)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
            raise(ec == std::errc::permission_denied ? ErrorCode::PermissionDenied
                                                     : ErrorCode::PathFileAccess);
        }
        return FileKind::Missing;
    }
    if (std::filesystem::is_directory(status)) {
        return FileKind::Folder;
    }
    return std::filesystem::is_regular_file(status) ? FileKind::Regular : FileKind::Other;
}

namespace {

int descriptorOf(std::intptr_t handle) { return static_cast<int>(handle); }

} // namespace

ReadableFile::ReadableFile(const std::string& path)
    : m_handle(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC))
{
    if (m_handle < 0) {
        switch (errno) {
        case EACCES:
            raise(ErrorCode::PermissionDenied);
        case ENOENT:
        case ENOTDIR:
            raise(ErrorCode::FileNotFound);
        default:
            raise(ErrorCode::PathFileAccess);
        }
    }
    struct stat info = {};
    const bool known = ::fstat(descriptorOf(m_handle), &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        ::close(descriptorOf(m_handle));
        raise(known ? ErrorCode::BadFileMode : ErrorCode::PathFileAccess);
    }
}

ReadableFile::~ReadableFile() { ::close(descriptorOf(m_handle)); }

FileVersion ReadableFile::version() const
{
    struct stat info = {};
    if (::fstat(descriptorOf(m_handle), &info) != 0) {
        raise(ErrorCode::PathFileAccess);
    }
    return {static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec, info.st_mtim.tv_nsec,
            info.st_ctim.tv_sec, info.st_ctim.tv_nsec};
}

std::size_t ReadableFile::readAt(std::uint64_t offset, char* buffer, std::size_t size) const
{
    for (;;) {
        const ssize_t got = ::pread(descriptorOf(m_handle), buffer, size, static_cast<off_t>(offset));
        if (got >= 0) {
            return static_cast<std::size_t>(got);
        }
        if (errno != EINTR) {
            raise(ErrorCode::PathFileAccess);
        }
    }
}

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

// The temporary file: removed again unless it was renamed over the target.
class TemporaryFile
{
public:
    explicit TemporaryFile(const std::filesystem::path& target)
    {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto name = temporaryNameBeside(target, random());
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

void raiseFileError(const std::error_code& error) { raiseErrno(error.value()); }

void replaceFile(const std::filesystem::path& target, std::string_view content)
{
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

std::string existingFileIdentity(const std::string& path)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        return {};
    }
    return "inode " + std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

void failWritesPastSizeLimit() { std::signal(SIGXFSZ, SIG_IGN); }

void holdClosedStandardStreams()
{
    // /dev/null opened for reading takes the lowest free number, the closed
    // stream's, and writing to it fails as writing to a closed stream should.
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) == -1) {
            const int held = ::open("/dev/null", O_RDONLY);
            if (held >= 0 && held != fd) {
                ::close(held);
            }
        }
    }
}

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

} // namespace qv::platform
