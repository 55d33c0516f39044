#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zubk {

// Records are 33 bytes with nothing between them; the last one may be shorter.
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

// How many records a walk over text gives: an empty text is one record.
std::size_t CountBookingRecords(std::string_view text);

// Walks a text in records from the front: 33 bytes each, the last one what remains. An empty
// text is one empty record, so a run over an empty file still handles one record.
class BookingRecordWalk {
public:
    explicit BookingRecordWalk(std::string_view text) : m_remaining(text) {}

    std::optional<std::string_view> Next();

private:
    std::string_view m_remaining;
    bool m_started = false;
};

}  // namespace zubk
