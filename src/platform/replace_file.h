#pragma once

#include <string>

namespace zubk::platform {

// Renames from to to (UTF-8 paths), replacing a file that is there; false with errno set when
// it fails.
bool MoveIntoPlace(const std::string& from, const std::string& to);

}  // namespace zubk::platform
