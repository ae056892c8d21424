#pragma once
// A folder of small files made for one test and removed after it.

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace qv::test {

// The path of a file name kept as the program keeps it, in UTF-8, and back;
// Windows reads a narrow name in its own code page otherwise.
inline std::filesystem::path utf8Path(const std::string& name)
{
#if defined(_WIN32)
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
    return name;
#endif
}
inline std::string utf8Name(const std::filesystem::path& path)
{
#if defined(_WIN32)
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

class TempFiles
{
public:
    TempFiles()
    {
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() /
                ("qv-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
    }
    ~TempFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    TempFiles(const TempFiles&) = delete;
    TempFiles& operator=(const TempFiles&) = delete;

    // Writes `content` byte for byte and returns the file's path.
    std::string write(const std::string& name, const std::string& content) const
    {
        const auto path = m_dir / utf8Path(name);
        std::ofstream(path, std::ios::binary) << content;
        return utf8Name(path);
    }
    std::string path(const std::string& name) const { return utf8Name(m_dir / utf8Path(name)); }

private:
    std::filesystem::path m_dir;
};

// A file's bytes as they are on disk, "" when it cannot be read.
inline std::string fileBytes(const std::string& path)
{
    std::ostringstream out;
    out << std::ifstream(utf8Path(path), std::ios::binary).rdbuf();
    return out.str();
}

// The names in a folder, sorted: what a failed save left beside the old file.
inline std::vector<std::string> folderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(utf8Name(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace qv::test
