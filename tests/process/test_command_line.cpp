// The built program run as a scheduled job runs it, in a folder of its own, without a server.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/expected_texts.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"

namespace zubk {
namespace {

using testing::CountOccurrences;
using testing::kExpectedBanner;
using testing::kExpectedUsage;
using testing::kExpectedVersion;
using testing::ParameterFile;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;

const std::string kArgumentCountOutput =
    kExpectedBanner + "Falsche Anzahl Parameter\n\n" + kExpectedUsage;
const std::string kSettingsOutput = kExpectedBanner +
                                    "Fehler beim Ermitteln des DB-Usr/DB-Pwd\n"
                                    "Quelle: '..\\..\\FILES\\KESTRAVON.INI'\n\n" +
                                    kExpectedUsage;

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
        EXPECT_EQ(result.output, kArgumentCountOutput) << arguments.size() << " arguments";
        EXPECT_EQ(result.errorOutput, "");
    }
}

TEST(CommandLine, WithoutParameterFileTheSettingsErrorComesFirst) {
    for (const auto& arguments : std::vector<std::vector<std::string>>{
             {}, {"VEXLO62P", "ZutCtrl", "in.txt", "1"}, {"VEXLO62P", "ZutCtrl", "in.txt"}}) {
        TempDir dir;
        const ProcessResult result = RunTool(dir, arguments);
        EXPECT_EQ(result.exitCode, 5) << arguments.size() << " arguments";
        EXPECT_EQ(result.output, kSettingsOutput);
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

TEST(CommandLine, AMissingInputFileReportsZeroRecords) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE"));
    const ProcessResult result = RunTool(dir, {"VEXLO62P", "ZutCtrl", "missing.txt"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "0 Saetze kopiert aus Datei missing.txt \n");
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

// A data source that does not exist fails each statement's connection as a rejected record:
// each is reported, and twenty in a row (MAX_FAILURES) stop the run. An empty file needs no
// connection at all.
TEST(CommandLine, ADataSourceThatDoesNotExistIsReportedPerRecordUntilTooManyInARow) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE", "zubk_no_such_source"));
    const std::string record = "31120523595900701120000004711   1";
    dir.Write("empty.txt", "");
    dir.Write("two.txt", record + "x");  // a record and a piece of one
    std::string many;
    for (int i = 0; i < 25; ++i) {
        many += record;
    }
    dir.Write("many.txt", many);

    const ProcessResult empty = RunTool(dir, {"S", "T", "empty.txt"});
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_EQ(empty.output, "0 Saetze kopiert aus Datei empty.txt \n");

    const ProcessResult two = RunTool(dir, {"S", "T", "two.txt"});
    EXPECT_EQ(two.exitCode, 2);
    const std::string head =
        "Exception bei Datenbank Open\n"
        "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
        "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT 'T', 01, to_date('311205','ddmmyy'), "
        "to_date('235959','hh24miss'), '0000004711', zzsnum, NULL, NULL, SYSDATE, '007'from "
        "qxsystem.qxs405Zzs where zzstcd =  '121'\n"
        "Verbindung zur Datenquelle 'zubk_no_such_source' als Benutzer 'zubk' fehlgeschlagen\n"
        "SQLSTATE IM002";
    EXPECT_EQ(two.output.substr(0, head.size()), head) << two.output;
    const std::string tail =
        "\nSatz 1 (Byte 0) nicht uebernommen\n\n"
        "Fehlerhafter Satz 2 (Byte 33): 1 statt 33 Bytes; nicht uebernommen\n\n"
        "1 Saetze kopiert aus Datei two.txt \n";
    ASSERT_GE(two.output.size(), tail.size());
    EXPECT_EQ(two.output.substr(two.output.size() - tail.size()), tail);
    EXPECT_EQ(two.output.find("geheim"), std::string::npos) << "the password was printed";

    const ProcessResult stopped = RunTool(dir, {"S", "T", "many.txt"});
    EXPECT_EQ(stopped.exitCode, 4);
    EXPECT_EQ(CountOccurrences(stopped.output, "Exception bei Datenbank Open\n"), 20U);
    const std::string stopTail =
        "\nSatz 20 (Byte 627) nicht uebernommen\n\n"
        "Lauf abgebrochen: 20 Saetze in Folge fehlgeschlagen; 5 Saetze nicht versucht\n"
        "20 Saetze kopiert aus Datei many.txt \n";
    ASSERT_GE(stopped.output.size(), stopTail.size());
    EXPECT_EQ(stopped.output.substr(stopped.output.size() - stopTail.size()), stopTail);
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
