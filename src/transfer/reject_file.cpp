#include "transfer/reject_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/replace_file.h"

namespace zubk {

namespace {

std::string Reason() {
    return errno != 0 ? std::strerror(errno) : "Schreibfehler";
}

}  // namespace

void WriteRejectFile(const std::string& path, std::span<const InputRecord> records,
                     const std::vector<std::size_t>& indices) {
    if (indices.empty()) {
        errno = 0;
        if (std::remove(path.c_str()) != 0 && errno != ENOENT) {
            throw RejectFileError(Reason());
        }
        return;
    }
    const std::string temporary = path + ".tmp";
    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        throw RejectFileError(Reason());
    }
    // Records of the right length go as they came, without line ends. Once a malformed one is
    // among them, every record goes on a line of its own instead: a short record in a stream
    // would shift every record after it.
    bool asLines = false;
    for (const std::size_t index : indices) {
        asLines = asLines || WhyMalformed(records[index].Bytes).has_value();
    }
    bool written = true;
    for (const std::size_t index : indices) {
        const std::string_view bytes = records[index].Bytes;
        written = written && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        if (asLines) {
            written = written && std::fwrite("\r\n", 1, 2, file) == 2;
        }
    }
    written = std::fflush(file) == 0 && written;
    const std::string reason = written ? std::string() : Reason();
    if (std::fclose(file) != 0 || !written) {
        std::remove(temporary.c_str());
        throw RejectFileError(written ? Reason() : reason);
    }
    if (!platform::MoveIntoPlace(temporary, path)) {
        const std::string renameReason = Reason();
        std::remove(temporary.c_str());
        throw RejectFileError(renameReason);
    }
}

}  // namespace zubk
