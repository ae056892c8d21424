#include "core/io/TextFile.h"

#include "core/Errors.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

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
    // The views stay valid: moving a std::string that owns a heap buffer keeps the
    // buffer, but a short string lives inside the object, so re-cut to be safe.
    m_content = std::move(other.m_content);
    m_lines = splitLines(m_content);
    other.m_lines.clear();
    return *this;
}

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
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) {
        raise(errno == EACCES ? ErrorCode::PermissionDenied : ErrorCode::PathFileAccess);
    }
    TextFile file;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        file.m_content.append(buffer, got);
    }
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed) {
        raise(ErrorCode::PathFileAccess);
    }
    file.m_lines = splitLines(file.m_content);
    return file;
}

std::vector<std::string_view> TextFile::splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
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
