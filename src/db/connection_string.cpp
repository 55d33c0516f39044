#include "db/connection_string.h"

namespace zubk {

namespace {

bool NeedsBraces(std::string_view value) {
    if (value.empty()) {
        return false;
    }
    return value.find_first_of(";{}") != std::string_view::npos || value.front() == ' ' ||
           value.back() == ' ';
}

void AppendAttribute(std::string& connectionString, std::string_view name, std::string_view value) {
    connectionString += name;
    connectionString += '=';
    connectionString += QuoteConnectionValue(value);
    connectionString += ';';
}

}  // namespace

std::string QuoteConnectionValue(std::string_view value) {
    if (!NeedsBraces(value)) {
        return std::string(value);
    }
    std::string quoted = "{";
    for (const char c : value) {
        quoted += c;
        if (c == '}') {
            quoted += '}';
        }
    }
    quoted += '}';
    return quoted;
}

std::string BuildConnectionString(std::string_view dataSourceName, std::string_view userName,
                                  std::string_view password) {
    std::string connectionString;
    AppendAttribute(connectionString, "DSN", dataSourceName);
    if (!userName.empty()) {
        AppendAttribute(connectionString, "UID", userName);
    }
    if (!password.empty()) {
        AppendAttribute(connectionString, "PWD", password);
    }
    return connectionString;
}

}  // namespace zubk
