#pragma once

#include <string_view>

namespace zubk::platform {

// Whether standard error is shown on a terminal (and not a file or pipe of a scheduled job).
bool StandardErrorIsTerminal();

void WriteStandardError(std::string_view bytes);

}  // namespace zubk::platform
