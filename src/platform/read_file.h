#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "platform/file_handle.h"
#include "platform/system_error.h"

namespace zubk::platform {

// Reads from the file's current position until its end, but no more than limit bytes, into
// bytes (replacing what it held). The error when a read fails.
std::optional<SystemError> ReadUpTo(const FileHandle& file, std::size_t limit, std::string& bytes);

}  // namespace zubk::platform
