// Broken bookings files, parameter files and arguments given to the built program, each with
// the outcome it must have. No server: the data source named does not exist, so the first
// well-formed record stops the run with its statement printed, and every record of the file,
// reported or not attempted, must be in the reject file.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "common/console_texts.h"
#include "common/sql_dialect.h"
#include "common/text_encoding.h"
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
using testing::kExpectedSettingsError;
using testing::OptionalSetting;
using testing::ParameterFile;
using testing::ProcessResult;
using testing::ReadWhole;
using testing::RunProcess;
using testing::StringConsole;
using testing::TempDir;

constexpr std::string_view kRecord = "31120523595900701120000004711   1";
constexpr std::string_view kMessageStart = "Exception bei Datenbank Open\n";
// What follows each statement when its data source does not exist.
constexpr std::string_view kNoSourceMessage =
    "Verbindung zur Datenquelle 'zubk_none' als Benutzer 'zubk' fehlgeschlagen\nSQLSTATE IM002";

std::string Settings(std::string_view dbSystem = "ORACLE") {
    return ParameterFile("zubk", "geheim", "zubk_none", dbSystem) +
           OptionalSetting(5, "REJECT_FILE", "rejects.txt");
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

// The output must be one message per record, in order: a record of the wrong length (or with
// a line end inside) is reported as it is; the first well-formed one with its statement and
// the driver manager's answer that the data source is not there, which stops the run. Every
// record ends up in the reject file.
void ExpectEveryRecordReported(const ProcessResult& result, std::string_view bytes,
                               std::string_view terminal, std::string_view inputName) {
    const std::vector<InputRecord> records = FrameRecords(bytes);
    std::size_t at = 0;
    for (const InputRecord& record : records) {
        const auto reason = WhyMalformed(record.Bytes);
        if (!reason) {
            // The first statement finds that the data source is not there: no record can go
            // in, so the run stops and the rest is not attempted.
            const std::string head =
                std::string(kMessageStart) +
                Utf8ToCp1252(BuildInsertStatement(record.Bytes, terminal, "ORACLE")) + "\n" +
                std::string(kNoSourceMessage);
            ASSERT_EQ(result.output.substr(at, head.size()), head) << "record " << record.Number;
            const std::string tail =
                RecordNotAttemptedLine(record.Number, record.Offset) +
                "\nLauf abgebrochen: Datenquelle oder ODBC-Treiber nicht eingerichtet; " +
                std::to_string(records.size() - record.Number + 1) + " Saetze nicht versucht\n" +
                "0 Saetze kopiert aus Datei " + std::string(inputName) + " \n";
            ASSERT_GE(result.output.size(), tail.size());
            EXPECT_EQ(result.output.substr(result.output.size() - tail.size()), tail);
            EXPECT_EQ(result.exitCode, 4);
            return;
        }
        StringConsole console;
        PrintMalformedRecord(console, record.Number, record.Offset, *reason);
        ASSERT_EQ(result.output.substr(at, console.Text().size()), console.Text())
            << "record " << record.Number;
        at += console.Text().size();
    }
    EXPECT_EQ(result.output.substr(at),
              "0 Saetze kopiert aus Datei " + std::string(inputName) + " \n");
    EXPECT_EQ(result.exitCode, records.empty() ? 0 : 2);
}

// Every record of the file, and nothing else, is in the reject file, in input order.
void ExpectEveryRecordRejected(const TempDir& dir, std::string_view bytes) {
    const std::string rejected = ReadWhole(dir.Path() / "rejects.txt");
    std::vector<std::string> expected;
    for (const InputRecord& record : FrameRecords(bytes)) {
        expected.emplace_back(record.Bytes);
    }
    std::vector<std::string> found;
    for (const InputRecord& record : FrameRecords(rejected)) {
        found.emplace_back(record.Bytes);
    }
    EXPECT_EQ(found, expected);
}

std::string DamagedFileOutput(std::string_view inputName, std::size_t nulOffset) {
    return "Fehler beim Lesen der Datei " + std::string(inputName) + ": NUL-Byte an Byte " +
           std::to_string(nulOffset) + ", die Datei ist beschaedigt\n";
}

struct InputCase {
    const char* name;
    std::string bytes;
    std::size_t records;  // records the file holds
};

TEST(BadInputFile, EveryRecordItHoldsIsReportedOrNotAttemptedAndRejected) {
    const std::string record(kRecord);
    const InputCase cases[] = {
        // Line feeds among the bytes make it a file of lines, mostly of the wrong length.
        {"random bytes without NUL", RandomBytes(3300, 7, false), 20},
        {"one byte", "3", 1},
        {"CR LF after every record", record + "\r\n" + record + "\r\n" + record + "\r\n", 3},
        {"LF after every record, a short line among them", record + "\nshort\n" + record, 3},
        {"a stream with a short last record", record + record + "3112", 3},
        {"a CR inside a record", record.substr(0, 10) + "\r" + record.substr(11) + record, 2},
        {"NUL padding and Ctrl-Z at the end", record + record + "\x1A" + std::string(40, '\0'), 2},
    };
    for (const InputCase& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("VEXLO00P.TXT", Settings());
        dir.Write("in.txt", c.bytes);
        ASSERT_EQ(FrameRecords(c.bytes).size(), c.records);
        ExpectEveryRecordReported(RunTool(dir, {"S", "ZutCtrl", "in.txt"}), c.bytes, "ZutCtrl",
                                  "in.txt");
        ExpectEveryRecordRejected(dir, c.bytes);
    }
}

TEST(BadInputFile, ANulByteInsideTheDataEndsTheRunWithExitCode3BeforeAnyStatement) {
    const std::string record(kRecord);
    const std::string random = RandomBytes(3300, 20240611, true);
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t nulOffset;
    };
    const Case cases[] = {
        {"random bytes, every value", random, random.find('\0')},
        {"a NUL after the first record", record + '\0' + record + record, 33},
        {"a NUL first", '\0' + record + record, 0},
        {"a NUL inside a line", record + "\r\n" + record.substr(0, 5) + '\0' + "\r\n", 40},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.Write("VEXLO00P.TXT", Settings());
        dir.Write("in.txt", c.bytes);
        const ProcessResult result = RunTool(dir, {"S", "ZutCtrl", "in.txt"});
        EXPECT_EQ(result.exitCode, 3);
        EXPECT_EQ(result.output, DamagedFileOutput("in.txt", c.nulOffset));
    }
}

TEST(BadInputFile, NothingButLineEndsOrEndMarksIsAnEmptyFile) {
    for (const std::string& bytes :
         {std::string("\r\n"), std::string("\n"), std::string("\x1A"), std::string(3, '\0')}) {
        TempDir dir;
        dir.Write("VEXLO00P.TXT", Settings());
        dir.Write("in.txt", bytes);
        const ProcessResult result = RunTool(dir, {"S", "ZutCtrl", "in.txt"});
        EXPECT_EQ(result.exitCode, 0) << bytes.size() << " bytes";
        EXPECT_EQ(result.output, "0 Saetze kopiert aus Datei in.txt \n");
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
    // The settings error, with the line that says what the file lacks.
    auto missing = [](std::string_view keys) {
        return ExpectedRefusal(kExpectedSettingsError +
                               "Parameterdatei VEXLO00P.TXT ohne Wert fuer " + std::string(keys) +
                               "\n");
    };
    // An entry that would answer several lookups is refused, naming its line.
    auto ambiguous = [](int line, std::string_view keys) {
        return ExpectedRefusal("Der Eintrag in Zeile " + std::to_string(line) +
                               " von VEXLO00P.TXT gilt fuer " + std::string(keys) +
                               "; bitte Sektion, Nummer und Schluessel pruefen\n\n");
    };
    const std::string allKeys = "LOGIN, PASS, DATABASE, DB_SYSTEM";
    auto replaced = [&good](std::string_view from, std::string_view to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    std::string withoutLineEnds = good;
    std::erase(withoutLineEnds, '\r');
    std::erase(withoutLineEnds, '\n');
    const ParameterFileCase cases[] = {
        {"empty", "", missing(allKeys)},
        {"only Ctrl-Z", "\x1A", missing(allKeys)},
        {"Ctrl-Z first", "\x1A" + good, missing(allKeys)},
        {"no line ends", withoutLineEnds, missing(allKeys)},
        // A second line is read in pieces of 399 characters: the pieces after the first have
        // no separator, so the next one would answer every lookup but the one found before.
        {"a value of thousands of characters", replaced("geheim", std::string(5000, 'v')),
         ambiguous(4, "PASS, DATABASE, DB_SYSTEM")},
        // The pieces of a long first line have no separator and would answer every lookup.
        {"a line of thousands of characters before the entries",
         "9;MAIN;" + std::string(3000, 'x') + "\r\n9;NOTE;x\r\n" + good, ambiguous(1, allKeys)},
        // A NUL byte hides the rest of its line, the line end included.
        {"a NUL byte in a value", replaced("ORACLE", std::string("ORA\0CLE", 7)),
         missing("DB_SYSTEM")},
        // An empty first line has no section, so its entry would answer every lookup.
        {"a NUL byte first", '\0' + good, ambiguous(2, allKeys)},
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
    ExpectEveryRecordReported(RunTool(dir, {"S", terminal, "in.txt"}), kRecord, terminal, "in.txt");
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
    ExpectEveryRecordReported(RunTool(dir, {"S", "T", input}), kRecord, "T", input);
}

}  // namespace
}  // namespace zubk
