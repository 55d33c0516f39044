#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zubk {

// One diagnostic record of a failed database call.
struct DiagnosticRecord {
    std::string SqlState;
    std::int32_t NativeError = 0;
    std::string Message;  // UTF-8
};

// What a failure means for the run, as far as the database layer can tell.
enum class DatabaseFailure {
    Rejected,        // the server refused this statement; the connection is fine
    LoginRefused,    // the server refused the login: trying again would only lock the account
    NotSetUp,        // no such data source, or its driver cannot be loaded: a person must act
    Unreachable,     // no connection could be opened; the statement was not sent
    ConnectionLost,  // the connection broke while the statement was on its way
    TimedOut,        // the statement ran past its time limit and was cancelled
};

// A failure of the database layer: connecting, or executing a statement. Its message is a
// line of context followed by every diagnostic record the driver gave, one per line.
class EDatabaseError : public std::runtime_error {
public:
    EDatabaseError(DatabaseFailure kind, std::string context,
                   std::vector<DiagnosticRecord> records);

    DatabaseFailure Kind() const { return m_kind; }
    // What was being done, in our words; may be empty when the records say it all.
    const std::string& Context() const { return m_context; }
    const std::vector<DiagnosticRecord>& Records() const { return m_records; }

private:
    DatabaseFailure m_kind;
    std::string m_context;
    std::vector<DiagnosticRecord> m_records;
};

}  // namespace zubk
