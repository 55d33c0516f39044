#include "transfer/sql_dialect.h"

#include <array>
#include <utility>

namespace zubk {

namespace {

constexpr std::array<std::pair<std::string_view, SqlDialect>, 2> kDbSystems = {{
    {"ORACLE", SqlDialect::Oracle},
    {"MSSQL", SqlDialect::MsSql},
}};

}  // namespace

std::optional<SqlDialect> DialectFor(std::string_view dbSystem) {
    for (const auto& [name, dialect] : kDbSystems) {
        if (name == dbSystem) {
            return dialect;
        }
    }
    return std::nullopt;
}

std::string_view SupportedDbSystems() {
    return "ORACLE, MSSQL";
}

}  // namespace zubk
