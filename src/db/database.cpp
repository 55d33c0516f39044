#include "db/database.h"

#include "db/connection_string.h"
#include "db/database_error.h"
#include "db/odbc_connection.h"

namespace zubk {

TDatabase::TDatabase() = default;
TDatabase::~TDatabase() = default;

void TDatabase::Open() {
    if (Connected()) {
        return;
    }
    const std::string connectionString =
        BuildConnectionString(AliasName, Params.Value("USER NAME"), Params.Value("PASSWORD"));
    try {
        m_connection = std::make_unique<OdbcConnection>(connectionString);
    } catch (const EDatabaseError& error) {
        // Say which data source and login failed; the password stays out of the message.
        std::string context = "Verbindung zur Datenquelle '" + AliasName + "' als Benutzer '" +
                              std::string(Params.Value("USER NAME")) + "' fehlgeschlagen";
        if (!error.Context().empty()) {
            context += ": " + error.Context();
        }
        throw EDatabaseError(std::move(context), error.Records());
    }
}

void TDatabase::Execute(std::string_view sql) {
    if (!Connected()) {
        throw EDatabaseError("Die Datenbank '" + DatabaseName + "' ist nicht geoeffnet", {});
    }
    m_connection->ExecuteDirect(sql);
}

}  // namespace zubk
