# Cross-compiling for Windows with Debian's mingw-w64 toolchain of the triple that the
# including toolchain file sets in corvane_triple. The win32-thread flavour needs no
# libwinpthread; the static runtime keeps the DLL self-contained.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_CXX_COMPILER NAMES ${corvane_triple}-g++-win32 ${corvane_triple}-g++ REQUIRED)
find_program(CORVANE_OBJDUMP NAMES ${corvane_triple}-objdump REQUIRED)
find_program(CORVANE_DLLTOOL NAMES ${corvane_triple}-dlltool REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${corvane_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
