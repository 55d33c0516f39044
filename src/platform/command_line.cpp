#include "platform/command_line.h"

#include <memory>

#ifdef _WIN32
#include <windows.h>
// windows.h first: shellapi.h needs its types.
#include <shellapi.h>

#include "common/text_encoding.h"
#endif

namespace zubk::platform {

namespace {

#ifdef _WIN32
struct LocalMemoryRelease {
    void operator()(LPWSTR* memory) const noexcept { LocalFree(memory); }
};

std::vector<std::string> Arguments(int argc, char* argv[]) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalMemoryRelease> wide(
        CommandLineToArgvW(GetCommandLineW(), &count));
    if (!wide) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        const wchar_t* argument = wide.get()[i];
        arguments.push_back(Utf16ToUtf8(std::u16string(argument, argument + wcslen(argument))));
    }
    return arguments;
}
#else
std::vector<std::string> Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}
#endif

}  // namespace

CommandLine::CommandLine(int argc, char* argv[]) : m_arguments(Arguments(argc, argv)) {
    m_pointers.reserve(m_arguments.size());
    for (const std::string& argument : m_arguments) {
        m_pointers.push_back(argument.c_str());
    }
}

}  // namespace zubk::platform
