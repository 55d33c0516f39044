// Any bytes as the content of the parameter file, read by the four lookups of the connection
// set-up. Checks that every field read stays within its capacity and holds only what a line
// can give, and that the text-mode rules hold: CR bytes change nothing, and nothing after a
// Ctrl-Z is read.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "breach.h"
#include "settings/connection_settings.h"
#include "settings/parameter_file.h"

namespace zubk::fuzz {

namespace {

constexpr std::string_view kKeys[] = {"LOGIN", "PASS", "DATABASE", "DB_SYSTEM"};

// The reader opens a path, so every input goes through one file of this process, rewritten
// for each input and removed at exit.
class ScratchFile {
public:
    ScratchFile()
        : m_path(std::filesystem::temp_directory_path() /
                 ("zubk-fuzz-" + std::to_string(std::random_device{}()) + "-VEXLO00P.TXT")) {}
    ~ScratchFile() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Write(std::string_view bytes) {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        Require(static_cast<bool>(out), "cannot write the scratch file", m_path);
        return m_path;
    }

private:
    std::string m_path;
};

// A field is cut to its capacity, never holds a byte that ends or is dropped from a line, and
// holds a line feed only as the line's end.
void CheckField(std::string_view field, std::string_view what) {
    Require(field.size() <= kParamTextCapacity, std::string(what) + " exceeds its capacity", field);
    Require(field.find_first_of(std::string_view("\0\r\x1A", 3)) == std::string_view::npos,
            std::string(what) + " holds a NUL, CR or Ctrl-Z byte", field);
    const auto lineFeed = field.find('\n');
    Require(lineFeed == std::string_view::npos || lineFeed + 1 == field.size(),
            std::string(what) + " holds a line feed before its end", field);
}

void CheckEntry(const ParamEntry& entry, std::string_view key) {
    CheckField(entry.Section, "Section of " + std::string(key));
    CheckField(entry.Key, "Key of " + std::string(key));
    CheckField(entry.Value, "Value of " + std::string(key));
}

bool SameSettings(const ConnectionSettings& a, const ConnectionSettings& b) {
    return a.Login == b.Login && a.Password == b.Password && a.Database == b.Database &&
           a.DbSystem == b.DbSystem;
}

ConnectionSettings ReadThrough(ScratchFile& file, std::string_view bytes) {
    return ReadConnectionSettings(file.Write(bytes));
}

}  // namespace

}  // namespace zubk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace zubk;
    using namespace zubk::fuzz;
    static ScratchFile file;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::string& path = file.Write(bytes);
    const ConnectionSettings settings = ReadConnectionSettings(path);
    const std::string* values[] = {&settings.Login, &settings.Password, &settings.Database,
                                   &settings.DbSystem};
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        const ParamEntry entry = LookupParameter("", kKeys[i], 0, path);
        CheckEntry(entry, kKeys[i]);
        Require(entry.Value == *values[i], "the set-up read another value than the lookup",
                entry.Value);

        // A lookup that names a section and a number finds only an entry with one of the three.
        const ParamEntry named = LookupParameter("MAIN", kKeys[i], 1, path);
        CheckEntry(named, kKeys[i]);
        const bool notFound =
            named.Number == 0 && named.Section.empty() && named.Key.empty() && named.Value.empty();
        Require(notFound || named.Section == "MAIN" || named.Key == kKeys[i] || named.Number == 1,
                "a lookup returned an entry that matches nothing it asked for", named.Section);
    }

    std::string withoutCr(bytes);
    std::erase(withoutCr, '\r');
    Require(SameSettings(ReadThrough(file, withoutCr), settings),
            "dropping the CR bytes changed the settings");

    const std::string_view beforeCtrlZ = bytes.substr(0, bytes.find('\x1A'));
    Require(SameSettings(ReadThrough(file, beforeCtrlZ), settings),
            "bytes after a Ctrl-Z changed the settings");
    return 0;
}
