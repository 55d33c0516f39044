#include "app/reject_path.h"

#include <filesystem>
#include <system_error>

#include "common/file_names.h"
#include "platform/path.h"

namespace zubk {

namespace {

// File names are UTF-8 on Windows, where a path made from narrow text would be read in the
// machine's ANSI code page.
std::filesystem::path PathOf(std::string_view fileName) {
    if constexpr (kFileNamesAreUtf8) {
        return std::filesystem::path(std::u8string(fileName.begin(), fileName.end()));
    }
    return std::filesystem::path(std::string(fileName));
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error)) {
        return true;
    }
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return !error && canonicalA == canonicalB;
}

}  // namespace

std::optional<std::string> ResolveRejectPath(std::string_view rejectFile,
                                             std::string_view inputFileName,
                                             std::string_view parameterFilePath) {
    const std::filesystem::path given = PathOf(rejectFile);
    std::string path;
    if (given.has_root_directory() || given.has_root_name()) {
        path = rejectFile;
    } else {
        path = std::string(platform::DirectoryPart(inputFileName)) + std::string(rejectFile);
    }
    const std::filesystem::path resolved = PathOf(path);
    if (SameFile(resolved, PathOf(inputFileName)) ||
        SameFile(resolved, PathOf(parameterFilePath))) {
        return std::nullopt;
    }
    return path;
}

}  // namespace zubk
