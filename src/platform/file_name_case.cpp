#include "platform/file_name_case.h"

#include <algorithm>

#ifndef _WIN32
#include <filesystem>
#include <system_error>
#endif

namespace zubk::platform {

#ifdef _WIN32

std::vector<std::string> FilesNamedIgnoringCase(std::string_view, std::string_view) {
    return {};
}

#else

namespace {

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiUpper(x) == AsciiUpper(y);
           });
}

}  // namespace

std::vector<std::string> FilesNamedIgnoringCase(std::string_view directory, std::string_view name) {
    std::vector<std::string> names;
    std::error_code error;
    const std::filesystem::path folder(directory.empty() ? std::string(".")
                                                         : std::string(directory));
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string entryName = entry->path().filename().string();
        std::error_code typeError;
        if (EqualIgnoringAsciiCase(entryName, name) && !entry->is_directory(typeError)) {
            names.push_back(entryName);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

#endif

}  // namespace zubk::platform
