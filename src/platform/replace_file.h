#pragma once

#include <string>

namespace zubk::platform {

// Renames from to to, replacing a file that is there; false with errno set when it fails.
bool ReplaceFile(const std::string& from, const std::string& to);

}  // namespace zubk::platform
