#pragma once

#include <string>
#include <vector>

namespace zubk::platform {

// The program's arguments, the program name first: on Windows from the wide command line in
// UTF-8, on Linux the bytes main received (see common/file_names.h).
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
