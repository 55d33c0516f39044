#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zubk::platform {

// The names of the files in directory (a directory part as platform::DirectoryPart gives it;
// empty for the current directory) that differ from name in ASCII letter case only, sorted.
// A file copied from a Windows share may be named "vexlo00p.txt" where the program looks for
// "VEXLO00P.TXT". Empty on Windows, whose file systems find a file whatever the case of its
// name, and when the directory cannot be read.
std::vector<std::string> FilesNamedIgnoringCase(std::string_view directory, std::string_view name);

}  // namespace zubk::platform
