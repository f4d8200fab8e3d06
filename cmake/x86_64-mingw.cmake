# Cross-compiles the same sources for x86-64 Windows, for hosts that cannot run 32-bit code: there the
# Wine tests run this build under 64-bit Wine. The kit that ships is always the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
