// Any bytes as the content of a bookings file, cut into records. Rules: the records are views
// into the content at their offsets, in order and without overlap, numbered 1 to n, never empty
// and never holding a line feed or a NUL byte; a damaged file is reported at its first NUL.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "breach.h"
#include "transfer/record_framing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zubk;
    using namespace zubk::fuzz;
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    std::vector<InputRecord> records;
    try {
        records = FrameRecords(content);
    } catch (const InputFileDamaged& damage) {
        Require(damage.Offset() == content.find('\0'),
                "a damaged file is reported at another byte than its first NUL");
        return 0;
    }
    std::uint64_t previousEnd = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const InputRecord& record = records[i];
        Require(record.Number == i + 1, "the records are not numbered 1 to n");
        Require(record.Offset >= previousEnd && record.Offset <= size &&
                    record.Bytes.size() <= size - record.Offset,
                "a record overlaps the one before it or runs past the end",
                content.substr(0, static_cast<std::size_t>(previousEnd)));
        Require(record.Bytes.data() == content.data() + record.Offset,
                "a record is not a view of the content at its offset", record.Bytes);
        Require(!record.Bytes.empty(), "an empty record");
        Require(record.Bytes.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos,
                "a record holds a line feed or a NUL byte", record.Bytes);
        previousEnd = record.Offset + record.Bytes.size();
    }
    return 0;
}
