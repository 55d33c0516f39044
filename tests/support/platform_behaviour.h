#pragma once

namespace zubk::testing {

// What the platform under test does differently, named, so that a test states both outcomes
// instead of leaving one platform out.

#ifdef _WIN32
// Windows file names separate directories by "\" and "/", and a drive letter's ":" ends one.
inline constexpr bool kBackslashAndColonSeparateDirectories = true;
#else
inline constexpr bool kBackslashAndColonSeparateDirectories = false;
#endif

}  // namespace zubk::testing
