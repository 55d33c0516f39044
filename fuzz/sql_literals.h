#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zubk::fuzz {

// How a backslash inside a string literal is read. Oracle and SQL Server take it as a plain
// character; MySQL and MariaDB in their default mode take it as an escape of the next byte.
enum class BackslashRule { Plain, Escapes };

// A statement cut into the text outside its string literals and the literals' contents.
struct SqlLiteralSplit {
    // The statement with every literal written as '' (its content left out).
    std::string Skeleton;
    // The contents of the literals in order, quotes undoubled and escapes resolved.
    std::vector<std::string> Literals;
    // The statement ends inside a literal.
    bool Unterminated = false;
};

// Reads the literals of statement the way a server does: an apostrophe opens a literal, two
// apostrophes inside it stand for one, and a single one closes it.
SqlLiteralSplit SplitSqlLiterals(std::string_view statement, BackslashRule rule);

}  // namespace zubk::fuzz
