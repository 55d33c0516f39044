#include "transfer/booking_record.h"

namespace zubk {

std::string_view Columns(std::string_view text, std::size_t first, std::size_t last) {
    if (first > text.size()) {
        return {};
    }
    return text.substr(first - 1, last - first + 1);
}

BookingRecord SplitBookingRecord(std::string_view record) {
    return BookingRecord{
        .DateText = Columns(record, 1, 6),
        .TimeText = Columns(record, 7, 12),
        .LfdText = Columns(record, 13, 15),
        .LesText = Columns(record, 16, 17),
        .ZzsCode = Columns(record, 18, 19),
        .AswText = Columns(record, 20, 32),
        .ZzsSuffix = Columns(record, 33, 33),
    };
}

std::size_t CountBookingRecords(std::string_view text) {
    return text.empty() ? 1 : (text.size() + kBookingRecordLength - 1) / kBookingRecordLength;
}

std::optional<std::string_view> BookingRecordWalk::Next() {
    if (m_started && m_remaining.empty()) {
        return std::nullopt;
    }
    m_started = true;
    const std::string_view record = m_remaining.substr(0, kBookingRecordLength);
    m_remaining.remove_prefix(record.size());
    return record;
}

}  // namespace zubk
