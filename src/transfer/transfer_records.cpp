#include "transfer/transfer_records.h"

#include "app/console_texts.h"
#include "db/database_error.h"
#include "transfer/booking_record.h"
#include "transfer/statement_builder.h"

namespace zubk {

namespace {

// Executes the statement of one record; a database error is printed and counted.
void ExecuteStatement(RunState& state, Console& console, TransferProgress* progress) {
    TQuery& query = state.dm1->Qry1;
    query.SQL.Clear();
    query.SQL.Add(state.CurrentStatement);
    try {
        query.ExecSQL();
    } catch (const EDatabaseError& error) {
        ++state.FailedCount;
        if (progress != nullptr) {
            progress->Clear();
        }
        PrintDatabaseError(console, query.SQL.Text(), error.what());
    }
}

}  // namespace

void TransferRecords(RunState& state, Console& console, TransferProgress* progress) {
    const auto dialect = DialectFor(state.DbSystem);
    const std::size_t total = CountBookingRecords(state.InputText);
    std::size_t done = 0;
    BookingRecordWalk records(state.InputText);
    while (const auto record = records.Next()) {
        // Without a statement form for the database system the record is skipped, uncounted.
        state.CurrentStatement.clear();
        if (dialect) {
            BuildInsertStatement(*record, state.TerminalName, *dialect, state.CurrentStatement);
        }
        if (!state.CurrentStatement.empty()) {
            ++state.RecordCount;
            ExecuteStatement(state, console, progress);
        }
        if (progress != nullptr) {
            progress->Advance(++done, total);
        }
    }
    if (progress != nullptr) {
        progress->Clear();
    }
}

}  // namespace zubk
