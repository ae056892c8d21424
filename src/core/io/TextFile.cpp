#include "core/io/TextFile.h"

#include "core/Errors.h"
#include "core/io/TextEncoding.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qv {

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

TextFile::TextFile(TextFile&& other) noexcept { *this = std::move(other); }

TextFile& TextFile::operator=(TextFile&& other) noexcept
{
    // The views stay valid when the text's buffer moves with it, as a heap buffer
    // does; a short string lives inside the object, so its lines are cut anew.
    const char* const before = other.m_content.data();
    m_content = std::move(other.m_content);
    if (m_content.data() == before) {
        m_lines = std::move(other.m_lines);
    } else {
        m_lines = splitLines(m_content);
    }
    other.m_lines.clear();
    return *this;
}

namespace {

// Counts the lines and the characters since the last line end across the chunks
// of a read; raises LineTooLong when a line grows past MaxLineLength and 9 when
// the file goes on past MaxFileLines lines.
class LineLengthGuard
{
public:
    void take(std::string_view chunk)
    {
        for (char c : chunk) {
            if (c == '\n') {
                if (!m_afterCr) {
                    newLine();
                }
                m_length = 0;
                m_afterCr = false;
            } else if (c == '\r') {
                newLine();
                m_length = 0;
                m_afterCr = true;
            } else {
                m_afterCr = false;
                if (++m_length > MaxLineLength) {
                    throw QvError(ErrorCode::LineTooLong, "Line " + std::to_string(m_line + 1) +
                                                              " of the file is longer than " +
                                                              std::to_string(MaxLineLength) +
                                                              " characters.");
                }
            }
        }
    }

private:
    void newLine()
    {
        if (++m_line > MaxFileLines) {
            throw QvError(ErrorCode::SubscriptOutOfRange,
                          "The file has more than " + std::to_string(MaxFileLines) + " lines.");
        }
    }

    std::size_t m_line = 0; // line ends seen so far
    std::size_t m_length = 0;
    bool m_afterCr = false;
};

class Descriptor
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

namespace {

// Reads the file open at `fd` from its start to its end.
std::string readToEnd(int fd, off_t size)
{
    std::string content;
    // Room for the whole file at once (growing by doubling would copy it and ask
    // for twice the memory), within a bound so that a huge file still meets the
    // line-length guard before it costs that much.
    constexpr off_t ReserveLimit = off_t{64} << 20;
    content.reserve(static_cast<std::size_t>(std::clamp(size, off_t{0}, ReserveLimit)));
    LineLengthGuard guard;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            raise(ErrorCode::PathFileAccess);
        }
        if (got == 0) {
            return content;
        }
        const std::string_view chunk(buffer, static_cast<std::size_t>(got));
        guard.take(chunk);
        content.append(chunk);
    }
}

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// Whether the file stayed as it was while `bytes` were read from it: a file
// another program writes, truncates or appends to meanwhile gives a mixture of
// two versions, or a last line cut short.
bool unchangedWhileRead(const struct stat& before, const struct stat& after, std::size_t bytes)
{
    return before.st_size == after.st_size && static_cast<std::size_t>(after.st_size) == bytes &&
           sameTime(before.st_mtim, after.st_mtim) && sameTime(before.st_ctim, after.st_ctim);
}

// Whether the file open at `fd` still holds exactly `content`, read again from
// its start. A change that kept the size and the times (both within one tick
// of the file system's clock) shows here.
bool stillHolds(int fd, std::string_view content)
{
    char buffer[65536];
    std::size_t offset = 0;
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(offset));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            raise(ErrorCode::PathFileAccess);
        }
        if (got == 0) {
            return offset == content.size();
        }
        const auto n = static_cast<std::size_t>(got);
        if (n > content.size() - offset || std::memcmp(buffer, content.data() + offset, n) != 0) {
            return false;
        }
        offset += n;
    }
}

// How often a file that changes while it is read is read again before the
// read is given up, and the pause before each new attempt.
constexpr int ReadAttempts = 3;
constexpr auto PauseBetweenAttempts = std::chrono::milliseconds(20);

} // namespace

TextFile TextFile::read(const std::string& path)
{
    if (path.empty()) {
        raise(ErrorCode::BadFileName);
    }
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        if (ec && ec != std::errc::no_such_file_or_directory && ec != std::errc::not_a_directory) {
            raise(ec == std::errc::permission_denied ? ErrorCode::PermissionDenied
                                                     : ErrorCode::PathFileAccess);
        }
        raise(ErrorCode::FileNotFound);
    }
    if (std::filesystem::is_directory(status)) {
        raise(ErrorCode::PathFileAccess);
    }
    if (!std::filesystem::is_regular_file(status)) {
        raise(ErrorCode::BadFileMode);
    }
    TextFile file;
    for (int attempt = 1;; ++attempt) {
        // Opened without blocking and checked again: the path may have been
        // replaced by a FIFO, or removed, since it was looked at.
        const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (fd.get() < 0) {
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
        struct stat before = {};
        if (::fstat(fd.get(), &before) != 0) {
            raise(ErrorCode::PathFileAccess);
        }
        if (!S_ISREG(before.st_mode)) {
            raise(ErrorCode::BadFileMode);
        }
        file.m_content = readToEnd(fd.get(), before.st_size);
        struct stat after = {};
        if (::fstat(fd.get(), &after) != 0) {
            raise(ErrorCode::PathFileAccess);
        }
        if (unchangedWhileRead(before, after, file.m_content.size()) &&
            stillHolds(fd.get(), file.m_content)) {
            break;
        }
        // Another program is writing the file: read it again once it may be
        // done, and tell the user to try again when it never keeps still.
        if (attempt == ReadAttempts) {
            raise(ErrorCode::FileAlreadyOpen);
        }
        std::this_thread::sleep_for(PauseBetweenAttempts);
    }
    // Files from the earlier platform come in Windows-1252; everything inside is UTF-8.
    if (file.m_content.starts_with("\xEF\xBB\xBF") || !isValidUtf8(file.m_content)) {
        file.m_content = toUtf8Text(file.m_content);
    }
    file.m_lines = splitLines(file.m_content);
    return file;
}

std::vector<std::string_view> TextFile::splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < n) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

} // namespace qv
