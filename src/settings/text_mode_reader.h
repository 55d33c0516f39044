#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zubk {

// Reads lines of a file's content the way a Windows text-mode stream does, on every platform:
// every CR byte is dropped wherever it stands, a line feed ends a line, and a Ctrl-Z byte ends
// the file.
class TextModeReader {
public:
    explicit TextModeReader(std::string_view content);

    // Reads the next line, at most limit characters with its line feed when that fits; the
    // rest of a longer line is left for the next call. Returns false, with line empty, only
    // when the file ends before any character. The line stays valid until the next call.
    bool ReadLine(std::size_t limit, std::string_view& line);

    // The number of the file's line (1-based, counted by line feeds) on which the last line
    // read starts; the pieces of a line cut at the limit share it.
    int LineNumber() const { return m_lineNumber; }

    // Whether the last line read ended because the file ended, not at a line feed or the limit.
    bool FileEndedTheLine() const { return m_fileEndedTheLine; }

private:
    std::string_view m_rest;
    std::string m_withoutCr;
    int m_lineNumber = 0;
    int m_nextLineNumber = 1;
    bool m_fileEndedTheLine = false;
};

}  // namespace zubk
