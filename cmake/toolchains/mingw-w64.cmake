# Shared by the mingw-w64 cross builds: set MINGW_TRIPLET and
# CMAKE_SYSTEM_PROCESSOR, then include this.  Programs run under Wine; the
# posix thread model of the compiler gives GoogleTest std::mutex.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)
# The plug-in itself starts no thread and is linked with the win32 thread
# model's runtime, which is smaller.
set(MOONFOLD_PLUGIN_LINKER ${MINGW_TRIPLET}-g++-win32)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Link the C++ and GCC runtimes in, so that every DLL and program stands
# alone beside Windows' own libraries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

# Wine's 64-bit loader, called directly: Debian puts no wine64 on the PATH,
# and its wine script always tries the 32-bit loader first.  It sets up the
# Wine prefixes of both builds and runs the 64-bit programs.
find_program(WINE64_PROGRAM NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH REQUIRED)
