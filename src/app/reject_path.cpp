#include "app/reject_path.h"

#include <filesystem>
#include <system_error>

#include "platform/path.h"

namespace zubk {

namespace {

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
    const std::filesystem::path given{std::string(rejectFile)};
    std::string path;
    if (given.has_root_directory() || given.has_root_name()) {
        path = rejectFile;
    } else {
        path = std::string(platform::DirectoryPart(inputFileName)) + std::string(rejectFile);
    }
    const std::filesystem::path resolved{path};
    if (SameFile(resolved, std::filesystem::path{std::string(inputFileName)}) ||
        SameFile(resolved, std::filesystem::path{std::string(parameterFilePath)})) {
        return std::nullopt;
    }
    return path;
}

}  // namespace zubk
