#include "settings/connection_settings.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "common/console_texts.h"
#include "common/exit_codes.h"
#include "platform/file_name_case.h"
#include "platform/path.h"
#include "settings/parameter_file.h"

namespace zubk {

namespace {

// Replaces every parameter line that starts with prefix by prefix and value.
void ReplaceParamLines(TStringList& params, std::string_view prefix, std::string_view value) {
    for (std::size_t i = 0; i < params.Count(); ++i) {
        if (std::string_view(params[i]).substr(0, prefix.size()) == prefix) {
            params.Set(i, std::string(prefix) + std::string(value));
        }
    }
}

struct ParameterFile {
    std::string Path;
    std::string Content;
};

bool NoSuchFile(int error) {
    return error == ENOENT || error == ENOTDIR;
}

// The parameter file beside the input file, read whole; nothing, after printing the settings
// error and why, when there is none to read.
std::optional<ParameterFile> FindParameterFile(std::string_view inputFileName, Console& console) {
    const std::string directory(platform::DirectoryPart(inputFileName));
    std::string path = ParameterFilePath(inputFileName);
    errno = 0;
    std::optional<std::string> content = ReadParameterFile(path);
    int error = errno;
    if (!content && NoSuchFile(error)) {
        const std::vector<std::string> alike =
            platform::FilesNamedIgnoringCase(directory, kParameterFileName);
        if (alike.size() > 1) {
            std::vector<std::string> paths;
            for (const std::string& name : alike) {
                paths.push_back(directory + name);
            }
            PrintWithBannerAndUsage(console, [&](Console& out) {
                PrintSettingsError(out);
                PrintParameterFilesAlike(out, paths);
            });
            return std::nullopt;
        }
        if (alike.size() == 1) {
            path = directory + alike.front();
            errno = 0;
            content = ReadParameterFile(path);
            error = errno;
        }
    }
    if (content) {
        return ParameterFile{path, std::move(*content)};
    }
    PrintWithBannerAndUsage(console, [&](Console& out) {
        PrintSettingsError(out);
        if (NoSuchFile(error)) {
            PrintParameterFileNotFound(out, path);
        } else {
            PrintParameterFileUnreadable(out, path, error != 0 ? std::strerror(error) : "");
        }
    });
    return std::nullopt;
}

}  // namespace

std::string ParameterFilePath(std::string_view inputFileName) {
    std::string path(platform::DirectoryPart(inputFileName));
    path += kParameterFileName;
    return path;
}

int LoadConnectionSettings(std::string_view inputFileName, Console& console, TDatabase& database,
                           RunSettings& runSettings) {
    const std::optional<ParameterFile> file = FindParameterFile(inputFileName, console);
    if (!file) {
        return kExitSettingsMissing;
    }
    runSettings.ParameterFile = file->Path;
    const std::optional<ConnectionSettings> settings =
        ReadSettings(file->Content, file->Path, console, runSettings);
    if (!settings) {
        return kExitSettingsMissing;
    }
    ReplaceParamLines(database.Params, "USER NAME=", settings->Login);
    ReplaceParamLines(database.Params, "PASSWORD=", settings->Password);
    ReplaceParamLines(database.Params, "ODBC DSN=", settings->Database);
    database.AliasName = settings->Database;
    database.Timeouts.Statement = runSettings.StatementTimeout;
    return 0;
}

}  // namespace zubk
