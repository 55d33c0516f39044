#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "platform/file_handle.h"
#include "platform/file_stamp.h"

namespace zubk {

// The input file is there but cannot be imported: it cannot be opened or read to its end, it
// is no regular file, or another run holds it.
class InputFileReadError : public std::runtime_error {
public:
    InputFileReadError(std::string fileName, const std::string& reason)
        : std::runtime_error(reason), m_fileName(std::move(fileName)) {}

    const std::string& FileName() const { return m_fileName; }

private:
    std::string m_fileName;
};

// A bookings file, read whole and unchanged, and held for one run: while this object lives,
// the file stays open with a lock that makes every other run on it refuse to start. The
// system gives the lock up when the process ends, in whatever way.
class InputFile {
public:
    // Opens the file without waiting for anything, takes its lock and reads it; nothing when
    // there is no such file. Throws InputFileReadError when it is there but cannot be read
    // (a directory, a pipe or a device among them) or another run holds it, so that no part
    // of it is imported.
    static std::optional<InputFile> Load(const std::string& fileName);

    const std::string& Content() const { return m_content; }

    // Whether the file now differs in size or modification time from when it was read, or
    // changed while it was read: bookings written after that were not imported.
    bool ChangedSinceRead() const;

private:
    InputFile(std::string fileName, platform::FileHandle file, platform::FileStamp stamp)
        : m_fileName(std::move(fileName)), m_file(std::move(file)), m_stamp(stamp) {}

    std::string m_fileName;
    platform::FileHandle m_file;  // open and locked
    platform::FileStamp m_stamp;  // as it was before the first byte was read
    std::string m_content;
};

}  // namespace zubk
