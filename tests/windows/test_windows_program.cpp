// The Windows build, zubkimport.exe, run under wine on this machine: its console output byte
// for byte, and its imports into the private MariaDB server next to those of the Linux build.
// Wine's odbc32 hands every ODBC call to the machine's unixODBC, so both builds reach the
// server through the same driver manager, driver and data sources.
//
// scripts/test-windows runs this program with the server started and these variables set:
//   ZUBK_WINDOWS_BINARY  the zubkimport.exe to test
//   ZUBK_WINE            the wine program (default /usr/lib/wine/wine64)
//   ZUBK_TESTDB_STATE    the state file of scripts/testdb
//   WINEPREFIX           a prefix of wine's, made for this run
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/expected_refusal.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::BookingRecordText;
using testing::ExpectedRefusal;
using testing::Hex;
using testing::kExpectedArgumentCountError;
using testing::kExpectedSettingsError;
using testing::OptionalSetting;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

std::string RequiredEnvironment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        throw std::runtime_error(std::string(name) + " is not set: run scripts/test-windows");
    }
    return value;
}

std::string WineProgram() {
    const char* wine = std::getenv("ZUBK_WINE");
    return wine != nullptr && *wine != '\0' ? wine : "/usr/lib/wine/wine64";
}

// What a Windows console shows of the Linux build's output: every LF as CR LF.
std::string WithCrLf(std::string_view text) {
    std::string converted;
    for (const char c : text) {
        if (c == '\n') {
            converted += '\r';
        }
        converted += c;
    }
    return converted;
}

class WindowsProgram : public ::testing::Test {
protected:
    void SetUp() override { ResetTables(); }

    void ResetTables() const { m_db.ResetTables(); }

    std::string Settings(std::string_view dataSource, std::string_view dbSystem,
                         std::string_view password = {}) const {
        return m_db.ParameterFileFor(dataSource, dbSystem, password);
    }

    // Runs zubkimport.exe in the test's folder, with the data sources of the private server.
    ProcessResult RunWindows(const std::vector<std::string>& arguments,
                             std::map<std::string, std::string> environment = {}) const {
        std::vector<std::string> wineArguments = {m_windowsBinary};
        wineArguments.insert(wineArguments.end(), arguments.begin(), arguments.end());
        for (auto& [name, value] : m_db.ToolEnvironment()) {
            environment.emplace(name, value);
        }
        environment.emplace("WINEDEBUG", "-all");
        return RunProcess(m_wine, wineArguments, m_dir.Path().string(), environment);
    }

    ProcessResult RunLinux(const std::vector<std::string>& arguments) const {
        return RunProcess(ZUBK_BINARY, arguments, m_dir.Path().string(), m_db.ToolEnvironment());
    }

    const std::string m_windowsBinary = RequiredEnvironment("ZUBK_WINDOWS_BINARY");
    const std::string m_wine = WineProgram();
    TestDatabase m_db;
    TempDir m_dir;
};

TEST_F(WindowsProgram, WrongArgumentCountsPrintTheUsageHelpInCodePage1252WithCrLf) {
    m_dir.Write("VEXLO00P.TXT", Settings("zubk_oracle", "ORACLE"));
    // Code page 1252 (the "Ü" is the byte 0xDC), with the Windows console's CR LF.
    const std::string expected = WithCrLf(ExpectedRefusal(kExpectedArgumentCountError));
    // Redirected output has no console under wine (GetConsoleOutputCP gives 0), so the banner
    // stays in code page 1252 whatever the machine's locale.
    struct Case {
        std::vector<std::string> arguments;
        std::string locale;
    };
    const Case cases[] = {
        {{}, "C"},
        {{"VEXLO62P", "ZutCtrl"}, "C"},
        {{"VEXLO62P", "ZutCtrl", "AdminQX.ZutCtrl.vexlo62p.txt", "1"}, "C"},
        {{}, "C.UTF-8"},
    };
    for (const Case& c : cases) {
        const ProcessResult result = RunWindows(c.arguments, {{"LC_ALL", c.locale}});
        EXPECT_EQ(result.exitCode, 1) << c.arguments.size() << " arguments, " << c.locale;
        EXPECT_EQ(result.output, expected) << c.arguments.size() << " arguments, " << c.locale;
        EXPECT_EQ(result.errorOutput, "");
    }
}

TEST_F(WindowsProgram, VersionIsOneLineWithCrLf) {
    const ProcessResult result = RunWindows({"--version"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "zubkimport 1.1.0\r\n");
    EXPECT_EQ(result.errorOutput, "");
}

TEST_F(WindowsProgram, MissingSettingsPrintTheSettingsErrorWithCrLf) {
    const ProcessResult result = RunWindows({"VEXLO62P", "ZutCtrl", "in.txt"});
    EXPECT_EQ(result.exitCode, 5);
    EXPECT_EQ(result.output,
              WithCrLf(ExpectedRefusal(kExpectedSettingsError +
                                       "Parameterdatei VEXLO00P.TXT nicht gefunden\n")));
}

TEST_F(WindowsProgram, ImportsAndReportsLikeTheLinuxBuild) {
    const std::string good =
        BookingRecordText("311205", "235959", "001", "01", "121", "0000004711") +
        BookingRecordText("010106", "000000", "002", "02", "771", "O'Brien") +
        BookingRecordText("150607", "120102", "003", "03", "999", "nobody");
    const std::string withBadRecord =
        BookingRecordText("010101", "010101", "001", "01", "121", "before") +
        BookingRecordText("020202", "020202", "002", "XY", "121", "bad") +
        BookingRecordText("030303", "030303", "003", "03", "121", "after");
    struct Case {
        const char* name;
        std::string settings;
        std::string bookings;
        int exitCode;
        std::size_t rows;
    };
    const Case cases[] = {
        {"Oracle statements", Settings("zubk_oracle", "ORACLE"), good, 0, 2},
        {"a statement the server rejects", Settings("zubk_oracle", "ORACLE"), withBadRecord, 2, 2},
        {"SQL Server statements on MariaDB", Settings("zubk_mssql", "MSSQL"), good, 2, 0},
        // The run stops at the first record in these three: no record can go in.
        {"a wrong password", Settings("zubk_oracle", "ORACLE", "wrong"), good, 4, 0},
        {"a data source that does not exist", Settings("zubk_no_such_source", "ORACLE"), good, 4,
         0},
        {"a server that does not answer",
         Settings("zubk_nosocket", "ORACLE") + OptionalSetting(5, "RECONNECT_TIME", "0"), good, 4,
         0},
    };
    const std::vector<std::string> arguments = {"VEXLO62P", "ZutCtrl", "in/bookings.txt"};
    for (const Case& c : cases) {
        m_dir.Write("in/VEXLO00P.TXT", c.settings);
        m_dir.Write("in/bookings.txt", c.bookings);

        ResetTables();
        const ProcessResult onLinux = RunLinux(arguments);
        const std::vector<std::string> linuxRows = m_db.ImportedRows();
        ResetTables();
        const ProcessResult onWindows = RunWindows(arguments);
        const std::vector<std::string> windowsRows = m_db.ImportedRows();

        EXPECT_EQ(onLinux.exitCode, c.exitCode) << c.name << "\n" << onLinux.output;
        EXPECT_EQ(onWindows.exitCode, c.exitCode) << c.name << "\n" << onWindows.output;
        EXPECT_EQ(onWindows.output, WithCrLf(onLinux.output)) << c.name;
        EXPECT_EQ(onWindows.errorOutput, "") << c.name;
        EXPECT_EQ(linuxRows.size(), c.rows) << c.name;
        EXPECT_EQ(windowsRows, linuxRows) << c.name;
    }
}

// The Windows build takes its arguments from the wide command line and the records from code
// page 1252; the characters arrive in the utf8mb4 table as themselves, in both forms.
TEST_F(WindowsProgram, UmlautsAndTheEuroSignArriveAsThemselves) {
    const std::string terminal = "Z\xC3\xBCrich-T\xC3\xBCr";
    m_dir.Write(
        "in/bookings.txt",
        BookingRecordText("311205", "235959", "001", "01", "121", "\xE4\xF6\xFC\xDF\xE9\x80") +
            BookingRecordText("311205", "235959", "002", "01", "771", "M\xFCller"));
    const std::vector<std::string> expected = {
        Hex(terminal) + "\t" + Hex("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9\xE2\x82\xAC"),
        Hex(terminal) + "\t" +
            Hex("M\xC3\xBC"
                "ller"),
    };
    for (const auto& [dataSource, dbSystem] :
         {std::pair{"zubk_oracle", "ORACLE"}, std::pair{"zubk_mysql", "MySQL"}}) {
        SCOPED_TRACE(dbSystem);
        m_dir.Write("in/VEXLO00P.TXT", Settings(dataSource, dbSystem));
        ResetTables();
        // Wine reads the command line in the locale's character set.
        const ProcessResult result =
            RunWindows({"VEXLO62P", terminal, "in/bookings.txt"}, {{"LC_ALL", "C.UTF-8"}});
        EXPECT_EQ(result.exitCode, 0) << result.output;
        EXPECT_EQ(m_db.Query("SELECT HEX(ZpkTrm), HEX(ZpkAsw) FROM qxs402zpk ORDER BY ZpkLfd"),
                  expected);
    }
}

// A statement the server refuses is printed with the terminal name in the console's code page.
TEST_F(WindowsProgram, PrintsATerminalNameWithUmlautsInCodePage1252) {
    m_dir.Write("in/VEXLO00P.TXT", Settings("zubk_mssql", "MSSQL"));
    m_dir.Write("in/bookings.txt", BookingRecordText("311205", "235959", "001", "01", "121", "x"));
    const ProcessResult result = RunWindows(
        {"VEXLO62P", "Z\xC3\xBCrich-T\xC3\xBCr", "in/bookings.txt"}, {{"LC_ALL", "C.UTF-8"}});
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_NE(result.output.find("SELECT DISTINCT 'Z\xFCrich-T\xFCr', 01"), std::string::npos)
        << result.output;
}

TEST_F(WindowsProgram, FindsTheParameterFileBesideAWindowsPath) {
    m_dir.Write("in/VEXLO00P.TXT", Settings("zubk_oracle", "ORACLE"));
    m_dir.Write("in/bookings.txt", BookingRecordText("311205", "235959", "001", "01", "121", "x"));
    // Wine shows the machine's root folder as drive Z:.
    std::string absolute = "Z:" + (m_dir.Path() / "in" / "bookings.txt").string();
    std::replace(absolute.begin(), absolute.end(), '/', '\\');
    for (const std::string& input : {std::string("in\\bookings.txt"), absolute}) {
        ResetTables();
        const ProcessResult result = RunWindows({"VEXLO62P", "ZutCtrl", input});
        EXPECT_EQ(result.exitCode, 0) << input << "\n" << result.output;
        EXPECT_EQ(result.output, "1 Saetze kopiert aus Datei " + input + " \r\n");
        EXPECT_EQ(m_db.Query("SELECT ZpkAsw, ZpkZus FROM qxs402zpk"),
                  (std::vector<std::string>{"x\t42"}))
            << input;
    }
}

}  // namespace
}  // namespace zubk
