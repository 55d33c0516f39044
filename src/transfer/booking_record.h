#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zubk {

// Records are exactly 33 bytes.
inline constexpr std::size_t kBookingRecordLength = 33;

// The fields of one booking record, as views into it. A field that runs past the end of a
// short record holds the bytes that exist, possibly none.
struct BookingRecord {
    std::string_view DateText;   // columns 1-6: ddmmyy
    std::string_view TimeText;   // columns 7-12: hhmmss
    std::string_view LfdText;    // columns 13-15
    std::string_view LesText;    // columns 16-17
    std::string_view ZzsCode;    // columns 18-19: first two characters of the code
    std::string_view AswText;    // columns 20-32: identifier, trailing blanks not part of it
    std::string_view ZzsSuffix;  // column 33: last character of the code
};

// The bytes of columns first to last (1-based, inclusive), cut at the end of text.
std::string_view Columns(std::string_view text, std::size_t first, std::size_t last);

BookingRecord SplitBookingRecord(std::string_view record);

// One record as it stands in the input file: a view into the file's bytes, its number in the
// file (1-based) and the offset of its first byte, for messages that let the operator find it.
struct InputRecord {
    std::string_view Bytes;
    std::size_t Number = 0;
    std::uint64_t Offset = 0;
};

// Why a record cannot be imported as it is ("20 statt 33 Bytes"), or nothing when it is
// 33 bytes without a line end inside.
std::optional<std::string> WhyMalformed(std::string_view record);

}  // namespace zubk
