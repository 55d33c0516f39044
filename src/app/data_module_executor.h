#pragma once

#include <chrono>

#include "app/watchdog.h"
#include "db/data_module.h"
#include "transfer/statement_executor.h"

namespace zubk {

// Executes the record loop's statements through the data module's query Qry1, each database
// call under the watchdog, and tells the loop what a failure means.
class DataModuleExecutor final : public StatementExecutor {
public:
    DataModuleExecutor(Tdm1& dm1, Watchdog& watchdog, std::chrono::seconds openLimit)
        : m_dm1(dm1), m_watchdog(watchdog), m_openLimit(openLimit) {}

    std::optional<StatementFailure> Execute(std::string statement) override;
    std::optional<StatementFailure> Reconnect() override;

private:
    std::optional<StatementFailure> Open(WatchedCall call);

    Tdm1& m_dm1;
    Watchdog& m_watchdog;
    std::chrono::seconds m_openLimit;
};

}  // namespace zubk
