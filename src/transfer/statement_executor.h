#pragma once

#include <optional>
#include <string>

namespace zubk {

// What a failed execution means for the record loop.
enum class ExecutionFailure {
    Rejected,        // the server refused the statement; the connection is fine
    LoginRefused,    // the server refused the login; never try again within the run
    NotSetUp,        // the data source or its driver is not set up; no record can go in
    Unreachable,     // no connection could be opened; the statement was not sent
    ConnectionLost,  // the connection broke while the statement was on its way
    TimedOut,        // the statement ran past its time limit; it may have been executed
};

struct StatementFailure {
    ExecutionFailure Kind = ExecutionFailure::Rejected;
    std::string StatementText;  // the statement as it was executed, with its line end
    std::string Message;        // what the driver and the server said
};

// Executes the statements of the record loop, one at a time, on a connection that it opens
// when the first statement comes.
class StatementExecutor {
public:
    // Executes one statement that returns no rows; nothing when it succeeded.
    virtual std::optional<StatementFailure> Execute(std::string statement) = 0;

    // Drops the connection, if any, and opens a new one; nothing when it is open.
    virtual std::optional<StatementFailure> Reconnect() = 0;

protected:
    ~StatementExecutor() = default;
};

}  // namespace zubk
