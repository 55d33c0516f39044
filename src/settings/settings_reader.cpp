#include "settings/settings_reader.h"

#include <algorithm>
#include <array>
#include <functional>
#include <vector>

#include "common/console_texts.h"
#include "common/sql_dialect.h"
#include "common/text_encoding.h"
#include "settings/parameter_file.h"

namespace zubk {

namespace {

enum Required { kLogin, kPass, kDatabase, kDbSystem, kRequiredCount };

constexpr std::array<std::string_view, kRequiredCount> kRequiredKeys = {"LOGIN", "PASS", "DATABASE",
                                                                        "DB_SYSTEM"};
constexpr std::string_view kRejectFileKey = "REJECT_FILE";

struct NumberKey {
    std::string_view Key;
    std::int64_t Min;
    std::int64_t Max;
    std::function<void(RunSettings&, std::int64_t)> Store;
};

const std::array<NumberKey, 3> kNumberKeys = {{
    {"RECONNECT_TIME", 0, 86400,
     [](RunSettings& s, std::int64_t v) { s.ReconnectTime = std::chrono::seconds(v); }},
    {"STATEMENT_TIMEOUT", 1, 86400,
     [](RunSettings& s, std::int64_t v) { s.StatementTimeout = std::chrono::seconds(v); }},
    {"MAX_FAILURES", 0, 1000000,
     [](RunSettings& s, std::int64_t v) { s.MaxFailures = static_cast<std::uint32_t>(v); }},
}};

// Every key the tool reads, in the order messages list them.
std::vector<std::string_view> KnownKeys() {
    std::vector<std::string_view> keys(kRequiredKeys.begin(), kRequiredKeys.end());
    for (const NumberKey& key : kNumberKeys) {
        keys.push_back(key.Key);
    }
    keys.push_back(kRejectFileKey);
    return keys;
}

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The file's text as the lookups read it, and how its values become UTF-8. A file saved as
// UTF-8 with a byte-order mark is taken as UTF-8; any other is code page 1252.
struct ParameterText {
    std::string_view Content;
    bool Utf8 = false;

    explicit ParameterText(std::string_view content) : Content(content) {
        if (Content.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) {
            Content.remove_prefix(kUtf8ByteOrderMark.size());
            Utf8 = true;
        }
    }

    // A value that is no valid UTF-8 in spite of the mark was typed in code page 1252 after all.
    std::string InUtf8(std::string_view value) const {
        return Utf8 ? Utf8OrCp1252ToUtf8(value) : Cp1252ToUtf8(value);
    }
};

// A whole number from min to max, or nothing.
std::optional<std::int64_t> WholeNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool BlankAtEitherEnd(std::string_view value) {
    return !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
}

class Refusal {
public:
    Refusal(std::string_view path, Console& console) : m_path(path), m_console(console) {}

    // The entries that would give more than one setting: one that answers several of the
    // required lookups, or one whose key names another setting than the lookup it answers (a
    // PASS entry with number 0 before the LOGIN entry would make the password the login).
    // Refuses them, naming their lines; false when there are none.
    bool EntriesForSeveralSettings(const std::array<ParamEntry, kRequiredCount>& answers) {
        const std::vector<std::string_view> known = KnownKeys();
        std::vector<int> reported;
        std::vector<std::pair<int, std::vector<std::string>>> entries;
        for (const ParamEntry& answer : answers) {
            if (answer.Line == 0 ||
                std::find(reported.begin(), reported.end(), answer.Line) != reported.end()) {
                continue;
            }
            std::vector<std::string> keys;
            for (const std::string_view key : known) {
                const auto required = std::find(kRequiredKeys.begin(), kRequiredKeys.end(), key);
                const bool answered =
                    required != kRequiredKeys.end() &&
                    answers[static_cast<std::size_t>(required - kRequiredKeys.begin())].Line ==
                        answer.Line;
                if (answered || answer.Key == key) {
                    keys.emplace_back(key);
                }
            }
            if (keys.size() > 1) {
                reported.push_back(answer.Line);
                entries.emplace_back(answer.Line, std::move(keys));
            }
        }
        if (entries.empty()) {
            return false;
        }
        PrintWithBannerAndUsage(m_console, [&](Console& out) {
            for (const auto& [line, keys] : entries) {
                PrintEntryForSeveralSettings(out, m_path, line, keys);
            }
            out.Write("\n");
        });
        return true;
    }

    bool Missing(const std::array<ParamEntry, kRequiredCount>& answers) {
        std::vector<std::string> missing;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            if (answers[i].Value.empty()) {
                missing.emplace_back(kRequiredKeys[i]);
            }
        }
        if (missing.empty()) {
            return false;
        }
        PrintWithBannerAndUsage(m_console, [&](Console& out) {
            PrintSettingsError(out);
            PrintSettingsNotFound(out, m_path, missing);
        });
        return true;
    }

    // ODBC drivers drop blanks around a login or password even inside braces, so such a
    // setting would never log in.
    bool BlankAtEitherEnd(const std::array<ParamEntry, kRequiredCount>& answers) {
        for (const Required key : {kLogin, kPass}) {
            if (zubk::BlankAtEitherEnd(answers[key].Value)) {
                PrintWithBannerAndUsage(m_console, [&](Console& out) {
                    PrintBlankAtEitherEnd(out, kRequiredKeys[key], m_path, answers[key].Line);
                });
                return true;
            }
        }
        return false;
    }

    // A DB_SYSTEM without a statement form would make every record silently skipped and the
    // run report success; refuse it while the job can still be told.
    bool UnknownDbSystem(const ConnectionSettings& settings, int line) {
        if (DialectFor(settings.DbSystem)) {
            return false;
        }
        PrintWithBannerAndUsage(m_console, [&](Console& out) {
            if (NamesDbSystemLoosely(settings.DbSystem) && settings.DbSystem != settings.Password) {
                PrintUnknownDbSystem(out, settings.DbSystem, SupportedDbSystems());
            } else {
                PrintUnknownDbSystemInLine(out, m_path, line, SupportedDbSystems());
            }
        });
        return true;
    }

    // Reads the optional keys; a key that is not there keeps its default. Only an entry with
    // that very key counts: one that answers by its section or number has given a required
    // setting or nothing.
    bool OptionalSettings(const ParameterText& text, RunSettings& settings) {
        std::vector<std::string_view> keys;
        for (const NumberKey& key : kNumberKeys) {
            keys.push_back(key.Key);
        }
        keys.push_back(kRejectFileKey);
        const std::vector<ParamEntry> entries = LookupKeys(keys, text.Content);
        for (std::size_t i = 0; i < kNumberKeys.size(); ++i) {
            const NumberKey& key = kNumberKeys[i];
            const ParamEntry& entry = entries[i];
            if (entry.Line == 0) {
                continue;
            }
            std::string_view value = entry.Value;
            while (!value.empty() && (value.back() == '\n' || value.back() == ' ')) {
                value.remove_suffix(1);
            }
            const auto number = WholeNumber(value, key.Min, key.Max);
            if (!number) {
                PrintWithBannerAndUsage(m_console, [&](Console& out) {
                    PrintInvalidSetting(out, key.Key, m_path, entry.Line, key.Min, key.Max);
                });
                return false;
            }
            key.Store(settings, *number);
        }
        const ParamEntry& reject = entries.back();
        std::string_view rejectFile = reject.Value;
        while (!rejectFile.empty() && rejectFile.back() == '\n') {
            rejectFile.remove_suffix(1);
        }
        settings.RejectFile = text.InUtf8(rejectFile);
        return true;
    }

private:
    std::string_view m_path;
    Console& m_console;
};

}  // namespace

std::optional<ConnectionSettings> ReadSettings(std::string_view content, std::string_view path,
                                               Console& console, RunSettings& runSettings) {
    const ParameterText text(content);
    // An empty section and number 0 stand for "any".
    const std::vector<ParamEntry> found = LookupParameters("", kRequiredKeys, 0, text.Content);
    std::array<ParamEntry, kRequiredCount> answers;
    std::move(found.begin(), found.end(), answers.begin());
    Refusal refuse(path, console);
    if (refuse.EntriesForSeveralSettings(answers) || refuse.Missing(answers) ||
        refuse.BlankAtEitherEnd(answers)) {
        return std::nullopt;
    }
    ConnectionSettings settings{
        text.InUtf8(answers[kLogin].Value), text.InUtf8(answers[kPass].Value),
        text.InUtf8(answers[kDatabase].Value), text.InUtf8(answers[kDbSystem].Value)};
    runSettings.DbSystem = settings.DbSystem;
    if (refuse.UnknownDbSystem(settings, answers[kDbSystem].Line) ||
        !refuse.OptionalSettings(text, runSettings)) {
        return std::nullopt;
    }
    return settings;
}

}  // namespace zubk
