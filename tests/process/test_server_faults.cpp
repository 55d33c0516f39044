// The built program against a private MariaDB server of its own that goes away in the middle
// of a run, as a server does when it is shut down or crashes. The server is restarted on the
// same data afterwards to see what was committed.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/fixtures.h"
#include "support/process.h"
#include "support/server_control.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::BackgroundProcess;
using testing::BookingRecordText;
using testing::ProcessResult;
using testing::RunProcess;
using testing::ServerControl;
using testing::TempDir;
using testing::TestDatabase;
using Clock = std::chrono::steady_clock;

// Enough records that the run is still going when the server is stopped (a few seconds).
constexpr int kRecords = 20000;
// The server goes away once this many rows are in.
constexpr int kRowsBeforeFault = 500;
constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";

// Record i books code 121, which has a row, with the identifier "id<i>" to find it again.
std::string Record(int i) {
    std::string lfd = std::to_string(i % 1000);
    lfd.insert(0, 3 - lfd.size(), '0');
    return BookingRecordText("311205", "235959", lfd, "01", "121", "id" + std::to_string(i));
}

std::string Settings(const TestDatabase& db) {
    return db.ParameterFileFor("zubk_oracle", "ORACLE");
}

// The record numbers of the statements that a run reported, in the order of its output.
std::vector<int> ReportedRecords(const std::string& output) {
    std::vector<int> records;
    for (auto at = output.find(kMessageStart); at != std::string::npos;
         at = output.find(kMessageStart, at + 1)) {
        const auto id = output.find("'id", at + kMessageStart.size());
        records.push_back(id == std::string::npos ? -1 : std::stoi(output.substr(id + 3, 6)));
    }
    return records;
}

std::vector<int> CommittedRecords(const TestDatabase& db) {
    std::vector<int> records;
    for (const std::string& identifier : db.Query("SELECT ZpkAsw FROM qxs402zpk")) {
        records.push_back(std::stoi(identifier.substr(2)));
    }
    std::sort(records.begin(), records.end());
    return records;
}

std::vector<int> Range(int first, int end) {
    std::vector<int> numbers;
    for (int i = first; i < end; ++i) {
        numbers.push_back(i);
    }
    return numbers;
}

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

enum class Fault { Shutdown, Kill };

std::string NameOf(Fault fault) {
    return fault == Fault::Shutdown ? "Shutdown" : "Kill";
}

void PrintTo(Fault fault, std::ostream* os) {
    *os << NameOf(fault);
}

class ServerGoesAway : public ::testing::TestWithParam<Fault> {};

TEST_P(ServerGoesAway, MidRunNothingIsLostThatTheRunDoesNotReport) {
    const TestDatabase db;
    ServerControl server(db);
    db.Execute(
        "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs; INSERT INTO qxs405zzs VALUES ('121', 42);");
    TempDir dir;
    dir.Write("in/VEXLO00P.TXT", Settings(db));
    std::string bookings;
    for (int i = 0; i < kRecords; ++i) {
        bookings += Record(i);
    }
    const std::string input = dir.Write("in/bookings.txt", bookings);
    const std::string downInput = dir.Write("in/down.txt", Record(0) + Record(1) + Record(2));
    dir.Write("out/.keep", "");

    const auto start = Clock::now();
    BackgroundProcess run(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", input}, dir.Path().string(),
                          db.ToolEnvironment(), dir.Path() / "out");
    int rowsSeen = 0;
    while (rowsSeen < kRowsBeforeFault) {
        ASSERT_TRUE(run.Running()) << "the run ended before the server could be stopped";
        ASSERT_LT(Seconds(start, Clock::now()), 60.0) << "no row arrives";
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        rowsSeen = std::stoi(db.Query("SELECT COUNT(*) FROM qxs402zpk")[0]);
    }
    const auto stopping = Clock::now();
    if (GetParam() == Fault::Shutdown) {
        server.Shutdown();
    } else {
        server.Kill();
    }
    const auto stopped = Clock::now();
    const ProcessResult* result = run.WaitFor(std::chrono::minutes(2));
    ASSERT_NE(result, nullptr) << "the run hangs after the server went away";
    const auto ended = Clock::now();

    // A run while the server is down reports every record and does not wait for it.
    const ProcessResult down = RunProcess(ZUBK_BINARY, {"VEXLO62P", "ZutCtrl", downInput},
                                          dir.Path().string(), db.ToolEnvironment());
    const auto downEnded = Clock::now();
    EXPECT_EQ(down.exitCode, 2) << down.output;
    EXPECT_EQ(ReportedRecords(down.output), (std::vector<int>{0, 1, 2})) << down.output;

    server.Start();
    const std::vector<int> committed = CommittedRecords(db);
    const std::vector<int> reported = ReportedRecords(result->output);
    const int committedCount = static_cast<int>(committed.size());

    EXPECT_EQ(result->exitCode, 2);
    EXPECT_EQ(result->errorOutput, "");
    const std::string summary =
        "\n\n" + std::to_string(kRecords) + " Saetze kopiert aus Datei " + input + " \n";
    ASSERT_GE(result->output.size(), summary.size());
    EXPECT_EQ(result->output.substr(result->output.size() - summary.size()), summary);

    // The rows before the fault stay: the committed records are the first ones, without gap.
    EXPECT_GE(committedCount, rowsSeen);
    EXPECT_EQ(committed, Range(0, committedCount));
    // Every later record is reported. The statement in flight when the server went may have
    // been committed without its answer arriving; then it is both in the table and reported,
    // and the exit code still tells the job to check.
    ASSERT_FALSE(reported.empty()) << "no statement was reported";
    const int firstReported = reported.front();
    EXPECT_TRUE(firstReported == committedCount || firstReported == committedCount - 1)
        << "first reported record " << firstReported << ", committed " << committedCount;
    EXPECT_EQ(reported, Range(firstReported, kRecords));

    const std::string name = NameOf(GetParam());
    std::printf(
        "%s: %d of %d records committed, %zu reported; run %.2f s, stopping the server %.2f s, "
        "run end %.2f s after the server was gone; a run while it is down %.2f s; restart "
        "%.2f s\n",
        name.c_str(), committedCount, kRecords, reported.size(), Seconds(start, ended),
        Seconds(stopping, stopped), Seconds(stopped, ended), Seconds(ended, downEnded),
        Seconds(downEnded, Clock::now()));
    RecordProperty("run_seconds", std::to_string(Seconds(start, ended)));
}

INSTANTIATE_TEST_SUITE_P(Faults, ServerGoesAway, ::testing::Values(Fault::Shutdown, Fault::Kill),
                         [](const ::testing::TestParamInfo<Fault>& fault) {
                             return NameOf(fault.param);
                         });

}  // namespace
}  // namespace zubk
