#include "transfer/statement_builder.h"

#include <algorithm>

#include "transfer/booking_record.h"

namespace zubk {

namespace {

constexpr std::size_t kTypicalStatementSize = 512;

// Appends value as the inside of an SQL string literal: every apostrophe doubled.
void AppendLiteralText(std::string& out, std::string_view value) {
    for (const char c : value) {
        out += c;
        if (c == '\'') {
            out += '\'';
        }
    }
}

void AppendQuoted(std::string& out, std::string_view value) {
    out += '\'';
    AppendLiteralText(out, value);
    out += '\'';
}

bool IsAsciiDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// ZpkLes is numeric and written without quotes; anything but digits goes as a quoted literal,
// which the server converts or rejects but never reads as SQL.
void AppendLesValue(std::string& out, std::string_view lesText) {
    if (IsAsciiDigits(lesText)) {
        out += lesText;
    } else {
        AppendQuoted(out, lesText);
    }
}

// The identifier without its trailing blanks and control characters.
std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') {
        text.remove_suffix(1);
    }
    return text;
}

// Two-character spans of a six-character field, joined by a separator: "311205" -> "31.12.05".
void AppendPairsJoined(std::string& out, std::string_view field, char separator) {
    out += Columns(field, 1, 2);
    out += separator;
    out += Columns(field, 3, 4);
    out += separator;
    out += Columns(field, 5, 6);
}

void AppendHead(std::string& out, const BookingRecord& fields, std::string_view terminalName) {
    out += "INSERT INTO QXSYSTEM.Qxs402Zpk";
    out += "(ZpkTrm, ZpkLes, ZpkDtm, ZpkUhr, ZpkAsw, ZpkZus, ";
    out += " ZpkFcd, ZpkMld, ZpkDat, ZpkLfd) ";
    out += "SELECT DISTINCT ";
    AppendQuoted(out, terminalName);
    out += ", ";
    AppendLesValue(out, fields.LesText);
    out += ", ";
}

void AppendOracleDateAndTime(std::string& out, const BookingRecord& fields) {
    out += "to_date('";
    AppendLiteralText(out, fields.DateText);
    out += "','ddmmyy'), ";
    out += "to_date('";
    AppendLiteralText(out, fields.TimeText);
    out += "','hh24miss'), ";
}

// ZpkDtm gets the booking date at midnight; ZpkUhr the booking's time of day on the first of
// the booking's month (style 4 reads dd.mm.yy, style 120 is yyyy-mm-dd hh:mi:ss).
void AppendMsSqlDateAndTime(std::string& out, const BookingRecord& fields) {
    std::string derived;
    out += "CONVERT(DATETIME, CONVERT(varchar(10), ";
    out += "CONVERT(DATETIME, '";
    AppendPairsJoined(derived, fields.DateText, '.');
    AppendLiteralText(out, derived);
    out += "', 4), 120), 120), ";

    out += "CONVERT(DATETIME, CONVERT(varchar(10), ";
    out += "CONVERT(datetime, '";
    derived = "01.";
    derived += Columns(fields.DateText, 3, 4);
    derived += '.';
    derived += Columns(fields.DateText, 5, 6);
    AppendLiteralText(out, derived);
    out += "', 4), 120) + ";
    out += "' ";
    derived.clear();
    AppendPairsJoined(derived, fields.TimeText, ':');
    AppendLiteralText(out, derived);
    out += "', 120), ";
}

void AppendTail(std::string& out, const BookingRecord& fields, std::string_view currentTime) {
    AppendQuoted(out, TrimRight(fields.AswText));
    out += ", ";
    out += "zzsnum, ";
    out += "NULL, ";
    out += "NULL, ";
    out += currentTime;
    out += '\'';
    AppendLiteralText(out, fields.LfdText);
    out += "'from qxsystem.qxs405Zzs ";
    out += "where zzstcd =  '";
    AppendLiteralText(out, fields.ZzsCode);
    AppendLiteralText(out, fields.ZzsSuffix);
    out += '\'';
}

}  // namespace

void BuildInsertStatement(std::string_view record, std::string_view terminalName,
                          SqlDialect dialect, std::string& statement) {
    const BookingRecord fields = SplitBookingRecord(record);
    statement.clear();
    statement.reserve(kTypicalStatementSize);
    AppendHead(statement, fields, terminalName);
    switch (dialect) {
        case SqlDialect::Oracle:
            AppendOracleDateAndTime(statement, fields);
            AppendTail(statement, fields, "SYSDATE, ");
            break;
        case SqlDialect::MsSql:
            AppendMsSqlDateAndTime(statement, fields);
            AppendTail(statement, fields, "GETDATE(), ");
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
