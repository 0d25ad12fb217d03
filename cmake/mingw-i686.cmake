# Cross-compiling for 32-bit Windows with Debian's mingw-w64 i686-w64-mingw32 toolchain.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(corvane_triple i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
