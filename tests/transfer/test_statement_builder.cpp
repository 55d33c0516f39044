#include "transfer/statement_builder.h"

#include <gtest/gtest.h>

namespace zubk {
namespace {

constexpr std::string_view kRecord = "31120523595900701120000004711   1";

constexpr std::string_view kHead =
    "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
    "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT ";

std::string Oracle(std::string_view record, std::string_view terminal = "ZutCtrl") {
    return BuildInsertStatement(record, terminal, "ORACLE");
}

std::string MsSql(std::string_view record, std::string_view terminal = "ZutCtrl") {
    return BuildInsertStatement(record, terminal, "MSSQL");
}

TEST(BuildInsertStatement, OracleFormOfTheWorkedExample) {
    EXPECT_EQ(Oracle(kRecord),
              std::string(kHead) +
                  "'ZutCtrl', 01, to_date('311205','ddmmyy'), to_date('235959','hh24miss'), "
                  "'0000004711', zzsnum, NULL, NULL, SYSDATE, '007'from qxsystem.qxs405Zzs where "
                  "zzstcd =  '121'");
}

TEST(BuildInsertStatement, MsSqlFormOfTheWorkedExample) {
    EXPECT_EQ(MsSql(kRecord),
              std::string(kHead) +
                  "'ZutCtrl', 01, CONVERT(DATETIME, CONVERT(varchar(10), CONVERT(DATETIME, "
                  "'31.12.05', 4), 120), 120), CONVERT(DATETIME, CONVERT(varchar(10), "
                  "CONVERT(datetime, '01.12.05', 4), 120) + ' 23:59:59', 120), '0000004711', "
                  "zzsnum, NULL, NULL, GETDATE(), '007'from qxsystem.qxs405Zzs where zzstcd =  "
                  "'121'");
}

TEST(BuildInsertStatement, MySqlFormOfTheWorkedExample) {
    EXPECT_EQ(BuildInsertStatement(kRecord, "ZutCtrl", "MySQL"),
              std::string(kHead) +
                  "'ZutCtrl', 01, STR_TO_DATE('311205','%d%m%y'), "
                  "STR_TO_DATE('011205235959','%d%m%y%H%i%s'), '0000004711', zzsnum, NULL, NULL, "
                  "NOW(), '007'from qxsystem.qxs405Zzs where zzstcd =  '121'");
}

// MySQL and MariaDB connections run with NO_BACKSLASH_ESCAPES, so a backslash is an ordinary
// character in every form and only apostrophes are doubled.
TEST(BuildInsertStatement, EveryFormDoublesApostrophesAndLeavesBackslashesAlone) {
    const std::string record =
        "3112052359590070112"
        "a\\'b\\        "
        "1";
    const std::string statement = BuildInsertStatement(record, "Zut\\'Ctrl", "MySQL");
    EXPECT_NE(statement.find("SELECT DISTINCT 'Zut\\''Ctrl', 01"), std::string::npos) << statement;
    EXPECT_NE(statement.find("), 'a\\''b\\', zzsnum"), std::string::npos) << statement;
    EXPECT_NE(Oracle(record, "Zut\\Ctrl").find("'Zut\\Ctrl'"), std::string::npos);
    EXPECT_NE(Oracle(record).find("'a\\''b\\', zzsnum"), std::string::npos);
}

// The record is code page 1252, the statement UTF-8; the terminal name is UTF-8 already.
TEST(BuildInsertStatement, WritesEveryRecordFieldFromCodePage1252InUtf8) {
    struct Case {
        const char* name;
        std::string identifier;
        std::string written;
    };
    const Case cases[] = {
        {"letters", "\xE4\xF6\xFC\xDF\xE9\xC4\xD6\xDC",
         "\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F\xC3\xA9\xC3\x84\xC3\x96\xC3\x9C"},
        {"the euro sign and typographic quotes", "\x80\x84\x93",
         "\xE2\x82\xAC\xE2\x80\x9E\xE2\x80\x9C"},
        {"bytes that look like UTF-8", "\xC3\xA4", "\xC3\x83\xC2\xA4"},
        {"bytes that code page 1252 leaves unassigned", "\x81\x8D\x8F\x90\x9D",
         "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"an apostrophe after a lead byte of another code page", "\xBF'x", "\xC2\xBF''x"},
    };
    for (const Case& c : cases) {
        const std::string record =
            "3112052359590070112" + c.identifier + std::string(13 - c.identifier.size(), ' ') + "1";
        EXPECT_NE(Oracle(record).find("), '" + c.written + "', zzsnum"), std::string::npos)
            << c.name << "\n"
            << Oracle(record);
    }
    const std::string fields =
        "\xE4"
        "11205235959\xB0"
        "07\xA7"
        "1\xDC"
        "2"
        "x            "
        "\xFC";
    EXPECT_EQ(Oracle(fields, "Z\xC3\xBCrich-T\xC3\xBCr"),
              std::string(kHead) +
                  "'Z\xC3\xBCrich-T\xC3\xBCr', '\xC2\xA7"
                  "1', to_date('\xC3\xA4"
                  "11205','ddmmyy'), "
                  "to_date('235959','hh24miss'), 'x', zzsnum, NULL, NULL, SYSDATE, '\xC2\xB0"
                  "07'from "
                  "qxsystem.qxs405Zzs where zzstcd =  '\xC3\x9C"
                  "2\xC3\xBC'");
}

TEST(BuildInsertStatement, NoStatementForADatabaseSystemWithoutForm) {
    for (const std::string_view dbSystem :
         {"MYSQL", "mysql", "oracle", "mssql", "ORACLE ", "", "DB2"}) {
        EXPECT_EQ(BuildInsertStatement(kRecord, "ZutCtrl", dbSystem), "") << dbSystem;
    }
}

TEST(BuildInsertStatement, AnIdentifierOfBlanksIsAnEmptyLiteral) {
    const std::string record =
        "311205235959007011"
        "2"
        "             "
        "1";
    EXPECT_NE(Oracle(record).find("'hh24miss'), '', zzsnum"), std::string::npos);
}

TEST(BuildInsertStatement, TrailingControlCharactersLeaveTheIdentifier) {
    const std::string record = "31120523595900701120000004711\t\r\n1";
    EXPECT_NE(Oracle(record).find("'0000004711', zzsnum"), std::string::npos);
    // Bytes above 0x7F are identifier bytes, not blanks.
    const std::string latin = "311205235959007011200000047\xE4\xA0   1";
    EXPECT_NE(Oracle(latin).find("'00000047\xC3\xA4\xC2\xA0', zzsnum"), std::string::npos);
}

// The record loop passes only records of 33 bytes; the builder still keeps to the columns.
TEST(BuildInsertStatement, AShortRecordGivesTheFieldsItHas) {
    const std::string_view record = kRecord.substr(0, 20);  // the identifier's first byte
    EXPECT_EQ(Oracle(record),
              std::string(kHead) +
                  "'ZutCtrl', 01, to_date('311205','ddmmyy'), to_date('235959','hh24miss'), "
                  "'0', zzsnum, NULL, NULL, SYSDATE, '007'from qxsystem.qxs405Zzs where zzstcd "
                  "=  '12'");
}

TEST(BuildInsertStatement, AnEmptyRecordGivesAStatementOfEmptyFields) {
    EXPECT_EQ(Oracle(""), std::string(kHead) +
                              "'ZutCtrl', , to_date('','ddmmyy'), to_date('','hh24miss'), '', "
                              "zzsnum, NULL, NULL, SYSDATE, ''from qxsystem.qxs405Zzs where "
                              "zzstcd =  ''");
    EXPECT_EQ(MsSql(""), std::string(kHead) +
                             "'ZutCtrl', , CONVERT(DATETIME, CONVERT(varchar(10), "
                             "CONVERT(DATETIME, '..', 4), 120), 120), CONVERT(DATETIME, "
                             "CONVERT(varchar(10), CONVERT(datetime, '01..', 4), 120) + ' ::', "
                             "120), '', zzsnum, NULL, NULL, GETDATE(), ''from "
                             "qxsystem.qxs405Zzs where zzstcd =  ''");
}

// Values from the file or the command line must never be read as SQL.
TEST(BuildInsertStatement, ApostrophesAreDoubledInEveryQuotedValue) {
    struct Case {
        const char* name;
        std::string record;
        std::string terminal;
        std::string oracleFragment;
        std::string msSqlFragment;
    };
    const Case cases[] = {
        {"terminal name", std::string(kRecord), "Zut'Ctrl", "SELECT DISTINCT 'Zut''Ctrl', 01",
         "SELECT DISTINCT 'Zut''Ctrl', 01"},
        {"identifier",
         "3112052359590070112"
         "00'); DROP   "
         "1",
         "T", "'00''); DROP', zzsnum", "'00''); DROP', zzsnum"},
        {"lfd text", "311205235959'0701120000004711   1", "T", "SYSDATE, '''07'from",
         "GETDATE(), '''07'from"},
        {"code and suffix", "31120523595900701'20000004711   '", "T", "zzstcd =  '''2'''",
         "zzstcd =  '''2'''"},
        {"date", "3'1205235959007011200000047111111", "T", "to_date('3''1205','ddmmyy')",
         "CONVERT(DATETIME, '3''.12.05', 4)"},
        {"time", "31120523'95900701120000004711   1", "T", "to_date('23''959','hh24miss')",
         "+ ' 23:''9:59', 120)"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(Oracle(c.record, c.terminal).find(c.oracleFragment), std::string::npos)
            << c.name << "\n"
            << Oracle(c.record, c.terminal);
        EXPECT_NE(MsSql(c.record, c.terminal).find(c.msSqlFragment), std::string::npos)
            << c.name << "\n"
            << MsSql(c.record, c.terminal);
    }
}

TEST(BuildInsertStatement, ANonNumericLesTextBecomesAQuotedLiteral) {
    struct Case {
        std::string_view les;
        std::string_view written;
    };
    const Case cases[] = {
        {"01", ", 01, to_date"},   {"9", ", 9, to_date"},      {"A1", ", 'A1', to_date"},
        {" 1", ", ' 1', to_date"}, {"'-", ", '''-', to_date"}, {"-1", ", '-1', to_date"},
    };
    for (const Case& c : cases) {
        std::string record = "311205235959007" + std::string(c.les);
        if (c.les.size() == 2) {
            record += "120000004711   1";
        }
        EXPECT_NE(Oracle(record).find(c.written), std::string::npos) << c.les << "\n"
                                                                     << Oracle(record);
    }
}

TEST(BuildInsertStatement, ReusesTheCallersBuffer) {
    std::string statement = "left over";
    BuildInsertStatement(kRecord, "ZutCtrl", SqlDialect::Oracle, statement);
    EXPECT_EQ(statement, Oracle(kRecord));
}

}  // namespace
}  // namespace zubk
