#include "transfer/booking_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zubk {
namespace {

std::vector<std::string> WalkAll(std::string_view text) {
    std::vector<std::string> records;
    BookingRecordWalk walk(text);
    while (const auto record = walk.Next()) {
        records.emplace_back(*record);
    }
    return records;
}

TEST(BookingRecordWalk, CutsThirtyThreeByteRecordsAndAShortLastOne) {
    const std::string a(33, 'a');
    const std::string b(33, 'b');
    struct Case {
        std::string text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", {""}},  // an empty file is still one (empty) record
        {a, {a}},   {a + b, {a, b}}, {a + b + "c", {a, b, "c"}}, {"short", {"short"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WalkAll(c.text), c.expected) << c.text.size() << " bytes";
    }
}

TEST(BookingRecordWalk, LineEndsAreOrdinaryBytesThatShiftLaterRecords) {
    const std::string record = "31120523595900701120000004711   1";
    const auto records = WalkAll(record + "\r\n" + record + "\r\n");
    ASSERT_EQ(records.size(), 3U);
    EXPECT_EQ(records[0], record);
    EXPECT_EQ(records[1], "\r\n" + record.substr(0, 31));
    EXPECT_EQ(records[2], record.substr(31) + "\r\n");
}

TEST(SplitBookingRecord, TakesTheSevenFieldsByColumn) {
    const BookingRecord fields = SplitBookingRecord("31120523595900701120000004711   1");
    EXPECT_EQ(fields.DateText, "311205");
    EXPECT_EQ(fields.TimeText, "235959");
    EXPECT_EQ(fields.LfdText, "007");
    EXPECT_EQ(fields.LesText, "01");
    EXPECT_EQ(fields.ZzsCode, "12");
    EXPECT_EQ(fields.AswText, "0000004711   ");
    EXPECT_EQ(fields.ZzsSuffix, "1");
}

TEST(SplitBookingRecord, FieldsPastTheEndOfAShortRecordAreCutOrEmpty) {
    const BookingRecord fields = SplitBookingRecord("3112052359590070112");
    EXPECT_EQ(fields.ZzsCode, "12");
    EXPECT_EQ(fields.AswText, "");
    EXPECT_EQ(fields.ZzsSuffix, "");
    const BookingRecord partial = SplitBookingRecord("3112");
    EXPECT_EQ(partial.DateText, "3112");
    EXPECT_EQ(partial.TimeText, "");
}

}  // namespace
}  // namespace zubk
