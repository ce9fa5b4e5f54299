# Cross compiling for 64-bit Windows with MinGW-w64: the same program and tests, for machines that
# run no 32-bit code, where only a 64-bit Wine runs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELM_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
