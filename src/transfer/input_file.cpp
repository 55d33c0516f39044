#include "transfer/input_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/file.h"

namespace zubk {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;

std::string ReadErrorText(int error) {
    return error != 0 ? std::strerror(error) : "Lesefehler";
}

// The size of a regular file, to read it into a buffer of the right size at once; 0 for
// anything else (a pipe, a device, a directory), which is then read as it comes.
std::size_t SizeHint(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error)) {
        return 0;
    }
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    return error ? 0 : static_cast<std::size_t>(size);
}

// Only a file that is not there means "nothing to import". A file that is there but cannot be
// opened (no permission, held by the program still writing it, a loop of links) holds
// bookings that would otherwise be reported as a run of 0 records.
bool IsMissing(int openError) {
    return openError == ENOENT || openError == ENOTDIR || openError == ENAMETOOLONG;
}

}  // namespace

std::optional<InputFile> InputFile::Load(const std::string& fileName) {
    // An empty name names no file; some C libraries take it for an invalid argument to fopen
    // and end the process.
    if (fileName.empty()) {
        return std::nullopt;
    }
    errno = 0;
    const platform::UniqueFile file = platform::OpenForBinaryReading(fileName);
    if (!file) {
        const int error = errno;
        if (IsMissing(error)) {
            return std::nullopt;
        }
        throw InputFileReadError(fileName, ReadErrorText(error));
    }

    InputFile input;
    input.m_fileName = fileName;
    std::string& text = input.m_content;
    // One buffer of the file's size; whatever comes beyond it (a file still growing) is
    // appended, so a short read never passes for the whole file.
    text.resize(SizeHint(fileName));
    errno = 0;
    text.resize(std::fread(text.data(), 1, text.size(), file.get()));
    char chunk[kReadChunk];
    while (!std::ferror(file.get()) && !std::feof(file.get())) {
        const std::size_t read = std::fread(chunk, 1, sizeof chunk, file.get());
        text.append(chunk, read);
    }
    if (std::ferror(file.get())) {
        throw InputFileReadError(fileName, ReadErrorText(errno));
    }
    return input;
}

bool InputFile::ChangedSinceRead() const {
    return false;
}

}  // namespace zubk
