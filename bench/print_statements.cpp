// Prints the statement that zubkimport builds for every record of a bookings file, one per
// line, each followed by a terminator, so that other clients can run exactly the same SQL.
// The file is read and walked by the tool's own code, so the statements are byte for byte
// the ones the tool executes.
//
// Usage: zubk_print_statements TERMINAL DB_SYSTEM FILE [TERMINATOR]
#include <cstdio>
#include <string>
#include <string_view>

#include "app/run_state.h"
#include "transfer/booking_record.h"
#include "transfer/input_file.h"
#include "transfer/sql_dialect.h"
#include "transfer/statement_builder.h"

namespace {

constexpr int kExitUsage = 1;
constexpr int kExitFailed = 3;

int Fail(const std::string& message) {
    std::fprintf(stderr, "zubk_print_statements: %s\n", message.c_str());
    return kExitFailed;
}

bool Write(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
}

int PrintStatements(int argc, char* argv[]) {
    if (argc < 4 || argc > 5) {
        std::fprintf(stderr, "usage: zubk_print_statements TERMINAL DB_SYSTEM FILE [TERMINATOR]\n");
        return kExitUsage;
    }
    const std::string_view terminalName = argv[1];
    const std::string_view dbSystem = argv[2];
    const std::string_view terminator = argc == 5 ? argv[4] : "";
    const auto dialect = zubk::DialectFor(dbSystem);
    if (!dialect) {
        return Fail("no statement form for DB_SYSTEM '" + std::string(dbSystem) + "'");
    }

    zubk::RunState state;
    state.InputFileName = argv[3];
    try {
        if (zubk::LoadInputFile(state) == zubk::kInputFileMissing) {
            return Fail("cannot open " + state.InputFileName);
        }
    } catch (const zubk::InputFileReadError& error) {
        return Fail("cannot read " + error.FileName() + ": " + error.what());
    }

    zubk::BookingRecordWalk records(state.InputText);
    std::string statement;
    std::size_t recordNumber = 0;
    while (const auto record = records.Next()) {
        ++recordNumber;
        zubk::BuildInsertStatement(*record, terminalName, *dialect, statement);
        // The clients read one statement per line: a line end inside would split it.
        if (statement.find_first_of("\r\n") != std::string::npos) {
            return Fail("record " + std::to_string(recordNumber) + " of " + state.InputFileName +
                        " holds a line end");
        }
        if (!Write(statement) || !Write(terminator) || !Write("\n")) {
            return Fail("cannot write the statements");
        }
    }
    return std::fflush(stdout) == 0 ? 0 : Fail("cannot write the statements");
}

}  // namespace

int main(int argc, char* argv[]) {
    return PrintStatements(argc, argv);
}
