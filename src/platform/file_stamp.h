#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace zubk::platform {

// What shows that a file was written to: its size and its modification time, as finely as
// the file system keeps it.
struct FileStamp {
    std::uint64_t Size = 0;
    std::int64_t ModifiedTicks = 0;  // nanoseconds on POSIX systems, 100 ns on Windows

    bool operator==(const FileStamp&) const = default;
};

// The stamp of an open file; nothing when the system cannot tell.
std::optional<FileStamp> StampOf(const FileHandle& file);

// The stamp of the file that the path names now; nothing when there is none.
std::optional<FileStamp> StampOfPath(const std::string& path);

}  // namespace zubk::platform
