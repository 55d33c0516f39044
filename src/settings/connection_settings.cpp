#include "settings/connection_settings.h"

#include <functional>
#include <optional>

#include "common/console_texts.h"
#include "common/exit_codes.h"
#include "common/sql_dialect.h"
#include "platform/path.h"
#include "settings/parameter_file.h"

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

// A whole number from min to max, or nothing.
std::optional<std::int64_t> WholeNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

// Reads the optional keys; a key that is not there keeps its default. A value that is no
// whole number in range is refused, naming the key but not the value, which could be anything.
bool ReadOptionalSettings(const std::string& path, Console& console, RunSettings& settings) {
    struct NumberKey {
        std::string_view Key;
        std::int64_t Min;
        std::int64_t Max;
        std::function<void(std::int64_t)> Store;
    };
    const NumberKey numberKeys[] = {
        {"RECONNECT_TIME", 0, 86400,
         [&](std::int64_t v) { settings.ReconnectTime = std::chrono::seconds(v); }},
        {"STATEMENT_TIMEOUT", 1, 86400,
         [&](std::int64_t v) { settings.StatementTimeout = std::chrono::seconds(v); }},
        {"MAX_FAILURES", 0, 1000000,
         [&](std::int64_t v) { settings.MaxFailures = static_cast<std::uint32_t>(v); }},
    };
    for (const NumberKey& key : numberKeys) {
        const ParamEntry entry = LookupParameter("", key.Key, 0, path);
        if (entry.Key != key.Key) {
            continue;
        }
        std::string_view text = entry.Value;
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
            text.remove_suffix(1);
        }
        const auto value = WholeNumber(text, key.Min, key.Max);
        if (!value) {
            PrintWithBannerAndUsage(console, [&](Console& out) {
                PrintInvalidSetting(out, key.Key, path, key.Min, key.Max);
            });
            return false;
        }
        key.Store(*value);
    }
    const ParamEntry reject = LookupParameter("", "REJECT_FILE", 0, path);
    if (reject.Key == "REJECT_FILE") {
        settings.RejectFile = reject.Value;
        while (!settings.RejectFile.empty() && settings.RejectFile.back() == '\n') {
            settings.RejectFile.pop_back();
        }
    }
    return true;
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

int LoadConnectionSettings(std::string_view inputFileName, Console& console, TDatabase& database,
                           RunSettings& runSettings) {
    const std::string path = ParameterFilePath(inputFileName);
    const ConnectionSettings settings = ReadConnectionSettings(path);
    runSettings.DbSystem = settings.DbSystem;

    if (AnySettingMissing(settings)) {
        PrintWithBannerAndUsage(console, PrintSettingsError);
        return kExitSettingsMissing;
    }
    // A database system without a statement form would make every record silently skipped
    // and the run report success; refuse it while the job can still be told.
    if (!DialectFor(settings.DbSystem)) {
        PrintWithBannerAndUsage(console, [&](Console& out) {
            PrintUnknownDbSystem(out, settings.DbSystem, SupportedDbSystems());
        });
        return kExitSettingsMissing;
    }
    if (!ReadOptionalSettings(path, console, runSettings)) {
        return kExitSettingsMissing;
    }

    ReplaceParamLines(database.Params, "USER NAME=", settings.Login);
    ReplaceParamLines(database.Params, "PASSWORD=", settings.Password);
    ReplaceParamLines(database.Params, "ODBC DSN=", settings.Database);
    database.AliasName = settings.Database;
    database.Timeouts.Statement = runSettings.StatementTimeout;
    return 0;
}

}  // namespace zubk
