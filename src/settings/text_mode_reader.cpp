#include "settings/text_mode_reader.h"

#include <algorithm>
#include <cstring>

namespace zubk {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kEndOfFileMark = '\x1A';

}  // namespace

TextModeReader::TextModeReader(std::string_view content)
    : m_rest(content.substr(0, content.find(kEndOfFileMark))) {}

bool TextModeReader::ReadLine(std::size_t limit, std::string_view& line) {
    // The line's bytes: up to limit characters that are no CR, ending after a line feed. Most
    // lines have no CR: for them the line feed is found by memchr over the window.
    const std::size_t window = std::min(limit, m_rest.size());
    const void* lineFeedAt = std::memchr(m_rest.data(), '\n', window);
    std::size_t end =
        lineFeedAt != nullptr
            ? static_cast<std::size_t>(static_cast<const char*>(lineFeedAt) - m_rest.data()) + 1
            : window;
    bool endedAtLineFeed = lineFeedAt != nullptr;
    const bool sawCr = std::memchr(m_rest.data(), kCarriageReturn, end) != nullptr;
    if (sawCr) {
        // CR bytes do not count: read again, character by character.
        end = 0;
        endedAtLineFeed = false;
        std::size_t characters = 0;
        while (end < m_rest.size() && characters < limit) {
            const char c = m_rest[end++];
            if (c == kCarriageReturn) {
                continue;
            }
            ++characters;
            if (c == '\n') {
                endedAtLineFeed = true;
                break;
            }
        }
    }
    const std::string_view bytes = m_rest.substr(0, end);
    m_rest.remove_prefix(end);
    if (sawCr) {
        m_withoutCr.assign(bytes);
        std::erase(m_withoutCr, kCarriageReturn);
        line = m_withoutCr;
    } else {
        line = bytes;
    }
    m_lineNumber = m_nextLineNumber;
    if (endedAtLineFeed) {
        ++m_nextLineNumber;
    }
    // CR bytes alone after the line change nothing: the file ends there all the same.
    m_fileEndedTheLine = !endedAtLineFeed && std::all_of(m_rest.begin(), m_rest.end(), [](char c) {
        return c == kCarriageReturn;
    });
    return !line.empty();
}

}  // namespace zubk
