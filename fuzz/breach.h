#pragma once

#include <string_view>

namespace zubk::fuzz {

// Prints which rule an input broke, with the text that shows it, and aborts: libFuzzer then
// keeps the input as a finding, and a corpus replay fails.
[[noreturn]] void ReportBreach(std::string_view rule, std::string_view shown);

inline void Require(bool holds, std::string_view rule, std::string_view shown = {}) {
    if (!holds) {
        ReportBreach(rule, shown);
    }
}

}  // namespace zubk::fuzz
