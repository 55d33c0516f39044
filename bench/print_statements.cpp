// Prints the statement that zubkimport builds for every record of a bookings file, one per
// line, each followed by a terminator, so that other clients can run exactly the same SQL.
// The file is read and walked by the tool's own code, so the statements are byte for byte
// the ones the tool executes.
//
// Usage: zubk_print_statements TERMINAL DB_SYSTEM FILE [TERMINATOR]
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/sql_dialect.h"
#include "transfer/booking_record.h"
#include "transfer/input_file.h"
#include "transfer/record_framing.h"
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

    const std::string inputFileName = argv[3];
    std::optional<zubk::InputFile> input;
    std::vector<zubk::InputRecord> records;
    try {
        input = zubk::InputFile::Load(inputFileName);
        if (!input) {
            return Fail("cannot open " + inputFileName);
        }
        records = zubk::FrameRecords(input->Content());
    } catch (const std::exception& error) {
        return Fail("cannot read " + inputFileName + ": " + error.what());
    }

    std::string statement;
    for (const zubk::InputRecord& record : records) {
        zubk::BuildInsertStatement(record.Bytes, terminalName, *dialect, statement);
        // The clients read one statement per line: a line end inside would split it.
        if (statement.find_first_of("\r\n") != std::string::npos) {
            return Fail("record " + std::to_string(record.Number) + " of " + inputFileName +
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
