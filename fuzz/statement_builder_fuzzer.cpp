// Any bytes as the content of a bookings file: walked in records, each record built into a
// statement for every DB_SYSTEM value. Checks that the walk loses and adds no byte, and that no
// byte of a record or the terminal name can ever be read as SQL: outside its string literals
// every statement is the fixed text of its dialect, and the literals hold the fields unchanged
// but for their code page (1252 in the record, UTF-8 in the statement).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "breach.h"
#include "common/sql_dialect.h"
#include "common/text_encoding.h"
#include "sql_literals.h"
#include "transfer/booking_record.h"
#include "transfer/record_framing.h"
#include "transfer/statement_builder.h"

namespace zubk::fuzz {

namespace {

constexpr std::string_view kHead =
    "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
    "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT ";

// What follows ZpkLes, with every literal empty.
constexpr std::string_view kOracleRest =
    ", to_date('',''), to_date('',''), '', zzsnum, NULL, NULL, SYSDATE, ''from "
    "qxsystem.qxs405Zzs where zzstcd =  ''";
constexpr std::string_view kMsSqlRest =
    ", CONVERT(DATETIME, CONVERT(varchar(10), CONVERT(DATETIME, '', 4), 120), 120), "
    "CONVERT(DATETIME, CONVERT(varchar(10), CONVERT(datetime, '', 4), 120) + '', 120), '', "
    "zzsnum, NULL, NULL, GETDATE(), ''from qxsystem.qxs405Zzs where zzstcd =  ''";

constexpr std::string_view kDbSystems[] = {"ORACLE", "MSSQL", "MySQL"};

// The fields of a record, taken here on their own from the record layout (1-based columns).
struct Fields {
    std::string_view date, time, lfd, les, code, asw, suffix;
};

std::string_view Span(std::string_view record, std::size_t first, std::size_t last) {
    if (first > record.size()) {
        return {};
    }
    return record.substr(first - 1, last - first + 1);
}

Fields FieldsOf(std::string_view record) {
    return {Span(record, 1, 6),   Span(record, 7, 12),  Span(record, 13, 15), Span(record, 16, 17),
            Span(record, 18, 19), Span(record, 20, 32), Span(record, 33, 33)};
}

bool AllDigits(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

std::string_view TrimmedIdentifier(std::string_view asw) {
    while (!asw.empty() && static_cast<unsigned char>(asw.back()) <= ' ') {
        asw.remove_suffix(1);
    }
    return asw;
}

std::string Pairs(std::string_view field, char separator) {
    return std::string(Span(field, 1, 2)) + separator + std::string(Span(field, 3, 4)) + separator +
           std::string(Span(field, 5, 6));
}

// ZpkLes is the one field written outside quotes, and only when it is digits alone.
std::string LesOutsideLiterals(const Fields& fields) {
    return AllDigits(fields.les) ? std::string(fields.les) : "''";
}

struct Expected {
    std::string skeleton;
    std::vector<std::string> literals;
};

// Record fields are code page 1252; the statement holds them in UTF-8.
Expected ExpectedStatement(SqlDialect dialect, const Fields& f, std::string_view terminal) {
    Expected expected;
    expected.skeleton = std::string(kHead) + "'', " + LesOutsideLiterals(f);
    expected.literals.emplace_back(terminal);
    if (!AllDigits(f.les)) {
        expected.literals.emplace_back(f.les);
    }
    if (dialect == SqlDialect::Oracle) {
        expected.skeleton += kOracleRest;
        expected.literals.insert(expected.literals.end(),
                                 {std::string(f.date), "ddmmyy", std::string(f.time), "hh24miss"});
    } else {
        expected.skeleton += kMsSqlRest;
        // The booking date, the first of its month, and the time after a blank.
        std::string firstOfMonth = "01.";
        firstOfMonth += Span(f.date, 3, 4);
        firstOfMonth += '.';
        firstOfMonth += Span(f.date, 5, 6);
        std::string time = " ";
        time += Pairs(f.time, ':');
        expected.literals.insert(expected.literals.end(), {Pairs(f.date, '.'), firstOfMonth, time});
    }
    expected.literals.emplace_back(TrimmedIdentifier(f.asw));
    expected.literals.emplace_back(f.lfd);
    expected.literals.push_back(std::string(f.code) + std::string(f.suffix));
    for (std::size_t i = 1; i < expected.literals.size(); ++i) {
        expected.literals[i] = Cp1252ToUtf8(expected.literals[i]);
    }
    return expected;
}

// A record of the same length whose bytes are all an inert letter, except a ZpkLes of digits,
// which stays as it is because it stands outside the literals.
std::string InertTwin(std::string_view record) {
    std::string twin(record.size(), 'A');
    const std::string_view les = Span(record, 16, 17);
    if (AllDigits(les) && !les.empty()) {
        twin.replace(15, les.size(), les);
    }
    return twin;
}

// Dialects without a fixed text here (MySQL, and one added later) must still keep every record
// byte inside literals: the statement outside its literals is the same as for an inert record.
// Every dialect's sessions read a backslash as a plain character (MySQL and MariaDB sessions
// are set to NO_BACKSLASH_ESCAPES); the tests against the server show that the setting holds.
void CheckAnyDialect(std::string_view statement, std::string_view record, std::string_view terminal,
                     std::string_view dbSystem) {
    const std::string reference = BuildInsertStatement(InertTwin(record), "T", dbSystem);
    const SqlLiteralSplit expected = SplitSqlLiterals(reference, BackslashRule::Plain);
    const SqlLiteralSplit split = SplitSqlLiterals(statement, BackslashRule::Plain);
    Require(!split.Unterminated, "the statement ends inside a literal", statement);
    Require(split.Skeleton == expected.Skeleton,
            "a record byte stands outside the literals of the " + std::string(dbSystem) +
                " statement (terminal " + std::string(terminal) + ")",
            statement);
}

void CheckStatement(std::string_view record, std::string_view terminal, std::string_view dbSystem,
                    std::string& reused) {
    const std::string statement = BuildInsertStatement(record, terminal, dbSystem);
    const auto dialect = DialectFor(dbSystem);
    if (!dialect) {
        Require(statement.empty(), "a DB_SYSTEM without dialect gave a statement", statement);
        return;
    }
    BuildInsertStatement(record, terminal, *dialect, reused);
    Require(reused == statement, "a reused buffer gave another statement", reused);
    Require(statement.substr(0, kHead.size()) == kHead,
            "the statement does not start with the fixed head", statement);

    if (dbSystem != "ORACLE" && dbSystem != "MSSQL") {
        CheckAnyDialect(statement, record, terminal, dbSystem);
        return;
    }
    const Expected expected = ExpectedStatement(*dialect, FieldsOf(record), terminal);
    const SqlLiteralSplit split = SplitSqlLiterals(statement, BackslashRule::Plain);
    Require(!split.Unterminated, "the statement ends inside a literal", statement);
    Require(
        split.Skeleton == expected.skeleton,
        "outside its literals the statement is not the fixed " + std::string(dbSystem) + " text",
        statement);
    Require(split.Literals == expected.literals, "a literal does not hold its field unchanged",
            statement);
}

// The framing gives records that are views into the text, in order, each at its offset.
std::vector<std::string_view> FramedRecords(std::string_view input) {
    std::vector<std::string_view> records;
    try {
        std::uint64_t lastOffset = 0;
        for (const InputRecord& record : FrameRecords(input)) {
            Require(record.Offset + record.Bytes.size() <= input.size(),
                    "a record runs past the end of the text");
            Require(input.substr(record.Offset, record.Bytes.size()) == record.Bytes,
                    "a record is not the bytes at its offset");
            Require(records.empty() || record.Offset > lastOffset, "records out of order");
            Require(record.Number == records.size() + 1, "record numbers are not consecutive");
            lastOffset = record.Offset;
            records.push_back(record.Bytes);
        }
    } catch (const InputFileDamaged& damage) {
        Require(damage.Offset() < input.size() && input[damage.Offset()] == '\0',
                "a damaged file is reported at a byte that is no NUL");
        return {};
    }
    return records;
}

}  // namespace

}  // namespace zubk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zubk::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> records = FramedRecords(input);
    std::string reused = "left over";
    for (const std::string_view dbSystem : kDbSystems) {
        for (const std::string_view record : records) {
            CheckStatement(record, "ZutCtrl", dbSystem, reused);
        }
        // The terminal name comes from the command line: any bytes but NUL may stand there,
        // and the run takes them in UTF-8.
        const std::string_view first = records.empty() ? input : records.front();
        CheckStatement(first, zubk::Utf8OrCp1252ToUtf8(first.substr(0, first.find('\0'))), dbSystem,
                       reused);
    }
    return 0;
}
