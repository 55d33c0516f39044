#include "db/failure_class.h"

#include <gtest/gtest.h>

namespace zubk {
namespace {

struct ClassCase {
    const char* what;
    FailedStep step;
    std::vector<DiagnosticRecord> records;
    DatabaseFailure expected;
};

TEST(ClassifyFailure, TellsWhatAFailureMeansForTheRun) {
    using enum DatabaseFailure;
    const auto con = FailedStep::Connecting;
    const auto exe = FailedStep::Executing;
    const ClassCase cases[] = {
        {"MariaDB: access denied", con, {{"28000", 1045, "Access denied"}}, LoginRefused},
        {"MariaDB: no access to the database", con, {{"42000", 1044, "denied"}}, LoginRefused},
        {"Oracle: invalid login", con, {{"HY000", 1017, "ORA-01017"}}, LoginRefused},
        {"SQL Server: login failed", con, {{"28000", 18456, "Login failed"}}, LoginRefused},
        {"a refusal behind a general record",
         con,
         {{"01000", 0, "info"}, {"28000", 1045, "denied"}},
         LoginRefused},
        {"no such data source", con, {{"IM002", 0, "Data source name not found"}}, NotSetUp},
        {"driver cannot be loaded", con, {{"IM003", 0, "cannot load"}}, NotSetUp},
        {"no socket", con, {{"HY000", 2002, "Can't connect"}}, Unreachable},
        {"no host", con, {{"HY000", 2003, "Can't connect"}}, Unreachable},
        {"class 08 while connecting", con, {{"08001", 0, "unable"}}, Unreachable},
        {"gone away while connecting", con, {{"HY000", 2006, "gone away"}}, Unreachable},
        {"login timeout", con, {{"HYT00", 0, "Timeout expired"}}, Unreachable},
        {"class 08 during a statement", exe, {{"08S01", 0, "link failure"}}, ConnectionLost},
        {"server has gone away", exe, {{"HY000", 2006, "gone away"}}, ConnectionLost},
        {"lost during the query", exe, {{"HY000", 2013, "Lost connection"}}, ConnectionLost},
        {"disconnected for inactivity", exe, {{"HY000", 4031, "inactivity"}}, ConnectionLost},
        {"outcome of the transaction unknown", exe, {{"40003", 0, "unknown"}}, ConnectionLost},
        {"connection timeout", exe, {{"HYT01", 0, "Connection timeout"}}, ConnectionLost},
        {"query timeout", exe, {{"HYT00", 0, "Timeout expired"}}, TimedOut},
        {"cancelled", exe, {{"HY018", 1317, "interrupted"}}, TimedOut},
        {"max_statement_time", exe, {{"70100", 1969, "max_statement_time"}}, TimedOut},
        {"bad integer", exe, {{"22007", 1366, "Incorrect integer value"}}, Rejected},
        {"syntax", exe, {{"42000", 1064, "syntax"}}, Rejected},
        {"data source names in a statement are no setup fault", exe, {{"IM001", 0, "x"}}, Rejected},
        {"no diagnostics at all", exe, {}, Rejected},
    };
    for (const ClassCase& one : cases) {
        EXPECT_EQ(ClassifyFailure(one.step, one.records), one.expected) << one.what;
    }
}

}  // namespace
}  // namespace zubk
