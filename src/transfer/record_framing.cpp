#include "transfer/record_framing.h"

#include <string>

namespace zubk {

namespace {

constexpr char kEndOfFileMark = '\x1A';

std::string_view WithoutEndMarks(std::string_view content) {
    while (!content.empty() && content.back() == '\0') {
        content.remove_suffix(1);
    }
    if (!content.empty() && content.back() == kEndOfFileMark) {
        content.remove_suffix(1);
    }
    return content;
}

std::string_view WithoutFinalLineEnd(std::string_view data) {
    if (!data.empty() && data.back() == '\n') {
        data.remove_suffix(1);
        if (!data.empty() && data.back() == '\r') {
            data.remove_suffix(1);
        }
    }
    return data;
}

void FrameLines(std::string_view data, std::vector<InputRecord>& records) {
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string_view::npos) {
            end = data.size();
        }
        std::string_view line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            records.push_back(InputRecord{line, records.size() + 1, start});
        }
        start = end + 1;
    }
}

void FrameStream(std::string_view data, std::vector<InputRecord>& records) {
    records.reserve(data.size() / kBookingRecordLength + 1);
    for (std::size_t start = 0; start < data.size(); start += kBookingRecordLength) {
        records.push_back(
            InputRecord{data.substr(start, kBookingRecordLength), records.size() + 1, start});
    }
}

}  // namespace

InputFileDamaged::InputFileDamaged(std::uint64_t offset)
    : std::runtime_error("NUL-Byte an Byte " + std::to_string(offset) +
                         ", die Datei ist beschaedigt"),
      m_offset(offset) {}

std::vector<InputRecord> FrameRecords(std::string_view content) {
    const std::string_view data = WithoutEndMarks(content);
    if (const auto nul = data.find('\0'); nul != std::string_view::npos) {
        throw InputFileDamaged(nul);
    }
    std::vector<InputRecord> records;
    const std::string_view body = WithoutFinalLineEnd(data);
    if (body.find('\n') != std::string_view::npos) {
        FrameLines(data, records);
    } else {
        FrameStream(body, records);
    }
    return records;
}

}  // namespace zubk
