#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace zubk {

// Reads lines the way a Windows text-mode stream does, on every platform: every CR byte is
// dropped wherever it stands, a line feed ends a line, and a Ctrl-Z byte ends the file.
class TextModeReader {
public:
    explicit TextModeReader(std::FILE* file) : m_file(file) {}

    // Reads the next line, at most limit characters with its line feed when that fits; the
    // rest of a longer line is left for the next call. Returns false, with line empty, only
    // when the file ends before any character.
    bool ReadLine(std::size_t limit, std::string& line);

private:
    // The next byte after dropping CRs, or EOF at the end of the file or at Ctrl-Z.
    int NextByte();

    std::FILE* m_file;
    bool m_ended = false;
};

}  // namespace zubk
