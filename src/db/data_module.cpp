#include "db/data_module.h"

#include <cctype>

namespace zubk {

namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Tdm1::Tdm1() : Qry1(*this) {
    KESTRAVON.AliasName = "KESTRAVON";
    KESTRAVON.DatabaseName = "QXDB";
    KESTRAVON.LoginPrompt = false;
    KESTRAVON.SessionName = "Default";
    KESTRAVON.Params = {
        "DATABASE NAME=",
        "USER NAME=",
        "ODBC DSN=kestravon",
        "OPEN MODE=READ/WRITE",
        "SCHEMA CACHE SIZE=8",
        "SQLQRYMODE=",
        "LANGDRIVER=",
        "SQLPASSTHRU MODE=SHARED AUTOCOMMIT",
        "SCHEMA CACHE TIME=-1",
        "MAX ROWS=-1",
        "BATCH COUNT=200",
        "ENABLE SCHEMA CACHE=FALSE",
        "SCHEMA CACHE DIR=",
        "ENABLE BCD=FALSE",
        "ROWSET SIZE=20",
        "BLOBS TO CACHE=64",
        "PASSWORD=",
    };

    Qry1.DatabaseName = "QXDB";
}

TDatabase* Tdm1::FindDatabase(std::string_view databaseName) {
    return EqualIgnoringCase(KESTRAVON.DatabaseName, databaseName) ? &KESTRAVON : nullptr;
}

}  // namespace zubk
