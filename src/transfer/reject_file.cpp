#include "transfer/reject_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/file.h"
#include "platform/replace_file.h"

namespace zubk {

namespace {

std::string Reason() {
    return errno != 0 ? std::strerror(errno) : "Schreibfehler";
}

// Records of the right length go as they came, without line ends. Once a malformed one is
// among them, every record goes on a line of its own instead: a short record in a stream
// would shift every record after it.
bool WrittenAsLines(std::span<const InputRecord> records, const std::vector<std::size_t>& indices) {
    for (const std::size_t index : indices) {
        if (WhyMalformed(records[index].Bytes)) {
            return true;
        }
    }
    return false;
}

// Writes the records to a new file at path; throws RejectFileError, leaving no file behind.
void WriteRecords(const std::string& path, std::span<const InputRecord> records,
                  const std::vector<std::size_t>& indices) {
    errno = 0;
    platform::UniqueFile file = platform::OpenForBinaryWriting(path);
    if (!file) {
        throw RejectFileError(Reason());
    }
    const bool asLines = WrittenAsLines(records, indices);
    bool written = true;
    for (const std::size_t index : indices) {
        const std::string_view bytes = records[index].Bytes;
        written = written && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
        if (asLines) {
            written = written && std::fwrite("\r\n", 1, 2, file.get()) == 2;
        }
    }
    written = std::fflush(file.get()) == 0 && written;
    std::string reason = written ? std::string() : Reason();
    errno = 0;
    if (std::fclose(file.release()) != 0 && written) {
        written = false;
        reason = Reason();
    }
    if (!written) {
        platform::RemoveFile(path);
        throw RejectFileError(reason);
    }
}

}  // namespace

void WriteRejectFile(const std::string& path, std::span<const InputRecord> records,
                     const std::vector<std::size_t>& indices) {
    if (indices.empty()) {
        errno = 0;
        if (!platform::RemoveFile(path) && errno != ENOENT) {
            throw RejectFileError(Reason());
        }
        return;
    }
    const std::string temporary = path + ".tmp";
    WriteRecords(temporary, records, indices);
    if (!platform::MoveIntoPlace(temporary, path)) {
        const std::string reason = Reason();
        platform::RemoveFile(temporary);
        throw RejectFileError(reason);
    }
}

}  // namespace zubk
