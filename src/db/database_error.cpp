#include "db/database_error.h"

namespace zubk {

namespace {

std::string FormatMessage(const std::string& context,
                          const std::vector<DiagnosticRecord>& records) {
    std::string message = context;
    for (const DiagnosticRecord& record : records) {
        if (!message.empty()) {
            message += '\n';
        }
        message += "SQLSTATE ";
        message += record.SqlState;
        message += " (";
        message += std::to_string(record.NativeError);
        message += "): ";
        message += record.Message;
    }
    return message;
}

}  // namespace

EDatabaseError::EDatabaseError(DatabaseFailure kind, std::string context,
                               std::vector<DiagnosticRecord> records)
    : std::runtime_error(FormatMessage(context, records)),
      m_kind(kind),
      m_context(std::move(context)),
      m_records(std::move(records)) {}

}  // namespace zubk
