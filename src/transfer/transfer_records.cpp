#include "transfer/transfer_records.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/console_texts.h"
#include "transfer/statement_builder.h"

namespace zubk {

namespace {

// Pauses between attempts to connect again grow from 1 s to 8 s.
constexpr std::chrono::milliseconds kFirstReconnectPause{1000};
constexpr std::chrono::milliseconds kLongestReconnectPause{8000};

// Failures of a new connection that no waiting mends.
std::optional<StopReason> StopsTheRun(ExecutionFailure failure) {
    switch (failure) {
        case ExecutionFailure::LoginRefused:
            return StopReason::LoginRefused;
        case ExecutionFailure::NotSetUp:
            return StopReason::NotSetUp;
        default:
            return std::nullopt;
    }
}

class RecordLoop {
public:
    RecordLoop(std::span<const InputRecord> records, std::string_view terminalName,
               SqlDialect dialect, const TransferPolicy& policy, TransferServices services,
               TransferLedger& ledger)
        : m_records(records),
          m_terminalName(terminalName),
          m_dialect(dialect),
          m_policy(policy),
          m_services(services),
          m_ledger(ledger) {}

    void Run() {
        while (m_ledger.NextRecord < m_records.size()) {
            if (m_services.StopRequested.load()) {
                Stop(StopReason::Interrupted, 0);
                break;
            }
            if (!HandleRecord(m_records[m_ledger.NextRecord])) {
                break;
            }
            if (m_services.Progress != nullptr) {
                m_services.Progress->Advance(m_ledger.NextRecord, m_records.size());
            }
        }
        ClearProgress();
    }

private:
    // Handles one record and moves on to the next; false when the run stops here.
    bool HandleRecord(const InputRecord& record) {
        if (const auto reason = WhyMalformed(record.Bytes)) {
            ClearProgress();
            PrintMalformedRecord(m_services.Output, record.Number, record.Offset, *reason);
            NotImported();
            return true;
        }
        for (;;) {
            std::string statement;
            BuildInsertStatement(record.Bytes, m_terminalName, m_dialect, statement);
            ++m_ledger.StatementsIssued;
            const std::optional<StatementFailure> failure =
                m_services.Executor.Execute(std::move(statement));
            if (!failure) {
                ++m_ledger.NextRecord;
                m_failuresInARow = 0;
                return true;
            }
            switch (failure->Kind) {
                case ExecutionFailure::Rejected:
                    ++m_failuresInARow;
                    Report(*failure, RecordNotImportedLine(record.Number, record.Offset));
                    NotImported();
                    return !TooManyFailures();
                case ExecutionFailure::LoginRefused:
                case ExecutionFailure::NotSetUp:
                    // Counted as issued above, but never sent: the connection came first, and
                    // neither a refused login nor a missing data source goes away by trying
                    // again.
                    --m_ledger.StatementsIssued;
                    Report(*failure, RecordNotAttemptedLine(record.Number, record.Offset));
                    Stop(*StopsTheRun(failure->Kind), 0);
                    return false;
                case ExecutionFailure::Unreachable:
                    // The statement never left: the record is tried again once connected.
                    --m_ledger.StatementsIssued;
                    if (!ConnectAgain(*failure, record)) {
                        return false;
                    }
                    continue;
                case ExecutionFailure::ConnectionLost:
                    // The server may have executed it before the answer was lost: the operator
                    // must check this record before importing it again.
                    ++m_failuresInARow;
                    Report(*failure, RecordInDoubtLine(record.Number, record.Offset));
                    NotImported();
                    return !TooManyFailures() && ConnectAgain(*failure, std::nullopt);
                case ExecutionFailure::TimedOut:
                    // Cancelled past its limit; the session may still be stuck in it, so it is
                    // not used again.
                    ++m_failuresInARow;
                    Report(*failure, RecordTimedOutLine(record.Number, record.Offset));
                    NotImported();
                    return !TooManyFailures() && NewSession();
            }
        }
    }

    // Replaces a session that may be stuck with a new one; when that fails, the server is
    // treated as gone.
    bool NewSession() {
        std::optional<StatementFailure> failure = m_services.Executor.Reconnect();
        if (!failure) {
            return true;
        }
        if (const auto stop = StopsTheRun(failure->Kind)) {
            Report(*failure, "");
            Stop(*stop, 0);
            return false;
        }
        return ConnectAgain(std::move(*failure), std::nullopt, false);
    }

    // Opens a new connection, pausing longer after each failed attempt, for at most the
    // reconnect time. pending is the record that waits for the connection, reported when the
    // run gives up. False when the run stops.
    bool ConnectAgain(StatementFailure lastFailure, std::optional<InputRecord> pending,
                      bool lastFailureReported = true) {
        const auto recordLine = [&] {
            return pending ? RecordNotAttemptedLine(pending->Number, pending->Offset)
                           : std::string();
        };
        // The failure of a waiting record has not been reported yet.
        lastFailureReported = lastFailureReported && !pending.has_value();
        if (m_policy.ReconnectTime.count() > 0) {
            ClearProgress();
            PrintConnectionRetry(m_services.Output, m_policy.ReconnectTime.count());
            const RunClock::TimePoint deadline = m_services.Clock.Now() + m_policy.ReconnectTime;
            std::chrono::milliseconds pause = kFirstReconnectPause;
            for (;;) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - m_services.Clock.Now());
                if (left <= std::chrono::milliseconds::zero()) {
                    break;
                }
                m_services.Clock.Pause(std::min(pause, left));
                if (m_services.StopRequested.load()) {
                    Stop(StopReason::Interrupted, 0);
                    return false;
                }
                pause = std::min(pause * 2, kLongestReconnectPause);
                std::optional<StatementFailure> failure = m_services.Executor.Reconnect();
                if (!failure) {
                    PrintConnectionBack(m_services.Output);
                    return true;
                }
                if (const auto stop = StopsTheRun(failure->Kind)) {
                    Report(*failure, recordLine());
                    Stop(*stop, 0);
                    return false;
                }
                lastFailure = std::move(*failure);
                lastFailureReported = false;
            }
        }
        if (!lastFailureReported) {
            Report(lastFailure, recordLine());
        }
        Stop(StopReason::ServerUnreachable, m_policy.ReconnectTime.count());
        return false;
    }

    void Report(const StatementFailure& failure, std::string_view recordLine) {
        ClearProgress();
        PrintDatabaseError(m_services.Output, failure.StatementText, failure.Message, recordLine);
    }

    // Lists the current record as not imported and moves on; malformed records count here too,
    // but only the database's failures count towards the failures in a row.
    void NotImported() {
        m_ledger.NotImported.push_back(m_ledger.NextRecord);
        ++m_ledger.NextRecord;
    }

    bool TooManyFailures() {
        if (m_policy.MaxFailures == 0 || m_failuresInARow < m_policy.MaxFailures) {
            return false;
        }
        Stop(StopReason::TooManyFailures, m_policy.MaxFailures);
        return true;
    }

    void Stop(StopReason reason, std::int64_t figure) {
        m_ledger.Stop = reason;
        ClearProgress();
        PrintRunStopped(m_services.Output, reason, figure, m_records.size() - m_ledger.NextRecord);
    }

    void ClearProgress() {
        if (m_services.Progress != nullptr) {
            m_services.Progress->Clear();
        }
    }

    std::span<const InputRecord> m_records;
    std::string_view m_terminalName;
    SqlDialect m_dialect;
    const TransferPolicy& m_policy;
    TransferServices m_services;
    TransferLedger& m_ledger;
    std::uint32_t m_failuresInARow = 0;
};

}  // namespace

void TransferRecords(std::span<const InputRecord> records, std::string_view terminalName,
                     SqlDialect dialect, const TransferPolicy& policy, TransferServices services,
                     TransferLedger& ledger) {
    RecordLoop(records, terminalName, dialect, policy, services, ledger).Run();
}

}  // namespace zubk
