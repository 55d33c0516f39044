#include "transfer/transfer_records.h"

#include "app/console_texts.h"
#include "db/database_error.h"
#include "transfer/booking_record.h"
#include "transfer/statement_builder.h"

namespace zubk {

void TransferRecords(RunState& state, Console& console) {
    const auto dialect = DialectFor(state.DbSystem);
    TQuery& query = state.dm1->Qry1;
    BookingRecordWalk records(state.InputText);
    while (const auto record = records.Next()) {
        if (!dialect) {
            // No statement form for this database system: the record is skipped, uncounted.
            state.CurrentStatement.clear();
            continue;
        }
        BuildInsertStatement(*record, state.TerminalName, *dialect, state.CurrentStatement);
        ++state.RecordCount;
        query.SQL.Clear();
        query.SQL.Add(state.CurrentStatement);
        try {
            query.ExecSQL();
        } catch (const EDatabaseError& error) {
            ++state.FailedCount;
            PrintDatabaseError(console, query.SQL.Text(), error.what());
        }
    }
}

}  // namespace zubk
