#include "db/query.h"

#include "db/database.h"
#include "db/database_error.h"

namespace zubk {

void TQuery::ExecSQL() {
    TDatabase* database = m_directory.FindDatabase(DatabaseName);
    if (database == nullptr) {
        throw EDatabaseError("Keine Datenbank mit dem Namen '" + DatabaseName + "'", {});
    }
    database->Open();
    if (SQL.Count() == 1) {
        database->Execute(SQL[0]);  // the usual case, without a copy
        return;
    }
    // The lines go to the server as one statement, joined by plain line feeds.
    std::string statement;
    for (std::size_t i = 0; i < SQL.Count(); ++i) {
        if (i > 0) {
            statement += '\n';
        }
        statement += SQL[i];
    }
    database->Execute(statement);
}

}  // namespace zubk
