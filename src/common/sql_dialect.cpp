#include "common/sql_dialect.h"

#include <array>
#include <string>
#include <utility>

namespace zubk {

namespace {

constexpr std::array<std::pair<std::string_view, SqlDialect>, 3> kDbSystems = {{
    {"ORACLE", SqlDialect::Oracle},
    {"MSSQL", SqlDialect::MsSql},
    {"MySQL", SqlDialect::MySql},
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
    static const std::string names = [] {
        std::string joined;
        for (const auto& entry : kDbSystems) {
            if (!joined.empty()) {
                joined += ", ";
            }
            joined += entry.first;
        }
        return joined;
    }();
    return names;
}

}  // namespace zubk
