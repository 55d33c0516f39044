#pragma once

#include <string>
#include <string_view>

#include "db/string_list.h"

namespace zubk {

class TDatabase;

// Finds a connection component by its DatabaseName, as a query looks up its connection.
class DatabaseDirectory {
public:
    virtual TDatabase* FindDatabase(std::string_view databaseName) = 0;

protected:
    ~DatabaseDirectory() = default;
};

// The query component: a statement list executed through the connection it names.
class TQuery {
public:
    explicit TQuery(DatabaseDirectory& directory) : m_directory(directory) {}

    std::string DatabaseName;
    TStringList SQL;

    // Executes the statement list as one statement that returns no rows. Opens the connection
    // first when it is closed; a failed opening leaves it closed, so the next call tries again.
    // Throws EDatabaseError on any failure.
    void ExecSQL();

private:
    DatabaseDirectory& m_directory;
};

}  // namespace zubk
