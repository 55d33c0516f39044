#pragma once

#include <string>
#include <string_view>

#include "common/console.h"
#include "db/database.h"
#include "settings/settings_reader.h"

namespace zubk {

// The name of the parameter file, looked for in the input file's directory.
inline constexpr std::string_view kParameterFileName = "VEXLO00P.TXT";

// The parameter file's path for an input file: its directory part and the file name.
std::string ParameterFilePath(std::string_view inputFileName);

// Reads the settings for the input file, configures the connection component (login,
// password, data source, time limits) and fills runSettings. The parameter file is the one
// named exactly kParameterFileName beside the input file, or else the one file there whose
// name differs from it in letter case only. Returns 0, or kExitSettingsMissing after printing
// why the settings cannot be used. Does not connect.
int LoadConnectionSettings(std::string_view inputFileName, Console& console, TDatabase& database,
                           RunSettings& runSettings);

}  // namespace zubk
