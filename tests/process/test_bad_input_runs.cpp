// Broken bookings files against the private MariaDB server: whatever a record holds, its
// statement inserts its row unchanged, inserts nothing, or is reported, and the exit code says
// whether anything was reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::CountOccurrences;
using testing::ProcessResult;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

constexpr std::string_view kRecord = "31120523595900701120000004711   1";
constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char c : bytes) {
        hex += kDigits[static_cast<unsigned char>(c) >> 4];
        hex += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return hex;
}

class BadInputRun : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.Execute(
            "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs;"
            "INSERT INTO qxs405zzs VALUES ('121', 42), ('771', 7);");
        m_dir.Write("in/VEXLO00P.TXT", m_db.ParameterFileFor("zubk_oracle", "ORACLE"));
    }

    ProcessResult Import(std::string_view bookings, const std::string& terminal = "ZutCtrl") {
        const std::string input = m_dir.Write("in/bookings.txt", bookings);
        return RunProcess(ZUBK_BINARY, {"VEXLO62P", terminal, input}, m_dir.Path().string(),
                          m_db.ToolEnvironment());
    }

    std::string Summary(std::size_t statements) const {
        return std::to_string(statements) + " Saetze kopiert aus Datei " +
               (m_dir.Path() / "in" / "bookings.txt").string() + " \n";
    }

    TestDatabase m_db;
    TempDir m_dir;
};

// Random bytes (never NUL, which would end the file), or printable ones when asked.
std::string RandomBytes(std::mt19937& random, std::size_t count, bool printable) {
    std::string bytes;
    while (bytes.size() < count) {
        const auto byte = static_cast<char>(random() & 0xFF);
        if (printable ? byte >= ' ' && byte <= '~' : byte != '\0') {
            bytes += byte;
        }
    }
    return bytes;
}

// Record i carries the running number i, to find it again. The rest is random: all of it for
// every fourth record; for the others the code 121, which has a row, and for half of those a
// valid date, time and reader number too, with an identifier of random bytes (odd records)
// or random printable characters (quotes and backslashes among them).
std::string RandomRecord(std::mt19937& random, int i) {
    const int kind = i % 4;
    std::string record = RandomBytes(random, 33, false);
    // Overwrites the record's bytes from a 0-based position.
    auto put = [&record](std::size_t at, std::string_view bytes) {
        std::copy(bytes.begin(), bytes.end(), record.begin() + static_cast<std::ptrdiff_t>(at));
    };
    std::string lfd = std::to_string(i);
    lfd.insert(0, 3 - lfd.size(), '0');
    put(12, lfd);
    if (kind != 3) {
        put(17, "12");
        put(32, "1");
    }
    if (kind == 1 || kind == 2) {
        put(0, "311205235959");
        put(15, "01");
        put(19, RandomBytes(random, 13, kind == 2));
    }
    return record;
}

std::string TrimmedIdentifier(std::string_view record) {
    std::string_view asw = record.substr(19, 13);
    while (!asw.empty() && static_cast<unsigned char>(asw.back()) <= ' ') {
        asw.remove_suffix(1);
    }
    return std::string(asw);
}

TEST_F(BadInputRun, RandomRecordsInsertUnchangedInsertNothingOrAreReported) {
    constexpr int kRecords = 300;
    std::mt19937 random(4711);
    std::vector<std::string> records;
    std::string bookings;
    for (int i = 0; i < kRecords; ++i) {
        records.push_back(RandomRecord(random, i));
        bookings += records.back();
    }
    const ProcessResult result = Import(bookings);

    // Rows by running number, with the identifier as it arrived (in hex: any bytes).
    std::map<std::string, std::string> rows;
    for (const std::string& row : m_db.Query("SELECT ZpkLfd, HEX(ZpkAsw) FROM qxs402zpk")) {
        const auto tab = row.find('\t');
        ASSERT_TRUE(rows.emplace(row.substr(0, tab), row.substr(tab + 1)).second)
            << "two rows for record " << row;
    }
    std::size_t reportedCount = 0;
    for (int i = 0; i < kRecords; ++i) {
        const std::string lfd = records[static_cast<std::size_t>(i)].substr(12, 3);
        const bool reported =
            CountOccurrences(result.output,
                             "'" + lfd + "'from qxsystem.qxs405Zzs where zzstcd =  '") == 1;
        const bool inserted = rows.count(lfd) == 1;
        reportedCount += reported ? 1 : 0;
        const std::string& record = records[static_cast<std::size_t>(i)];
        const std::string code = {record[17], record[18], record[32]};
        if (code == "121" || code == "771") {
            EXPECT_NE(reported, inserted)
                << "record " << i << " reported " << reported << ", inserted " << inserted;
        } else {
            EXPECT_FALSE(inserted) << "record " << i << " has no code with a row";
        }
        if (inserted) {
            EXPECT_EQ(rows[lfd], Hex(TrimmedIdentifier(record))) << "record " << i;
        }
    }
    EXPECT_EQ(CountOccurrences(result.output, kMessageStart), reportedCount);
    EXPECT_EQ(result.exitCode, reportedCount > 0 ? 2 : 0);
    EXPECT_EQ(result.errorOutput, "");
    ASSERT_GE(result.output.size(), Summary(kRecords).size());
    EXPECT_EQ(result.output.substr(result.output.size() - Summary(kRecords).size()),
              Summary(kRecords));
    RecordProperty("inserted", std::to_string(rows.size()));
    RecordProperty("reported", std::to_string(reportedCount));
    std::printf("%d random records: %zu inserted, %zu reported\n", kRecords, rows.size(),
                reportedCount);
}

struct BadFileCase {
    const char* name;
    std::string bookings;
    std::string terminal;
    int exitCode;
    std::size_t statements;
    std::vector<std::string> identifiersInserted;
    std::vector<std::string> sqlStatesReported;
};

TEST_F(BadInputRun, BrokenFilesHaveTheirDefinedOutcome) {
    const std::string record(kRecord);
    const BadFileCase cases[] = {
        // Too short for a reader number: the statement cannot be parsed.
        {"one byte", "3", "ZutCtrl", 2, 1, {}, {"42000 (1064)"}},
        // A NUL byte ends the bookings: what follows it is not read, and nothing says so.
        {"a NUL after the first record",
         record + '\0' + record,
         "ZutCtrl",
         0,
         1,
         {"0000004711"},
         {}},
        // A line end shifts the later records: their codes have no row, so they insert
        // nothing; only the short piece at the end fails.
        {"CR LF after every record",
         record + "\r\n" + record + "\r\n" + record + "\r\n",
         "ZutCtrl",
         2,
         4,
         {"0000004711"},
         {"42000 (1064)"}},
        {"a terminal name too long for its column",
         record,
         std::string(5000, 'T'),
         2,
         1,
         {},
         {"22001 (1406)"}},
    };
    for (const BadFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_db.Execute("DELETE FROM qxs402zpk");
        const ProcessResult result = Import(c.bookings, c.terminal);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.output.substr(0, 2000);
        EXPECT_EQ(m_db.Query("SELECT ZpkAsw FROM qxs402zpk ORDER BY ZpkAsw"),
                  c.identifiersInserted);
        EXPECT_EQ(CountOccurrences(result.output, kMessageStart), c.sqlStatesReported.size());
        for (const std::string& sqlState : c.sqlStatesReported) {
            EXPECT_EQ(CountOccurrences(result.output, "SQLSTATE " + sqlState), 1U) << result.output;
        }
        ASSERT_GE(result.output.size(), Summary(c.statements).size());
        EXPECT_EQ(result.output.substr(result.output.size() - Summary(c.statements).size()),
                  Summary(c.statements));
    }
}

}  // namespace
}  // namespace zubk
