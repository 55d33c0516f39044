#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "transfer/booking_record.h"

namespace zubk {

class RejectFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The records of a run that were not imported, in input order, byte for byte and without line
// ends: itself a bookings file that the tool can import once the records are mended. indices
// name records in records, ascending. The file is written beside its place and renamed into
// place, so that a reader never sees half of it; with nothing to reject, an older reject file
// is removed. Throws RejectFileError.
void WriteRejectFile(const std::string& path, std::span<const InputRecord> records,
                     const std::vector<std::size_t>& indices);

}  // namespace zubk
