#include "platform/file.h"

#ifdef _WIN32
#include <cwchar>

#include "common/text_encoding.h"
#endif

namespace zubk::platform {

namespace {

#ifdef _WIN32
std::wstring Wide(const std::string& utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}
#endif

UniqueFile Open(const std::string& path, const char* mode, const wchar_t* wideMode) {
#ifdef _WIN32
    (void)mode;
    return UniqueFile(_wfopen(Wide(path).c_str(), wideMode));
#else
    (void)wideMode;
    return UniqueFile(std::fopen(path.c_str(), mode));
#endif
}

}  // namespace

UniqueFile OpenForBinaryReading(const std::string& path) {
    return Open(path, "rb", L"rb");
}

UniqueFile OpenForBinaryWriting(const std::string& path) {
    return Open(path, "wb", L"wb");
}

bool RemoveFile(const std::string& path) {
#ifdef _WIN32
    return _wremove(Wide(path).c_str()) == 0;
#else
    return std::remove(path.c_str()) == 0;
#endif
}

}  // namespace zubk::platform
