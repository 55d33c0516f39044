// The built program against the private MariaDB server: rows checked column by column.
#include <gtest/gtest.h>

#include <string>

#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"
#include "transfer/statement_builder.h"

namespace zubk {
namespace {

using testing::BookingRecordText;
using testing::CountOccurrences;
using testing::Hex;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

class DatabaseRun : public ::testing::Test {
protected:
    void SetUp() override { m_db.ResetTables(); }

    std::string Settings(std::string_view dataSource, std::string_view dbSystem,
                         std::string_view password = {}) const {
        return m_db.ParameterFileFor(dataSource, dbSystem, password);
    }

    ProcessResult Import(std::string_view settings, std::string_view bookings,
                         std::string terminal = "ZutCtrl") {
        m_dir.Write("in/VEXLO00P.TXT", settings);
        const std::string input = m_dir.Write("in/bookings.txt", bookings);
        return RunProcess(ZUBK_BINARY, {"VEXLO62P", terminal, input}, m_dir.Path().string(),
                          m_db.ToolEnvironment());
    }

    std::string InputName() const { return (m_dir.Path() / "in" / "bookings.txt").string(); }

    std::string FirstOfThisMonth(std::string_view time) const {
        return m_db.Query("SELECT DATE_FORMAT(NOW(), '%Y-%m-01')")[0] + " " + std::string(time);
    }

    TestDatabase m_db;
    TempDir m_dir;
};

TEST_F(DatabaseRun, OracleStatementsInsertOneRowPerCodeFound) {
    const std::string bookings =
        BookingRecordText("311205", "235959", "001", "01", "121", "0000004711") +
        BookingRecordText("010106", "000000", "002", "02", "771", "ABC") +
        BookingRecordText("150607", "120102", "003", "03", "999", "nobody");
    const ProcessResult result = Import(Settings("zubk_oracle", "ORACLE"), bookings);
    EXPECT_EQ(result.exitCode, 0) << result.output;
    // The code without a row is counted and silent; two identical rows insert one.
    EXPECT_EQ(result.output, "3 Saetze kopiert aus Datei " + InputName() + " \n");
    EXPECT_EQ(m_db.ImportedRows(),
              (std::vector<std::string>{
                  "ZutCtrl\t1\t2005-12-31 00:00:00\t" + FirstOfThisMonth("23:59:59") +
                      "\t0000004711\t42\tNULL\tNULL\t001\t1",
                  "ZutCtrl\t2\t2006-01-01 00:00:00\t" + FirstOfThisMonth("00:00:00") +
                      "\tABC\t7\tNULL\tNULL\t002\t1",
              }));
}

TEST_F(DatabaseRun, MySqlStatementsInsertOneRowPerCodeFound) {
    const std::string bookings =
        BookingRecordText("311205", "235959", "001", "01", "121", "a\\'b\\") +
        BookingRecordText("290204", "000001", "002", "02", "771", "ABC") +
        BookingRecordText("150607", "120102", "003", "03", "999", "nobody");
    const ProcessResult result = Import(Settings("zubk_mysql", "MySQL"), bookings, "Zut'\\Ctrl");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(result.output, "3 Saetze kopiert aus Datei " + InputName() + " \n");
    EXPECT_EQ(m_db.ImportedRows(),
              (std::vector<std::string>{
                  "Zut'\\Ctrl\t1\t2005-12-31 00:00:00\t2005-12-01 23:59:59\ta\\'b\\\t42\t"
                  "NULL\tNULL\t001\t1",
                  "Zut'\\Ctrl\t2\t2004-02-29 00:00:00\t2004-02-01 00:00:01\tABC\t7\tNULL\t"
                  "NULL\t002\t1",
              }));
}

TEST_F(DatabaseRun, TheServerReadsTheClockOncePerStatementAsOracleDoes) {
    // ZpkDat is SYSDATE. Were it read per row, a code with two identical rows would insert
    // two rows whenever a second ends between them. Microseconds and a short sleep per row
    // make any second reading show.
    EXPECT_EQ(m_db.Query("SELECT DISTINCT SYSDATE(6), zzsnum FROM qxs405zzs "
                         "WHERE zzstcd = '771' AND SLEEP(0.01) = 0")
                  .size(),
              1U);
}

TEST_F(DatabaseRun, AFailingStatementIsReportedAndTheRunGoesOn) {
    const std::string bad = BookingRecordText("020202", "020202", "002", "XY", "121", "bad");
    const std::string bookings =
        BookingRecordText("010101", "010101", "001", "01", "121", "before") + bad +
        BookingRecordText("030303", "030303", "003", "03", "121", "after");
    const ProcessResult result = Import(Settings("zubk_oracle", "ORACLE"), bookings);
    EXPECT_EQ(result.exitCode, 2);
    const std::string head =
        "Exception bei Datenbank Open\n"
        "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
        "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT 'ZutCtrl', 'XY', to_date('020202','ddmmyy'), "
        "to_date('020202','hh24miss'), 'bad', zzsnum, NULL, NULL, SYSDATE, '002'from "
        "qxsystem.qxs405Zzs where zzstcd =  '121'\n"
        "SQLSTATE ";
    EXPECT_EQ(result.output.substr(0, head.size()), head) << result.output;
    const std::string tail = "\n\n3 Saetze kopiert aus Datei " + InputName() + " \n";
    ASSERT_GE(result.output.size(), tail.size());
    EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail);
    EXPECT_NE(result.output.find("(1366)"), std::string::npos) << "incorrect integer value";
    // Automatic commit: the rows before and after the failure stay.
    const auto rows = m_db.Query("SELECT ZpkAsw FROM qxs402zpk ORDER BY ZpkLfd");
    EXPECT_EQ(rows, (std::vector<std::string>{"before", "after"}));
}

TEST_F(DatabaseRun, ApostrophesArriveIntact) {
    const ProcessResult result = Import(
        Settings("zubk_oracle", "ORACLE"),
        BookingRecordText("311205", "235959", "001", "01", "121", "O'Brien'); --"), "Zut'Ctrl");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    EXPECT_EQ(m_db.Query("SELECT ZpkTrm, ZpkAsw FROM qxs402zpk"),
              (std::vector<std::string>{"Zut'Ctrl\tO'Brien'); --"}));
}

// The terminals write code page 1252; the table is utf8mb4. Each character must arrive as
// itself, whichever way the terminal name was typed and whichever form the statements take.
TEST_F(DatabaseRun, UmlautsAndTheEuroSignArriveAsThemselves) {
    const std::string utf8Terminal = "Z\xC3\xBCrich-T\xC3\xBCr";
    const std::string cp1252Terminal = "Z\xFCrich-T\xFCr";
    const std::string bookings =
        BookingRecordText("311205", "235959", "001", "01", "121", "\xE4\xF6\xFC\xDF\xE9\x80") +
        BookingRecordText("311205", "235959", "002", "01", "121", "M\xFCller \xC4\xD6\xDC");
    const std::vector<std::string> expected = {
        Hex(utf8Terminal) + "\t" + Hex("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9\xE2\x82\xAC"),
        Hex(utf8Terminal) + "\t" + Hex("M\xC3\xBCller \xC3\x84\xC3\x96\xC3\x9C"),
    };
    for (const auto& [dataSource, dbSystem] :
         {std::pair{"zubk_oracle", "ORACLE"}, std::pair{"zubk_mysql", "MySQL"}}) {
        for (const std::string& terminal : {utf8Terminal, cp1252Terminal}) {
            SCOPED_TRACE(std::string(dbSystem) +
                         (terminal == utf8Terminal ? ", UTF-8" : ", cp1252"));
            m_db.ResetTables();
            const ProcessResult result = Import(Settings(dataSource, dbSystem), bookings, terminal);
            EXPECT_EQ(result.exitCode, 0) << result.output;
            EXPECT_EQ(m_db.Query("SELECT HEX(ZpkTrm), HEX(ZpkAsw) FROM qxs402zpk ORDER BY ZpkLfd"),
                      expected);
        }
    }
}

// The MySQL form writes a backslash as itself and doubles apostrophes only; its sessions run
// with NO_BACKSLASH_ESCAPES, whatever the server's own mode, and in any character set.
class ServerSqlMode : public DatabaseRun {
protected:
    void TearDown() override { m_db.Execute("SET GLOBAL sql_mode = DEFAULT"); }

    void SetGlobalMode(bool noBackslashEscapes) const {
        m_db.Execute(
            noBackslashEscapes
                ? "SET GLOBAL sql_mode = CONCAT(@@GLOBAL.sql_mode, ',NO_BACKSLASH_ESCAPES')"
                : "SET GLOBAL sql_mode = DEFAULT");
        ASSERT_EQ(m_db.Query("SELECT @@GLOBAL.sql_mode LIKE '%NO_BACKSLASH_ESCAPES%'")[0],
                  noBackslashEscapes ? "1" : "0");
    }
};

TEST_F(ServerSqlMode, ApostrophesAndBackslashesAreStoredExactly) {
    const std::vector<std::string> identifiers = {"a\\'b\\", "\\",       "'\\'",
                                                  "x\\",     "\\'); --", "''\\\\"};
    std::string bookings;
    for (std::size_t i = 0; i < identifiers.size(); ++i) {
        bookings += BookingRecordText("311205", "235959", "00" + std::to_string(i), "01", "121",
                                      identifiers[i]);
    }
    const std::string terminal = "Zut'\\Ctrl\\";
    for (const bool noBackslashEscapes : {false, true}) {
        SetGlobalMode(noBackslashEscapes);
        for (const char* dataSource : {"zubk_mysql", "zubk_gbk"}) {
            SCOPED_TRACE(std::string(dataSource) + (noBackslashEscapes ? " with" : " without") +
                         " NO_BACKSLASH_ESCAPES on the server");
            m_db.ResetTables();
            const ProcessResult result = Import(Settings(dataSource, "MySQL"), bookings, terminal);
            EXPECT_EQ(result.exitCode, 0) << result.output;
            std::vector<std::string> expected;
            for (const std::string& identifier : identifiers) {
                expected.push_back(Hex(terminal) + "\t" + Hex(identifier));
            }
            EXPECT_EQ(m_db.Query("SELECT HEX(ZpkTrm), HEX(ZpkAsw) FROM qxs402zpk ORDER BY ZpkLfd"),
                      expected);
        }
    }
}

// A byte that a multi-byte character set such as GBK reads as a lead byte, before a backslash
// and an apostrophe: were the backslash an escape, the apostrophe would end the literal, the
// rest would stand as values of their own, and the running number's "#" would hide the code.
TEST_F(ServerSqlMode, TheGbkInjectionInsertsNoRow) {
    const std::string record =
        BookingRecordText("311205", "235959", "#  ", "01", "129", "\xBF\\',9,2,3,0,5");
    // The statement itself, executed with backslash escapes, would insert a row of its own
    // making, for a code that has none.
    SetGlobalMode(false);
    m_db.Execute(BuildInsertStatement(record, "T", "MySQL"));
    ASSERT_EQ(m_db.Query("SELECT ZpkZus, ZpkFcd, ZpkMld, ZpkLfd FROM qxs402zpk"),
              (std::vector<std::string>{"9\t2\t3\t5"}))
        << "the record no longer shows what the mode prevents";
    for (const bool noBackslashEscapes : {false, true}) {
        SetGlobalMode(noBackslashEscapes);
        for (const char* dataSource : {"zubk_gbk", "zubk_mysql"}) {
            SCOPED_TRACE(std::string(dataSource) + (noBackslashEscapes ? " with" : " without") +
                         " NO_BACKSLASH_ESCAPES on the server");
            m_db.ResetTables();
            const ProcessResult result = Import(Settings(dataSource, "MySQL"), record, "T");
            EXPECT_EQ(result.exitCode, 0) << result.output;
            EXPECT_EQ(m_db.Query("SELECT COUNT(*) FROM qxs402zpk")[0], "0");
        }
    }
}

TEST_F(DatabaseRun, SqlServerStatementsReachTheServerAndItsErrorIsPrinted) {
    // MariaDB does not speak this dialect: the run shows the server's own message.
    const ProcessResult result =
        Import(Settings("zubk_mssql", "MSSQL"),
               BookingRecordText("311205", "235959", "001", "01", "121", "x"));
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.output.find("CONVERT(DATETIME, '31.12.05', 4)"), std::string::npos);
    EXPECT_NE(result.output.find("SQLSTATE HY000 (4161)"), std::string::npos) << result.output;
}

// How fast records go through is measured in bench/, not here.
TEST_F(DatabaseRun, TwentyThousandRecordsAreAllCountedAndEveryCodeWithARowInserted) {
    constexpr int kRecords = 20000;
    std::string bookings;
    bookings.reserve(kRecords * 33);
    for (int i = 0; i < kRecords; ++i) {
        const std::string lfd = std::to_string(100 + i % 900);
        bookings +=
            BookingRecordText("311205", "235959", lfd, "01", i % 3 == 0 ? "999" : "121", "id");
    }
    const ProcessResult result = Import(Settings("zubk_oracle", "ORACLE"), bookings);
    EXPECT_EQ(result.exitCode, 0) << result.output.substr(0, 2000);
    EXPECT_EQ(result.errorOutput, "") << "progress goes to a terminal only";
    EXPECT_EQ(result.output,
              std::to_string(kRecords) + " Saetze kopiert aus Datei " + InputName() + " \n");
    // Every third record has the code 999, which has no row.
    EXPECT_EQ(m_db.Query("SELECT COUNT(*) FROM qxs402zpk")[0],
              std::to_string(kRecords - (kRecords + 2) / 3));
}

}  // namespace
}  // namespace zubk
