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

std::optional<std::string> WhyMalformed(std::string_view record) {
    if (record.size() != kBookingRecordLength) {
        return std::to_string(record.size()) + " statt " + std::to_string(kBookingRecordLength) +
               " Bytes";
    }
    if (record.find_first_of("\r\n") != std::string_view::npos) {
        return "Zeilenende im Satz";
    }
    return std::nullopt;
}

}  // namespace zubk
