#pragma once

#include <string>

namespace zubk::platform {

// Why a call to the system failed, in errno's terms on every platform: Windows' own error
// codes are mapped to the errno value of the same cause, so that callers decide by one set of
// names (ENOENT: there is no such file).
struct SystemError {
    int Code = 0;      // an errno value
    std::string Text;  // the system's short text for it
};

// The error of the system call that failed just now: errno, or GetLastError on Windows.
SystemError LastSystemError();

SystemError SystemErrorFromErrno(int code);

}  // namespace zubk::platform
