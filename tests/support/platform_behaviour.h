#pragma once

namespace zubk::testing {

// What the platform under test does differently, named, so that a test states both outcomes
// instead of leaving one platform out.

#ifdef _WIN32
// Windows file names separate directories by "\" and "/", and a drive letter's ":" ends one.
inline constexpr bool kBackslashAndColonSeparateDirectories = true;
// Windows finds a file whatever the letter case of its name.
inline constexpr bool kFileNamesIgnoreLetterCase = true;
// Opening a directory as a file is refused on Windows; POSIX systems fail on reading it.
inline constexpr const char* kDirectoryReadError = "Permission denied";
#else
inline constexpr bool kBackslashAndColonSeparateDirectories = false;
inline constexpr bool kFileNamesIgnoreLetterCase = false;
inline constexpr const char* kDirectoryReadError = "Is a directory";
#endif

}  // namespace zubk::testing
