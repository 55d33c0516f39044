#include "settings/text_mode_reader.h"

namespace zubk {

namespace {

constexpr int kCarriageReturn = '\r';
constexpr int kEndOfFileMark = 0x1A;

}  // namespace

int TextModeReader::NextByte() {
    while (!m_ended) {
        const int byte = std::getc(m_file);
        if (byte == EOF || byte == kEndOfFileMark) {
            m_ended = true;
        } else if (byte != kCarriageReturn) {
            return byte;
        }
    }
    return EOF;
}

bool TextModeReader::ReadLine(std::size_t limit, std::string& line) {
    line.clear();
    while (line.size() < limit) {
        const int byte = NextByte();
        if (byte == EOF) {
            break;
        }
        line += static_cast<char>(byte);
        if (byte == '\n') {
            break;
        }
    }
    return !line.empty();
}

}  // namespace zubk
