#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace zubk {

// One open ODBC connection with its environment and one statement handle that every
// execution reuses. The ODBC headers stay inside the implementation.
class OdbcConnection {
public:
    // Connects without prompting; throws EDatabaseError when the driver manager, the driver or
    // the server refuses. The connection runs in automatic-commit mode.
    explicit OdbcConnection(const std::string& connectionString);
    ~OdbcConnection();
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;

    // Executes one statement that returns no rows; throws EDatabaseError when it fails.
    // A statement that affects no row is a success.
    void ExecuteDirect(std::string_view sql);

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
};

}  // namespace zubk
