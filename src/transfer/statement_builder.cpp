#include "transfer/statement_builder.h"

#include <algorithm>

#include "common/text_encoding.h"
#include "transfer/booking_record.h"

namespace zubk {

namespace {

constexpr std::size_t kTypicalStatementSize = 512;

// Writes statement text in UTF-8, with every apostrophe inside an SQL string literal doubled.
// Record fields are code page 1252 and converted as they are written; the terminal name is
// UTF-8 already. A backslash is an ordinary character in every dialect: MySQL and MariaDB
// connections run with NO_BACKSLASH_ESCAPES for it.
class StatementWriter {
public:
    explicit StatementWriter(std::string& out) : m_out(out) {}

    StatementWriter& operator<<(std::string_view sql) {
        m_out += sql;
        return *this;
    }

    // The inside of a literal whose quotes the surrounding SQL text supplies, from a record
    // field. Every byte above 0x7F is a cp1252 character; UTF-8 never writes an apostrophe
    // inside a multi-byte character, so doubling the apostrophes keeps every literal closed.
    StatementWriter& LiteralText(std::string_view cp1252) {
        for (std::size_t apostrophe = cp1252.find('\''); apostrophe != std::string_view::npos;
             apostrophe = cp1252.find('\'')) {
            AppendCp1252AsUtf8(m_out, cp1252.substr(0, apostrophe + 1));
            m_out += '\'';
            cp1252.remove_prefix(apostrophe + 1);
        }
        AppendCp1252AsUtf8(m_out, cp1252);
        return *this;
    }

    StatementWriter& Quoted(std::string_view cp1252) {
        m_out += '\'';
        LiteralText(cp1252);
        m_out += '\'';
        return *this;
    }

    StatementWriter& QuotedUtf8(std::string_view utf8) {
        m_out += '\'';
        for (const char c : utf8) {
            m_out += c;
            if (c == '\'') {
                m_out += c;
            }
        }
        m_out += '\'';
        return *this;
    }

private:
    std::string& m_out;
};

bool IsAsciiDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The identifier without its trailing blanks and control characters.
std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Two-character spans of a six-character field, joined by a separator: "311205" -> "31.12.05".
std::string PairsJoined(std::string_view field, char separator) {
    std::string joined(Columns(field, 1, 2));
    joined += separator;
    joined += Columns(field, 3, 4);
    joined += separator;
    joined += Columns(field, 5, 6);
    return joined;
}

void WriteHead(StatementWriter& sql, const BookingRecord& fields, std::string_view terminalName) {
    sql << "INSERT INTO QXSYSTEM.Qxs402Zpk"
        << "(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus, "
        << " ZpkFcd, ZpkMld, ZpkDat, ZpkLfd) "
        << "SELECT DISTINCT ";
    sql.QuotedUtf8(terminalName) << ", ";
    // ZpkLes is numeric and written without quotes; anything but digits goes as a quoted
    // literal, which the server converts or rejects but never reads as SQL.
    if (IsAsciiDigits(fields.LesText)) {
        sql << fields.LesText;
    } else {
        sql.Quoted(fields.LesText);
    }
    sql << ", ";
}

void WriteOracleDateAndTime(StatementWriter& sql, const BookingRecord& fields) {
    sql << "to_date('";
    sql.LiteralText(fields.DateText) << "','ddmmyy'), ";
    sql << "to_date('";
    sql.LiteralText(fields.TimeText) << "','hh24miss'), ";
}

// ZpkDtm gets the booking date at midnight; ZpkUhr the booking's time of day on the first of
// the booking's month (style 4 reads dd.mm.yy, style 120 is yyyy-mm-dd hh:mi:ss).
void WriteMsSqlDateAndTime(StatementWriter& sql, const BookingRecord& fields) {
    sql << "CONVERT(DATETIME, CONVERT(varchar(10), "
        << "CONVERT(DATETIME, '";
    sql.LiteralText(PairsJoined(fields.DateText, '.')) << "', 4), 120), 120), ";
    sql << "CONVERT(DATETIME, CONVERT(varchar(10), "
        << "CONVERT(datetime, '";
    sql.LiteralText("01.").LiteralText(Columns(fields.DateText, 3, 4)).LiteralText(".");
    sql.LiteralText(Columns(fields.DateText, 5, 6)) << "', 4), 120) + ";
    sql << "' ";
    sql.LiteralText(PairsJoined(fields.TimeText, ':')) << "', 120), ";
}

// As the SQL Server form: the date at midnight, and the time on the first of the month.
void WriteMySqlDateAndTime(StatementWriter& sql, const BookingRecord& fields) {
    sql << "STR_TO_DATE('";
    sql.LiteralText(fields.DateText) << "','%d%m%y'), ";
    sql << "STR_TO_DATE('01";
    sql.LiteralText(Columns(fields.DateText, 3, 6)).LiteralText(fields.TimeText)
        << "','%d%m%y%H%i%s'), ";
}

void WriteTail(StatementWriter& sql, const BookingRecord& fields, std::string_view currentTime) {
    sql.Quoted(TrimRight(fields.AswText)) << ", ";
    sql << "zzsnum, "
        << "NULL, "
        << "NULL, " << currentTime << "'";
    sql.LiteralText(fields.LfdText) << "'from qxsystem.qxs405Zzs "
                                    << "where zzstcd =  '";
    sql.LiteralText(fields.ZzsCode).LiteralText(fields.ZzsSuffix) << "'";
}

}  // namespace

void BuildInsertStatement(std::string_view record, std::string_view terminalName,
                          SqlDialect dialect, std::string& statement) {
    const BookingRecord fields = SplitBookingRecord(record);
    statement.clear();
    statement.reserve(kTypicalStatementSize);
    StatementWriter sql(statement);
    WriteHead(sql, fields, terminalName);
    switch (dialect) {
        case SqlDialect::Oracle:
            WriteOracleDateAndTime(sql, fields);
            WriteTail(sql, fields, "SYSDATE, ");
            break;
        case SqlDialect::MsSql:
            WriteMsSqlDateAndTime(sql, fields);
            WriteTail(sql, fields, "GETDATE(), ");
            break;
        case SqlDialect::MySql:
            WriteMySqlDateAndTime(sql, fields);
            WriteTail(sql, fields, "NOW(), ");
            break;
    }
}

std::string BuildInsertStatement(std::string_view record, std::string_view terminalName,
                                 std::string_view dbSystem) {
    std::string statement;
    if (const auto dialect = DialectFor(dbSystem)) {
        BuildInsertStatement(record, terminalName, *dialect, statement);
    }
    return statement;
}

}  // namespace zubk
