#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/console.h"

namespace zubk {

// The settings read from the parameter file, in UTF-8.
struct ConnectionSettings {
    std::string Login;
    std::string Password;
    std::string Database;
    std::string DbSystem;
};

// The optional settings of a run, with their defaults, and where the settings came from.
struct RunSettings {
    std::string DbSystem;
    std::string RejectFile;  // as written in the parameter file, in UTF-8; empty: no reject file
    std::chrono::seconds ReconnectTime{60};
    std::chrono::seconds StatementTimeout{60};
    std::uint32_t MaxFailures = 20;
    std::string ParameterFile;  // the file read, as found beside the input file
};

// Reads the settings from the parameter file's content (code page 1252, or UTF-8 after a
// byte-order mark where a value is valid UTF-8); path names the file in messages. Each key is
// looked up from the file's start, and an entry whose section or number is missing or 0 answers
// every lookup that no earlier entry answers. Refuses, printing why (banner and usage help
// included), when an entry would give more than one setting, a required key has no value, the login
// or password starts or ends with a blank, DB_SYSTEM names no statement form, or an optional key's
// value is no whole number in range. No message shows the password or anything of its entry.
std::optional<ConnectionSettings> ReadSettings(std::string_view content, std::string_view path,
                                               Console& console, RunSettings& runSettings);

}  // namespace zubk
