// The built program run as a scheduled job runs it, in a folder of its own, without a server.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "support/expected_refusal.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::CountOccurrences;
using testing::ExpectedRefusal;
using testing::kExpectedArgumentCountError;
using testing::kExpectedSettingsError;
using testing::kExpectedVersion;
using testing::ParameterFile;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;

// Without a parameter file the settings error says which file it looked for.
const std::string kSettingsOutput =
    ExpectedRefusal(kExpectedSettingsError + "Parameterdatei VEXLO00P.TXT nicht gefunden\n");

std::string Settings(std::string_view dbSystem, std::string_view database = "zubk_none") {
    return ParameterFile("zubk", "geheim", database, dbSystem);
}

// Runs the tool in dir with a code page 1252 console and no data sources of the machine's.
ProcessResult RunTool(const TempDir& dir, const std::vector<std::string>& arguments,
                      std::map<std::string, std::string> environment = {}) {
    environment.emplace("LC_ALL", "C");
    environment.emplace("ODBCINI", (dir.Path() / "no-odbc.ini").string());
    return RunProcess(ZUBK_BINARY, arguments, dir.Path().string(), environment);
}

TEST(CommandLine, WrongArgumentCountsPrintTheUsageHelp) {
    const std::vector<std::vector<std::string>> calls = {
        {},
        {"VEXLO62P"},
        {"VEXLO62P", "ZutCtrl"},
        {"VEXLO62P", "ZutCtrl", "AdminQX.ZutCtrl.vexlo62p.txt", "1"},  // the usage example
    };
    for (const auto& arguments : calls) {
        TempDir dir;
        dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
        const ProcessResult result = RunTool(dir, arguments);
        EXPECT_EQ(result.exitCode, 1) << arguments.size() << " arguments";
        EXPECT_EQ(result.output, ExpectedRefusal(kExpectedArgumentCountError))
            << arguments.size() << " arguments";
        EXPECT_EQ(result.errorOutput, "");
    }
}

TEST(CommandLine, VersionIsAnsweredWithoutAParameterFile) {
    TempDir dir;
    const ProcessResult result = RunTool(dir, {"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, kExpectedVersion);
    EXPECT_EQ(result.errorOutput, "");
}

TEST(CommandLine, OnlyTheSoleArgumentVersionAsksForTheVersion) {
    const std::vector<std::vector<std::string>> calls = {
        {"--version", "x"}, {"x", "--version"}, {"--VERSION"}, {"-version"}, {"--version "}};
    for (const auto& arguments : calls) {
        TempDir dir;
        const ProcessResult result = RunTool(dir, arguments);
        EXPECT_EQ(result.exitCode, 5) << arguments[0];
        EXPECT_EQ(result.output, kSettingsOutput) << arguments[0];
    }
}

TEST(CommandLine, TheBannerUmlautFollowsAUtf8Console) {
    TempDir dir;
    const ProcessResult result = RunTool(dir, {}, {{"LC_ALL", "C.UTF-8"}});
    EXPECT_NE(result.output.find("\xC3\x9C"
                                 "bernahme"),
              std::string::npos);
    EXPECT_EQ(result.output.find('\xDC'), std::string::npos);
}

TEST(CommandLine, AnEmptyFileNameReportsZeroRecordsWithTheEmptyName) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    const ProcessResult result = RunTool(dir, {"VEXLO62P", "ZutCtrl", ""});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "0 Saetze kopiert aus Datei  \n");
}

TEST(CommandLine, TheParameterFileIsReadBesideTheInputFile) {
    TempDir dir;
    // The working folder has usable settings, the input's folder refuses its DB_SYSTEM: the
    // refusal shows which file was read.
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    dir.Write("data/in/VEXLO00P.TXT", Settings("oracle"));
    const std::string input = (dir.Path() / "data" / "in" / "x.txt").string();
    const ProcessResult absolute = RunTool(dir, {"S", "T", input});
    EXPECT_EQ(absolute.exitCode, 5);
    EXPECT_NE(
        absolute.output.find("Unbekanntes DB_SYSTEM 'oracle' (erlaubt: ORACLE, MSSQL, MySQL)\n\n"),
        std::string::npos)
        << absolute.output;
    const ProcessResult relative = RunTool(dir, {"S", "T", "data/in/x.txt"});
    EXPECT_EQ(relative.exitCode, 5);
    EXPECT_EQ(relative.output, absolute.output);
}

TEST(CommandLine, ADirectoryAsInputFileIsAReadError) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    std::filesystem::create_directory(dir.Path() / "sub");
    const ProcessResult result = RunTool(dir, {"S", "T", "sub"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output, "Fehler beim Lesen der Datei sub: Is a directory\n");
}

// A data source that does not exist is a fault of the set-up, not of the records: the first
// record reports it and the run stops there, before a record could go in. An empty file needs
// no connection at all.
TEST(CommandLine, ADataSourceThatDoesNotExistStopsTheRunAtTheFirstRecord) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE", "zubk_no_such_source"));
    const std::string record = "31120523595900701120000004711   1";
    dir.Write("empty.txt", "");
    std::string many;
    for (int i = 0; i < 25; ++i) {
        many += record;
    }
    dir.Write("many.txt", many);

    const ProcessResult empty = RunTool(dir, {"S", "T", "empty.txt"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.output, "0 Saetze kopiert aus Datei empty.txt \n");

    const ProcessResult stopped = RunTool(dir, {"S", "T", "many.txt"});
    EXPECT_EQ(stopped.exitCode, 4);
    const std::string head =
        "Exception bei Datenbank Open\n"
        "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
        "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT 'T', 01, to_date('311205','ddmmyy'), "
        "to_date('235959','hh24miss'), '0000004711', zzsnum, NULL, NULL, SYSDATE, '007'from "
        "qxsystem.qxs405Zzs where zzstcd =  '121'\n"
        "Verbindung zur Datenquelle 'zubk_no_such_source' als Benutzer 'zubk' fehlgeschlagen\n"
        "SQLSTATE IM002";
    EXPECT_EQ(stopped.output.substr(0, head.size()), head) << stopped.output;
    EXPECT_EQ(CountOccurrences(stopped.output, "Exception bei Datenbank Open\n"), 1U);
    const std::string tail =
        "\nSatz 1 (Byte 0) nicht versucht\n\n"
        "Lauf abgebrochen: Datenquelle oder ODBC-Treiber nicht eingerichtet; 25 Saetze nicht "
        "versucht\n"
        "0 Saetze kopiert aus Datei many.txt \n";
    ASSERT_GE(stopped.output.size(), tail.size());
    EXPECT_EQ(stopped.output.substr(stopped.output.size() - tail.size()), tail);
    EXPECT_EQ(stopped.output.find("geheim"), std::string::npos) << "the password was printed";
}

constexpr std::string_view kPassword = "S3cr3t-Passw0rd";

// What the run makes of a parameter file with a slip in it. The data source does not exist,
// so a run that gets past its settings reports the record with the login it used.
TEST(CommandLine, ParameterFilesWithASlipNeverShowThePassword) {
    const std::string login = "1;MAIN;\r\n1;LOGIN;zubk\r\n";
    const std::string pass = "2;MAIN;\r\n2;PASS;" + std::string(kPassword) + "\r\n";
    const std::string database = "3;MAIN;\r\n3;DATABASE;zubk_none\r\n";
    const std::string dbSystem = "4;MAIN;\r\n4;DB_SYSTEM;ORACLE\r\n";
    const std::string withoutLastLineEnd =
        login + pass + database + "4;MAIN;\r\n4;DB_SYSTEM;ORACLE";
    const std::string refused = "Der Eintrag in Zeile ";
    const std::string runs =
        "Verbindung zur Datenquelle 'zubk_none' als Benutzer 'zubk' fehlgeschlagen";
    struct Case {
        const char* name;
        std::string fileName;
        std::string bytes;
        int exitCode;
        std::string shown;  // a part of the output
    };
    const Case cases[] = {
        {"the password's section separator missing", "VEXLO00P.TXT",
         "2;MAIN\r\n2;PASS;" + std::string(kPassword) + "\r\n" + login + database + dbSystem, 5,
         refused + "2 von VEXLO00P.TXT gilt fuer LOGIN, PASS, DATABASE, DB_SYSTEM;"},
        {"the password's number missing", "VEXLO00P.TXT",
         login + "2;MAIN;\r\n;PASS;" + std::string(kPassword) + "\r\n" + database + dbSystem, 5,
         refused + "4 von VEXLO00P.TXT gilt fuer PASS, DATABASE, DB_SYSTEM;"},
        {"the password's number 0", "VEXLO00P.TXT",
         login + database + "2;MAIN;\r\n0;PASS;" + std::string(kPassword) + "\r\n" + dbSystem, 5,
         refused + "6 von VEXLO00P.TXT gilt fuer PASS, DB_SYSTEM;"},
        {"the password entry first with number 0", "VEXLO00P.TXT",
         "2;MAIN;\r\n0;PASS;" + std::string(kPassword) + "\r\n" + login + database + dbSystem, 5,
         refused + "2 von VEXLO00P.TXT gilt fuer LOGIN, PASS, DATABASE, DB_SYSTEM;"},
        {"the password entry first", "VEXLO00P.TXT", pass + login + database + dbSystem, 4, runs},
        {"the password as DB_SYSTEM", "VEXLO00P.TXT",
         login + pass + database + "4;MAIN;\r\n4;DB_SYSTEM;" + std::string(kPassword) + "\r\n", 5,
         "Unbekanntes DB_SYSTEM in Zeile 8 von VEXLO00P.TXT (erlaubt: ORACLE, MSSQL, MySQL)"},
        {"the last line without line end", "VEXLO00P.TXT", withoutLastLineEnd, 4, runs},
        {"a UTF-8 byte-order mark", "VEXLO00P.TXT",
         "\xEF\xBB\xBF"
         "1;MAIN;\r\n1;LOGIN;M\xC3\xBCller\r\n" +
             pass + database + dbSystem,
         4, "als Benutzer 'M\xFCller' fehlgeschlagen"},
        {"a lower-case file name", "vexlo00p.txt", login + pass + database + dbSystem, 4, runs},
        {"two file names in different letter case", "vexlo00p.txt and Vexlo00p.TXT",
         login + pass + database + dbSystem, 5,
         kExpectedSettingsError +
             "Mehrere Parameterdateien, nur in Gross-/Kleinschreibung verschieden: Vexlo00p.TXT, "
             "vexlo00p.txt\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        if (c.fileName == "vexlo00p.txt and Vexlo00p.TXT") {
            dir.Write("vexlo00p.txt", c.bytes);
            dir.Write("Vexlo00p.TXT", c.bytes);
        } else {
            dir.Write(c.fileName, c.bytes);
        }
        dir.Write("in.txt", "31120523595900701120000004711   1");
        const ProcessResult result = RunTool(dir, {"S", "T", "in.txt"});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output;
        EXPECT_NE(result.output.find(c.shown), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find(kPassword), std::string::npos) << result.output;
    }
}

// The terminal name is written in UTF-8 into the statement, which the failing run prints in
// the console's character set, whether the name was typed in UTF-8 or in code page 1252.
TEST(CommandLine, TheTerminalNameIsTakenInUtf8OrCodePage1252) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    dir.Write("in.txt", "31120523595900701120000004711   1");
    const std::string utf8 = "Z\xC3\xBCrich-T\xC3\xBCr";
    const std::string cp1252 = "Z\xFCrich-T\xFCr";
    for (const std::string& terminal : {utf8, cp1252}) {
        const ProcessResult onCp1252 = RunTool(dir, {"S", terminal, "in.txt"});
        EXPECT_NE(onCp1252.output.find("SELECT DISTINCT '" + cp1252 + "', 01"), std::string::npos)
            << onCp1252.output;
        const ProcessResult onUtf8 =
            RunTool(dir, {"S", terminal, "in.txt"}, {{"LC_ALL", "C.UTF-8"}});
        EXPECT_NE(onUtf8.output.find("SELECT DISTINCT '" + utf8 + "', 01"), std::string::npos)
            << onUtf8.output;
        // The file name stays as it was given.
        EXPECT_NE(onUtf8.output.find("0 Saetze kopiert aus Datei in.txt \n"), std::string::npos);
    }
}

TEST(CommandLine, AFileNameIsShownByteForByte) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    for (const std::string name : {"M\xFCll.txt", "M\xC3\xBCll.txt"}) {
        for (const std::string locale : {"C", "C.UTF-8"}) {
            const ProcessResult result = RunTool(dir, {"S", "T", name}, {{"LC_ALL", locale}});
            EXPECT_EQ(result.output, "0 Saetze kopiert aus Datei " + name + " \n") << locale;
        }
    }
}

TEST(CommandLine, VeryLongArgumentsAreHandled) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    const std::string longName(4000, 'n');
    const ProcessResult result = RunTool(dir, {std::string(5000, 's'), "T", longName});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "0 Saetze kopiert aus Datei " + longName + " \n");
}

}  // namespace
}  // namespace zubk
