#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace zubk::platform {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};

// An open C stream that is closed when its owner goes away.
using UniqueFile = std::unique_ptr<std::FILE, FileCloser>;

// File names are UTF-8 on Windows (see common/file_names.h) and go to the wide C functions
// there; elsewhere they are bytes and go as they are.

// Opens a file for reading its bytes unchanged (no line-end or Ctrl-Z translation); null when
// it cannot be opened, with errno telling why.
UniqueFile OpenForBinaryReading(const std::string& path);

// Creates or empties a file for writing bytes unchanged; null with errno when it cannot.
UniqueFile OpenForBinaryWriting(const std::string& path);

// Removes a file; false with errno when it cannot (ENOENT: there was none).
bool RemoveFile(const std::string& path);

}  // namespace zubk::platform
