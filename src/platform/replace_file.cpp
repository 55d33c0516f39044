#include "platform/replace_file.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "common/text_encoding.h"
#endif

namespace zubk::platform {

bool MoveIntoPlace(const std::string& from, const std::string& to) {
#ifdef _WIN32
    // rename() on Windows refuses to replace an existing file.
    const std::u16string wideFrom = Utf8ToUtf16(from);
    const std::u16string wideTo = Utf8ToUtf16(to);
    if (MoveFileExW(reinterpret_cast<const wchar_t*>(wideFrom.c_str()),
                    reinterpret_cast<const wchar_t*>(wideTo.c_str()),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    errno = EACCES;
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace zubk::platform
