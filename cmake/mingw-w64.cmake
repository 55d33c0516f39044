# Cross-compiles zubkimport.exe for 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64):
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
#   cmake --build build-win
#
# The programs link the C and C++ run-time libraries statically, so they need no DLL beyond
# those that come with Windows (kernel32, msvcrt, odbc32).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZUBK_MINGW_TRIPLET x86_64-w64-mingw32)

# Debian ships two thread models; the POSIX one gives the full C++ thread library (through
# winpthreads, linked in statically below). Other distributions have only the plain name.
find_program(CMAKE_CXX_COMPILER NAMES ${ZUBK_MINGW_TRIPLET}-g++-posix ${ZUBK_MINGW_TRIPLET}-g++
    REQUIRED)
find_program(CMAKE_C_COMPILER NAMES ${ZUBK_MINGW_TRIPLET}-gcc-posix ${ZUBK_MINGW_TRIPLET}-gcc
    REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ZUBK_MINGW_TRIPLET}-windres)

# Libraries and headers come from the cross environment only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZUBK_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
