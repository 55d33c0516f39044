#pragma once

#include <string>
#include <string_view>

namespace zubk {

// The bookings file and the parameter file are in Windows code page 1252; inside the tool text
// is UTF-8, and the ODBC driver gets UTF-16. These conversions are our own, so that the result
// never depends on the machine's locale or ANSI code page.

// Every byte of cp1252 text as its character in UTF-8. The five bytes that code page 1252
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the C1 control characters of the same
// number, as Windows converts them, so that no byte is ever lost.
std::string Cp1252ToUtf8(std::string_view cp1252);

// The same, appended to out: runs of ASCII bytes are copied as they are.
void AppendCp1252AsUtf8(std::string& out, std::string_view cp1252);

// Text whose encoding is not known: kept when it is valid UTF-8, otherwise read as cp1252. A
// cp1252 text of letters is almost never valid UTF-8 ("\xFC" alone is not).
std::string Utf8OrCp1252ToUtf8(std::string_view text);

// UTF-8 text in code page 1252; a character that code page 1252 cannot show becomes "?".
// Invalid UTF-8 bytes are taken as code page 1252 bytes.
std::string Utf8ToCp1252(std::string_view utf8);

bool IsValidUtf8(std::string_view text);

// UTF-8 as UTF-16 code units; invalid bytes are taken as code page 1252 bytes.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-16 as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace zubk
