#include "settings/connection_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "db/data_module.h"

#include "common/console_texts.h"
#include "support/expected_refusal.h"
#include "support/string_console.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::ExpectedRefusal;
using testing::ExpectedUnknownDbSystemRefusal;
using testing::StringConsole;
using testing::TempDir;

// A parameter file with the four keys; a key given as nullopt is left out.
using Setting = std::optional<std::string_view>;
std::string SettingsFile(Setting login, Setting password, Setting database, Setting dbSystem) {
    std::string file;
    int number = 1;
    const std::pair<std::string_view, Setting> entries[] = {
        {"LOGIN", login}, {"PASS", password}, {"DATABASE", database}, {"DB_SYSTEM", dbSystem}};
    for (const auto& [key, value] : entries) {
        if (!value) {
            continue;
        }
        const std::string n = std::to_string(number++);
        file += n + ";MAIN;\r\n" + n + ";" + std::string(key) + ";" + std::string(*value) + "\r\n";
    }
    return file;
}

struct Loaded {
    int result = 0;
    std::string output;
    TDatabase database;
    RunSettings settings;
};

// Loads the settings for a bookings file beside the parameter file; dir owns both.
std::unique_ptr<Loaded> LoadFrom(const TempDir& dir, std::string_view settingsFile) {
    dir.Write("in/VEXLO00P.TXT", settingsFile);
    auto loaded = std::make_unique<Loaded>();
    loaded->database.Params = Tdm1().KESTRAVON.Params;
    StringConsole console;
    loaded->result = LoadConnectionSettings((dir.Path() / "in" / "bookings.txt").string(), console,
                                            loaded->database, loaded->settings);
    loaded->output = console.Text();
    return loaded;
}

TEST(ParameterFilePath, IsTheInputFilesDirectoryAndTheFixedName) {
    EXPECT_EQ(ParameterFilePath("/data/in/x.txt"), "/data/in/VEXLO00P.TXT");
    EXPECT_EQ(ParameterFilePath("x.txt"), "VEXLO00P.TXT");
    EXPECT_EQ(ParameterFilePath(""), "VEXLO00P.TXT");
    EXPECT_EQ(ParameterFilePath("rel/x.txt"), "rel/VEXLO00P.TXT");
}

TEST(LoadConnectionSettings, ConfiguresTheConnectionComponent) {
    TempDir dir;
    const auto loaded = LoadFrom(dir, SettingsFile("zubk", "pw;x}y", "kestra_dsn", "ORACLE"));
    ASSERT_EQ(loaded->result, 0);
    EXPECT_EQ(loaded->output, "");
    EXPECT_EQ(loaded->settings.DbSystem, "ORACLE");
    const TDatabase& database = loaded->database;
    EXPECT_EQ(database.AliasName, "kestra_dsn");
    ASSERT_EQ(database.Params.Count(), 17U);
    EXPECT_EQ(database.Params[1], "USER NAME=zubk");
    EXPECT_EQ(database.Params[2], "ODBC DSN=kestra_dsn");
    EXPECT_EQ(database.Params[16], "PASSWORD=pw;x}y");
    EXPECT_EQ(database.Params[0], "DATABASE NAME=");
}

TEST(LoadConnectionSettings, ReplacesEveryLineWithAPrefix) {
    TempDir dir;
    dir.Write("in/VEXLO00P.TXT", SettingsFile("u", "p", "d", "MSSQL"));
    Tdm1 dm1;
    dm1.KESTRAVON.Params.Add("USER NAME=second");
    RunSettings settings;
    StringConsole console;
    ASSERT_EQ(LoadConnectionSettings((dir.Path() / "in" / "b.txt").string(), console, dm1.KESTRAVON,
                                     settings),
              0);
    EXPECT_EQ(dm1.KESTRAVON.Params[17], "USER NAME=u");
}

TEST(LoadConnectionSettings, RefusesMissingSettings) {
    const std::string refusal = ExpectedRefusal(PrintSettingsError);
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"no PASS", SettingsFile("zubk", std::nullopt, "dsn", "ORACLE")},
        {"no LOGIN", SettingsFile(std::nullopt, "pw", "dsn", "ORACLE")},
        {"no DATABASE", SettingsFile("zubk", "pw", std::nullopt, "ORACLE")},
        {"no DB_SYSTEM", SettingsFile("zubk", "pw", "dsn", std::nullopt)},
        {"empty file", ""},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, c.file);
        EXPECT_EQ(loaded->result, 5) << c.name;
        EXPECT_EQ(loaded->output, refusal) << c.name;
    }
}

TEST(LoadConnectionSettings, RefusesADatabaseSystemWithoutStatementForm) {
    for (const std::string_view dbSystem :
         {"oracle", "ORACLE ", "Mssql", "mysql", "MYSQL", "DB2"}) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, SettingsFile("zubk", "pw", "dsn", dbSystem));
        EXPECT_EQ(loaded->result, 5) << dbSystem;
        EXPECT_EQ(loaded->output, ExpectedUnknownDbSystemRefusal(dbSystem)) << dbSystem;
        EXPECT_NE(loaded->output.find("Unbekanntes DB_SYSTEM '" + std::string(dbSystem) +
                                      "' (erlaubt: ORACLE, MSSQL, MySQL)\n\n"),
                  std::string::npos);
    }
}

TEST(LoadConnectionSettings, AValueReadAsALineFeedCountsAsPresent) {
    TempDir dir;
    // "PASS;" directly followed by the line end gives the value "\n".
    const auto loaded = LoadFrom(dir, SettingsFile("zubk", "", "dsn", "ORACLE"));
    EXPECT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->database.Params[16], "PASSWORD=\n");
}

}  // namespace
}  // namespace zubk
