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
        EXPECT_EQ(result.output, ExpectedRefusal(kExpectedSettingsError)) << arguments[0];
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

TEST(CommandLine, ADataSourceThatDoesNotExistFailsEveryStatementWithExitCode2) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings("ORACLE", "zubk_no_such_source"));
    const std::string record = "31120523595900701120000004711   1";
    dir.Write("two.txt", record + record);

    const ProcessResult result = RunTool(dir, {"S", "T", "two.txt"});
    EXPECT_EQ(result.exitCode, 2);
    const std::string head =
        "Exception bei Datenbank Open\n"
        "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
        "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT 'T', 01, to_date('311205','ddmmyy'), "
        "to_date('235959','hh24miss'), '0000004711', zzsnum, NULL, NULL, SYSDATE, '007'from "
        "qxsystem.qxs405Zzs where zzstcd =  '121'\n"
        "Verbindung zur Datenquelle 'zubk_no_such_source' als Benutzer 'zubk' fehlgeschlagen\n"
        "SQLSTATE IM002";
    EXPECT_EQ(result.output.substr(0, head.size()), head) << result.output;
    EXPECT_EQ(CountOccurrences(result.output, "Exception bei Datenbank Open\n"), 2U);
    const std::string tail = "\n\n2 Saetze kopiert aus Datei two.txt \n";
    ASSERT_GE(result.output.size(), tail.size());
    EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail);
    EXPECT_EQ(result.output.find("geheim"), std::string::npos) << "the password was printed";
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
