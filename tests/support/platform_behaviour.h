#pragma once

namespace zubk::testing {

// What the platform under test does differently, named, so that a test states both outcomes
// instead of leaving one platform out.

#ifdef _WIN32
// Windows refuses to open a directory as a file: it is then a missing file.
inline constexpr bool kDirectoriesOpenAsFiles = false;
// Windows file names separate directories by "\" and "/", and a drive letter's ":" ends one.
inline constexpr bool kBackslashAndColonSeparateDirectories = true;
#else
// POSIX systems open a directory for reading, and reading it then fails.
inline constexpr bool kDirectoriesOpenAsFiles = true;
inline constexpr bool kBackslashAndColonSeparateDirectories = false;
#endif

}  // namespace zubk::testing
