#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace zubk::testing {

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

    // Writes the bytes exactly as given and returns the file's full path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path m_path;
};

// A file's bytes exactly as they are; empty text when it cannot be read.
std::string ReadWhole(const std::filesystem::path& path);

}  // namespace zubk::testing
