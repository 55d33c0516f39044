#pragma once

namespace zubk {

// Why a run ended before every record was handled.
enum class StopReason {
    None,               // every record was handled
    Interrupted,        // the process was asked to stop
    LoginRefused,       // the server refused the login
    NotSetUp,           // the data source or its driver is not set up
    ServerUnreachable,  // no connection within the reconnect time
    TooManyFailures,    // too many records in a row failed
    NoAnswer,           // a database call did not come back within its time limit
};

}  // namespace zubk
