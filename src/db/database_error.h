#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace zubk {

// One diagnostic record of a failed database call.
struct DiagnosticRecord {
    std::string SqlState;
    std::int32_t NativeError = 0;
    std::string Message;
};

// A failure of the database layer: connecting, or executing a statement. Its message is a
// line of context followed by every diagnostic record the driver gave, one per line.
class EDatabaseError : public std::runtime_error {
public:
    EDatabaseError(std::string context, std::vector<DiagnosticRecord> records);

    // What was being done, in our words; may be empty when the records say it all.
    const std::string& Context() const { return m_context; }
    const std::vector<DiagnosticRecord>& Records() const { return m_records; }

private:
    std::string m_context;
    std::vector<DiagnosticRecord> m_records;
};

}  // namespace zubk
