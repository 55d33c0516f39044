#pragma once

#include "db/database.h"
#include "db/query.h"

namespace zubk {

// The data module: the connection component KESTRAVON and the query component Qry1 that
// executes the statements through it, with their stored settings. Creating it connects to
// nothing; the first execution opens the connection, and destroying it closes the connection.
class Tdm1 final {
public:
    Tdm1();
    Tdm1(const Tdm1&) = delete;
    Tdm1& operator=(const Tdm1&) = delete;

    TDatabase KESTRAVON;
    TQuery Qry1{KESTRAVON};
};

}  // namespace zubk
