// The built program against a private MariaDB server of its own that goes away, or stops
// answering, in the middle of a run or before it: each run must end in bounded time and account
// for every record, imported or in the reject file.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "support/accounting.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/server_control.h"
#include "support/temp_dir.h"
#include "support/test_database.h"

namespace zubk {
namespace {

using testing::BackgroundProcess;
using testing::ExpectEveryRecordAccountedFor;
using testing::NumberedBookings;
using testing::NumbersInRecords;
using testing::NumbersInTable;
using testing::OptionalSetting;
using testing::ProcessResult;
using testing::ReadWhole;
using testing::ServerControl;
using testing::TempDir;
using testing::TestDatabase;
using Clock = std::chrono::steady_clock;

// Enough records that the run is still going when the server goes (about six seconds).
constexpr int kRecords = 30000;
// The fault comes once this many rows are in.
constexpr int kRowsBeforeFault = 500;
// Longer than any of these runs may take: a run still going then hangs.
constexpr auto kHangLimit = std::chrono::seconds(120);

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

class ServerFault : public ::testing::Test {
protected:
    void SetUp() override {
        m_db.Execute(
            "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs; "
            "INSERT INTO qxs405zzs VALUES ('121', 42);");
        m_dir.Write("out/.keep", "");
    }

    // Whatever a test did to the server, the next one finds it running.
    void TearDown() override {
        if (m_frozen) {
            m_server.Thaw();
        }
        if (m_down) {
            m_server.Start();
        }
    }

    // The settings of the tests' data source, with a reject file and the given keys.
    void WriteSettings(std::string_view reconnectTime, std::string_view statementTimeout) {
        m_dir.Write("in/VEXLO00P.TXT",
                    m_db.ParameterFileFor("zubk_oracle", "ORACLE") +
                        OptionalSetting(5, "REJECT_FILE", "rejects.txt") +
                        OptionalSetting(6, "RECONNECT_TIME", reconnectTime) +
                        OptionalSetting(7, "STATEMENT_TIMEOUT", statementTimeout));
    }

    std::unique_ptr<BackgroundProcess> StartRun(int records) {
        m_input = m_dir.Write("in/bookings.txt", NumberedBookings(records));
        m_start = Clock::now();
        return std::make_unique<BackgroundProcess>(
            ZUBK_BINARY, std::vector<std::string>{"VEXLO62P", "ZutCtrl", m_input},
            m_dir.Path().string(), m_db.ToolEnvironment(), m_dir.Path() / "out");
    }

    // Waits until the run has imported some records, so that the fault comes in its middle.
    void WaitForRows(BackgroundProcess& run) {
        for (;;) {
            ASSERT_TRUE(run.Running()) << "the run ended before the fault";
            ASSERT_LT(Seconds(m_start, Clock::now()), 60.0) << "no row arrives";
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            if (std::stoi(m_db.Query("SELECT COUNT(*) FROM qxs402zpk")[0]) >= kRowsBeforeFault) {
                return;
            }
        }
    }

    const ProcessResult& WaitForEnd(BackgroundProcess& run) {
        const ProcessResult* result = run.WaitFor(kHangLimit);
        if (result == nullptr) {
            throw std::runtime_error("the run hangs");
        }
        m_end = Clock::now();
        return *result;
    }

    std::vector<int> Rejected() const {
        return NumbersInRecords(ReadWhole(m_dir.Path() / "in" / "rejects.txt"));
    }

    void Report(const char* fault, const ProcessResult& result) {
        const std::vector<int> committed = NumbersInTable(m_db);
        std::printf("%s: exit %d after %.1f s; %zu rows, %zu records in the reject file\n", fault,
                    result.exitCode, Seconds(m_start, m_end), committed.size(), Rejected().size());
    }

    TestDatabase m_db;
    ServerControl m_server{m_db};
    TempDir m_dir;
    std::string m_input;
    Clock::time_point m_start;
    Clock::time_point m_end;
    bool m_frozen = false;
    bool m_down = false;
};

enum class Fault { Shutdown, Kill };

class ServerRestarts : public ServerFault, public ::testing::WithParamInterface<Fault> {};

TEST_P(ServerRestarts, TheRunCarriesOnWhenTheServerIsBack) {
    WriteSettings("60", "60");
    const auto run = StartRun(kRecords);
    WaitForRows(*run);
    m_down = true;
    GetParam() == Fault::Shutdown ? m_server.Shutdown() : m_server.Kill();
    std::this_thread::sleep_for(std::chrono::seconds(3));
    m_server.Start();
    m_down = false;
    const ProcessResult& result = WaitForEnd(*run);

    // The statement in flight when the server went is reported and rejected; all others go in.
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_EQ(result.errorOutput, "");
    EXPECT_NE(result.output.find("Verbindung zur Datenbank unterbrochen; neue Versuche bis zu "
                                 "60 s\n\n"),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("Verbindung zur Datenbank wiederhergestellt\n"),
              std::string::npos);
    const std::string summary =
        std::to_string(kRecords) + " Saetze kopiert aus Datei " + m_input + " \n";
    EXPECT_EQ(result.output.substr(result.output.size() - summary.size()), summary);
    const std::vector<int> rejected = Rejected();
    EXPECT_LE(rejected.size(), 1U);
    ExpectEveryRecordAccountedFor(NumbersInTable(m_db), rejected, kRecords);
    Report(GetParam() == Fault::Shutdown ? "shutdown and restart" : "kill and restart", result);
}

INSTANTIATE_TEST_SUITE_P(Faults, ServerRestarts, ::testing::Values(Fault::Shutdown, Fault::Kill),
                         [](const ::testing::TestParamInfo<Fault>& fault) {
                             return fault.param == Fault::Shutdown ? "Shutdown" : "Kill";
                         });

TEST_F(ServerFault, AServerThatStaysAwayStopsTheRunAfterTheReconnectTime) {
    WriteSettings("3", "60");
    const auto run = StartRun(kRecords);
    WaitForRows(*run);
    m_down = true;
    m_server.Kill();
    const ProcessResult& result = WaitForEnd(*run);
    m_server.Start();
    m_down = false;

    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_NE(result.output.find("Lauf abgebrochen: Datenbank 3 s lang nicht erreichbar; "),
              std::string::npos)
        << result.output;
    ExpectEveryRecordAccountedFor(NumbersInTable(m_db), Rejected(), kRecords);
    Report("kill, no restart", result);
}

TEST_F(ServerFault, AServerThatStopsAnsweringMidRunEndsTheRunInBoundedTime) {
    WriteSettings("60", "2");
    const auto run = StartRun(kRecords);
    WaitForRows(*run);
    m_frozen = true;
    m_server.Freeze();
    const ProcessResult& result = WaitForEnd(*run);
    m_server.Thaw();
    m_frozen = false;
    // The statement in flight may still be committed once the server runs again.
    std::this_thread::sleep_for(std::chrono::seconds(1));

    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_NE(result.output.find(" vielleicht doch uebernommen: die Datenbank antwortete nicht "
                                 "mehr\nLauf abgebrochen: Datenbank antwortet nicht innerhalb "
                                 "von 4 s; "),
              std::string::npos)
        << result.output;
    const std::string summary = " Saetze kopiert aus Datei " + m_input + " \n";
    EXPECT_EQ(result.output.substr(result.output.size() - summary.size()), summary);
    ExpectEveryRecordAccountedFor(NumbersInTable(m_db), Rejected(), kRecords);
    Report("server stopped mid-run", result);
}

TEST_F(ServerFault, AServerThatNeverAnswersIsGivenUpWhileConnecting) {
    WriteSettings("60", "2");
    m_frozen = true;
    m_server.Freeze();
    const auto run = StartRun(100);
    const ProcessResult& result = WaitForEnd(*run);
    m_server.Thaw();
    m_frozen = false;

    EXPECT_EQ(result.exitCode, 4) << result.output;
    EXPECT_EQ(result.output,
              "Lauf abgebrochen: Datenbank antwortet nicht innerhalb von 30 s; "
              "100 Saetze nicht versucht\n0 Saetze kopiert aus Datei " +
                  m_input + " \n");
    EXPECT_EQ(Rejected().size(), 100U);
    ExpectEveryRecordAccountedFor(NumbersInTable(m_db), Rejected(), 100, 0);
    Report("server stopped before the run", result);
}

}  // namespace
}  // namespace zubk
