#pragma once

namespace zubk {

#ifdef _WIN32
// Windows hands a program its command line in UTF-16; the arguments, file names among them, are
// held in UTF-8 inside the tool, so that no character outside the ANSI code page is lost, and
// converted back for the wide file functions and for the console.
inline constexpr bool kFileNamesAreUtf8 = true;
#else
// Linux hands a program bytes; file names are held and shown byte for byte.
inline constexpr bool kFileNamesAreUtf8 = false;
#endif

}  // namespace zubk
