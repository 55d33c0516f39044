#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "db/string_list.h"

namespace zubk {

class OdbcConnection;

// The connection component: which data source to reach, with which parameters, and the
// connection itself once it is open.
class TDatabase {
public:
    TDatabase();
    ~TDatabase();
    TDatabase(const TDatabase&) = delete;
    TDatabase& operator=(const TDatabase&) = delete;

    // The ODBC data source to connect to.
    std::string AliasName;
    // The name by which queries find this connection.
    std::string DatabaseName;
    // There is never a login dialog: user name and password come from Params.
    bool LoginPrompt = false;
    std::string SessionName;
    // "NAME=value" lines: "USER NAME=" and "PASSWORD=" give the login; the other lines are
    // settings of the old engine that have no ODBC counterpart and are kept as they are.
    TStringList Params;

    bool Connected() const { return m_connection != nullptr; }

    // Connects in automatic-commit mode; throws EDatabaseError and stays closed on failure.
    // The connection closes when the component goes away.
    void Open();

    // Executes one statement that returns no rows on the open connection.
    void Execute(std::string_view sql);

private:
    std::unique_ptr<OdbcConnection> m_connection;
};

}  // namespace zubk
