// The work that zubkimport does per record besides the database: walking the input in
// records and building each record's statement. No server is involved, so these figures are
// the tool's own cost; the goal is well above 2 million statements per second on one core.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "common/sql_dialect.h"
#include "transfer/booking_record.h"
#include "transfer/record_framing.h"
#include "transfer/statement_builder.h"

namespace {

constexpr std::string_view kTerminalName = "ZutCtrl";

// Record i of a deterministic bookings text: varying dates, times and numbers, three codes,
// and every hundredth identifier with an apostrophe so that the escaping path runs too.
std::string BookingRecord(long i) {
    const char* const codes[] = {"121", "771", "999"};
    const char* code = codes[i % 3];
    char identifier[16];
    if (i % 100 == 0) {
        std::snprintf(identifier, sizeof identifier, "O'B%07ld", i % 10000000);
    } else {
        std::snprintf(identifier, sizeof identifier, "%010ld", i % 10000000000);
    }
    char record[64];
    std::snprintf(record, sizeof record, "%02ld%02ld%02ld%02ld%02ld%02ld%03ld%02ld%.2s%-13s%c",
                  1 + i % 28, 1 + (i / 28) % 12, 20 + (i / 336) % 10, i % 24, (i / 24) % 60,
                  (i * 7) % 60, i % 1000, i % 100, code, identifier, code[2]);
    return std::string(record, zubk::kBookingRecordLength);
}

std::string BookingsText(long records) {
    std::string text;
    text.reserve(static_cast<std::size_t>(records) * zubk::kBookingRecordLength);
    for (long i = 0; i < records; ++i) {
        text += BookingRecord(i);
    }
    return text;
}

// One statement per iteration, cycling through a few thousand different records.
void BuildInsertStatement(benchmark::State& state, zubk::SqlDialect dialect) {
    constexpr long kRecords = 4096;
    const std::string text = BookingsText(kRecords);
    const std::string_view bookings = text;
    std::string statement;
    std::size_t offset = 0;
    for (auto _ : state) {
        zubk::BuildInsertStatement(bookings.substr(offset, zubk::kBookingRecordLength),
                                   kTerminalName, dialect, statement);
        benchmark::DoNotOptimize(statement.data());
        benchmark::ClobberMemory();
        offset += zubk::kBookingRecordLength;
        if (offset == bookings.size()) {
            offset = 0;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["bytes_per_statement"] = static_cast<double>(statement.size());
}
BENCHMARK_CAPTURE(BuildInsertStatement, Oracle, zubk::SqlDialect::Oracle);
BENCHMARK_CAPTURE(BuildInsertStatement, MsSql, zubk::SqlDialect::MsSql);

// Cutting a whole file's bytes into records, without building anything.
void RecordFraming(benchmark::State& state) {
    const std::string text = BookingsText(state.range(0));
    for (auto _ : state) {
        const std::vector<zubk::InputRecord> records = zubk::FrameRecords(text);
        benchmark::DoNotOptimize(records.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(RecordFraming)->Arg(10'000)->Arg(200'000);

// The record loop of a whole file with the database left out: the framing and one statement
// per record. Equal rates at both sizes mean the cost is linear.
void FrameAndBuild(benchmark::State& state) {
    const std::string text = BookingsText(state.range(0));
    std::string statement;
    for (auto _ : state) {
        for (const zubk::InputRecord& record : zubk::FrameRecords(text)) {
            zubk::BuildInsertStatement(record.Bytes, kTerminalName, zubk::SqlDialect::Oracle,
                                       statement);
            benchmark::DoNotOptimize(statement.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FrameAndBuild)->Arg(10'000)->Arg(200'000)->Unit(benchmark::kMillisecond);

}  // namespace
