#pragma once

#include <string>
#include <vector>

namespace zubk::platform {

#ifdef _WIN32
// Windows hands a program its command line in UTF-16; the arguments are taken from there in
// UTF-8, so that no character outside the ANSI code page is lost.
inline constexpr bool kArgumentsAreUtf8 = true;
#else
// Linux hands a program bytes; they are taken as they are, and file names stay byte for byte.
inline constexpr bool kArgumentsAreUtf8 = false;
#endif

// The program's arguments, the program name first, as main received them (see above).
class CommandLine {
public:
    CommandLine(int argc, char* argv[]);

    int Count() const { return static_cast<int>(m_pointers.size()); }
    const char* const* Values() const { return m_pointers.data(); }

private:
    std::vector<std::string> m_arguments;
    std::vector<const char*> m_pointers;
};

}  // namespace zubk::platform
