#include "platform/replace_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
// windows.h names its own ReplaceFile function by a macro, which would rename ours here.
#undef ReplaceFile
#endif

namespace zubk::platform {

bool ReplaceFile(const std::string& from, const std::string& to) {
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    errno = EACCES;
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace zubk::platform
