#include "db/odbc_connection.h"

#include <algorithm>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "common/text_encoding.h"
#include "db/database_error.h"
#include "db/failure_class.h"

#ifdef _WIN32
#include <windows.h>
#endif
#include <sql.h>
#include <sqlext.h>
#include <sqlucode.h>

namespace zubk {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use UTF-16");

namespace {

bool Succeeded(SQLRETURN result) {
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO || result == SQL_NO_DATA;
}

std::vector<SQLWCHAR> WideText(std::string_view utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    std::vector<SQLWCHAR> wide(utf16.begin(), utf16.end());
    wide.push_back(0);
    return wide;
}

std::string Utf8Text(const SQLWCHAR* wide, std::size_t length) {
    return Utf16ToUtf8(std::u16string(wide, wide + length));
}

// Reads every diagnostic record of the last call on the handle, not only the first: the
// useful one is often the second.
std::vector<DiagnosticRecord> ReadDiagnostics(SQLSMALLINT handleType, SQLHANDLE handle) {
    std::vector<DiagnosticRecord> records;
    if (handle == SQL_NULL_HANDLE) {
        return records;
    }
    for (SQLSMALLINT number = 1;; ++number) {
        SQLWCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> text(512);
        SQLSMALLINT textLength = 0;
        SQLRETURN result = SQLGetDiagRecW(handleType, handle, number, state, &native, text.data(),
                                          static_cast<SQLSMALLINT>(text.size()), &textLength);
        if (result == SQL_SUCCESS_WITH_INFO &&
            textLength >= static_cast<SQLSMALLINT>(text.size())) {
            // The message was cut: ask again with room for all of it.
            text.resize(static_cast<std::size_t>(textLength) + 1);
            result = SQLGetDiagRecW(handleType, handle, number, state, &native, text.data(),
                                    static_cast<SQLSMALLINT>(text.size()), &textLength);
        }
        if (result != SQL_SUCCESS && result != SQL_SUCCESS_WITH_INFO) {
            break;
        }
        const auto length = std::min(static_cast<std::size_t>(std::max<SQLSMALLINT>(textLength, 0)),
                                     text.size() - 1);
        records.push_back(DiagnosticRecord{Utf8Text(state, SQL_SQLSTATE_SIZE),
                                           static_cast<std::int32_t>(native),
                                           Utf8Text(text.data(), length)});
    }
    return records;
}

[[noreturn]] void ThrowFailure(FailedStep step, std::string context, SQLRETURN result,
                               std::vector<DiagnosticRecord> records) {
    if (records.empty()) {
        // Without a diagnostic record the return code is all there is to tell.
        if (!context.empty()) {
            context += ' ';
        }
        context += "(ODBC-Rueckgabewert " + std::to_string(result) + ")";
    }
    const DatabaseFailure kind = ClassifyFailure(step, records);
    throw EDatabaseError(kind, std::move(context), std::move(records));
}

void Check(SQLRETURN result, SQLSMALLINT handleType, SQLHANDLE handle, const char* context) {
    if (!Succeeded(result)) {
        ThrowFailure(FailedStep::Connecting, context, result, ReadDiagnostics(handleType, handle));
    }
}

OdbcHandle Allocate(SQLSMALLINT handleType, SQLHANDLE parent, SQLSMALLINT parentType,
                    const char* context) {
    SQLHANDLE handle = SQL_NULL_HANDLE;
    const SQLRETURN result = SQLAllocHandle(handleType, parent, &handle);
    if (!Succeeded(result)) {
        ThrowFailure(FailedStep::Connecting, context, result, ReadDiagnostics(parentType, parent));
    }
    return OdbcHandle(handleType, handle);
}

SQLPOINTER IntegerAttribute(SQLULEN value) {
    return reinterpret_cast<SQLPOINTER>(value);
}

SQLULEN Seconds(std::chrono::seconds seconds) {
    return static_cast<SQLULEN>(std::max<std::chrono::seconds::rep>(seconds.count(), 0));
}

}  // namespace

void OdbcHandle::Reset() noexcept {
    if (m_handle != nullptr) {
        SQLFreeHandle(m_handleType, m_handle);
        m_handle = nullptr;
    }
}

OdbcConnection::OdbcConnection(std::string_view connectionString, const OdbcTimeouts& timeouts) {
    m_environment = Allocate(SQL_HANDLE_ENV, SQL_NULL_HANDLE, SQL_HANDLE_ENV,
                             "ODBC-Umgebung konnte nicht angelegt werden");
    Check(SQLSetEnvAttr(m_environment.Get(), SQL_ATTR_ODBC_VERSION, IntegerAttribute(SQL_OV_ODBC3),
                        0),
          SQL_HANDLE_ENV, m_environment.Get(), "ODBC-Version konnte nicht gesetzt werden");
    m_connection = Allocate(SQL_HANDLE_DBC, m_environment.Get(), SQL_HANDLE_ENV,
                            "ODBC-Verbindung konnte nicht angelegt werden");
    const SQLHDBC connection = m_connection.Get();
    // Drivers that do not know an attribute say so; the watchdog covers them.
    SQLSetConnectAttrW(connection, SQL_ATTR_LOGIN_TIMEOUT,
                       IntegerAttribute(Seconds(timeouts.Login)), 0);
    SQLSetConnectAttrW(connection, SQL_ATTR_CONNECTION_TIMEOUT,
                       IntegerAttribute(Seconds(timeouts.Statement)), 0);

    std::vector<SQLWCHAR> input = WideText(connectionString);
    if (input.size() > static_cast<std::size_t>(std::numeric_limits<SQLSMALLINT>::max())) {
        throw EDatabaseError(DatabaseFailure::Rejected, "Verbindungsdaten sind zu lang", {});
    }
    SQLWCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN result = SQLDriverConnectW(
        connection, nullptr, input.data(), static_cast<SQLSMALLINT>(input.size() - 1), completed,
        static_cast<SQLSMALLINT>(std::size(completed)), &completedLength, SQL_DRIVER_NOPROMPT);
    // The connection string holds the password: it is not kept a moment longer than needed.
    std::fill(input.begin(), input.end(), SQLWCHAR{0});
    std::fill(std::begin(completed), std::end(completed), SQLWCHAR{0});
    if (!Succeeded(result)) {
        ThrowFailure(FailedStep::Connecting, "", result,
                     ReadDiagnostics(SQL_HANDLE_DBC, connection));
    }
    try {
        Check(SQLSetConnectAttrW(connection, SQL_ATTR_AUTOCOMMIT,
                                 IntegerAttribute(SQL_AUTOCOMMIT_ON), 0),
              SQL_HANDLE_DBC, connection, "Automatisches Commit konnte nicht gesetzt werden");
        m_statement = Allocate(SQL_HANDLE_STMT, connection, SQL_HANDLE_DBC,
                               "ODBC-Anweisung konnte nicht angelegt werden");
        SQLSetStmtAttrW(m_statement.Get(), SQL_ATTR_QUERY_TIMEOUT,
                        IntegerAttribute(Seconds(timeouts.Statement)), 0);
    } catch (...) {
        SQLDisconnect(connection);
        throw;
    }
}

OdbcConnection::~OdbcConnection() {
    if (m_connection.Get() == nullptr) {
        return;  // moved from
    }
    m_statement.Reset();
    SQLDisconnect(m_connection.Get());
}

void OdbcConnection::ExecuteDirect(std::string_view sql) {
    std::vector<SQLWCHAR> text = WideText(sql);
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<SQLINTEGER>::max())) {
        throw EDatabaseError(DatabaseFailure::Rejected, "Anweisung ist zu lang", {});
    }
    const SQLHSTMT statement = m_statement.Get();
    const SQLRETURN result =
        SQLExecDirectW(statement, text.data(), static_cast<SQLINTEGER>(text.size() - 1));
    if (!Succeeded(result)) {
        std::vector<DiagnosticRecord> records = ReadDiagnostics(SQL_HANDLE_STMT, statement);
        SQLFreeStmt(statement, SQL_CLOSE);
        ThrowFailure(FailedStep::Executing, "", result, std::move(records));
    }
    // Nothing stays open on the handle between executions.
    SQLFreeStmt(statement, SQL_CLOSE);
}

void OdbcConnection::Cancel() noexcept {
    if (m_statement.Get() != nullptr) {
        SQLCancel(m_statement.Get());
    }
}

}  // namespace zubk
