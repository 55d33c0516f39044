#include "platform/file_stamp.h"

#ifdef _WIN32
#include <windows.h>

#include "common/text_encoding.h"
#else
#include <sys/stat.h>
#endif

namespace zubk::platform {

#ifdef _WIN32

namespace {

FileStamp MakeStamp(DWORD sizeHigh, DWORD sizeLow, FILETIME modified) {
    FileStamp stamp;
    stamp.Size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    stamp.ModifiedTicks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(modified.dwHighDateTime) << 32) | modified.dwLowDateTime);
    return stamp;
}

}  // namespace

std::optional<FileStamp> StampOf(const FileHandle& file) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file.Native(), &information)) {
        return std::nullopt;
    }
    return MakeStamp(information.nFileSizeHigh, information.nFileSizeLow,
                     information.ftLastWriteTime);
}

std::optional<FileStamp> StampOfPath(const std::string& path) {
    const std::u16string widePath = Utf8ToUtf16(path);
    WIN32_FILE_ATTRIBUTE_DATA information{};
    if (!GetFileAttributesExW(reinterpret_cast<const wchar_t*>(widePath.c_str()),
                              GetFileExInfoStandard, &information)) {
        return std::nullopt;
    }
    return MakeStamp(information.nFileSizeHigh, information.nFileSizeLow,
                     information.ftLastWriteTime);
}

#else

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

FileStamp MakeStamp(const struct stat& status) {
    FileStamp stamp;
    stamp.Size = static_cast<std::uint64_t>(status.st_size);
    stamp.ModifiedTicks = static_cast<std::int64_t>(status.st_mtim.tv_sec) * kNanosecondsPerSecond +
                          status.st_mtim.tv_nsec;
    return stamp;
}

}  // namespace

std::optional<FileStamp> StampOf(const FileHandle& file) {
    struct stat status {};
    if (fstat(file.Native(), &status) != 0) {
        return std::nullopt;
    }
    return MakeStamp(status);
}

std::optional<FileStamp> StampOfPath(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return MakeStamp(status);
}

#endif

}  // namespace zubk::platform
