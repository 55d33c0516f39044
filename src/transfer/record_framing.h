#pragma once

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "transfer/booking_record.h"

namespace zubk {

// A NUL byte with something other than NUL bytes after it: the file is damaged, and none of it
// is imported.
class InputFileDamaged : public std::runtime_error {
public:
    explicit InputFileDamaged(std::uint64_t offset);
    std::uint64_t Offset() const { return m_offset; }

private:
    std::uint64_t m_offset;
};

// Cuts the bytes of a bookings file into its records, as views into content:
// - NUL bytes at the very end (padding) and then one Ctrl-Z byte there (an old end-of-file
//   mark) are not part of the data;
// - a file with a line feed anywhere but at its very end is read as lines: each line, without
//   its LF and a CR just before it, is one record; empty lines are skipped;
// - any other file is a stream of 33-byte records with nothing between them; one line end at
//   its very end is ignored, and the last record may come out short.
// Records of another length are returned too: the caller reports them. An empty file has no
// records. Throws InputFileDamaged for a NUL byte inside the data.
std::vector<InputRecord> FrameRecords(std::string_view content);

}  // namespace zubk
