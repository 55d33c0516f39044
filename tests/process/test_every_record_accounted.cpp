// Every booking accounted for: after any run that got past the settings, each record of the
// input file is either a row in the table or reported and in the reject file, never both and
// never neither; and the reject file, once mended, imports the rest without a duplicate. The
// built program against the private MariaDB server.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/accounting.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::BackgroundProcess;
using testing::CountOccurrences;
using testing::NumberedRecord;
using testing::NumbersInRecords;
using testing::NumbersInTable;
using testing::OptionalSetting;
using testing::ProcessResult;
using testing::ReadWhole;
using testing::RunProcess;
using testing::TempDir;
using testing::TestDatabase;

constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";
constexpr std::string_view kRejectFileName = "rejects.txt";
// A program that should end at once but has not after this long hangs.
constexpr std::chrono::seconds kHangLimit{120};

// Record i with its reader number (columns 16-17) or its date (columns 1-6) replaced.
std::string WithReaderNumber(int i, std::string_view les) {
    return NumberedRecord(i).replace(15, 2, les);
}

std::string WithDate(int i, std::string_view date) {
    return NumberedRecord(i).replace(0, 6, date);
}

std::string Joined(const std::vector<std::string>& records, std::string_view lineEnd = "") {
    std::string bytes;
    for (const std::string& record : records) {
        bytes += record;
        bytes += lineEnd;
    }
    return bytes;
}

// Records 0 to count-1; every record i with bad(i) has the reader number "XY", which the
// server refuses (1366).
std::vector<std::string> Records(int count, const std::function<bool(int)>& bad = nullptr) {
    std::vector<std::string> records;
    records.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        records.push_back(bad && bad(i) ? WithReaderNumber(i, "XY") : NumberedRecord(i));
    }
    return records;
}

// Output that was cut off inside a message would end without the blank line that closes one,
// or hold a message start without its record line.
void ExpectWholeMessages(const std::string& output, std::size_t reported) {
    EXPECT_EQ(CountOccurrences(output, kMessageStart), reported);
    EXPECT_EQ(CountOccurrences(output, " nicht uebernommen\n\n"), reported);
}

// Waits, while the run goes on, until condition holds; false when the run ended first or the
// condition took longer than a run could.
bool WaitWhileRunning(BackgroundProcess& run, const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kHangLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition()) {
            return true;
        }
        if (!run.Running()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// Keeps the target table locked from a connection of its own, so that a run stops inside its
// next statement until the hold is let go: the test then knows where the run is.
class TableHold {
public:
    TableHold(const TestDatabase& db, const std::filesystem::path& outputFolder) : m_db(db) {
        std::filesystem::create_directories(outputFolder);
        m_client.emplace("/usr/bin/mariadb",
                         std::vector<std::string>{"--no-defaults", "-S",
                                                  db.StateValue("ZUBK_TESTDB_SOCKET"), "-u", "root",
                                                  "qxsystem", "-e", std::string(kHoldingStatement)},
                         outputFolder.string(), std::map<std::string, std::string>{}, outputFolder);
        EXPECT_TRUE(WaitWhileRunning(*m_client, [this] { return !HoldingConnections().empty(); }))
            << "the table was not locked";
    }
    ~TableHold() { Release(); }
    TableHold(const TableHold&) = delete;
    TableHold& operator=(const TableHold&) = delete;

    void Release() {
        for (const std::string& id : HoldingConnections()) {
            m_db.Execute("KILL " + id);
        }
        m_client.reset();
    }

    // Whether a connection of the tool waits for the table.
    bool ToolWaits() const {
        return m_db.Query("SELECT COUNT(*) FROM information_schema.processlist WHERE user = '" +
                          m_db.User() + "' AND state LIKE 'Waiting for table%'")
                   .at(0) != "0";
    }

private:
    static constexpr std::string_view kHoldingStatement =
        "LOCK TABLES qxs402zpk WRITE; DO SLEEP(600)";

    std::vector<std::string> HoldingConnections() const {
        return m_db.Query(
            "SELECT id FROM information_schema.processlist WHERE info LIKE 'DO SLEEP(600)%'");
    }

    const TestDatabase& m_db;
    std::optional<BackgroundProcess> m_client;
};

class EveryRecordAccounted : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.ResetTables();
        WriteSettings(kRejectFileName);
    }

    void WriteSettings(std::string_view rejectFile) const {
        m_dir.Write("in/VEXLO00P.TXT", m_db.ParameterFileFor("zubk_oracle", "ORACLE") +
                                           OptionalSetting(5, "REJECT_FILE", rejectFile));
    }

    std::string InputPath(std::string_view name = "bookings.txt") const {
        return (m_dir.Path() / "in" / std::string(name)).string();
    }

    std::filesystem::path RejectPath() const { return m_dir.Path() / "in" / kRejectFileName; }

    ProcessResult Import(std::string_view bookings, std::string_view name = "bookings.txt") {
        m_dir.Write("in/" + std::string(name), bookings);
        return RunOn(InputPath(name));
    }

    ProcessResult RunOn(const std::string& input) const {
        return RunProcess(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", input}, m_dir.Path().string(),
                          m_db.ToolEnvironment());
    }

    std::unique_ptr<BackgroundProcess> StartImport(std::string_view bookings,
                                                   std::string_view outputName = "run") {
        m_dir.Write("in/bookings.txt", bookings);
        const auto outputFolder = m_dir.Path() / std::string(outputName);
        std::filesystem::create_directories(outputFolder);
        return std::make_unique<BackgroundProcess>(
            ZUBK_BINARY, std::vector<std::string>{"VEXLO62P", "ZutCtrl", InputPath()},
            m_dir.Path().string(), m_db.ToolEnvironment(), outputFolder);
    }

    std::string Summary(std::size_t statements, std::string_view name = "bookings.txt") const {
        return std::to_string(statements) + " Saetze kopiert aus Datei " + InputPath(name) + " \n";
    }

    std::size_t RowCount() const {
        return std::stoul(m_db.Query("SELECT COUNT(*) FROM qxs402zpk").at(0));
    }

    // The record numbers in the reject file, which holds 33-byte records without line ends;
    // none when there is no reject file.
    std::vector<int> Rejected() const {
        return std::filesystem::exists(RejectPath()) ? NumbersInRecords(ReadWhole(RejectPath()))
                                                     : std::vector<int>{};
    }

    // Every record is a row or in the reject file, never both.
    void ExpectEveryRecordAccountedFor(std::size_t total) const {
        testing::ExpectEveryRecordAccountedFor(NumbersInTable(m_db), Rejected(),
                                               static_cast<int>(total), 0);
    }

    TestDatabase m_db;
    TempDir m_dir;
};

TEST_F(EveryRecordAccounted, LineEndsBetweenRecordsImportAsTheRecordsWithout) {
    const std::vector<std::string> records = Records(5);
    const std::string stream = Joined(records);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"CR LF after every record", Joined(records, "\r\n")},
        {"LF after every record", Joined(records, "\n")},
        {"CR LF between records, none after the last",
         Joined(records, "\r\n").substr(0, records.size() * 35 - 2)},
        {"a stream with CR LF at its very end", stream + "\r\n"},
        {"a stream with LF at its very end", stream + "\n"},
    };
    const std::string columns =
        "SELECT ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus, ZpkLfd FROM qxs402zpk ORDER BY "
        "ZpkAsw";
    const ProcessResult plain = Import(stream);
    ASSERT_EQ(plain.exitCode, 0) << plain.output;
    const std::vector<std::string> plainRows = m_db.Query(columns);
    ASSERT_EQ(plainRows.size(), records.size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_db.Execute("DELETE FROM qxs402zpk");
        const ProcessResult result = Import(c.bytes);
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(result.output, Summary(records.size()));
        EXPECT_EQ(m_db.Query(columns), plainRows);
        EXPECT_FALSE(std::filesystem::exists(RejectPath()));
        ExpectEveryRecordAccountedFor(records.size());
    }
}

TEST_F(EveryRecordAccounted, BadRecordsGoToTheRejectFileWhichImportsTheRestOnceMended) {
    std::vector<std::string> records = Records(6);
    const std::string badDate = WithDate(1, "321305");
    const std::string badReader = WithReaderNumber(3, "XY");
    const std::string shortRecord = records[5].substr(0, 20);
    records[1] = badDate;
    records[3] = badReader;
    records[5] = shortRecord;
    const ProcessResult first = Import(Joined(records));
    EXPECT_EQ(first.exitCode, 2);
    EXPECT_EQ(CountOccurrences(first.output, "SQLSTATE 22008"), 1U) << first.output;
    EXPECT_EQ(CountOccurrences(first.output, "(1366)"), 1U) << first.output;
    EXPECT_EQ(CountOccurrences(first.output, "\nSatz 2 (Byte 33) nicht uebernommen\n\n"), 1U);
    EXPECT_EQ(CountOccurrences(first.output, "\nSatz 4 (Byte 99) nicht uebernommen\n\n"), 1U);
    const std::string tail =
        "Fehlerhafter Satz 6 (Byte 165): 20 statt 33 Bytes; nicht uebernommen\n\n" + Summary(5);
    ASSERT_GE(first.output.size(), tail.size());
    EXPECT_EQ(first.output.substr(first.output.size() - tail.size()), tail);
    // A short record among them: one record a line, so that it shifts no other.
    EXPECT_EQ(ReadWhole(RejectPath()),
              badDate + "\r\n" + badReader + "\r\n" + shortRecord + "\r\n");
    EXPECT_EQ(m_db.Query("SELECT ZpkAsw FROM qxs402zpk ORDER BY ZpkAsw"),
              (std::vector<std::string>{"id0", "id2", "id4"}));

    // Mended in the reject file, which cannot be its own reject file: run as it is, it is
    // refused; moved, it imports the rest, and with nothing left the reject file is gone.
    std::string mended = ReadWhole(RejectPath());
    mended.replace(mended.find(badDate), 33, NumberedRecord(1));
    mended.replace(mended.find(badReader), 33, NumberedRecord(3));
    mended.replace(mended.find(shortRecord), 20, NumberedRecord(5));
    m_dir.Write("in/" + std::string(kRejectFileName), mended);
    const ProcessResult refused = RunOn(RejectPath().string());
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_EQ(RowCount(), 3U);
    EXPECT_EQ(ReadWhole(RejectPath()), mended);

    std::filesystem::rename(RejectPath(), InputPath("mended.txt"));
    const ProcessResult second = RunOn(InputPath("mended.txt"));
    EXPECT_EQ(second.exitCode, 0) << second.output;
    EXPECT_EQ(second.output, Summary(3, "mended.txt"));
    EXPECT_FALSE(std::filesystem::exists(RejectPath()));
    EXPECT_EQ(m_db.Query("SELECT ZpkAsw FROM qxs402zpk ORDER BY ZpkAsw"),
              (std::vector<std::string>{"id0", "id1", "id2", "id3", "id4", "id5"}));
}

TEST_F(EveryRecordAccounted, NulInsideIsDamageButNulPaddingAtTheEndIsNot) {
    const std::vector<std::string> records = Records(3);
    const std::string stream = Joined(records);

    const ProcessResult damaged =
        Import(stream.substr(0, 40) + std::string(1, '\0') + stream.substr(40));
    EXPECT_EQ(damaged.exitCode, 3);
    EXPECT_EQ(damaged.output, "Fehler beim Lesen der Datei " + InputPath() +
                                  ": NUL-Byte an Byte 40, die Datei ist beschaedigt\n");
    EXPECT_EQ(RowCount(), 0U);
    // Nothing was imported: the file itself is what is left, and no reject file stands for it.
    EXPECT_FALSE(std::filesystem::exists(RejectPath()));

    const ProcessResult padded = Import(stream + std::string(512, '\0'));
    EXPECT_EQ(padded.exitCode, 0);
    EXPECT_EQ(padded.output, Summary(records.size()));
    ExpectEveryRecordAccountedFor(records.size());
}

TEST_F(EveryRecordAccounted, AnEmptyFileSendsNoStatement) {
    const auto insertsSoFar = [this] {
        return m_db.Query(
            "SHOW GLOBAL STATUS WHERE Variable_name IN ('Com_insert', 'Com_insert_select')");
    };
    const std::vector<std::string> before = insertsSoFar();
    const ProcessResult result = Import("");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, Summary(0));
    EXPECT_EQ(insertsSoFar(), before);
    EXPECT_FALSE(std::filesystem::exists(RejectPath()));
}

TEST_F(EveryRecordAccounted, ASecondRunOnAFileThatARunHoldsRefusesAtOnce) {
    const std::vector<std::string> records = Records(3000);
    // The first run waits in its first statement until the hold is let go: it holds the file
    // while the second run starts.
    TableHold hold(m_db, m_dir.Path() / "hold");
    const std::unique_ptr<BackgroundProcess> first = StartImport(Joined(records));
    ASSERT_TRUE(WaitWhileRunning(*first, [&hold] { return hold.ToolWaits(); }));

    // Were the file not held, the second run would wait at the table as the first does.
    BackgroundProcess secondRun(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", InputPath()},
                                m_dir.Path().string(), m_db.ToolEnvironment(), m_dir.Path());
    const ProcessResult* secondResult = secondRun.WaitFor(kHangLimit);
    ASSERT_NE(secondResult, nullptr) << "the second run did not refuse at once";
    const ProcessResult& second = *secondResult;
    EXPECT_EQ(second.exitCode, 3);
    EXPECT_EQ(second.output, "Fehler beim Lesen der Datei " + InputPath() +
                                 ": ein anderer Lauf uebernimmt sie gerade; dieser Lauf "
                                 "uebernimmt nichts\n");
    EXPECT_FALSE(std::filesystem::exists(RejectPath())) << "the second run wrote a reject file";
    EXPECT_TRUE(first->Running());

    hold.Release();
    const ProcessResult* firstResult = first->WaitFor(kHangLimit);
    ASSERT_NE(firstResult, nullptr) << "the first run hangs";
    EXPECT_EQ(firstResult->exitCode, 0) << firstResult->output;
    EXPECT_EQ(m_db.Query("SELECT COUNT(*), COUNT(DISTINCT ZpkAsw) FROM qxs402zpk"),
              (std::vector<std::string>{"3000\t3000"}));
    ExpectEveryRecordAccountedFor(records.size());
}

// A terminal still writing the file when the run starts: what it appends after the read is
// neither imported nor rejected, and the run says where that rest begins.
TEST_F(EveryRecordAccounted, AFileThatGrowsDuringTheRunIsReportedWithWhereTheRestBegins) {
    const std::vector<std::string> records = Records(200);
    const std::string first =
        Joined(std::vector<std::string>(records.begin(), records.begin() + 100));
    const std::string rest = Joined(std::vector<std::string>(records.begin() + 100, records.end()));
    TableHold hold(m_db, m_dir.Path() / "hold");
    const std::unique_ptr<BackgroundProcess> run = StartImport(first);
    ASSERT_TRUE(WaitWhileRunning(*run, [&hold] { return hold.ToolWaits(); }));
    {
        std::ofstream out(InputPath(), std::ios::binary | std::ios::app);
        out << rest;
    }
    hold.Release();
    const ProcessResult* result = run->WaitFor(kHangLimit);
    ASSERT_NE(result, nullptr) << "the run hangs";

    EXPECT_EQ(result->exitCode, 2) << result->output;
    EXPECT_EQ(result->output, "Die Datei " + InputPath() +
                                  " wurde waehrend des Laufs geaendert; was nach ihren ersten " +
                                  std::to_string(first.size()) +
                                  " Bytes hinzukam, ist nicht uebernommen\n" + Summary(100));
    EXPECT_EQ(RowCount(), 100U);
    EXPECT_TRUE(Rejected().empty());
    // The rest, cut off where the message says, imports as a file of its own.
    const ProcessResult restRun = Import(ReadWhole(InputPath()).substr(first.size()), "rest.txt");
    EXPECT_EQ(restRun.exitCode, 0) << restRun.output;
    ExpectEveryRecordAccountedFor(records.size());
}

// The run is stopped while it waits in a statement, after some thousands of records with a
// message now and then: the statement in flight ends, and the run with it.
TEST_F(EveryRecordAccounted, ARunStoppedBySigtermReportsAndRejectsTheRest) {
    constexpr int kRecords = 30000;
    const std::vector<std::string> records = Records(kRecords, [](int i) { return i % 997 == 5; });
    const std::unique_ptr<BackgroundProcess> run = StartImport(Joined(records));
    ASSERT_TRUE(WaitWhileRunning(*run, [this] { return RowCount() >= 5000; }));
    TableHold hold(m_db, m_dir.Path() / "hold");
    ASSERT_TRUE(WaitWhileRunning(*run, [&hold] { return hold.ToolWaits(); }));
    run->Signal(SIGTERM);
    hold.Release();
    const ProcessResult* result = run->WaitFor(kHangLimit);
    ASSERT_NE(result, nullptr) << "the run did not stop";

    EXPECT_EQ(result->exitCode, 4) << result->output.substr(0, 2000);
    EXPECT_EQ(result->errorOutput, "");
    const std::size_t rows = RowCount();
    const std::size_t reported = CountOccurrences(result->output, kMessageStart);
    EXPECT_EQ(reported, (rows + reported + 991) / 997) << "one message per bad record so far";
    ExpectWholeMessages(result->output, reported);
    const std::size_t notAttempted = kRecords - rows - reported;
    const std::string tail = "Lauf abgebrochen: unterbrochen; " + std::to_string(notAttempted) +
                             " Saetze nicht versucht\n" + Summary(rows + reported);
    ASSERT_GE(result->output.size(), tail.size());
    EXPECT_EQ(result->output.substr(result->output.size() - tail.size()), tail);
    EXPECT_EQ(Rejected().size(), reported + notAttempted);
    ExpectEveryRecordAccountedFor(records.size());
    std::printf("stopped after %zu rows: %zu reported, %zu not attempted\n", rows, reported,
                notAttempted);
}

// Killed outright, the run leaves no reject file and no summary; what it printed up to then is
// whole messages, each naming a record that is not in the table.
TEST_F(EveryRecordAccounted, ARunKilledOutrightLeavesWholeMessages) {
    constexpr int kRecords = 30000;
    const std::vector<std::string> records = Records(kRecords, [](int i) { return i % 50 == 7; });
    const std::unique_ptr<BackgroundProcess> run = StartImport(Joined(records));
    ASSERT_TRUE(WaitWhileRunning(*run, [this] { return RowCount() >= 3000; }));
    TableHold hold(m_db, m_dir.Path() / "hold");
    ASSERT_TRUE(WaitWhileRunning(*run, [&hold] { return hold.ToolWaits(); }));
    run->Signal(SIGKILL);
    const ProcessResult* result = run->WaitFor(kHangLimit);
    ASSERT_NE(result, nullptr);
    hold.Release();

    const std::size_t rows = RowCount();
    const std::size_t reported = CountOccurrences(result->output, kMessageStart);
    EXPECT_EQ(reported, (rows + reported + 42) / 50) << "one message per bad record so far";
    ExpectWholeMessages(result->output, reported);
    ASSERT_GE(result->output.size(), 2U);
    EXPECT_EQ(result->output.substr(result->output.size() - 2), "\n\n");
    for (int i = 7; i < static_cast<int>(rows + reported); i += 50) {
        EXPECT_EQ(CountOccurrences(result->output, "'id" + std::to_string(i) + "'"), 1U) << i;
    }
}

TEST_F(EveryRecordAccounted, APipeOrADeviceAsInputEndsTheRunAtOnce) {
    const std::string fifo = InputPath("fifo.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string zero = InputPath("zero.txt");
    std::filesystem::create_symlink("/dev/zero", zero);
    for (const std::string& input : {fifo, zero}) {
        SCOPED_TRACE(input);
        BackgroundProcess run(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", input}, m_dir.Path().string(),
                              m_db.ToolEnvironment(), m_dir.Path());
        const ProcessResult* result = run.WaitFor(kHangLimit);
        ASSERT_NE(result, nullptr) << "the run waits for the input";
        EXPECT_EQ(result->exitCode, 3);
        EXPECT_EQ(result->output, "Fehler beim Lesen der Datei " + input +
                                      ": keine gewoehnliche Datei, sondern eine Pipe, ein Geraet "
                                      "oder ein Socket\n");
        EXPECT_EQ(RowCount(), 0U);
        EXPECT_FALSE(std::filesystem::exists(RejectPath()));
    }
}

TEST_F(EveryRecordAccounted, TheRejectFileNeverReplacesTheInputAndGoesWhenAllIsImported) {
    const std::vector<std::string> records = Records(3);
    WriteSettings("bookings.txt");
    const ProcessResult refused = Import(Joined(records));
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_NE(refused.output.find("REJECT_FILE in " + InputPath("VEXLO00P.TXT") +
                                  " nennt die Eingabedatei oder die Parameterdatei selbst\n\n"),
              std::string::npos)
        << refused.output;
    EXPECT_EQ(RowCount(), 0U);
    EXPECT_EQ(ReadWhole(InputPath()), Joined(records));

    WriteSettings(kRejectFileName);
    m_dir.Write("in/" + std::string(kRejectFileName), "a reject file of an earlier run");
    const ProcessResult imported = Import(Joined(records));
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_FALSE(std::filesystem::exists(RejectPath()));
    ExpectEveryRecordAccountedFor(records.size());
}

}  // namespace
}  // namespace zubk
