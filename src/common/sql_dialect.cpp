#include "common/sql_dialect.h"

#include <algorithm>
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

bool NamesDbSystemLoosely(std::string_view dbSystem) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!dbSystem.empty() && blank(dbSystem.front())) {
        dbSystem.remove_prefix(1);
    }
    while (!dbSystem.empty() && blank(dbSystem.back())) {
        dbSystem.remove_suffix(1);
    }
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    for (const auto& entry : kDbSystems) {
        const std::string_view name = entry.first;
        if (name.size() == dbSystem.size() &&
            std::equal(name.begin(), name.end(), dbSystem.begin(),
                       [&](char a, char b) { return upper(a) == upper(b); })) {
            return true;
        }
    }
    return false;
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
