#include "expected_literal_text.h"

#include <array>
#include <string>

#include "common/text_encoding.h"

namespace zubk::fuzz {

namespace {

// Built once, so that a check looks a byte up instead of converting it again for every input.
std::array<std::string, 256> LiteralTexts() {
    std::array<std::string, 256> texts;
    for (std::size_t byte = 0; byte < texts.size(); ++byte) {
        // Record fields are code page 1252 and reach the server in UTF-8.
        texts[byte] = Cp1252ToUtf8(std::string(1, static_cast<char>(byte)));
    }
    return texts;
}

}  // namespace

std::string_view ExpectedLiteralText(unsigned char fieldByte) {
    static const std::array<std::string, 256> texts = LiteralTexts();
    return texts[fieldByte];
}

}  // namespace zubk::fuzz
