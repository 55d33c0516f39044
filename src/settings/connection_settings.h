#pragma once

#include <string>

#include "app/console.h"
#include "app/run_state.h"

namespace zubk {

// The settings read from the parameter file beside the input file.
struct ConnectionSettings {
    std::string Login;
    std::string Password;
    std::string Database;
    std::string DbSystem;
};

// The name of the parameter file, looked for in the input file's directory.
inline constexpr std::string_view kParameterFileName = "VEXLO00P.TXT";

// The parameter file's path for an input file: its directory part and the file name.
std::string ParameterFilePath(std::string_view inputFileName);

// Reads the four settings from the parameter file at path, each lookup from the file's start.
ConnectionSettings ReadConnectionSettings(const std::string& path);

// Reads the settings for state.InputFileName, stores the database system in state.DbSystem
// and configures the connection component of state.dm1 (login, password, data source). Returns
// 0, or kExitSettingsMissing after printing why the settings cannot be used. Does not connect.
int LoadConnectionSettings(RunState& state, Console& console);

}  // namespace zubk
