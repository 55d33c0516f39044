#pragma once

#include <string_view>

namespace zubk::fuzz {

// What the server must read inside a literal for one byte of a field: the byte as it stands.
// The builder is about to convert every field from code page 1252 to UTF-8; from then on this is
// Cp1252ToUtf8 of the byte (common/text_encoding.h), and nothing else in the checks changes.
std::string_view ExpectedLiteralText(unsigned char fieldByte);

}  // namespace zubk::fuzz
