#include "transfer/transfer_records.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "support/string_console.h"
#include "transfer/statement_builder.h"

namespace zubk {
namespace {

using namespace std::chrono_literals;
using testing::StringConsole;

// Answers every call with the next scripted answer; success when the script has run out.
class ScriptedExecutor final : public StatementExecutor {
public:
    std::optional<StatementFailure> Execute(std::string statement) override {
        statements.push_back(statement);
        calls.push_back("execute");
        return Next(executeAnswers, statement + "\n");
    }
    std::optional<StatementFailure> Reconnect() override {
        calls.push_back("reconnect");
        return Next(reconnectAnswers, "");
    }

    std::deque<std::optional<ExecutionFailure>> executeAnswers;
    std::deque<std::optional<ExecutionFailure>> reconnectAnswers;
    std::vector<std::string> statements;
    std::vector<std::string> calls;

private:
    static std::optional<StatementFailure> Next(
        std::deque<std::optional<ExecutionFailure>>& answers, std::string statementText) {
        if (answers.empty()) {
            return std::nullopt;
        }
        const auto answer = answers.front();
        answers.pop_front();
        if (!answer) {
            return std::nullopt;
        }
        return StatementFailure{*answer, std::move(statementText), "SQLSTATE XX000 (1): nein"};
    }
};

// Time passes only in pauses, which are recorded.
class FakeClock final : public RunClock {
public:
    TimePoint Now() override { return m_now; }
    void Pause(std::chrono::milliseconds duration) override {
        pauses.push_back(duration);
        m_now += duration;
    }
    std::vector<std::chrono::milliseconds> pauses;

private:
    TimePoint m_now{};
};

class RecordLoopTest : public ::testing::Test {
protected:
    // Records whose code (columns 18-19 and 33) is the record's number, so that each statement
    // tells its record.
    void AddRecords(int count) {
        for (int i = 0; i < count; ++i) {
            const std::string number = std::to_string(100 + i);
            AddRecord(
                "311205235959007"
                "01" +
                number.substr(0, 2) + "0000004711   " + number.substr(2));
        }
    }
    void AddRecord(std::string bytes) { m_texts.push_back(std::move(bytes)); }

    // For a second run in the same test.
    void StartOver() {
        executor = ScriptedExecutor();
        console = StringConsole();
        ledger = TransferLedger();
        m_texts.clear();
    }

    void Run(TransferPolicy policy = {}) {
        records.clear();
        std::uint64_t offset = 0;
        for (const std::string& text : m_texts) {
            records.push_back(InputRecord{text, records.size() + 1, offset});
            offset += text.size();
        }
        TransferRecords(records, "ZutCtrl", SqlDialect::Oracle, policy,
                        TransferServices{executor, console, clock, stop, nullptr}, ledger);
    }

    std::string StatementOf(std::size_t index) {
        return BuildInsertStatement(m_texts.at(index), "ZutCtrl", "ORACLE");
    }

    std::string ErrorBlock(std::size_t index, const std::string& recordLine) {
        return "Exception bei Datenbank Open\n" + StatementOf(index) +
               "\nSQLSTATE XX000 (1): nein\n" + recordLine + "\n";
    }

    ScriptedExecutor executor;
    StringConsole console;
    FakeClock clock;
    std::atomic<bool> stop{false};
    TransferLedger ledger;
    std::vector<InputRecord> records;

private:
    std::deque<std::string> m_texts;  // stable addresses for the views in records
};

TEST_F(RecordLoopTest, EveryRecordIsExecutedAndCountedSilently) {
    AddRecords(3);
    Run();
    ASSERT_EQ(executor.statements.size(), 3U);
    EXPECT_EQ(executor.statements[2], StatementOf(2));
    EXPECT_EQ(console.Text(), "");
    EXPECT_EQ(ledger.StatementsIssued, 3);
    EXPECT_EQ(ledger.Imported(), 3U);
    EXPECT_TRUE(ledger.NotImported.empty());
    EXPECT_EQ(ledger.NextRecord, 3U);
    EXPECT_EQ(ledger.Stop, StopReason::None);
}

TEST_F(RecordLoopTest, ARejectedStatementIsReportedWithItsRecordAndTheLoopGoesOn) {
    AddRecords(3);
    executor.executeAnswers = {std::nullopt, ExecutionFailure::Rejected};
    Run();
    EXPECT_EQ(console.Text(), ErrorBlock(1, "Satz 2 (Byte 33) nicht uebernommen\n"));
    EXPECT_EQ(ledger.StatementsIssued, 3);  // a failed statement counts: it was issued
    EXPECT_EQ(ledger.Imported(), 2U);
    EXPECT_EQ(ledger.NotImported, std::vector<std::size_t>{1});
    EXPECT_EQ(ledger.Stop, StopReason::None);
}

TEST_F(RecordLoopTest, AMalformedRecordIsReportedAndNeverExecuted) {
    AddRecords(1);
    AddRecord("3112052359590070112");
    AddRecords(1);
    Run();
    EXPECT_EQ(executor.statements.size(), 2U);
    EXPECT_EQ(console.Text(),
              "Fehlerhafter Satz 2 (Byte 33): 19 statt 33 Bytes; nicht uebernommen\n\n");
    EXPECT_EQ(ledger.StatementsIssued, 2);
    EXPECT_EQ(ledger.NotImported, std::vector<std::size_t>{1});
}

TEST_F(RecordLoopTest, ARefusedLoginStopsTheRunAndIsNeverTriedAgain) {
    AddRecords(1000);
    executor.executeAnswers = {ExecutionFailure::LoginRefused};
    Run();
    EXPECT_EQ(executor.calls, std::vector<std::string>{"execute"});
    EXPECT_EQ(console.Text(), ErrorBlock(0, "Satz 1 (Byte 0) nicht versucht\n") +
                                  "Lauf abgebrochen: Anmeldung abgewiesen; 1000 Saetze nicht "
                                  "versucht\n");
    EXPECT_EQ(ledger.StatementsIssued, 0);
    EXPECT_EQ(ledger.NextRecord, 0U);
    EXPECT_EQ(ledger.Stop, StopReason::LoginRefused);
}

TEST_F(RecordLoopTest, ADataSourceThatIsNotSetUpStopsTheRunAtOnce) {
    AddRecords(5);
    executor.executeAnswers = {ExecutionFailure::NotSetUp};
    Run();
    EXPECT_EQ(executor.calls, std::vector<std::string>{"execute"});
    EXPECT_EQ(console.Text(), ErrorBlock(0, "Satz 1 (Byte 0) nicht versucht\n") +
                                  "Lauf abgebrochen: Datenquelle oder ODBC-Treiber nicht "
                                  "eingerichtet; 5 Saetze nicht versucht\n");
    EXPECT_EQ(ledger.StatementsIssued, 0);
    EXPECT_EQ(ledger.Stop, StopReason::NotSetUp);
}

TEST_F(RecordLoopTest, AnUnreachableServerIsTriedAgainWithGrowingPausesAndTheRecordGoesIn) {
    AddRecords(2);
    executor.executeAnswers = {ExecutionFailure::Unreachable};
    executor.reconnectAnswers = {ExecutionFailure::Unreachable, ExecutionFailure::Unreachable};
    Run();
    EXPECT_EQ(clock.pauses, (std::vector<std::chrono::milliseconds>{1s, 2s, 4s}));
    EXPECT_EQ(executor.calls, (std::vector<std::string>{"execute", "reconnect", "reconnect",
                                                        "reconnect", "execute", "execute"}));
    EXPECT_EQ(console.Text(),
              "Verbindung zur Datenbank unterbrochen; neue Versuche bis zu 60 s\n\n"
              "Verbindung zur Datenbank wiederhergestellt\n\n");
    EXPECT_EQ(ledger.StatementsIssued, 2);
    EXPECT_EQ(ledger.Imported(), 2U);
    EXPECT_EQ(ledger.Stop, StopReason::None);
}

TEST_F(RecordLoopTest, AServerThatStaysAwayStopsTheRunAfterTheReconnectTime) {
    AddRecords(5);
    executor.executeAnswers = {std::nullopt, ExecutionFailure::Unreachable};
    executor.reconnectAnswers.assign(100, ExecutionFailure::Unreachable);
    Run(TransferPolicy{20s, 20});
    // 1 + 2 + 4 + 8 + 5 = 20 seconds of pauses, an attempt after each.
    EXPECT_EQ(clock.pauses, (std::vector<std::chrono::milliseconds>{1s, 2s, 4s, 8s, 5s}));
    EXPECT_EQ(std::count(executor.calls.begin(), executor.calls.end(), "reconnect"), 5);
    EXPECT_EQ(console.Text(),
              "Verbindung zur Datenbank unterbrochen; neue Versuche bis zu 20 s\n\n"
              "Exception bei Datenbank Open\nSQLSTATE XX000 (1): nein\n"
              "Satz 2 (Byte 33) nicht versucht\n\n"
              "Lauf abgebrochen: Datenbank 20 s lang nicht erreichbar; 4 Saetze nicht versucht\n");
    EXPECT_EQ(ledger.StatementsIssued, 1);
    EXPECT_EQ(ledger.NextRecord, 1U);
    EXPECT_EQ(ledger.Stop, StopReason::ServerUnreachable);
}

TEST_F(RecordLoopTest, WithoutReconnectTimeALostServerStopsTheRunAtOnce) {
    AddRecords(3);
    executor.executeAnswers = {ExecutionFailure::Unreachable};
    Run(TransferPolicy{0s, 20});
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(executor.calls, std::vector<std::string>{"execute"});
    EXPECT_EQ(console.Text(), ErrorBlock(0, "Satz 1 (Byte 0) nicht versucht\n") +
                                  "Lauf abgebrochen: Datenbank 0 s lang nicht erreichbar; 3 "
                                  "Saetze nicht versucht\n");
    EXPECT_EQ(ledger.Stop, StopReason::ServerUnreachable);
}

TEST_F(RecordLoopTest, ARecordInFlightWhenTheConnectionBrokeIsReportedAsPossiblyImported) {
    AddRecords(3);
    executor.executeAnswers = {std::nullopt, ExecutionFailure::ConnectionLost};
    Run();
    EXPECT_EQ(executor.calls,
              (std::vector<std::string>{"execute", "execute", "reconnect", "execute"}));
    EXPECT_EQ(console.Text(),
              ErrorBlock(1,
                         "Satz 2 (Byte 33) vielleicht doch uebernommen: die Verbindung brach "
                         "waehrend der Anweisung ab\n") +
                  "Verbindung zur Datenbank unterbrochen; neue Versuche bis zu 60 s\n\n"
                  "Verbindung zur Datenbank wiederhergestellt\n\n");
    EXPECT_EQ(clock.pauses, std::vector<std::chrono::milliseconds>{1s});
    EXPECT_EQ(ledger.NotImported, std::vector<std::size_t>{1});
    EXPECT_EQ(ledger.Imported(), 2U);
    EXPECT_EQ(ledger.Stop, StopReason::None);
}

TEST_F(RecordLoopTest, AStatementPastItsTimeLimitIsReportedAndItsSessionReplacedAtOnce) {
    AddRecords(3);
    executor.executeAnswers = {ExecutionFailure::TimedOut};
    Run();
    EXPECT_EQ(executor.calls,
              (std::vector<std::string>{"execute", "reconnect", "execute", "execute"}));
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(console.Text(), ErrorBlock(0,
                                         "Satz 1 (Byte 0) vielleicht doch uebernommen: die "
                                         "Anweisung wurde nach ihrem Zeitlimit abgebrochen\n"));
    EXPECT_EQ(ledger.NotImported, std::vector<std::size_t>{0});
    EXPECT_EQ(ledger.Imported(), 2U);
}

TEST_F(RecordLoopTest, WhenNoNewSessionOpensAfterATimeOutTheServerCountsAsGone) {
    AddRecords(3);
    executor.executeAnswers = {ExecutionFailure::TimedOut};
    executor.reconnectAnswers = {ExecutionFailure::Unreachable, std::nullopt};
    Run();
    EXPECT_EQ(executor.calls, (std::vector<std::string>{"execute", "reconnect", "reconnect",
                                                        "execute", "execute"}));
    EXPECT_EQ(clock.pauses, std::vector<std::chrono::milliseconds>{1s});
    // The failed attempt itself is told only when the run gives up.
    EXPECT_EQ(console.Text(),
              ErrorBlock(0,
                         "Satz 1 (Byte 0) vielleicht doch uebernommen: die Anweisung wurde "
                         "nach ihrem Zeitlimit abgebrochen\n") +
                  "Verbindung zur Datenbank unterbrochen; neue Versuche bis zu 60 s\n\n"
                  "Verbindung zur Datenbank wiederhergestellt\n\n");
    EXPECT_EQ(ledger.Imported(), 2U);
}

TEST_F(RecordLoopTest, ALoginRefusedWhileReconnectingStopsTheRun) {
    AddRecords(4);
    executor.executeAnswers = {ExecutionFailure::ConnectionLost};
    executor.reconnectAnswers = {ExecutionFailure::Unreachable, ExecutionFailure::LoginRefused};
    Run();
    EXPECT_EQ(std::count(executor.calls.begin(), executor.calls.end(), "reconnect"), 2);
    EXPECT_EQ(ledger.Stop, StopReason::LoginRefused);
    EXPECT_EQ(ledger.NotImported, std::vector<std::size_t>{0});
    EXPECT_EQ(ledger.NextRecord, 1U);
    EXPECT_NE(console.Text().find("Lauf abgebrochen: Anmeldung abgewiesen; 3 Saetze nicht "
                                  "versucht\n"),
              std::string::npos);
}

TEST_F(RecordLoopTest, FailuresInARowStopTheRunScatteredOnesDoNot) {
    AddRecords(30);
    executor.executeAnswers.assign(30, ExecutionFailure::Rejected);
    // Every fifth record goes in: never five failures in a row.
    for (std::size_t i = 4; i < 30; i += 5) {
        executor.executeAnswers[i] = std::nullopt;
    }
    Run(TransferPolicy{60s, 5});
    EXPECT_EQ(ledger.Stop, StopReason::None);
    EXPECT_EQ(ledger.NotImported.size(), 24U);

    StartOver();
    AddRecords(30);
    executor.executeAnswers.assign(30, ExecutionFailure::Rejected);
    executor.executeAnswers[2] = std::nullopt;
    Run(TransferPolicy{60s, 5});
    EXPECT_EQ(executor.statements.size(), 8U);  // 2 failures, a success, 5 failures
    EXPECT_EQ(ledger.Stop, StopReason::TooManyFailures);
    EXPECT_EQ(ledger.NextRecord, 8U);
    const std::string text = console.Text();
    EXPECT_EQ(text.substr(text.rfind("Lauf")),
              "Lauf abgebrochen: 5 Saetze in Folge fehlgeschlagen; 22 Saetze nicht versucht\n");
}

TEST_F(RecordLoopTest, WithoutMaxFailuresTheRunNeverStopsForFailures) {
    AddRecords(50);
    executor.executeAnswers.assign(50, ExecutionFailure::Rejected);
    Run(TransferPolicy{60s, 0});
    EXPECT_EQ(ledger.Stop, StopReason::None);
    EXPECT_EQ(ledger.NotImported.size(), 50U);
}

TEST_F(RecordLoopTest, AStopRequestEndsTheRunBeforeTheNextRecord) {
    AddRecords(10);
    stop = true;
    Run();
    EXPECT_TRUE(executor.calls.empty());
    EXPECT_EQ(console.Text(), "Lauf abgebrochen: unterbrochen; 10 Saetze nicht versucht\n");
    EXPECT_EQ(ledger.Stop, StopReason::Interrupted);
    EXPECT_EQ(ledger.NextRecord, 0U);
}

TEST_F(RecordLoopTest, AStopRequestDuringAnOutageEndsTheWaiting) {
    AddRecords(3);
    executor.executeAnswers = {ExecutionFailure::Unreachable};
    executor.reconnectAnswers.assign(10, ExecutionFailure::Unreachable);
    stop = false;
    // The request comes while the loop pauses.
    class StoppingClock final : public RunClock {
    public:
        explicit StoppingClock(std::atomic<bool>& stop) : m_stop(stop) {}
        TimePoint Now() override { return {}; }
        void Pause(std::chrono::milliseconds) override { m_stop = true; }

    private:
        std::atomic<bool>& m_stop;
    } stoppingClock(stop);
    records = {};
    std::vector<InputRecord> input;
    const std::string record = "311205235959007011200000047110001";
    for (std::size_t i = 0; i < 3; ++i) {
        input.push_back(InputRecord{record, i + 1, i * 33});
    }
    TransferRecords(input, "ZutCtrl", SqlDialect::Oracle, TransferPolicy{},
                    TransferServices{executor, console, stoppingClock, stop, nullptr}, ledger);
    EXPECT_EQ(ledger.Stop, StopReason::Interrupted);
    EXPECT_EQ(ledger.NextRecord, 0U);
    EXPECT_EQ(executor.calls, std::vector<std::string>{"execute"});
}

}  // namespace
}  // namespace zubk
