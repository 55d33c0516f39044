#pragma once

#include <chrono>
#include <string_view>

#include "db/odbc_handle.h"

namespace zubk {

// The time limits that ODBC offers; drivers differ in which they honour, so the run keeps a
// watchdog of its own as well.
struct OdbcTimeouts {
    std::chrono::seconds Login{30};
    std::chrono::seconds Statement{60};
};

// One open ODBC connection with its environment and one statement handle that every execution
// reuses. Text reaches the driver as UTF-16 through the wide ODBC functions, converted from
// UTF-8 by our own code, so that the machine's locale and ANSI code page play no part.
class OdbcConnection {
public:
    // Connects without prompting in automatic-commit mode; throws EDatabaseError when the driver
    // manager, the driver or the server refuses.
    OdbcConnection(std::string_view connectionString, const OdbcTimeouts& timeouts);
    ~OdbcConnection();
    OdbcConnection(OdbcConnection&&) noexcept = default;
    // Handles must go in order (statement, disconnect, connection, environment), which a
    // member-wise assignment would not keep.
    OdbcConnection& operator=(OdbcConnection&&) = delete;

    // Executes one statement that returns no rows; throws EDatabaseError when it fails. A
    // statement that affects no row is a success.
    void ExecuteDirect(std::string_view sql);

    // Asks the driver to stop the statement that ExecuteDirect is running on another thread.
    void Cancel() noexcept;

private:
    OdbcHandle m_environment;
    OdbcHandle m_connection;
    OdbcHandle m_statement;
};

}  // namespace zubk
