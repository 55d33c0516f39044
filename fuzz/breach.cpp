#include "breach.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zubk::fuzz {

namespace {

// Inputs are arbitrary bytes: show the unprintable ones as \xNN so the message stays readable.
std::string Printable(std::string_view bytes) {
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '\\') {
            text += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            text += escaped;
        }
    }
    return text;
}

}  // namespace

void ReportBreach(std::string_view rule, std::string_view shown) {
    std::fprintf(stderr, "BREACH: %.*s\n", static_cast<int>(rule.size()), rule.data());
    if (!shown.empty()) {
        const std::string printable = Printable(shown);
        std::fprintf(stderr, "  %s\n", printable.c_str());
    }
    std::fflush(stderr);
    std::abort();
}

}  // namespace zubk::fuzz
