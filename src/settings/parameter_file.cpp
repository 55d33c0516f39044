#include "settings/parameter_file.h"

#include <algorithm>
#include <cerrno>

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

// An entry's fields as views into its two lines; only the entry a lookup returns is copied.
struct EntryFields {
    std::int32_t Number = 0;
    std::string_view Section;
    std::string_view Key;
    std::string_view Value;
};

EntryFields ParseFields(std::string_view firstLine, std::string_view secondLine,
                        bool fileEndsSecondLine) {
    EntryFields entry;

    const int p1 = FindNthChar(firstLine, kFieldSeparator, 1);
    const int p2 = FindNthChar(firstLine, kFieldSeparator, 2);
    entry.Section = CopyField(firstLine, p1 + 1, p2 - p1 - 1);

    const int q1 = FindNthChar(secondLine, kFieldSeparator, 1);
    const int q2 = FindNthChar(secondLine, kFieldSeparator, 2);
    int lineEnd = FindNthChar(secondLine, '\n', 1);
    if (lineEnd == -1 && fileEndsSecondLine) {
        lineEnd = Position(secondLine.size());
    }
    if (q1 == -1) {
        // No separator at all: the whole line, line end included, is the value.
        entry.Number = kNoNumber;
        entry.Value = CopyField(secondLine, 0, 0);
        return entry;
    }
    entry.Number = ParseLeadingDecimal(CopyField(secondLine, 0, q1, kParamNumberTextCapacity));
    entry.Key = CopyField(secondLine, q1 + 1, q2 - q1 - 1);
    entry.Value = CopyField(secondLine, q2 + 1, lineEnd - q2 - 1);
    return entry;
}

ParamEntry Copied(const EntryFields& fields, int line) {
    return ParamEntry{fields.Number, std::string(fields.Section), std::string(fields.Key),
                      std::string(fields.Value), line};
}

// Reads the content's entries in order and gives each key the first entry that found(entry,
// key) accepts; stops once every key has one. A key that none accepts gets an empty entry.
template <typename Found>
std::vector<ParamEntry> FindEntries(std::string_view content,
                                    std::span<const std::string_view> keys, Found found) {
    std::vector<ParamEntry> entries(keys.size());
    std::size_t open = keys.size();
    TextModeReader reader(content);
    std::string firstLine;
    std::string_view line;
    while (open > 0) {
        reader.ReadLine(kFirstLineLimit, line);
        // The second line's read may reuse the reader's buffer of the first.
        firstLine.assign(VisiblePart(line));
        if (!reader.ReadLine(kSecondLineLimit, line)) {
            // A last line without a partner is read but ignored.
            break;
        }
        const std::string_view secondLine = VisiblePart(line);
        const bool fileEnds = reader.FileEndedTheLine() && secondLine.size() == line.size();
        const EntryFields fields = ParseFields(firstLine, secondLine, fileEnds);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (entries[i].Line == 0 && found(fields, keys[i])) {
                entries[i] = Copied(fields, reader.LineNumber());
                --open;
            }
        }
    }
    return entries;
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

std::string_view CopyField(std::string_view line, int start, int length, std::size_t capacity) {
    if (length < 0 || start < 0 || static_cast<std::size_t>(start) > line.size()) {
        return {};
    }
    std::string_view field = line.substr(static_cast<std::size_t>(start));
    if (length > 0) {
        field = field.substr(0, static_cast<std::size_t>(length));
    }
    return field.substr(0, std::min(field.size(), capacity));
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

ParamEntry ParseParamEntry(std::string_view firstLine, std::string_view secondLine,
                           bool fileEndsSecondLine) {
    return Copied(ParseFields(firstLine, secondLine, fileEndsSecondLine), 0);
}

std::vector<ParamEntry> LookupParameters(std::string_view section,
                                         std::span<const std::string_view> keys,
                                         std::int32_t number, std::string_view content) {
    return FindEntries(content, keys, [&](const EntryFields& entry, std::string_view key) {
        return entry.Section == section || entry.Key == key || entry.Number == number;
    });
}

std::vector<ParamEntry> LookupKeys(std::span<const std::string_view> keys,
                                   std::string_view content) {
    return FindEntries(content, keys, [](const EntryFields& entry, std::string_view key) {
        return entry.Key == key;
    });
}

std::optional<std::string> ReadParameterFile(const std::string& path) {
    const platform::UniqueFile file = platform::OpenForBinaryReading(path);
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, count);
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return content;
}

}  // namespace zubk
