#pragma once

#include <optional>
#include <stdexcept>
#include <string>

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

// A bookings file, read whole and unchanged.
class InputFile {
public:
    // Reads the file; nothing when there is no such file. Throws InputFileReadError when it is
    // there but cannot be read, so that no part of it is imported.
    static std::optional<InputFile> Load(const std::string& fileName);

    const std::string& Content() const { return m_content; }

    // Whether the file's size or modification time now differ from when it was read: bookings
    // written after that were not imported.
    bool ChangedSinceRead() const;

private:
    std::string m_fileName;
    std::string m_content;
};

}  // namespace zubk
