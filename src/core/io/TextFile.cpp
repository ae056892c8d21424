#include "core/io/TextFile.h"

#include "core/Errors.h"
#include "core/io/PlatformFiles.h"
#include "core/io/TextEncoding.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>

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
        if (chunk.find('\r') == std::string_view::npos) {
            takeWithoutCr(chunk);
            return;
        }
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
                    tooLong();
                }
            }
        }
    }

private:
    // take() for a chunk without "\r": the library's search finds each "\n"
    // many bytes at a time, and each line's length is added at once.
    void takeWithoutCr(std::string_view chunk)
    {
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = chunk.find('\n', start);
            const std::size_t length = (end == std::string_view::npos ? chunk.size() : end) - start;
            if (length > 0) {
                m_afterCr = false;
            }
            if (m_length + length > MaxLineLength) {
                tooLong();
            }
            m_length += length;
            if (end == std::string_view::npos) {
                return;
            }
            if (!m_afterCr) {
                newLine();
            }
            m_length = 0;
            m_afterCr = false;
            start = end + 1;
        }
    }

    [[noreturn]] void tooLong() const
    {
        throw QvError(ErrorCode::LineTooLong, "Line " + std::to_string(m_line + 1) +
                                                  " of the file is longer than " +
                                                  std::to_string(MaxLineLength) + " characters.");
    }

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

// Reads the open file from its start to its end.
std::string readToEnd(const platform::ReadableFile& file, std::uint64_t size)
{
    std::string content;
    // Room for the whole file at once (growing by doubling would copy it and ask
    // for twice the memory), within a bound so that a huge file still meets the
    // line-length guard before it costs that much.
    constexpr std::uint64_t ReserveLimit = std::uint64_t{64} << 20;
    content.reserve(static_cast<std::size_t>(std::min(size, ReserveLimit)));
    LineLengthGuard guard;
    char buffer[65536];
    for (;;) {
        const std::size_t got = file.readAt(content.size(), buffer, sizeof buffer);
        if (got == 0) {
            return content;
        }
        const std::string_view chunk(buffer, got);
        guard.take(chunk);
        content.append(chunk);
    }
}

// Whether the file stayed as it was while `bytes` were read from it: a file
// another program writes, truncates or appends to meanwhile gives a mixture of
// two versions, or a last line cut short.
bool unchangedWhileRead(const platform::FileVersion& before, const platform::FileVersion& after,
                        std::size_t bytes)
{
    return before == after && after.size == bytes;
}

// Whether the open file still holds exactly `content`, read again from its
// start. A change that kept the size and the times (both within one tick of
// the file system's clock) shows here.
bool stillHolds(const platform::ReadableFile& file, std::string_view content)
{
    char buffer[65536];
    std::size_t offset = 0;
    for (;;) {
        const std::size_t n = file.readAt(offset, buffer, sizeof buffer);
        if (n == 0) {
            return offset == content.size();
        }
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
    switch (platform::fileKind(path)) {
    case platform::FileKind::Missing:
        raise(ErrorCode::FileNotFound);
    case platform::FileKind::Folder:
        raise(ErrorCode::PathFileAccess);
    case platform::FileKind::Other:
        raise(ErrorCode::BadFileMode);
    case platform::FileKind::Regular:
        break;
    }
    TextFile file;
    for (int attempt = 1;; ++attempt) {
        // Opened without blocking and checked again: the path may have been
        // replaced by a FIFO, or removed, since it was looked at.
        const platform::ReadableFile opened(path);
        const platform::FileVersion before = opened.version();
        file.m_content = readToEnd(opened, before.size);
        if (unchangedWhileRead(before, opened.version(), file.m_content.size()) &&
            stillHolds(opened, file.m_content)) {
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
    // Most files end their lines with "\n" alone: the library's search then
    // finds each end many bytes at a time.
    if (text.find('\r') == std::string_view::npos) {
        for (std::size_t end = text.find('\n'); end != std::string_view::npos;
             end = text.find('\n', start)) {
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        if (start < n) {
            lines.push_back(text.substr(start));
        }
        return lines;
    }
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
