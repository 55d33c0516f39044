#include "platform/system_error.h"

#include <cerrno>
#include <cstring>

#include "common/console_texts.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace zubk::platform {

SystemError SystemErrorFromErrno(int code) {
    return {code, std::strerror(code)};
}

#ifdef _WIN32

namespace {

struct ErrorMapping {
    DWORD WindowsCode;
    int Errno;
};

// The causes that callers tell apart, and those common enough to deserve the system's text.
// A drive or network share that is not there is not on this list on purpose: it is no
// missing file, and must not end a run as one.
constexpr ErrorMapping kMappings[] = {
    {ERROR_FILE_NOT_FOUND, ENOENT},
    {ERROR_PATH_NOT_FOUND, ENOENT},
    {ERROR_BAD_PATHNAME, ENOENT},
    {ERROR_DIRECTORY, ENOTDIR},
    {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
    {ERROR_ACCESS_DENIED, EACCES},
    {ERROR_SHARING_VIOLATION, EACCES},
    {ERROR_LOCK_VIOLATION, EACCES},
    {ERROR_INVALID_NAME, EINVAL},
    {ERROR_INVALID_HANDLE, EBADF},
    {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
    {ERROR_OUTOFMEMORY, ENOMEM},
    {ERROR_DISK_FULL, ENOSPC},
    {ERROR_HANDLE_DISK_FULL, ENOSPC},
};

}  // namespace

SystemError LastSystemError() {
    const DWORD code = GetLastError();
    for (const ErrorMapping& mapping : kMappings) {
        if (mapping.WindowsCode == code) {
            return SystemErrorFromErrno(mapping.Errno);
        }
    }
    // The number at least lets the operator look the cause up.
    return {EIO, WindowsErrorText(code)};
}

#else

SystemError LastSystemError() {
    return SystemErrorFromErrno(errno);
}

#endif

}  // namespace zubk::platform
