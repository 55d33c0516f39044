#pragma once

#include "app/console.h"
#include "app/run_state.h"
#include "transfer/transfer_progress.h"

namespace zubk {

// The record loop: builds the statement of every record of state.InputText and executes each
// non-empty one through the data module's query. A statement counts in state.RecordCount
// before it is executed; one that fails is printed with the database's message, counted in
// state.FailedCount, and the loop goes on with the next record. progress, when given, is told
// after every record.
void TransferRecords(RunState& state, Console& console, TransferProgress* progress = nullptr);

}  // namespace zubk
