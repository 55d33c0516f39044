#pragma once

#include <string>
#include <string_view>

namespace zubk {

// A value as it can stand in an ODBC connection string. Values that would be misread (";",
// braces, leading or trailing blanks) are put in braces with every "}" doubled; other values
// go as they are, because some drivers mishandle braces around plain values.
std::string QuoteConnectionValue(std::string_view value);

// "DSN=...;UID=...;PWD=...;"; an empty user name or password is left out, so that the data
// source's own setting applies.
std::string BuildConnectionString(std::string_view dataSourceName, std::string_view userName,
                                  std::string_view password);

}  // namespace zubk
