#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/console.h"
#include "db/database.h"

namespace zubk {

// The settings read from the parameter file beside the input file.
struct ConnectionSettings {
    std::string Login;
    std::string Password;
    std::string Database;
    std::string DbSystem;
};

// The optional settings of a run, with their defaults.
struct RunSettings {
    std::string DbSystem;
    std::string RejectFile;  // as written in the parameter file; empty: no reject file
    std::chrono::seconds ReconnectTime{60};
    std::chrono::seconds StatementTimeout{60};
    std::uint32_t MaxFailures = 20;
};

// The name of the parameter file, looked for in the input file's directory.
inline constexpr std::string_view kParameterFileName = "VEXLO00P.TXT";

// The parameter file's path for an input file: its directory part and the file name.
std::string ParameterFilePath(std::string_view inputFileName);

// Reads the four settings from the parameter file at path, each lookup from the file's start.
ConnectionSettings ReadConnectionSettings(const std::string& path);

// Reads the settings for the input file, configures the connection component (login,
// password, data source, time limits) and fills runSettings. Returns 0, or
// kExitSettingsMissing after printing why the settings cannot be used. Does not connect.
int LoadConnectionSettings(std::string_view inputFileName, Console& console, TDatabase& database,
                           RunSettings& runSettings);

}  // namespace zubk
