#include "core/io/FilePaths.h"

#include "core/io/PlatformFiles.h"
#include "core/io/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace qv {

SplitPathResult splitPath(std::string_view path)
{
    const auto slash = path.find_last_of(platform::pathSeparators());
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

namespace {

constexpr char16_t EscapedByteBase = 0xDC00;

// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0.
std::size_t utf8SequenceLength(std::string_view bytes)
{
    const auto lead = static_cast<unsigned char>(bytes.front());
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return length <= bytes.size() && isValidUtf8(bytes.substr(0, length)) ? length : 0;
}

void appendUtf16(std::u16string& out, char32_t c)
{
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    }
}

} // namespace

std::u16string fileNameText(std::string_view bytes)
{
    std::u16string out;
    while (!bytes.empty()) {
        const std::size_t length = utf8SequenceLength(bytes);
        const auto lead = static_cast<unsigned char>(bytes.front());
        if (length == 0) {
            out += static_cast<char16_t>(EscapedByteBase + lead);
            bytes.remove_prefix(1);
            continue;
        }
        char32_t c = length == 1 ? char32_t{lead} : char32_t{lead} & (0xFFu >> (length + 1));
        for (std::size_t i = 1; i < length; ++i) {
            c = (c << 6) | (char32_t{static_cast<unsigned char>(bytes[i])} & 0x3Fu);
        }
        appendUtf16(out, c);
        bytes.remove_prefix(length);
    }
    return out;
}

std::string fileNameBytes(std::u16string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        const bool high = unit >= 0xD800 && unit < 0xDC00;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            appendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= EscapedByteBase + 0x80 && unit <= EscapedByteBase + 0xFF) {
            out += static_cast<char>(unit - EscapedByteBase);
        } else {
            appendUtf8(out, unit);
        }
    }
    return out;
}

std::string fileIdentity(const std::string& path)
{
    if (std::string identity = platform::existingFileIdentity(path); !identity.empty()) {
        return identity;
    }
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path absolute = fs::absolute(platform::nativePath(path), ec);
    // A link to a file not yet written names the file it would create.
    if (fs::is_symlink(fs::symlink_status(absolute, ec))) {
        absolute = fs::weakly_canonical(absolute, ec);
    }
    const fs::path folder = fs::weakly_canonical(absolute.parent_path(), ec);
    return "path " + platform::utf8Path(folder / absolute.filename());
}

} // namespace qv
