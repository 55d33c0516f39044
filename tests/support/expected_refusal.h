#pragma once

#include <string>
#include <string_view>

#include "common/console.h"
#include "support/expected_texts.h"
#include "support/string_console.h"

namespace zubk::testing {

// What a refused start prints on a code page 1252 console: the banner, the message, the usage
// help (see expected_texts.h).
inline std::string ExpectedRefusal(std::string_view message) {
    return kExpectedBanner + std::string(message) + kExpectedUsage;
}

// The same with the message that printError prints, for a test that is about which message a
// refusal carries; the message's bytes are checked in tests/common/test_console_texts.cpp.
inline std::string ExpectedRefusal(void (*printError)(Console&)) {
    StringConsole console;
    printError(console);
    return ExpectedRefusal(console.Text());
}

inline std::string ExpectedUnknownDbSystemRefusal(std::string_view dbSystem) {
    return ExpectedRefusal("Unbekanntes DB_SYSTEM '" + std::string(dbSystem) +
                           "' (erlaubt: ORACLE, MSSQL, MySQL)\n\n");
}

}  // namespace zubk::testing
