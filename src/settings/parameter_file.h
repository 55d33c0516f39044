#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zubk {

// One entry of the parameter file. A file holds entries of two lines each:
//   first line:  ...;SECTION;...
//   second line: NUMBER;KEY;VALUE (the value runs to the end of the line)
struct ParamEntry {
    std::int32_t Number = 0;
    std::string Section;
    std::string Key;
    std::string Value;
};

// Capacities of the entry's fields; longer fields are cut to them.
inline constexpr std::size_t kParamTextCapacity = 200;
inline constexpr std::size_t kParamNumberTextCapacity = 11;

// Line-length limits, line end included; a longer line is split and its rest read as the
// next line of the pairing.
inline constexpr std::size_t kFirstLineLimit = 199;
inline constexpr std::size_t kSecondLineLimit = 399;

// The 0-based position of the n-th occurrence of c in line. With fewer than n occurrences the
// position of the last one found; with none, -1.
int FindNthChar(std::string_view line, char c, int n);

// Copies length characters of line from the 0-based position start into destination, cut to
// capacity. A length of 0 copies everything from start to the end of the line, its line feed
// included; a negative length copies nothing and leaves destination as it was.
void CopyField(std::string_view line, int start, int length, std::string& destination,
               std::size_t capacity = kParamTextCapacity);

// The decimal value at the start of text: leading white space skipped, an optional sign, the
// digits up to the first non-digit (none gives 0). It wraps at 32 bits.
std::int32_t ParseLeadingDecimal(std::string_view text);

// Reads one entry from its two lines.
ParamEntry ParseParamEntry(std::string_view firstLine, std::string_view secondLine);

// Searches the parameter file at path for the first entry whose section, key or number equals
// the one asked for. Returns that entry, or an empty entry with number 0 when none matches or
// the file cannot be read.
ParamEntry LookupParameter(std::string_view section, std::string_view key, std::int32_t number,
                           const std::string& path);

}  // namespace zubk
