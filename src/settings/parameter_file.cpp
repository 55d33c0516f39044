#include "settings/parameter_file.h"

#include <algorithm>

#include "platform/file.h"
#include "settings/text_mode_reader.h"

namespace zubk {

namespace {

constexpr char kFieldSeparator = ';';

// A second line without any separator carries no number; -1 keeps such a stray line from
// answering every lookup for number 0.
constexpr std::int32_t kNoNumber = -1;

bool IsLeadingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A line is read as a C string: a NUL byte ends what the field rules see of it.
std::string_view VisiblePart(std::string_view line) {
    return line.substr(0, line.find('\0'));
}

int Position(std::size_t index) {
    return static_cast<int>(index);
}

}  // namespace

int FindNthChar(std::string_view line, char c, int n) {
    int found = -1;
    int occurrences = 0;
    for (std::size_t i = 0; i < line.size() && occurrences < n; ++i) {
        if (line[i] == c) {
            found = Position(i);
            ++occurrences;
        }
    }
    return found;
}

void CopyField(std::string_view line, int start, int length, std::string& destination,
               std::size_t capacity) {
    if (length < 0 || start < 0 || static_cast<std::size_t>(start) > line.size()) {
        return;
    }
    std::string_view field = line.substr(static_cast<std::size_t>(start));
    if (length > 0) {
        field = field.substr(0, static_cast<std::size_t>(length));
    }
    destination.assign(field.substr(0, std::min(field.size(), capacity)));
}

std::int32_t ParseLeadingDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsLeadingSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps with defined behaviour; the result is read back as signed.
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10U + static_cast<std::uint32_t>(text[i] - '0');
    }
    if (negative) {
        value = 0U - value;
    }
    return static_cast<std::int32_t>(value);
}

ParamEntry ParseParamEntry(std::string_view firstLine, std::string_view secondLine) {
    ParamEntry entry;

    const int p1 = FindNthChar(firstLine, kFieldSeparator, 1);
    const int p2 = FindNthChar(firstLine, kFieldSeparator, 2);
    CopyField(firstLine, p1 + 1, p2 - p1 - 1, entry.Section);

    const int q1 = FindNthChar(secondLine, kFieldSeparator, 1);
    const int q2 = FindNthChar(secondLine, kFieldSeparator, 2);
    const int lineEnd = FindNthChar(secondLine, '\n', 1);
    if (q1 == -1) {
        // No separator at all: the whole line, line end included, is the value.
        entry.Number = kNoNumber;
        CopyField(secondLine, 0, 0, entry.Value);
        return entry;
    }
    std::string numberText;
    CopyField(secondLine, 0, q1, numberText, kParamNumberTextCapacity);
    entry.Number = ParseLeadingDecimal(numberText);
    CopyField(secondLine, q1 + 1, q2 - q1 - 1, entry.Key);
    CopyField(secondLine, q2 + 1, lineEnd - q2 - 1, entry.Value);
    return entry;
}

ParamEntry LookupParameter(std::string_view section, std::string_view key, std::int32_t number,
                           const std::string& path) {
    const platform::UniqueFile file = platform::OpenForBinaryReading(path);
    if (!file) {
        return {};
    }
    TextModeReader reader(file.get());
    std::string firstLine;
    std::string secondLine;
    for (;;) {
        reader.ReadLine(kFirstLineLimit, firstLine);
        if (!reader.ReadLine(kSecondLineLimit, secondLine)) {
            // A last line without a partner is read but ignored.
            return {};
        }
        ParamEntry entry = ParseParamEntry(VisiblePart(firstLine), VisiblePart(secondLine));
        if (entry.Section == section || entry.Key == key || entry.Number == number) {
            return entry;
        }
    }
}

}  // namespace zubk
