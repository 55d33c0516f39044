#pragma once

#include <string>
#include <string_view>

#include "common/console_texts.h"
#include "common/sql_dialect.h"
#include "support/string_console.h"

namespace zubk::testing {

// What a refused start prints on a code page 1252 console: the banner, the error, the usage.
inline std::string ExpectedRefusal(void (*printError)(Console&)) {
    StringConsole console;
    PrintBanner(console);
    printError(console);
    PrintUsage(console);
    return console.Text();
}

inline std::string ExpectedUnknownDbSystemRefusal(std::string_view dbSystem) {
    StringConsole console;
    PrintBanner(console);
    PrintUnknownDbSystem(console, dbSystem, SupportedDbSystems());
    PrintUsage(console);
    return console.Text();
}

}  // namespace zubk::testing
