#pragma once

#include <string_view>

namespace zubk::platform {

// The line end that this platform's console shows for one "\n" of our texts. Multi-line texts
// that we assemble ourselves (the statement list, joined driver messages) use it too, so that
// every line of the output ends the same way.
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

}  // namespace zubk::platform
