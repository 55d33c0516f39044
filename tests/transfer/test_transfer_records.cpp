#include "transfer/transfer_records.h"

#include "transfer/booking_record.h"

#include <gtest/gtest.h>

#include "support/string_console.h"

namespace zubk {
namespace {

class CountingProgress final : public TransferProgress {
public:
    void Advance(std::size_t done, std::size_t total) override {
        lastDone = done;
        lastTotal = total;
    }
    void Clear() override { ++clears; }

    std::size_t lastDone = 0;
    std::size_t lastTotal = 0;
    int clears = 0;
};

TEST(TransferRecords, WithoutStatementFormEveryRecordIsSkippedUncounted) {
    RunState state;
    state.dm1 = std::make_unique<Tdm1>();
    state.DbSystem = "DB2";
    state.InputText = std::string(67, '1');
    testing::StringConsole console;
    CountingProgress progress;
    TransferRecords(state, console, &progress);
    EXPECT_EQ(state.RecordCount, 0);
    EXPECT_EQ(state.FailedCount, 0);
    EXPECT_EQ(console.Text(), "");
    EXPECT_EQ(progress.lastDone, 3U);
    EXPECT_EQ(progress.lastTotal, 3U);
    EXPECT_EQ(progress.clears, 1);
    EXPECT_FALSE(state.dm1->KESTRAVON.Connected());
}

TEST(CountBookingRecords, CountsTheRecordsAWalkGives) {
    EXPECT_EQ(CountBookingRecords(""), 1U);
    EXPECT_EQ(CountBookingRecords(std::string(33, 'x')), 1U);
    EXPECT_EQ(CountBookingRecords(std::string(34, 'x')), 2U);
    EXPECT_EQ(CountBookingRecords(std::string(66, 'x')), 2U);
}

}  // namespace
}  // namespace zubk
