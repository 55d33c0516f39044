#include "db/data_module.h"

#include <gtest/gtest.h>

#include "db/database_error.h"

namespace zubk {
namespace {

TEST(Tdm1, HoldsTheStoredSettingsAndDoesNotConnect) {
    Tdm1 dm1;
    EXPECT_EQ(dm1.KESTRAVON.AliasName, "KESTRAVON");
    EXPECT_FALSE(dm1.KESTRAVON.Connected());
    const std::vector<std::string> params = {
        "DATABASE NAME=",
        "USER NAME=",
        "ODBC DSN=kestravon",
        "OPEN MODE=READ/WRITE",
        "SCHEMA CACHE SIZE=8",
        "SQLQRYMODE=",
        "LANGDRIVER=",
        "SQLPASSTHRU MODE=SHARED AUTOCOMMIT",
        "SCHEMA CACHE TIME=-1",
        "MAX ROWS=-1",
        "BATCH COUNT=200",
        "ENABLE SCHEMA CACHE=FALSE",
        "SCHEMA CACHE DIR=",
        "ENABLE BCD=FALSE",
        "ROWSET SIZE=20",
        "BLOBS TO CACHE=64",
        "PASSWORD=",
    };
    ASSERT_EQ(dm1.KESTRAVON.Params.Count(), params.size());
    for (std::size_t i = 0; i < params.size(); ++i) {
        EXPECT_EQ(dm1.KESTRAVON.Params[i], params[i]);
    }
    EXPECT_EQ(dm1.Qry1.SQL.Count(), 0U);
}

TEST(TStringList, TextEndsEveryLineWithALineEnd) {
    TStringList list;
    list.Add("INSERT 1");
    EXPECT_EQ(list.Text(), "INSERT 1\n");
    list.Clear();
    EXPECT_EQ(list.Text(), "");
}

TEST(TStringList, ValueFindsTheFirstLineOfTheName) {
    const TStringList list = {"USER NAME=zubk", "PASSWORD=a=b", "USER NAMES=x"};
    EXPECT_EQ(list.Value("USER NAME"), "zubk");
    EXPECT_EQ(list.Value("PASSWORD"), "a=b");
    EXPECT_EQ(list.Value("ODBC DSN"), "");
}

TEST(EDatabaseError, JoinsEveryDiagnosticRecord) {
    const EDatabaseError error(DatabaseFailure::Unreachable, "Verbindung fehlgeschlagen",
                               {{"08001", 2002, "cannot connect"}, {"01000", 0, "second record"}});
    EXPECT_EQ(std::string(error.what()),
              "Verbindung fehlgeschlagen\n"
              "SQLSTATE 08001 (2002): cannot connect\n"
              "SQLSTATE 01000 (0): second record");
    EXPECT_EQ(error.Records().size(), 2U);
}

TEST(TDatabase, AFailedOpenLeavesTheConnectionClosedForTheNextTry) {
    Tdm1 dm1;
    dm1.KESTRAVON.AliasName = "zubk_no_such_data_source";
    dm1.Qry1.SQL.Add("SELECT 1");
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            dm1.Qry1.ExecSQL();
            FAIL() << "connected to a data source that does not exist";
        } catch (const EDatabaseError& error) {
            EXPECT_NE(std::string(error.what()).find("zubk_no_such_data_source"), std::string::npos)
                << error.what();
            EXPECT_FALSE(error.Records().empty());
        }
        EXPECT_FALSE(dm1.KESTRAVON.Connected());
    }
}

}  // namespace
}  // namespace zubk
