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

// Opens a file for reading its bytes unchanged (no line-end or Ctrl-Z translation); null when
// it cannot be opened, with errno telling why.
inline UniqueFile OpenForBinaryReading(const std::string& path) {
    return UniqueFile(std::fopen(path.c_str(), "rb"));
}

}  // namespace zubk::platform
