#include "expected_literal_text.h"

#include <array>
#include <string>

namespace zubk::fuzz {

namespace {

// Built once, so that a check looks a byte up instead of converting it again for every input.
std::array<std::string, 256> LiteralTexts() {
    std::array<std::string, 256> texts;
    for (std::size_t byte = 0; byte < texts.size(); ++byte) {
        // For bytes >= 0x80 this becomes Cp1252ToUtf8 of the byte once the builder converts
        // fields from code page 1252; bytes below 0x80 are the same in both.
        texts[byte] = std::string(1, static_cast<char>(byte));
    }
    return texts;
}

}  // namespace

std::string_view ExpectedLiteralText(unsigned char fieldByte) {
    static const std::array<std::string, 256> texts = LiteralTexts();
    return texts[fieldByte];
}

}  // namespace zubk::fuzz
