# Cross compiling for 32-bit Windows with MinGW-w64: the program as it ships.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELM_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
