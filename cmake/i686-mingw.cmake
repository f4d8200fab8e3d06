# Cross-compiles 32-bit Windows programs with Debian's MinGW-w64: the build that ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
