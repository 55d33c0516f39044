#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zubk {

// One entry of the parameter file. A file holds entries of two lines each:
//   first line:  ...;SECTION;...
//   second line: NUMBER;KEY;VALUE (the value runs to the end of the line)
struct ParamEntry {
    std::int32_t Number = 0;
    std::string Section;
    std::string Key;
    std::string Value;
    int Line = 0;  // the file's line that holds the second line; 0 when nothing was found
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

// The length characters of line from the 0-based position start, cut to capacity. A length of
// 0 gives everything from start to the end of the line, its line feed included; a negative
// length gives nothing.
std::string_view CopyField(std::string_view line, int start, int length,
                           std::size_t capacity = kParamTextCapacity);

// The decimal value at the start of text: leading white space skipped, an optional sign, the
// digits up to the first non-digit (none gives 0). It wraps at 32 bits.
std::int32_t ParseLeadingDecimal(std::string_view text);

// Reads one entry from its two lines. When the file ends the second line, its end counts as
// the line end: the value of a last line without line feed is read in full.
ParamEntry ParseParamEntry(std::string_view firstLine, std::string_view secondLine,
                           bool fileEndsSecondLine = false);

// For each key, the first entry of the parameter file's content whose section, key or number
// equals the section, that key or the number asked for, read in one pass over the content. A
// key that no entry answers gets an empty entry with number 0 and line 0.
std::vector<ParamEntry> LookupParameters(std::string_view section,
                                         std::span<const std::string_view> keys,
                                         std::int32_t number, std::string_view content);

// The same for one key.
inline ParamEntry LookupParameter(std::string_view section, std::string_view key,
                                  std::int32_t number, std::string_view content) {
    return LookupParameters(section, std::span(&key, 1), number, content).front();
}

// For each key, the first entry whose key is that key, whatever its section and number.
std::vector<ParamEntry> LookupKeys(std::span<const std::string_view> keys,
                                   std::string_view content);

// The parameter file's bytes, or nothing when it cannot be opened or read (errno tells why).
std::optional<std::string> ReadParameterFile(const std::string& path);

}  // namespace zubk
