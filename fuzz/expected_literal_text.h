#pragma once

#include <string_view>

namespace zubk::fuzz {

// What the server must read inside a literal for one byte of a field: record fields are code
// page 1252 and reach the server in UTF-8, so this is Cp1252ToUtf8 of the byte
// (common/text_encoding.h), looked up in a table built once.
std::string_view ExpectedLiteralText(unsigned char fieldByte);

}  // namespace zubk::fuzz
