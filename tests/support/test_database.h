#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace zubk::testing {

// The private MariaDB server of the tests, as scripts/testdb describes it in its state file
// (named by ZUBK_TESTDB_STATE). Queries go through the mariadb client as root.
class TestDatabase {
public:
    // Throws when the state file is missing: a test that needs the server must not pass
    // without it.
    TestDatabase();

    // The environment under which the tool finds the server's data sources.
    std::map<std::string, std::string> ToolEnvironment() const;

    const std::string& User() const { return m_values.at("ZUBK_TESTDB_USER"); }
    // Any value of the state file, e.g. ZUBK_TESTDB_DIR; throws when it is not there.
    const std::string& StateValue(const std::string& key) const;
    const std::string& Password() const { return m_values.at("ZUBK_TESTDB_PASSWORD"); }

    // Empties the target table and leaves three rows of codes: 121 (zzsnum 42) and 771 (7),
    // the latter twice, so that DISTINCT has something to do; 999 and others have none.
    void ResetTables() const;

    // A parameter file that logs in as the tests' user (or with another password) to one of
    // the server's data sources.
    std::string ParameterFileFor(std::string_view dataSource, std::string_view dbSystem,
                                 std::string_view password = {}) const;

    // The rows that imports left in the target table, in the order of ZpkLfd, fields
    // tab-separated: every column but ZpkDat, with NULL as "NULL", then 1 when ZpkDat lies
    // within the last ten minutes.
    std::vector<std::string> ImportedRows() const;

    // Runs SQL as root in the schema qxsystem; returns the rows, fields tab-separated.
    std::vector<std::string> Query(const std::string& sql) const;
    void Execute(const std::string& sql) const { Query(sql); }

private:
    std::map<std::string, std::string> m_values;
};

}  // namespace zubk::testing
