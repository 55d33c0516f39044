#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "common/console.h"
#include "common/sql_dialect.h"
#include "common/stop_reason.h"
#include "transfer/booking_record.h"
#include "transfer/run_clock.h"
#include "transfer/statement_executor.h"
#include "transfer/transfer_progress.h"

namespace zubk {

// When the record loop gives up on the database.
struct TransferPolicy {
    // How long to keep trying to connect again after the server went away; 0: not at all.
    std::chrono::seconds ReconnectTime{60};
    // After this many records in a row failed, the run stops; 0: never.
    std::uint32_t MaxFailures = 20;
};

// What the run has done with the records so far. Every record before NextRecord was imported
// or is listed in NotImported; the records from NextRecord on were not attempted (or, after
// NoAnswer, are in flight).
struct TransferLedger {
    std::int32_t StatementsIssued = 0;
    std::vector<std::size_t> NotImported;  // indices into the records, in input order
    std::size_t NextRecord = 0;
    StopReason Stop = StopReason::None;

    std::size_t Imported() const { return NextRecord - NotImported.size(); }
};

// What the record loop works with besides the records.
struct TransferServices {
    StatementExecutor& Executor;
    Console& Output;
    RunClock& Clock;
    const std::atomic<bool>& StopRequested;
    TransferProgress* Progress = nullptr;
};

// The record loop. Builds the statement of every well-formed record and executes it; a
// statement counts as issued before it runs. A record that fails is reported with its number
// and offset and listed as not imported, and the loop goes on, except where the policy says to
// stop: a refused login (never tried again), a server that stays away past the reconnect time,
// too many failures in a row, or a request to stop, each after the record in progress.
void TransferRecords(std::span<const InputRecord> records, std::string_view terminalName,
                     SqlDialect dialect, const TransferPolicy& policy, TransferServices services,
                     TransferLedger& ledger);

}  // namespace zubk
