#include "db/failure_class.h"

#include <array>
#include <string_view>

namespace zubk {

namespace {

// Native codes of the drivers we are used with, where their SQLSTATE does not tell.
struct NativeCode {
    std::int32_t Code;
    DatabaseFailure Failure;
};

constexpr std::array kNativeCodes = {
    // MariaDB and MySQL
    NativeCode{1044, DatabaseFailure::LoginRefused},    // access denied to the database
    NativeCode{1045, DatabaseFailure::LoginRefused},    // access denied for the user
    NativeCode{2002, DatabaseFailure::Unreachable},     // cannot connect through the socket
    NativeCode{2003, DatabaseFailure::Unreachable},     // cannot connect to the host
    NativeCode{2005, DatabaseFailure::Unreachable},     // unknown host
    NativeCode{2006, DatabaseFailure::ConnectionLost},  // server has gone away
    NativeCode{2013, DatabaseFailure::ConnectionLost},  // connection lost during the query
    NativeCode{4031, DatabaseFailure::ConnectionLost},  // disconnected for inactivity
    NativeCode{1317, DatabaseFailure::TimedOut},        // query interrupted (cancelled)
    NativeCode{1969, DatabaseFailure::TimedOut},        // max_statement_time exceeded
    // Oracle: invalid login, account locked, password expired
    NativeCode{1017, DatabaseFailure::LoginRefused},
    NativeCode{28000, DatabaseFailure::LoginRefused},
    NativeCode{28001, DatabaseFailure::LoginRefused},
    // Oracle: end of file on the communication channel, not connected, TNS no listener
    NativeCode{3113, DatabaseFailure::ConnectionLost},
    NativeCode{3114, DatabaseFailure::ConnectionLost},
    NativeCode{12541, DatabaseFailure::Unreachable},
    // SQL Server: login failed
    NativeCode{18456, DatabaseFailure::LoginRefused},
};

// The class a SQLSTATE names on its own, or nothing.
const DatabaseFailure* BySqlState(std::string_view state, FailedStep step) {
    static constexpr DatabaseFailure kLoginRefused = DatabaseFailure::LoginRefused;
    static constexpr DatabaseFailure kUnreachable = DatabaseFailure::Unreachable;
    static constexpr DatabaseFailure kLost = DatabaseFailure::ConnectionLost;
    static constexpr DatabaseFailure kTimedOut = DatabaseFailure::TimedOut;
    static constexpr DatabaseFailure kNotSetUp = DatabaseFailure::NotSetUp;
    if (state.substr(0, 2) == "28") {
        return &kLoginRefused;
    }
    // Class 08 (connection exception) and a rollback whose outcome is unknown (40003), and a
    // connection-level timeout (HYT01): while connecting, the statement was never sent.
    if (state.substr(0, 2) == "08" || state == "40003" || state == "HYT01") {
        return step == FailedStep::Connecting ? &kUnreachable : &kLost;
    }
    // Class IM comes from the driver manager: the data source or its driver is not set up.
    if (state.substr(0, 2) == "IM" && step == FailedStep::Connecting) {
        return &kNotSetUp;
    }
    if (state == "HYT00") {
        return step == FailedStep::Connecting ? &kUnreachable : &kTimedOut;
    }
    return nullptr;
}

}  // namespace

DatabaseFailure ClassifyFailure(FailedStep step, const std::vector<DiagnosticRecord>& records) {
    // A refused login wins over everything else the driver says about it.
    for (const DiagnosticRecord& record : records) {
        const DatabaseFailure* failure = BySqlState(record.SqlState, step);
        if (failure != nullptr && *failure == DatabaseFailure::LoginRefused) {
            return *failure;
        }
        for (const NativeCode& native : kNativeCodes) {
            if (native.Code == record.NativeError &&
                native.Failure == DatabaseFailure::LoginRefused) {
                return native.Failure;
            }
        }
    }
    for (const DiagnosticRecord& record : records) {
        if (const DatabaseFailure* failure = BySqlState(record.SqlState, step)) {
            return *failure;
        }
        for (const NativeCode& native : kNativeCodes) {
            if (native.Code == record.NativeError) {
                if (step == FailedStep::Connecting &&
                    native.Failure == DatabaseFailure::ConnectionLost) {
                    return DatabaseFailure::Unreachable;
                }
                return native.Failure;
            }
        }
    }
    // Anything else is taken as a refusal of this one statement: each record reports it, and
    // the run stops after the failures in a row that the run allows.
    return DatabaseFailure::Rejected;
}

}  // namespace zubk
