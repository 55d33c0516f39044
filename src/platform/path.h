#pragma once

#include <string_view>

namespace zubk::platform {

// The directory part of a file name: everything up to and including its last directory
// separator, or empty text when it has none (the file then lies in the current directory).
std::string_view DirectoryPart(std::string_view fileName);

}  // namespace zubk::platform
