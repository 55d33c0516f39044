#include "support/accounting.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/fixtures.h"

namespace zubk::testing {

namespace {

constexpr std::size_t kRecordLength = 33;
constexpr std::size_t kIdentifierColumn = 19;  // 0-based start of columns 20-32

}  // namespace

std::string NumberedRecord(int i) {
    std::string lfd = std::to_string(i % 1000);
    lfd.insert(0, 3 - lfd.size(), '0');
    return BookingRecordText("311205", "235959", lfd, "01", "121", "id" + std::to_string(i));
}

std::string NumberedBookings(int count) {
    std::string bookings;
    bookings.reserve(static_cast<std::size_t>(count) * kRecordLength);
    for (int i = 0; i < count; ++i) {
        bookings += NumberedRecord(i);
    }
    return bookings;
}

std::vector<int> NumbersInRecords(std::string_view bytes) {
    std::vector<int> numbers;
    for (std::size_t at = 0; at + kRecordLength <= bytes.size(); at += kRecordLength) {
        numbers.push_back(std::stoi(std::string(bytes.substr(at + kIdentifierColumn + 2, 11))));
    }
    return numbers;
}

std::vector<int> NumbersInTable(const TestDatabase& db) {
    std::vector<int> numbers;
    for (const std::string& identifier : db.Query("SELECT ZpkAsw FROM qxs402zpk")) {
        numbers.push_back(std::stoi(identifier.substr(2)));
    }
    return numbers;
}

void ExpectEveryRecordAccountedFor(const std::vector<int>& committed,
                                   const std::vector<int>& rejected, int total, int inFlight) {
    const std::set<int> committedSet(committed.begin(), committed.end());
    EXPECT_EQ(committedSet.size(), committed.size()) << "a record was imported twice";
    const std::set<int> rejectedSet(rejected.begin(), rejected.end());
    EXPECT_EQ(rejectedSet.size(), rejected.size()) << "a record is twice in the reject file";
    EXPECT_TRUE(std::is_sorted(rejected.begin(), rejected.end()))
        << "the reject file is not in input order";
    std::vector<int> both;
    std::set_intersection(committedSet.begin(), committedSet.end(), rejectedSet.begin(),
                          rejectedSet.end(), std::back_inserter(both));
    EXPECT_LE(static_cast<int>(both.size()), inFlight) << "imported and rejected alike";
    std::set<int> all = committedSet;
    all.insert(rejectedSet.begin(), rejectedSet.end());
    EXPECT_EQ(static_cast<int>(all.size()), total) << "records lost";
    EXPECT_TRUE(all.empty() || (*all.begin() == 0 && *all.rbegin() == total - 1));
}

}  // namespace zubk::testing
