#pragma once

#include "db/database.h"
#include "db/string_list.h"

namespace zubk {

// The query component: a statement list executed through its connection component.
class TQuery {
public:
    explicit TQuery(TDatabase& database) : m_database(database) {}

    // The statement to execute, as its only line.
    TStringList SQL;

    // Executes the statement as one that returns no rows. Opens the connection first when it
    // is closed; a failed opening leaves it closed, so the next call tries again. Throws
    // EDatabaseError on any failure.
    void ExecSQL();

private:
    TDatabase& m_database;
};

}  // namespace zubk
