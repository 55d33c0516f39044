#include "db/database.h"

#include "db/connection_string.h"
#include "db/database_error.h"

namespace zubk {

void TDatabase::Open() {
    if (Connected()) {
        return;
    }
    const std::string_view userName = Params.Value("USER NAME");
    try {
        OdbcConnection connection(
            BuildConnectionString(AliasName, userName, Params.Value("PASSWORD")), Timeouts);
        if (!SessionSetup.empty()) {
            connection.ExecuteDirect(SessionSetup);
        }
        m_connection.emplace(std::move(connection));
    } catch (const EDatabaseError& error) {
        // Say which data source and login failed; the password stays out of the message.
        std::string context = "Verbindung zur Datenquelle '" + AliasName + "' als Benutzer '" +
                              std::string(userName) + "' fehlgeschlagen";
        if (!error.Context().empty()) {
            context += ": " + error.Context();
        }
        throw EDatabaseError(error.Kind(), std::move(context), error.Records());
    }
}

void TDatabase::Cancel() noexcept {
    if (m_connection) {
        m_connection->Cancel();
    }
}

}  // namespace zubk
