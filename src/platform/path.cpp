#include "platform/path.h"

namespace zubk::platform {

namespace {

// Windows accepts both slashes, and a drive letter's colon ends the directory part of "C:x.txt".
#ifdef _WIN32
constexpr std::string_view kDirectorySeparators = "\\/:";
#else
constexpr std::string_view kDirectorySeparators = "/";
#endif

}  // namespace

std::string_view DirectoryPart(std::string_view fileName) {
    const auto last = fileName.find_last_of(kDirectorySeparators);
    if (last == std::string_view::npos) {
        return {};
    }
    return fileName.substr(0, last + 1);
}

}  // namespace zubk::platform
