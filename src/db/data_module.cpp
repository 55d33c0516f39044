#include "db/data_module.h"

namespace zubk {

Tdm1::Tdm1() {
    KESTRAVON.AliasName = "KESTRAVON";
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
}

}  // namespace zubk
