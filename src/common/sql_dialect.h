#pragma once

#include <optional>
#include <string_view>

namespace zubk {

// The SQL dialects that statements are built in.
enum class SqlDialect { Oracle, MsSql, MySql };

// The dialect that a DB_SYSTEM value names; compared exactly, letter case and blanks included.
std::optional<SqlDialect> DialectFor(std::string_view dbSystem);

// Whether a DB_SYSTEM value that names no dialect differs from one that does only in letter case
// or in blanks around it ("oracle", "ORACLE "): a slip that is safe to show.
bool NamesDbSystemLoosely(std::string_view dbSystem);

// The DB_SYSTEM values that name a dialect, for messages: "ORACLE, MSSQL, MySQL".
std::string_view SupportedDbSystems();

}  // namespace zubk
