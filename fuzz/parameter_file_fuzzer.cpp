// Any bytes as the content of the parameter file, read as the connection set-up reads it, in
// memory. Checks the text-mode rules on the lines read (CR bytes dropped, nothing after a
// Ctrl-Z, lines cut at their limits, no byte lost), that every setting holds only what a line
// can give, that settings are given only by entries that give nothing else, and that nothing
// printed shows the password or its entry.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "breach.h"
#include "common/text_encoding.h"
#include "settings/parameter_file.h"
#include "settings/settings_reader.h"
#include "settings/text_mode_reader.h"

namespace zubk::fuzz {

namespace {

constexpr std::string_view kPath = "VEXLO00P.TXT";
constexpr std::string_view kRequiredKeys[] = {"LOGIN", "PASS", "DATABASE", "DB_SYSTEM"};

// A console that keeps what is printed, for the check that no secret is among it.
class CollectingConsole final : public Console {
public:
    void Write(std::string_view bytes) override { m_text += bytes; }
    bool OwnTextsInUtf8() const override { return false; }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

// The lines, first and second lines taken in turn as the lookups take them, give back the
// content without its CR bytes up to the first Ctrl-Z, each within its limit and with a line
// feed only at its end.
void CheckLines(std::string_view content) {
    std::string expected(content.substr(0, content.find('\x1A')));
    std::erase(expected, '\r');
    TextModeReader reader(content);
    std::string_view line;
    std::size_t at = 0;
    for (std::size_t i = 0; reader.ReadLine(i % 2 == 0 ? kFirstLineLimit : kSecondLineLimit, line);
         ++i) {
        Require(line.size() <= (i % 2 == 0 ? kFirstLineLimit : kSecondLineLimit),
                "a line is longer than its limit", line);
        const auto lineFeed = line.find('\n');
        Require(lineFeed == std::string_view::npos || lineFeed + 1 == line.size(),
                "a line holds a line feed before its end", line);
        Require(expected.compare(at, line.size(), line) == 0,
                "the lines are not the content without CR up to Ctrl-Z", line);
        at += line.size();
    }
    Require(at == expected.size(), "the lines lost the end of the content", expected.substr(at));
}

// A setting holds what one line gave, cut to its capacity, and none of the bytes that end a
// line or are dropped from it. Its UTF-8 form may be up to three bytes a character.
void CheckSetting(std::string_view value, std::string_view what) {
    Require(value.size() <= 3 * kParamTextCapacity, std::string(what) + " exceeds its capacity",
            value);
    Require(value.find_first_of(std::string_view("\0\r\x1A", 3)) == std::string_view::npos,
            std::string(what) + " holds a NUL, CR or Ctrl-Z byte", value);
    const auto lineFeed = value.find('\n');
    Require(lineFeed == std::string_view::npos || lineFeed + 1 == value.size(),
            std::string(what) + " holds a line feed before its end", value);
    Require(IsValidUtf8(value), std::string(what) + " is no UTF-8", value);
}

// Whether secret, shown on a code page 1252 console, is among what was printed. Short secrets
// and those the fixed texts could hold by chance are left out: a '#' stands in none of them.
bool Shows(const std::string& printed, std::string_view secret) {
    if (secret.size() < 4 || secret.find('#') == std::string_view::npos) {
        return false;
    }
    return printed.find(Utf8ToCp1252(secret)) != std::string::npos ||
           printed.find(secret) != std::string::npos;
}

}  // namespace

}  // namespace zubk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zubk;
    using namespace zubk::fuzz;
    const std::string_view content(reinterpret_cast<const char*>(data), size);
    CheckLines(content);

    CollectingConsole console;
    RunSettings runSettings;
    const std::optional<ConnectionSettings> settings =
        ReadSettings(content, kPath, console, runSettings);
    Require(settings.has_value() == console.Text().empty(),
            "settings were refused without a word, or taken with one", console.Text());

    // What each lookup found, in the text after a UTF-8 byte-order mark, which the reading
    // skips; the password is the PASS lookup's value.
    const std::string_view text =
        content.substr(0, 3) == "\xEF\xBB\xBF" ? content.substr(3) : content;
    const std::vector<ParamEntry> answers = LookupParameters("", kRequiredKeys, 0, text);
    const ParamEntry& pass = answers[1];
    for (const std::string_view secret :
         {std::string_view(pass.Value), std::string_view(pass.Section)}) {
        Require(!Shows(console.Text(), Cp1252ToUtf8(secret)) && !Shows(console.Text(), secret),
                "a message shows the password or its entry", console.Text());
    }
    if (!settings) {
        return 0;
    }
    CheckSetting(settings->Login, "LOGIN");
    CheckSetting(settings->Password, "PASS");
    CheckSetting(settings->Database, "DATABASE");
    CheckSetting(settings->DbSystem, "DB_SYSTEM");
    CheckSetting(runSettings.RejectFile, "REJECT_FILE");
    // Settings are taken only from four entries, each of which gives one of them and names no
    // other: never the password's entry as the login or the data source.
    for (std::size_t i = 0; i < std::size(kRequiredKeys); ++i) {
        Require(!answers[i].Value.empty(), "settings taken with a value missing", kRequiredKeys[i]);
        for (std::size_t k = 0; k < std::size(kRequiredKeys); ++k) {
            Require(k == i ||
                        (answers[i].Line != answers[k].Line && answers[i].Key != kRequiredKeys[k]),
                    "one entry gave two settings", kRequiredKeys[i]);
        }
    }
    return 0;
}
