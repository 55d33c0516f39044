#include "settings/connection_settings.h"

#include "app/console_texts.h"
#include "app/exit_codes.h"
#include "platform/path.h"
#include "settings/parameter_file.h"
#include "transfer/sql_dialect.h"

namespace zubk {

namespace {

// Lookups ask for the key only: an empty section and number 0 stand for "any".
std::string LookupValue(std::string_view key, const std::string& path) {
    return LookupParameter("", key, 0, path).Value;
}

// Replaces every parameter line that starts with prefix by prefix and value.
void ReplaceParamLines(TStringList& params, std::string_view prefix, std::string_view value) {
    for (std::size_t i = 0; i < params.Count(); ++i) {
        if (std::string_view(params[i]).substr(0, prefix.size()) == prefix) {
            params.Set(i, std::string(prefix) + std::string(value));
        }
    }
}

bool AnySettingMissing(const ConnectionSettings& settings) {
    return settings.Login.empty() || settings.Password.empty() || settings.DbSystem.empty() ||
           settings.Database.empty();
}

}  // namespace

std::string ParameterFilePath(std::string_view inputFileName) {
    std::string path(platform::DirectoryPart(inputFileName));
    path += kParameterFileName;
    return path;
}

ConnectionSettings ReadConnectionSettings(const std::string& path) {
    ConnectionSettings settings;
    settings.Login = LookupValue("LOGIN", path);
    settings.Password = LookupValue("PASS", path);
    settings.Database = LookupValue("DATABASE", path);
    settings.DbSystem = LookupValue("DB_SYSTEM", path);
    return settings;
}

int LoadConnectionSettings(RunState& state, Console& console) {
    const ConnectionSettings settings =
        ReadConnectionSettings(ParameterFilePath(state.InputFileName));
    state.DbSystem = settings.DbSystem;

    if (AnySettingMissing(settings)) {
        PrintBanner(console);
        PrintSettingsError(console);
        PrintUsage(console);
        return kExitSettingsMissing;
    }
    // A database system without a statement form would make every record silently skipped
    // and the run report success; refuse it while the job can still be told.
    if (!DialectFor(settings.DbSystem)) {
        PrintBanner(console);
        PrintUnknownDbSystem(console, settings.DbSystem, SupportedDbSystems());
        PrintUsage(console);
        return kExitSettingsMissing;
    }

    TDatabase& database = state.dm1->KESTRAVON;
    ReplaceParamLines(database.Params, "USER NAME=", settings.Login);
    ReplaceParamLines(database.Params, "PASSWORD=", settings.Password);
    ReplaceParamLines(database.Params, "ODBC DSN=", settings.Database);
    database.AliasName = settings.Database;
    return 0;
}

}  // namespace zubk
