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
        const auto path = m_dir / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }
    std::string path(const std::string& name) const { return (m_dir / name).string(); }

private:
    std::filesystem::path m_dir;
};

// A file's bytes as they are on disk, "" when it cannot be read.
inline std::string fileBytes(const std::string& path)
{
    std::ostringstream out;
    out << std::ifstream(path, std::ios::binary).rdbuf();
    return out.str();
}

// The names in a folder, sorted: what a failed save left beside the old file.
inline std::vector<std::string> folderNames(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace qv::test
