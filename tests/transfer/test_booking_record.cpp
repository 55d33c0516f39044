#include "transfer/booking_record.h"

#include <gtest/gtest.h>

#include <string>

namespace zubk {
namespace {

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

TEST(WhyMalformed, OnlyThirtyThreeBytesWithoutALineEndAreARecord) {
    const std::string record = "31120523595900701120000004711   1";
    EXPECT_EQ(WhyMalformed(record), std::nullopt);
    EXPECT_EQ(WhyMalformed(record.substr(0, 20)), "20 statt 33 Bytes");
    EXPECT_EQ(WhyMalformed(record + "x"), "34 statt 33 Bytes");
    std::string withCarriageReturn = record;
    withCarriageReturn[0] = '\r';
    EXPECT_EQ(WhyMalformed(withCarriageReturn), "Zeilenende im Satz");
    EXPECT_EQ(WhyMalformed(record.substr(0, 32) + "\n"), "Zeilenende im Satz");
}

}  // namespace
}  // namespace zubk
