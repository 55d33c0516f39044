// One booking record per input, built into its statement. Rule: no byte of the record or of
// the terminal name is ever read as SQL. Read as the server reads it, the statement outside its
// literals is exactly the fixed text of its form (ZpkLes is the one field that may stand there,
// and only as digits), and every literal holds its field unchanged.
//
// Input: byte 0 picks the form (its value modulo 3: Oracle, SQL Server, MySQL), byte 1 the
// length of the terminal name that follows; the rest is the record. The record loop passes only
// records of 33 bytes, but the builder must keep every byte in its literals whatever it gets,
// so the record may have any length. Missing bytes count as 0.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/sql_dialect.h"
#include "statement_matcher.h"
#include "transfer/statement_builder.h"

namespace zubk::fuzz {

namespace {

struct Input {
    SqlDialect dialect = SqlDialect::Oracle;
    std::string_view terminal;
    std::string_view record;
};

Input Decode(std::string_view bytes) {
    constexpr SqlDialect kDialects[] = {SqlDialect::Oracle, SqlDialect::MsSql, SqlDialect::MySql};
    Input input;
    if (!bytes.empty()) {
        input.dialect = kDialects[static_cast<unsigned char>(bytes[0]) % std::size(kDialects)];
        bytes.remove_prefix(1);
    }
    std::size_t terminalLength = 0;
    if (!bytes.empty()) {
        terminalLength =
            std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), bytes.size() - 1);
        bytes.remove_prefix(1);
    }
    input.terminal = bytes.substr(0, terminalLength);
    input.record = bytes.substr(terminalLength);
    return input;
}

// The record's fields, taken here on their own from the record layout (1-based columns); a
// field past the end of a short record holds what there is.
std::string_view Columns(std::string_view text, std::size_t first, std::size_t last) {
    return first > text.size() ? std::string_view() : text.substr(first - 1, last - first + 1);
}

struct Fields {
    std::string_view date, time, lfd, les, code, identifier, suffix;
};

Fields FieldsOf(std::string_view record) {
    std::string_view identifier = Columns(record, 20, 32);
    // Trailing blanks and control bytes are not part of the identifier.
    while (!identifier.empty() && static_cast<unsigned char>(identifier.back()) <= ' ') {
        identifier.remove_suffix(1);
    }
    return {Columns(record, 1, 6),   Columns(record, 7, 12),  Columns(record, 13, 15),
            Columns(record, 16, 17), Columns(record, 18, 19), identifier,
            Columns(record, 33, 33)};
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void ExpectHead(StatementMatcher& sql, const Fields& f, std::string_view terminal) {
    sql.Sql(
        "INSERT INTO QXSYSTEM.Qxs402Zpk(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus,  ZpkFcd, "
        "ZpkMld, ZpkDat, ZpkLfd) SELECT DISTINCT ");
    // The terminal name is UTF-8 already when it reaches the builder.
    sql.Literal({Fixed(terminal)});
    sql.Sql(", ");
    if (AllDigits(f.les)) {
        sql.Sql(f.les);
    } else {
        sql.Literal({Field(f.les)});
    }
    sql.Sql(", ");
}

void ExpectOracleDateAndTime(StatementMatcher& sql, const Fields& f) {
    sql.Sql("to_date(");
    sql.Literal({Field(f.date)});
    sql.Sql(",");
    sql.Literal({Fixed("ddmmyy")});
    sql.Sql("), to_date(");
    sql.Literal({Field(f.time)});
    sql.Sql(",");
    sql.Literal({Fixed("hh24miss")});
    sql.Sql("), ");
}

void ExpectMsSqlDateAndTime(StatementMatcher& sql, const Fields& f) {
    const auto pair = [](std::string_view field, std::size_t n) {
        return Field(Columns(field, 2 * n - 1, 2 * n));
    };
    sql.Sql("CONVERT(DATETIME, CONVERT(varchar(10), CONVERT(DATETIME, ");
    sql.Literal({pair(f.date, 1), Fixed("."), pair(f.date, 2), Fixed("."), pair(f.date, 3)});
    sql.Sql(", 4), 120), 120), CONVERT(DATETIME, CONVERT(varchar(10), CONVERT(datetime, ");
    sql.Literal({Fixed("01."), pair(f.date, 2), Fixed("."), pair(f.date, 3)});
    sql.Sql(", 4), 120) + ");
    sql.Literal(
        {Fixed(" "), pair(f.time, 1), Fixed(":"), pair(f.time, 2), Fixed(":"), pair(f.time, 3)});
    sql.Sql(", 120), ");
}

void ExpectMySqlDateAndTime(StatementMatcher& sql, const Fields& f) {
    sql.Sql("STR_TO_DATE(");
    sql.Literal({Field(f.date)});
    sql.Sql(",");
    sql.Literal({Fixed("%d%m%y")});
    sql.Sql("), STR_TO_DATE(");
    sql.Literal({Fixed("01"), Field(Columns(f.date, 3, 6)), Field(f.time)});
    sql.Sql(",");
    sql.Literal({Fixed("%d%m%y%H%i%s")});
    sql.Sql("), ");
}

void ExpectTail(StatementMatcher& sql, const Fields& f, std::string_view currentTime) {
    sql.Literal({Field(f.identifier)});
    sql.Sql(", zzsnum, NULL, NULL, ");
    sql.Sql(currentTime);
    sql.Sql(", ");
    sql.Literal({Field(f.lfd)});
    sql.Sql("from qxsystem.qxs405Zzs where zzstcd =  ");
    sql.Literal({Field(f.code), Field(f.suffix)});
    sql.End();
}

void CheckStatement(std::string_view statement, const Input& input) {
    const Fields fields = FieldsOf(input.record);
    switch (input.dialect) {
        case SqlDialect::Oracle: {
            StatementMatcher sql(statement, "Oracle");
            ExpectHead(sql, fields, input.terminal);
            ExpectOracleDateAndTime(sql, fields);
            ExpectTail(sql, fields, "SYSDATE");
            break;
        }
        case SqlDialect::MsSql: {
            StatementMatcher sql(statement, "SQL Server");
            ExpectHead(sql, fields, input.terminal);
            ExpectMsSqlDateAndTime(sql, fields);
            ExpectTail(sql, fields, "GETDATE()");
            break;
        }
        case SqlDialect::MySql: {
            StatementMatcher sql(statement, "MySQL");
            ExpectHead(sql, fields, input.terminal);
            ExpectMySqlDateAndTime(sql, fields);
            ExpectTail(sql, fields, "NOW()");
            break;
        }
    }
}

}  // namespace

}  // namespace zubk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zubk::fuzz;
    const Input input = Decode(std::string_view(reinterpret_cast<const char*>(data), size));
    // One buffer for every input: the builder replaces what the buffer held, and nothing the
    // last statement left in it may show in the next.
    static std::string statement;
    zubk::BuildInsertStatement(input.record, input.terminal, input.dialect, statement);
    CheckStatement(statement, input);
    return 0;
}
