// Broken bookings files against the private MariaDB server: whatever a record holds, its
// statement inserts its row unchanged, inserts nothing, or the record is reported and in the
// reject file, and the exit code says whether anything was reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "common/text_encoding.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"
#include "transfer/booking_record.h"
#include "transfer/record_framing.h"

namespace zubk {
namespace {

using testing::CountOccurrences;
using testing::Hex;
using testing::OptionalSetting;
using testing::ProcessResult;
using testing::ReadWhole;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

constexpr std::string_view kRecord = "31120523595900701120000004711   1";
constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";

class BadInputRun : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.Execute(
            "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs;"
            "INSERT INTO qxs405zzs VALUES ('121', 42), ('771', 7);");
        m_dir.Write("in/VEXLO00P.TXT", m_db.ParameterFileFor("zubk_oracle", "ORACLE") +
                                           OptionalSetting(5, "REJECT_FILE", "rejects.txt"));
    }

    ProcessResult Import(std::string_view bookings, const std::string& terminal = "ZutCtrl") {
        const std::string input = m_dir.Write("in/bookings.txt", bookings);
        return RunProcess(ZUBK_BINARY, {"VEXLO62P", terminal, input}, m_dir.Path().string(),
                          m_db.ToolEnvironment());
    }

    std::string InputName() const { return (m_dir.Path() / "in" / "bookings.txt").string(); }

    std::string Summary(std::size_t statements) const {
        return std::to_string(statements) + " Saetze kopiert aus Datei " + InputName() + " \n";
    }

    // The records of the reject file, as the tool reads it when it is imported again.
    std::vector<std::string> RejectedRecords() const {
        const std::string bytes = ReadWhole(m_dir.Path() / "in" / "rejects.txt");
        std::vector<std::string> records;
        for (const InputRecord& record : FrameRecords(bytes)) {
            records.emplace_back(record.Bytes);
        }
        return records;
    }

    TestDatabase m_db;
    TempDir m_dir;
};

// Random bytes, or printable ones when asked. Never the bytes that frame a file: NUL (which
// means damage), LF (which makes it a file of lines) and Ctrl-Z (which ends it as its last
// byte).
std::string RandomBytes(std::mt19937& random, std::size_t count, bool printable) {
    std::string bytes;
    while (bytes.size() < count) {
        const auto byte = static_cast<char>(random() & 0xFF);
        if (printable ? byte >= ' ' && byte <= '~'
                      : byte != '\0' && byte != '\n' && byte != '\x1A') {
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
    std::vector<std::string> reportedRecords;
    std::size_t malformedCount = 0;
    for (int i = 0; i < kRecords; ++i) {
        const std::string& record = records[static_cast<std::size_t>(i)];
        const std::string lfd = record.substr(12, 3);
        // A record of the file is named by its number and offset in every message about it.
        const std::string name =
            "Satz " + std::to_string(i + 1) + " (Byte " + std::to_string(33 * i) + ")";
        const bool reported = CountOccurrences(result.output, name) == 1;
        const bool inserted = rows.count(lfd) == 1;
        if (reported) {
            reportedRecords.push_back(record);
        }
        const bool malformed = WhyMalformed(record).has_value();
        malformedCount += malformed ? 1 : 0;
        const std::string code = {record[17], record[18], record[32]};
        if (malformed) {
            // A CR inside: the record is reported without a statement.
            EXPECT_TRUE(reported && !inserted) << "record " << i;
        } else if (code == "121" || code == "771") {
            EXPECT_NE(reported, inserted)
                << "record " << i << " reported " << reported << ", inserted " << inserted;
        } else {
            EXPECT_FALSE(inserted) << "record " << i << " has no code with a row";
        }
        // The file is in code page 1252; the server keeps the identifier in UTF-8.
        if (inserted) {
            EXPECT_EQ(rows[lfd], Hex(Cp1252ToUtf8(TrimmedIdentifier(record))))
                << "record " << i << ": code page 1252 bytes that happen to form UTF-8 must "
                << "arrive as the code page 1252 characters";
        }
    }
    const std::size_t reportedCount = reportedRecords.size();
    EXPECT_EQ(CountOccurrences(result.output, kMessageStart), reportedCount - malformedCount);
    EXPECT_EQ(RejectedRecords(), reportedRecords);
    EXPECT_EQ(result.exitCode, reportedCount > 0 ? 2 : 0);
    EXPECT_EQ(result.errorOutput, "");
    const std::string summary = Summary(kRecords - malformedCount);
    ASSERT_GE(result.output.size(), summary.size());
    EXPECT_EQ(result.output.substr(result.output.size() - summary.size()), summary);
    RecordProperty("inserted", std::to_string(rows.size()));
    RecordProperty("reported", std::to_string(reportedCount));
    std::printf("%d random records: %zu inserted, %zu reported (%zu without a statement)\n",
                kRecords, rows.size(), reportedCount, malformedCount);
}

struct BadFileCase {
    const char* name;
    std::string bookings;
    std::string terminal;
    int exitCode;
    std::vector<std::string> identifiersInserted;
    std::vector<std::string> sqlStatesReported;
    std::string outputEnd;  // our own texts at the end of the output
};

TEST_F(BadInputRun, BrokenFilesHaveTheirDefinedOutcome) {
    const std::string record(kRecord);
    const BadFileCase cases[] = {
        // Too short for a record: reported as it is, no statement.
        {"one byte",
         "3",
         "ZutCtrl",
         2,
         {},
         {},
         "Fehlerhafter Satz 1 (Byte 0): 1 statt 33 Bytes; nicht uebernommen\n\n" + Summary(0)},
        // A NUL byte inside the data: the file is damaged, and nothing of it is imported.
        {"a NUL after the first record",
         record + '\0' + record,
         "ZutCtrl",
         3,
         {},
         {},
         "Fehler beim Lesen der Datei " + InputName() +
             ": NUL-Byte an Byte 33, die Datei ist beschaedigt\n"},
        {"NUL padding after the records",
         record + record + std::string(100, '\0'),
         "ZutCtrl",
         0,
         {"0000004711", "0000004711"},
         {},
         Summary(2)},
        // Line ends between records: one record a line.
        {"CR LF after every record",
         record + "\r\n" + record + "\r\n" + record + "\r\n",
         "ZutCtrl",
         0,
         {"0000004711", "0000004711", "0000004711"},
         {},
         Summary(3)},
        {"a terminal name too long for its column",
         record,
         std::string(5000, 'T'),
         2,
         {},
         {"22001 (1406)"},
         "\nSatz 1 (Byte 0) nicht uebernommen\n\n" + Summary(1)},
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
        ASSERT_GE(result.output.size(), c.outputEnd.size());
        EXPECT_EQ(result.output.substr(result.output.size() - c.outputEnd.size()), c.outputEnd);
    }
}

}  // namespace
}  // namespace zubk
