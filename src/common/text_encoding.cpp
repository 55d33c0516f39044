#include "common/text_encoding.h"

#include <array>
#include <cstdint>

namespace zubk {

namespace {

// Code page 1252's characters for the bytes 0x80 to 0x9F; the rest of the code page is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

char32_t Cp1252Character(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at text[i] and advances i; returns false, leaving i, when the
// bytes there are no valid UTF-8 (overlong forms and surrogates included).
bool DecodeUtf8(std::string_view text, std::size_t& i, char32_t& c) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        c = lead;
        ++i;
        return true;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
        min = 0x10000;
    } else {
        return false;
    }
    if (i + length > text.size()) {
        return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return false;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return false;
    }
    i += length;
    return true;
}

// Calls emit for every character of UTF-8 text; an invalid byte counts as a cp1252 byte.
template <typename Emit>
void ForEachCharacter(std::string_view utf8, Emit emit) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(utf8, i, c)) {
            c = Cp1252Character(static_cast<unsigned char>(utf8[i]));
            ++i;
        }
        emit(c);
    }
}

}  // namespace

void AppendCp1252AsUtf8(std::string& out, std::string_view cp1252) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(cp1252[i]);
        if (byte >= 0x80) {
            out.append(cp1252.substr(start, i - start));
            AppendUtf8(out, Cp1252Character(byte));
            start = i + 1;
        }
    }
    out.append(cp1252.substr(start));
}

std::string Cp1252ToUtf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size());
    AppendCp1252AsUtf8(out, cp1252);
    return out;
}

std::string Utf8OrCp1252ToUtf8(std::string_view text) {
    return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    ForEachCharacter(utf8, [&](char32_t c) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            return;
        }
        for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
            if (kCp1252High[k] == c) {
                out += static_cast<char>(0x80 + k);
                return;
            }
        }
        out += '?';
    });
    return out;
}

bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    char32_t c = 0;
    while (i < text.size()) {
        if (!DecodeUtf8(text, i, c)) {
            return false;
        }
    }
    return true;
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    ForEachCharacter(utf8, [&](char32_t c) {
        if (c >= 0x10000) {
            c -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (c >> 10));
            out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace zubk
