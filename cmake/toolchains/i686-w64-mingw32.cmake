# 32-bit Windows (PE32, i386), the plug-in's first home.
set(MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
# 32-bit programs run through a wrapper that reports them skipped on a
# machine that cannot execute 32-bit x86 code.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../wine32.sh)
