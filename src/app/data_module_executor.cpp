#include "app/data_module_executor.h"

#include "db/database_error.h"

namespace zubk {

namespace {

ExecutionFailure AsExecutionFailure(DatabaseFailure failure) {
    switch (failure) {
        case DatabaseFailure::LoginRefused:
            return ExecutionFailure::LoginRefused;
        case DatabaseFailure::NotSetUp:
            return ExecutionFailure::NotSetUp;
        case DatabaseFailure::Unreachable:
            return ExecutionFailure::Unreachable;
        case DatabaseFailure::ConnectionLost:
            return ExecutionFailure::ConnectionLost;
        case DatabaseFailure::TimedOut:
            return ExecutionFailure::TimedOut;
        case DatabaseFailure::Rejected:
            break;
    }
    return ExecutionFailure::Rejected;
}

// The driver's cancel arrives in time to stop most statements; the watchdog's own limit
// comes a little later, so that a driver that keeps its time limit reports it itself.
constexpr std::chrono::seconds kWatchdogMargin{2};

}  // namespace

std::optional<StatementFailure> DataModuleExecutor::Open(WatchedCall call) {
    if (m_dm1.KESTRAVON.Connected()) {
        return std::nullopt;
    }
    try {
        const Watchdog::Guard guard = m_watchdog.Watch(m_openLimit, nullptr, call);
        m_dm1.KESTRAVON.Open();
        return std::nullopt;
    } catch (const EDatabaseError& error) {
        return StatementFailure{AsExecutionFailure(error.Kind()), m_dm1.Qry1.SQL.Text(),
                                error.what()};
    }
}

std::optional<StatementFailure> DataModuleExecutor::Execute(std::string statement) {
    TQuery& query = m_dm1.Qry1;
    query.SQL.Clear();
    query.SQL.Add(std::move(statement));
    if (auto failure = Open(WatchedCall::OpeningForStatement)) {
        return failure;
    }
    try {
        TDatabase& database = m_dm1.KESTRAVON;
        const Watchdog::Guard guard = m_watchdog.Watch(
            database.Timeouts.Statement + kWatchdogMargin, [&database] { database.Cancel(); },
            WatchedCall::Statement);
        query.ExecSQL();
        return std::nullopt;
    } catch (const EDatabaseError& error) {
        return StatementFailure{AsExecutionFailure(error.Kind()), query.SQL.Text(), error.what()};
    }
}

std::optional<StatementFailure> DataModuleExecutor::Reconnect() {
    {
        // Closing says goodbye to the server, which may not listen either.
        const Watchdog::Guard guard =
            m_watchdog.Watch(m_openLimit, nullptr, WatchedCall::Reconnecting);
        m_dm1.KESTRAVON.Close();
    }
    return Open(WatchedCall::Reconnecting);
}

}  // namespace zubk
