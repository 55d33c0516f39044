#pragma once

#include <string>

#include "platform/file_handle.h"
#include "platform/system_error.h"

namespace zubk::platform {

enum class OpenOutcome {
    Opened,
    CannotOpen,       // see the error; a directory is EISDIR on POSIX systems
    NotARegularFile,  // a pipe, a device or a socket
};

struct OpenResult {
    OpenOutcome Outcome = OpenOutcome::CannotOpen;
    FileHandle File;    // open for reading when Opened
    SystemError Error;  // why not, when CannotOpen
};

// Opens an existing file for reading its bytes, but only when it is a regular file. Never
// waits: opening a pipe without a writer or a device could block, and reading one could
// block or never end.
OpenResult OpenRegularFileForReading(const std::string& path);

}  // namespace zubk::platform
