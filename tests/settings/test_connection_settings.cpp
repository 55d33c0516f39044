#include "settings/connection_settings.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "common/console_texts.h"
#include "db/data_module.h"
#include "support/expected_refusal.h"
#include "support/expected_texts.h"
#include "support/platform_behaviour.h"
#include "support/string_console.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::ExpectedUnknownDbSystemRefusal;
using testing::kDirectoryReadError;
using testing::kExpectedBanner;
using testing::kExpectedUsage;
using testing::kFileNamesIgnoreLetterCase;
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

const std::string kGoodFile = SettingsFile("zubk", "S3cr3t-Passw0rd", "dsn", "ORACLE");

// One more entry after the four.
std::string With(std::string file, std::string_view key, std::string_view value) {
    return file + "9;MAIN;\r\n9;" + std::string(key) + ";" + std::string(value) + "\r\n";
}

struct Loaded {
    int result = 0;
    std::string output;
    TDatabase database;
    RunSettings settings;
};

// Loads the settings for a bookings file in the folder "in", where the parameter file is
// written under the name given (nullopt: not written).
std::unique_ptr<Loaded> LoadFrom(const TempDir& dir, std::optional<std::string_view> settingsFile,
                                 std::string_view name = "VEXLO00P.TXT") {
    std::filesystem::create_directories(dir.Path() / "in");
    if (settingsFile) {
        dir.Write("in/" + std::string(name), *settingsFile);
    }
    auto loaded = std::make_unique<Loaded>();
    loaded->database.Params = Tdm1().KESTRAVON.Params;
    StringConsole console;
    loaded->result = LoadConnectionSettings((dir.Path() / "in" / "bookings.txt").string(), console,
                                            loaded->database, loaded->settings);
    loaded->output = console.Text();
    return loaded;
}

std::string ParameterFileIn(const TempDir& dir, std::string_view name = "VEXLO00P.TXT") {
    return (dir.Path() / "in" / std::string(name)).string();
}

// The banner, the lines and the usage help.
std::string Refusal(std::string_view lines) {
    return kExpectedBanner + std::string(lines) + kExpectedUsage;
}

const std::string kSettingsError =
    "Fehler beim Ermitteln des DB-Usr/DB-Pwd\n"
    "Quelle: '..\\..\\FILES\\KESTRAVON.INI'\n"
    "\n";

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
    EXPECT_EQ(loaded->settings.ParameterFile, ParameterFileIn(dir));
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

TEST(LoadConnectionSettings, TakesTheValuesAsCodePage1252UnlessTheFileIsMarkedUtf8) {
    struct Case {
        const char* name;
        std::string file;
    };
    const Case cases[] = {
        {"code page 1252",
         With(SettingsFile("M\xFCller", "p\xE4\xDF\x80", "K\xF6ln", "ORACLE"), "REJECT_FILE",
              "R\xFC"
              "ck.txt")},
        {"UTF-8 after a byte-order mark",
         "\xEF\xBB\xBF" + With(SettingsFile("M\xC3\xBCller", "p\xC3\xA4\xC3\x9F\xE2\x82\xAC",
                                            "K\xC3\xB6ln", "ORACLE"),
                               "REJECT_FILE",
                               "R\xC3\xBC"
                               "ck.txt")},
        // A file marked as UTF-8 whose values are not: they were typed in code page 1252.
        {"code page 1252 after a byte-order mark",
         "\xEF\xBB\xBF" + With(SettingsFile("M\xFCller", "p\xE4\xDF\x80", "K\xF6ln", "ORACLE"),
                               "REJECT_FILE",
                               "R\xFC"
                               "ck.txt")},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, c.file);
        ASSERT_EQ(loaded->result, 0) << c.name << "\n" << loaded->output;
        EXPECT_EQ(loaded->database.Params[1], "USER NAME=M\xC3\xBCller") << c.name;
        EXPECT_EQ(loaded->database.Params[16], "PASSWORD=p\xC3\xA4\xC3\x9F\xE2\x82\xAC") << c.name;
        EXPECT_EQ(loaded->database.AliasName, "K\xC3\xB6ln") << c.name;
        EXPECT_EQ(loaded->settings.RejectFile,
                  "R\xC3\xBC"
                  "ck.txt")
            << c.name;
    }
}

TEST(LoadConnectionSettings, RefusesMissingSettingsNamingTheFileAndTheKeys) {
    struct Case {
        const char* name;
        std::string file;
        std::string missing;
    };
    const Case cases[] = {
        {"no PASS", SettingsFile("zubk", std::nullopt, "dsn", "ORACLE"), "PASS"},
        {"no LOGIN", SettingsFile(std::nullopt, "pw", "dsn", "ORACLE"), "LOGIN"},
        {"no DATABASE", SettingsFile("zubk", "pw", std::nullopt, "ORACLE"), "DATABASE"},
        {"no DB_SYSTEM", SettingsFile("zubk", "pw", "dsn", std::nullopt), "DB_SYSTEM"},
        {"empty file", "", "LOGIN, PASS, DATABASE, DB_SYSTEM"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, c.file);
        EXPECT_EQ(loaded->result, 5) << c.name;
        EXPECT_EQ(loaded->output,
                  Refusal(kSettingsError + "Parameterdatei " + ParameterFileIn(dir) +
                          " ohne Wert fuer " + c.missing + "\n"))
            << c.name;
    }
}

TEST(LoadConnectionSettings, SaysWhenThereIsNoParameterFile) {
    TempDir dir;
    dir.Write("in/VEXLO00P.TXT.bak", kGoodFile);
    const auto loaded = LoadFrom(dir, std::nullopt);
    EXPECT_EQ(loaded->result, 5);
    EXPECT_EQ(loaded->output, Refusal(kSettingsError + "Parameterdatei " + ParameterFileIn(dir) +
                                      " nicht gefunden\n"));
}

TEST(LoadConnectionSettings, SaysWhenTheParameterFileCannotBeRead) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "in" / "VEXLO00P.TXT");
    const auto loaded = LoadFrom(dir, std::nullopt);
    EXPECT_EQ(loaded->result, 5);
    EXPECT_EQ(loaded->output, Refusal(kSettingsError + "Parameterdatei " + ParameterFileIn(dir) +
                                      " nicht lesbar: " + kDirectoryReadError + "\n"));
}

TEST(LoadConnectionSettings, TakesAFileNamedInAnotherLetterCaseWhenItIsTheOnlyOne) {
    TempDir dir;
    const auto loaded = LoadFrom(dir, kGoodFile, "vexlo00p.txt");
    EXPECT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->database.AliasName, "dsn");
    // Windows opens it by the name asked for.
    EXPECT_EQ(loaded->settings.ParameterFile,
              ParameterFileIn(dir, kFileNamesIgnoreLetterCase ? "VEXLO00P.TXT" : "vexlo00p.txt"));
}

TEST(LoadConnectionSettings, PrefersTheExactNameToOthersInAnotherLetterCase) {
    TempDir dir;
    dir.Write("in/vexlo00p.txt", SettingsFile("other", "pw", "other", "MSSQL"));
    dir.Write("in/Vexlo00p.TXT", SettingsFile("other", "pw", "other", "MSSQL"));
    const auto loaded = LoadFrom(dir, kGoodFile);
    EXPECT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->database.AliasName, "dsn");
}

TEST(LoadConnectionSettings, RefusesSeveralFilesNamedInAnotherLetterCase) {
    TempDir dir;
    dir.Write("in/vexlo00p.txt", kGoodFile);
    const auto loaded = LoadFrom(dir, kGoodFile, "Vexlo00p.TXT");
    if (kFileNamesIgnoreLetterCase) {
        // Windows opens the file by the name asked for, in whatever letter case it has.
        EXPECT_EQ(loaded->result, 0) << loaded->output;
        return;
    }
    EXPECT_EQ(loaded->result, 5);
    EXPECT_EQ(loaded->output,
              Refusal(kSettingsError +
                      "Mehrere Parameterdateien, nur in Gross-/Kleinschreibung verschieden: " +
                      ParameterFileIn(dir, "Vexlo00p.TXT") + ", " +
                      ParameterFileIn(dir, "vexlo00p.txt") + "\n"));
}

TEST(LoadConnectionSettings, NamesADatabaseSystemOnlyWhenItIsAnAllowedOneMistyped) {
    for (const std::string_view dbSystem :
         {"oracle", "ORACLE ", " Mssql", "mysql", "MYSQL", "\tOracle\t"}) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, SettingsFile("zubk", "pw", "dsn", dbSystem));
        EXPECT_EQ(loaded->result, 5) << dbSystem;
        EXPECT_EQ(loaded->output, ExpectedUnknownDbSystemRefusal(dbSystem)) << dbSystem;
        EXPECT_NE(loaded->output.find("Unbekanntes DB_SYSTEM '" + std::string(dbSystem) +
                                      "' (erlaubt: ORACLE, MSSQL, MySQL)\n\n"),
                  std::string::npos);
    }
    for (const std::string_view dbSystem : {"DB2", "ORACLE8", "S3cr3t-Passw0rd", "m ysql"}) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, SettingsFile("zubk", "pw", "dsn", dbSystem));
        EXPECT_EQ(loaded->result, 5) << dbSystem;
        EXPECT_EQ(loaded->output,
                  Refusal("Unbekanntes DB_SYSTEM in Zeile 8 von " + ParameterFileIn(dir) +
                          " (erlaubt: ORACLE, MSSQL, MySQL)\n\n"))
            << dbSystem;
    }
}

TEST(LoadConnectionSettings, DoesNotNameADatabaseSystemThatIsThePassword) {
    TempDir dir;
    const auto loaded = LoadFrom(dir, SettingsFile("zubk", "oracle", "dsn", "oracle"));
    EXPECT_EQ(loaded->result, 5);
    EXPECT_EQ(loaded->output.find("oracle"), std::string::npos) << loaded->output;
}

TEST(LoadConnectionSettings, AValueReadAsALineFeedCountsAsPresent) {
    TempDir dir;
    // "PASS;" directly followed by the line end gives the value "\n".
    const auto loaded = LoadFrom(dir, SettingsFile("zubk", "", "dsn", "ORACLE"));
    EXPECT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->database.Params[16], "PASSWORD=\n");
}

TEST(LoadConnectionSettings, RefusesALoginOrPasswordWithABlankAtEitherEnd) {
    struct Case {
        std::string file;
        std::string key;
        int line;
    };
    const Case cases[] = {
        {SettingsFile("zubk", " S3cr3t-Passw0rd", "dsn", "ORACLE"), "PASS", 4},
        {SettingsFile("zubk", "S3cr3t-Passw0rd ", "dsn", "ORACLE"), "PASS", 4},
        {SettingsFile("zubk", "S3cr3t-Passw0rd\t", "dsn", "ORACLE"), "PASS", 4},
        {SettingsFile(" zubk", "S3cr3t-Passw0rd", "dsn", "ORACLE"), "LOGIN", 2},
        {SettingsFile("zubk ", "S3cr3t-Passw0rd", "dsn", "ORACLE"), "LOGIN", 2},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, c.file);
        EXPECT_EQ(loaded->result, 5) << c.file;
        EXPECT_EQ(
            loaded->output,
            Refusal(c.key + " in Zeile " + std::to_string(c.line) + " von " + ParameterFileIn(dir) +
                    " beginnt oder endet mit einem Leerzeichen, das der ODBC-Treiber nicht "
                    "weitergibt; bitte entfernen\n\n"))
            << c.file;
    }
    TempDir dir;
    EXPECT_EQ(LoadFrom(dir, SettingsFile("zu bk", "S3cr3t Passw0rd", "dsn", "ORACLE"))->result, 0)
        << "blanks inside are kept";
}

// Typos that make an entry answer every lookup: the password must neither become another
// setting nor be printed.
TEST(LoadConnectionSettings, RefusesAnEntryThatWouldGiveSeveralSettings) {
    struct Case {
        const char* name;
        std::string file;
        std::string lines;
    };
    const std::string login = "1;MAIN;\r\n1;LOGIN;zubk\r\n";
    const std::string database = "3;MAIN;\r\n3;DATABASE;dsn\r\n";
    const std::string dbSystem = "4;MAIN;\r\n4;DB_SYSTEM;ORACLE\r\n";
    const Case cases[] = {
        {"the password's section without its second separator",
         "2;MAIN\r\n2;PASS;S3cr3t-Passw0rd\r\n" + login + database + dbSystem,
         "Zeile 2 gilt fuer LOGIN, PASS, DATABASE, DB_SYSTEM"},
        {"the password's number missing",
         login + "2;MAIN;\r\n;PASS;S3cr3t-Passw0rd\r\n" + database + dbSystem,
         "Zeile 4 gilt fuer PASS, DATABASE, DB_SYSTEM"},
        {"the password's number 0",
         login + database + "2;MAIN;\r\n0;PASS;S3cr3t-Passw0rd\r\n" + dbSystem,
         "Zeile 6 gilt fuer PASS, DB_SYSTEM"},
        {"a later password entry answering the login",
         "2;MAIN;\r\n2;PASS;S3cr3t-Passw0rd\r\n" + database + dbSystem +
             "5;MAIN;\r\n0;PASS;old\r\n" + login,
         "Zeile 8 gilt fuer LOGIN, PASS"},
        // The line's rest is read as a first line without separators, which answers every
        // lookup not answered before.
        {"a password longer than a line may be",
         SettingsFile("zubk", "S3cr3t-Passw0rd" + std::string(400, 'p'), "dsn", "ORACLE"),
         "Zeile 5 gilt fuer DATABASE, DB_SYSTEM"},
        {"a reject file entry answering the data source",
         login + "2;MAIN;\r\n2;PASS;S3cr3t-Passw0rd\r\n8;MAIN;\r\n0;REJECT_FILE;r.txt\r\n" +
             database + dbSystem,
         "Zeile 6 gilt fuer DATABASE, DB_SYSTEM, REJECT_FILE"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, c.file);
        EXPECT_EQ(loaded->result, 5) << c.name;
        const std::string place = " von " + ParameterFileIn(dir);
        std::string expected = "Der Eintrag in " + c.lines;
        expected.insert(expected.find(" gilt"), place);
        EXPECT_EQ(loaded->output,
                  Refusal(expected + "; bitte Sektion, Nummer und Schluessel pruefen\n\n"))
            << c.name;
        EXPECT_EQ(loaded->output.find("S3cr3t"), std::string::npos) << c.name;
    }
}

TEST(LoadConnectionSettings, ReadsTheOptionalKeys) {
    TempDir dir;
    std::string file = With(kGoodFile, "RECONNECT_TIME", "0");
    file = With(file, "STATEMENT_TIMEOUT", "5 ");
    file = With(file, "MAX_FAILURES", "1000000");
    file = With(file, "REJECT_FILE", "rejects/r.txt");
    const auto loaded = LoadFrom(dir, file);
    ASSERT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->settings.ReconnectTime, std::chrono::seconds(0));
    EXPECT_EQ(loaded->settings.StatementTimeout, std::chrono::seconds(5));
    EXPECT_EQ(loaded->database.Timeouts.Statement, std::chrono::seconds(5));
    EXPECT_EQ(loaded->settings.MaxFailures, 1000000U);
    EXPECT_EQ(loaded->settings.RejectFile, "rejects/r.txt");
}

TEST(LoadConnectionSettings, KeepsTheDefaultsWithoutTheOptionalKeys) {
    TempDir dir;
    const auto loaded = LoadFrom(dir, kGoodFile);
    ASSERT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->settings.ReconnectTime, std::chrono::seconds(60));
    EXPECT_EQ(loaded->settings.StatementTimeout, std::chrono::seconds(60));
    EXPECT_EQ(loaded->settings.MaxFailures, 20U);
    EXPECT_EQ(loaded->settings.RejectFile, "");
}

TEST(LoadConnectionSettings, RefusesAnOptionalNumberOutOfRangeNamingTheKeyAndLine) {
    struct Case {
        std::string key;
        std::string value;
        std::string range;
    };
    const Case cases[] = {
        {"RECONNECT_TIME", "86401", "0 bis 86400"},
        {"RECONNECT_TIME", "-1", "0 bis 86400"},
        {"STATEMENT_TIMEOUT", "0", "1 bis 86400"},
        {"STATEMENT_TIMEOUT", "", "1 bis 86400"},
        {"MAX_FAILURES", "S3cr3t-Passw0rd", "0 bis 1000000"},
        {"MAX_FAILURES", "12345678901", "0 bis 1000000"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const auto loaded = LoadFrom(dir, With(kGoodFile, c.key, c.value));
        EXPECT_EQ(loaded->result, 5) << c.key << "=" << c.value;
        EXPECT_EQ(loaded->output,
                  Refusal("Ungueltiger Wert fuer " + c.key + " in Zeile 10 von " +
                          ParameterFileIn(dir) + " (erlaubt: ganze Zahl von " + c.range + ")\n\n"))
            << c.key << "=" << c.value;
    }
}

TEST(LoadConnectionSettings, AnOptionalKeyIsFedOnlyByAnEntryWithThatKey) {
    TempDir dir;
    // The catch-all comes after the four entries and so answers none of them, but would answer
    // every further lookup by its number 0.
    const std::string file =
        With(kGoodFile + "9;MAIN;\r\n0;NOTE;S3cr3t-Passw0rd\r\n", "REJECT_FILE", "r.txt");
    const auto loaded = LoadFrom(dir, file);
    ASSERT_EQ(loaded->result, 0) << loaded->output;
    EXPECT_EQ(loaded->settings.RejectFile, "r.txt");
    EXPECT_EQ(loaded->settings.MaxFailures, 20U);
}

}  // namespace
}  // namespace zubk
