// Broken bookings files, parameter files and arguments given to the built program, each with
// the outcome it must have. No server: the data source named does not exist, so every
// statement that a file gives is executed, fails and is reported, which shows exactly which
// statements the tool made of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/console_texts.h"
#include "common/sql_dialect.h"
#include "settings/parameter_file.h"
#include "support/expected_refusal.h"
#include "support/fixtures.h"
#include "support/process.h"
#include "support/string_console.h"
#include "support/temp_dir.h"
#include "transfer/booking_record.h"
#include "transfer/record_framing.h"
#include "transfer/statement_builder.h"

namespace zubk {
namespace {

using testing::ExpectedRefusal;
using testing::ExpectedUnknownDbSystemRefusal;
using testing::ParameterFile;
using testing::ProcessResult;
using testing::RunProcess;
using testing::StringConsole;
using testing::TempDir;

constexpr std::string_view kRecord = "31120523595900701120000004711   1";
constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";
// What follows each statement when its data source does not exist.
constexpr std::string_view kNoSourceMessage =
    "Verbindung zur Datenquelle 'zubk_none' als Benutzer 'zubk' fehlgeschlagen\nSQLSTATE IM002";

std::string Settings(std::string_view dbSystem = "ORACLE") {
    return ParameterFile("zubk", "geheim", "zubk_none", dbSystem);
}

ProcessResult RunTool(const TempDir& dir, const std::vector<std::string>& arguments) {
    return RunProcess(ZUBK_BINARY, arguments, dir.Path().string(),
                      {{"LC_ALL", "C"}, {"ODBCINI", (dir.Path() / "no-odbc.ini").string()}});
}

// Arbitrary bytes from a fixed seed, the same on every machine; with allowNul false never 0.
std::string RandomBytes(std::size_t count, unsigned seed, bool allowNul) {
    std::mt19937 random(seed);
    std::string bytes;
    while (bytes.size() < count) {
        const auto byte = static_cast<char>(random() & 0xFF);
        if (allowNul || byte != '\0') {
            bytes += byte;
        }
    }
    return bytes;
}

// The records a file holds, as the tool cuts them.
std::vector<std::string> RecordsOf(std::string_view bytes) {
    std::vector<std::string> records;
    for (const InputRecord& record : FrameRecords(bytes)) {
        records.emplace_back(record.Bytes);
    }
    return records;
}

// The output must be one message per record, in order, each with the record's statement and
// the data source's refusal, then the summary that counts them all.
void ExpectEveryRecordReported(const ProcessResult& result, const std::vector<std::string>& records,
                               std::string_view terminal, std::string_view inputName) {
    EXPECT_EQ(result.exitCode, 2);
    std::size_t at = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string head = std::string(kMessageStart) +
                                 BuildInsertStatement(records[i], terminal, "ORACLE") + "\n" +
                                 std::string(kNoSourceMessage);
        ASSERT_EQ(result.output.substr(at, head.size()), head) << "record " << i;
        at = result.output.find("\n\n", at + head.size());
        ASSERT_NE(at, std::string::npos) << "record " << i;
        at += 2;
    }
    EXPECT_EQ(result.output.substr(at), std::to_string(records.size()) +
                                            " Saetze kopiert aus Datei " + std::string(inputName) +
                                            " \n");
}

struct InputCase {
    const char* name;
    std::string bytes;
    std::size_t records;  // statements the file gives
};

TEST(BadInputFile, EveryStatementItGivesIsExecutedAndReported) {
    const std::string record(kRecord);
    const std::string random = RandomBytes(3300, 20240611, true);
    const InputCase cases[] = {
        // Every byte value; the first NUL ends the bookings, which here is after a few records.
        {"random bytes", random, RecordsOf(random).size()},
        {"random bytes without NUL", RandomBytes(3300, 7, false), 100},
        {"one byte", "3", 1},
        // A NUL byte ends the bookings: the records after it are not read.
        {"a NUL after the first record", record + '\0' + record + record, 1},
        {"a NUL first: one empty record", '\0' + record + record, 1},
        // A line end shifts every later record by two bytes, and adds a short last one.
        {"CR LF after every record", record + "\r\n" + record + "\r\n" + record + "\r\n", 4},
        {"CR LF alone", "\r\n", 1},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("VEXLO00P.TXT", Settings());
        dir.Write("in.txt", c.bytes);
        const std::vector<std::string> records = RecordsOf(c.bytes);
        ASSERT_EQ(records.size(), c.records);
        ExpectEveryRecordReported(RunTool(dir, {"S", "ZutCtrl", "in.txt"}), records, "ZutCtrl",
                                  "in.txt");
    }
}

TEST(BadInputFile, AFileThatIsThereButCannotBeOpenedEndsTheRunWithExitCode3) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings());
    std::filesystem::create_symlink("loop.txt", dir.Path() / "loop.txt");
    const ProcessResult result = RunTool(dir, {"S", "T", "loop.txt"});
    EXPECT_EQ(result.exitCode, 3);
    EXPECT_EQ(result.output,
              "Fehler beim Lesen der Datei loop.txt: Too many levels of symbolic links\n");
}

struct ParameterFileCase {
    const char* name;
    std::string bytes;
    std::string output;
};

TEST(BadParameterFile, EndsTheRunWithExitCode5BeforeAnyRecord) {
    const std::string good = Settings();
    const std::string missing = ExpectedRefusal(PrintSettingsError);
    auto replaced = [&good](std::string_view from, std::string_view to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    std::string withoutLineEnds = good;
    std::erase(withoutLineEnds, '\r');
    std::erase(withoutLineEnds, '\n');
    const ParameterFileCase cases[] = {
        {"empty", "", missing},
        {"only Ctrl-Z", "\x1A", missing},
        {"Ctrl-Z first", "\x1A" + good, missing},
        {"no line ends", withoutLineEnds, missing},
        // A second line is read in pieces of 399 characters: the piece with the key has no
        // line end, so its value is empty.
        {"a value of thousands of characters", replaced("geheim", std::string(5000, 'v')), missing},
        // The pieces of a long line have no separator and answer every lookup.
        {"a line of thousands of characters before the entries",
         "9;MAIN;" + std::string(3000, 'x') + "\r\n9;NOTE;x\r\n" + good,
         ExpectedUnknownDbSystemRefusal(std::string(kParamTextCapacity, 'x'))},
        // A NUL byte hides the rest of its line, the line end included.
        {"a NUL byte in a value", replaced("ORACLE", std::string("ORA\0CLE", 7)), missing},
        // An empty first line has no section, so its entry answers every lookup.
        {"a NUL byte first", '\0' + good, ExpectedUnknownDbSystemRefusal("zubk")},
    };
    for (const ParameterFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("VEXLO00P.TXT", c.bytes);
        dir.Write("in.txt", kRecord);
        const ProcessResult result = RunTool(dir, {"S", "T", "in.txt"});
        EXPECT_EQ(result.exitCode, 5);
        EXPECT_EQ(result.output, c.output);
    }
}

TEST(BadArguments, ATerminalNameOfThousandsOfCharactersGoesIntoTheStatement) {
    TempDir dir;
    dir.Write("VEXLO00P.TXT", Settings());
    dir.Write("in.txt", kRecord);
    const std::string terminal = std::string(5000, 'T') + "'";
    ExpectEveryRecordReported(RunTool(dir, {"S", terminal, "in.txt"}), {std::string(kRecord)},
                              terminal, "in.txt");
}

TEST(BadArguments, AFilePathOfThousandsOfCharactersIsReadWithItsParameterFile) {
    TempDir dir;
    std::filesystem::path folder;
    for (int i = 0; i < 15; ++i) {
        folder /= std::string(200, static_cast<char>('a' + i));
    }
    dir.Write((folder / "VEXLO00P.TXT").string(), Settings());
    const std::string input = dir.Write((folder / "in.txt").string(), kRecord);
    ASSERT_GT(input.size(), 3000U);
    ExpectEveryRecordReported(RunTool(dir, {"S", "T", input}), {std::string(kRecord)}, "T", input);
}

}  // namespace
}  // namespace zubk
