#pragma once

#include <string>
#include <string_view>

#include "common/sql_dialect.h"

namespace zubk {

// Builds the statement that inserts one booking record into QXSYSTEM.Qxs402Zpk, taking the
// code's zzsnum from qxsystem.qxs405Zzs; a code without a row there inserts nothing. The record
// is code page 1252 and the terminal name UTF-8; the statement is UTF-8. Every value written
// between apostrophes has its apostrophes doubled, so no record and no terminal name is ever
// read as SQL. The statement replaces the content of statement, whose capacity is reused from
// record to record.
void BuildInsertStatement(std::string_view record, std::string_view terminalName,
                          SqlDialect dialect, std::string& statement);

// The same for a DB_SYSTEM value; empty text when it names no dialect.
std::string BuildInsertStatement(std::string_view record, std::string_view terminalName,
                                 std::string_view dbSystem);

}  // namespace zubk
