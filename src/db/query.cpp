#include "db/query.h"

namespace zubk {

void TQuery::ExecSQL() {
    m_database.Open();
    m_database.Execute(SQL[0]);
}

}  // namespace zubk
