#pragma once
// A folder of small files made for one test and removed after it.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

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

} // namespace qv::test
