#include "support/test_database.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "support/fixtures.h"
#include "support/process.h"

namespace zubk::testing {

namespace {

// Values in the state file are single-quoted shell words; '\'' stands for a quote inside.
std::string Unquote(const std::string& word) {
    std::string value;
    bool quoted = false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '\'') {
            quoted = !quoted;
        } else if (word[i] == '\\' && !quoted && i + 1 < word.size()) {
            value += word[++i];
        } else {
            value += word[i];
        }
    }
    return value;
}

}  // namespace

TestDatabase::TestDatabase() {
    const char* statePath = std::getenv("ZUBK_TESTDB_STATE");
    if (statePath == nullptr) {
        throw std::runtime_error("ZUBK_TESTDB_STATE is not set: run the tests through ctest");
    }
    std::ifstream state(statePath);
    if (!state) {
        throw std::runtime_error(std::string("no test database state at ") + statePath);
    }
    std::string line;
    while (std::getline(state, line)) {
        const auto equals = line.find('=');
        if (equals != std::string::npos && line[0] != '#') {
            m_values[line.substr(0, equals)] = Unquote(line.substr(equals + 1));
        }
    }
    for (const char* key :
         {"ODBCINI", "ZUBK_TESTDB_SOCKET", "ZUBK_TESTDB_USER", "ZUBK_TESTDB_PASSWORD"}) {
        if (m_values.count(key) == 0) {
            throw std::runtime_error(std::string("test database state lacks ") + key);
        }
    }
}

const std::string& TestDatabase::StateValue(const std::string& key) const {
    const auto found = m_values.find(key);
    if (found == m_values.end()) {
        throw std::runtime_error("test database state lacks " + key);
    }
    return found->second;
}

std::map<std::string, std::string> TestDatabase::ToolEnvironment() const {
    return {{"ODBCINI", m_values.at("ODBCINI")}, {"LC_ALL", "C"}};
}

void TestDatabase::ResetTables() const {
    Execute(
        "DELETE FROM qxs402zpk; DELETE FROM qxs405zzs;"
        "INSERT INTO qxs405zzs VALUES ('121', 42), ('771', 7), ('771', 7);");
}

std::string TestDatabase::ParameterFileFor(std::string_view dataSource, std::string_view dbSystem,
                                           std::string_view password) const {
    return ParameterFile(User(), password.empty() ? Password() : password, dataSource, dbSystem);
}

std::vector<std::string> TestDatabase::ImportedRows() const {
    return Query(
        "SELECT ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus, IFNULL(ZpkFcd,'NULL'), "
        "IFNULL(ZpkMld,'NULL'), ZpkLfd, TIMESTAMPDIFF(MINUTE, ZpkDat, NOW()) BETWEEN 0 AND 10 "
        "FROM qxs402zpk ORDER BY ZpkLfd");
}

std::vector<std::string> TestDatabase::Query(const std::string& sql) const {
    const ProcessResult result =
        RunProcess("/usr/bin/mariadb",
                   {"--no-defaults", "-S", m_values.at("ZUBK_TESTDB_SOCKET"), "-u", "root",
                    "--batch", "--raw", "--skip-column-names", "qxsystem", "-e", sql},
                   std::filesystem::temp_directory_path().string());
    if (result.exitCode != 0) {
        throw std::runtime_error("query failed: " + sql + "\n" + result.errorOutput);
    }
    std::vector<std::string> rows;
    std::istringstream lines(result.output);
    std::string row;
    while (std::getline(lines, row)) {
        rows.push_back(row);
    }
    return rows;
}

}  // namespace zubk::testing
