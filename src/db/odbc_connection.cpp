#include "db/odbc_connection.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "db/database_error.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>

namespace zubk {

namespace {

// Opening a connection to a server that does not answer must fail in bounded time.
constexpr SQLULEN kLoginTimeoutSeconds = 30;

bool Succeeded(SQLRETURN result) {
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO || result == SQL_NO_DATA;
}

// Reads every diagnostic record of the last call on the handle, not only the first: the
// useful one is often the second.
std::vector<DiagnosticRecord> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<DiagnosticRecord> records;
    if (handle == SQL_NULL_HANDLE) {
        return records;
    }
    for (SQLSMALLINT number = 1;; ++number) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        std::vector<SQLCHAR> text(512);
        SQLSMALLINT textLength = 0;
        SQLRETURN result = SQLGetDiagRec(handleType, handle, number, state, &native, text.data(),
                                         static_cast<SQLSMALLINT>(text.size()), &textLength);
        if (result == SQL_SUCCESS_WITH_INFO &&
            textLength >= static_cast<SQLSMALLINT>(text.size())) {
            // The message was cut: ask again with room for all of it.
            text.resize(static_cast<std::size_t>(textLength) + 1);
            result = SQLGetDiagRec(handleType, handle, number, state, &native, text.data(),
                                   static_cast<SQLSMALLINT>(text.size()), &textLength);
        }
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO) {
            break;
        }
        const auto length = std::min(static_cast<std::size_t>(std::max<SQLSMALLINT>(textLength, 0)),
                                     text.size() - 1);
        records.push_back(DiagnosticRecord{
            std::string(reinterpret_cast<const char*>(state)), static_cast<std::int32_t>(native),
            std::string(reinterpret_cast<const char*>(text.data()), length)});
    }
    return records;
}

[[noreturn]] void ThrowFailure(std::string context, SQLRETURN result,
                               std::vector<DiagnosticRecord> records) {
    if (records.empty()) {
        // Without a diagnostic record the return code is all there is to tell.
        if (!context.empty()) {
            context += ' ';
        }
        context += "(ODBC-Rueckgabewert " + std::to_string(result) + ")";
    }
    throw EDatabaseError(std::move(context), std::move(records));
}

void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* context) {
    if (!Succeeded(result)) {
        ThrowFailure(context, result, ReadDiagnostics(handleType, handle));
    }
}

// Owns one ODBC handle and frees it; the owners are declared so that the statement goes
// before the connection and the connection before the environment.
template <SQLSMALLINT HandleType>
class OdbcHandle {
public:
    OdbcHandle() = default;
    ~OdbcHandle() {
        if (m_handle != SQL_NULL_HANDLE) {
            SQLFreeHandle(HandleType, m_handle);
        }
    }
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    void Allocate(SQLHANDLE parent, SQLSMALLINT parentType, const char* context) {
        const SQLRETURN result = SQLAllocHandle(HandleType, parent, &m_handle);
        if (!Succeeded(result)) {
            m_handle = SQL_NULL_HANDLE;
            ThrowFailure(context, result, ReadDiagnostics(parentType, parent));
        }
    }
    SQLHANDLE Get() const { return m_handle; }

private:
    SQLHANDLE m_handle = SQL_NULL_HANDLE;
};

// Disconnects on the way out, before the connection handle is freed.
class ConnectedState {
public:
    explicit ConnectedState(SQLHDBC connection) : m_connection(connection) {}
    ~ConnectedState() {
        if (m_connection != SQL_NULL_HANDLE) {
            SQLDisconnect(m_connection);
        }
    }
    ConnectedState(const ConnectedState&) = delete;
    ConnectedState& operator=(const ConnectedState&) = delete;

private:
    SQLHDBC m_connection;
};

}  // namespace

struct OdbcConnection::Handles {
    OdbcHandle<SQL_HANDLE_ENV> environment;
    OdbcHandle<SQL_HANDLE_DBC> connection;
    std::unique_ptr<ConnectedState> connected;
    OdbcHandle<SQL_HANDLE_STMT> statement;
};

OdbcConnection::OdbcConnection(const std::string& connectionString)
    : m_handles(std::make_unique<Handles>()) {
    Handles& h = *m_handles;
    h.environment.Allocate(SQL_NULL_HANDLE, SQL_HANDLE_ENV,
                           "ODBC-Umgebung konnte nicht angelegt werden");
    Check(SQLSetEnvAttr(h.environment.Get(), SQL_ATTR_ODBC_VERSION,
                        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_OV_ODBC3)), 0),
          SQL_HANDLE_ENV, h.environment.Get(), "ODBC-Version konnte nicht gesetzt werden");
    h.connection.Allocate(h.environment.Get(), SQL_HANDLE_ENV,
                          "ODBC-Verbindung konnte nicht angelegt werden");
    Check(SQLSetConnectAttr(h.connection.Get(), SQL_ATTR_LOGIN_TIMEOUT,
                            reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0),
          SQL_HANDLE_DBC, h.connection.Get(), "Anmelde-Zeitlimit konnte nicht gesetzt werden");

    if (connectionString.size() >
        static_cast<std::size_t>(std::numeric_limits<SQLSMALLINT>::max())) {
        throw EDatabaseError("Verbindungsdaten sind zu lang", {});
    }
    std::vector<SQLCHAR> input(connectionString.begin(), connectionString.end());
    input.push_back(0);
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    Check(SQLDriverConnect(h.connection.Get(), nullptr, input.data(),
                           static_cast<SQLSMALLINT>(connectionString.size()), completed,
                           sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT),
          SQL_HANDLE_DBC, h.connection.Get(), "");
    h.connected = std::make_unique<ConnectedState>(h.connection.Get());

    Check(
        SQLSetConnectAttr(h.connection.Get(), SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(SQL_AUTOCOMMIT_ON)), 0),
        SQL_HANDLE_DBC, h.connection.Get(), "Automatisches Commit konnte nicht gesetzt werden");
    h.statement.Allocate(h.connection.Get(), SQL_HANDLE_DBC,
                         "ODBC-Anweisung konnte nicht angelegt werden");
}

OdbcConnection::~OdbcConnection() = default;

void OdbcConnection::ExecuteDirect(std::string_view sql) {
    if (sql.size() > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max())) {
        throw EDatabaseError("Anweisung ist zu lang", {});
    }
    const SQLHSTMT statement = m_handles->statement.Get();
    // SQLExecDirect does not write through the pointer; the ODBC prototype just lacks const.
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(sql.data()));
    const SQLRETURN result = SQLExecDirect(statement, text, static_cast<SQLINTEGER>(sql.size()));
    if (!Succeeded(result)) {
        std::vector<DiagnosticRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement);
        SQLFreeStmt(statement, SQL_CLOSE);
        ThrowFailure("", result, std::move(records));
    }
    // Nothing stays open on the handle between executions.
    SQLFreeStmt(statement, SQL_CLOSE);
}

}  // namespace zubk
