#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "db/odbc_connection.h"
#include "db/string_list.h"

namespace zubk {

// The connection component: which data source to reach, with which parameters, and the
// connection itself once it is open.
class TDatabase {
public:
    // The ODBC data source to connect to.
    std::string AliasName;
    // "NAME=value" lines: "USER NAME=" and "PASSWORD=" give the login; the other lines are
    // settings of the old engine that have no ODBC counterpart and are kept as they are.
    TStringList Params;
    OdbcTimeouts Timeouts;
    // Run on every new connection before the first statement, when not empty: settings of our
    // own session that the statements rely on.
    std::string SessionSetup;

    bool Connected() const { return m_connection.has_value(); }

    // Connects in automatic-commit mode unless connected already; throws EDatabaseError and
    // stays closed on failure.
    void Open();

    // Drops the connection, for a new one after it broke; the connection closes by itself when
    // the component goes away.
    void Close() noexcept { m_connection.reset(); }

    // Executes one statement that returns no rows on the open connection.
    void Execute(std::string_view sql) { m_connection->ExecuteDirect(sql); }

    // Asks the driver, from another thread, to stop the statement that Execute is running.
    void Cancel() noexcept;

private:
    std::optional<OdbcConnection> m_connection;
};

}  // namespace zubk
