#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zubk::testing {

// A parameter file with the four settings, one two-line entry each, with Windows line ends as
// the terminal's export writes them.
std::string ParameterFile(std::string_view login, std::string_view password,
                          std::string_view database, std::string_view dbSystem);

// An entry of the parameter file for one of the optional keys (REJECT_FILE, RECONNECT_TIME,
// STATEMENT_TIMEOUT, MAX_FAILURES), to append to a ParameterFile; number tells entries apart.
std::string OptionalSetting(int number, std::string_view key, std::string_view value);

// One 33-byte booking record from its fields: date ddmmyy, time hhmmss, running number (3),
// reader number (2), the three-character code (two bytes in columns 18-19, the last in column
// 33) and an identifier of up to 13 bytes, padded with blanks.
std::string BookingRecordText(std::string_view date, std::string_view time, std::string_view lfd,
                              std::string_view les, std::string_view code,
                              std::string_view identifier);

// The bytes as upper-case hexadecimal digits, to compare bytes with what the server's HEX()
// gives.
std::string Hex(std::string_view bytes);

// How often part stands in text, overlaps included.
std::size_t CountOccurrences(std::string_view text, std::string_view part);

}  // namespace zubk::testing
