# Cross-compiling for 64-bit Windows with Debian's mingw-w64 x86_64-w64-mingw32 toolchain.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(corvane_triple x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
