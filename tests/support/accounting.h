#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "support/test_database.h"

namespace zubk::testing {

// Bookings whose records tell themselves apart: record i books code 121 (which has a row) with
// the identifier "id<i>".
std::string NumberedRecord(int i);
std::string NumberedBookings(int count);

// The numbers of the records in a bookings file's bytes (33-byte records without line ends, as
// the reject file holds them), or of the rows in qxs402zpk, in the order found.
std::vector<int> NumbersInRecords(std::string_view bytes);
std::vector<int> NumbersInTable(const TestDatabase& db);

// Every record of 0..total-1 was imported or is in the reject file, no row is there twice, and
// at most inFlight records are in both (a statement in flight when the connection broke may
// have been executed without its answer arriving).
void ExpectEveryRecordAccountedFor(const std::vector<int>& committed,
                                   const std::vector<int>& rejected, int total, int inFlight = 1);

}  // namespace zubk::testing
