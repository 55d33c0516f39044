#include "platform/read_file.h"

#include <algorithm>
#include <cerrno>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace zubk::platform {

namespace {

// No single read asks for more, so that the count fits every platform's read call.
constexpr std::size_t kLargestRead = std::size_t{1} << 30;

// Reads at most count bytes into buffer: how many came (0 at the end of the file), or -1.
long long ReadSome(const FileHandle& file, char* buffer, std::size_t count) {
#ifdef _WIN32
    DWORD read = 0;
    if (!ReadFile(file.Native(), buffer, static_cast<DWORD>(count), &read, nullptr)) {
        return -1;
    }
    return read;
#else
    ssize_t read = 0;
    do {
        read = ::read(file.Native(), buffer, count);
    } while (read < 0 && errno == EINTR);
    return read;
#endif
}

}  // namespace

std::optional<SystemError> ReadUpTo(const FileHandle& file, std::size_t limit, std::string& bytes) {
    bytes.resize(limit);
    std::size_t filled = 0;
    while (filled < limit) {
        const long long read =
            ReadSome(file, bytes.data() + filled, std::min(limit - filled, kLargestRead));
        if (read < 0) {
            const SystemError error = LastSystemError();
            bytes.resize(filled);
            return error;
        }
        if (read == 0) {
            break;
        }
        filled += static_cast<std::size_t>(read);
    }
    bytes.resize(filled);
    return std::nullopt;
}

}  // namespace zubk::platform
