# Settings for the Windows target (32-bit as the program ships, or 64-bit where only a 64-bit Wine
# runs): a statically linked runtime (VelmPres.exe runs from a disc, so nothing of the compiler
# may sit beside it as a DLL), libjpeg built for the target, and Wine as the tests' emulator.
add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 STRICT NOMINMAX)
if(MSVC)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
else()
  add_link_options(-static -static-libgcc -static-libstdc++)
  # Built for size: the program is read from CD-ROM drives of 600 KB/s and more and runs beside
  # Windows 95 in 8 MB of memory, and none of its work is bound by the processor. Every function
  # and datum is a section of its own, so that the linker leaves out what nothing uses, of ours
  # and of the libraries built the same way (the GUID library's table, the JPEG library). MinGW's
  # linker keeps every unwinding table and so every function that has one: C++ code stays whole.
  foreach(lang C CXX)
    set(CMAKE_${lang}_FLAGS_RELEASE "-Os -DNDEBUG")
  endforeach()
  add_compile_options(-ffunction-sections -fdata-sections)
  add_link_options(-Wl,--gc-sections)
endif()

include(WinJpeg)

if(CMAKE_CROSSCOMPILING)
  # The Wine session lives in the build tree: a prefix of the build's word size, booted once, run
  # under the Greek locale so the ANSI code page is 1253 and the console's 737.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(VELM_WINE_ARCH win64)
  else()
    set(VELM_WINE_ARCH win32)
  endif()
  set(VELM_WINE_DIR ${CMAKE_BINARY_DIR}/wine CACHE PATH "Wine session folder (prefix, home, Xvfb)")
  configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                  WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# GoogleTest for the target, from the sources Debian ships.
if(BUILD_TESTING)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/_gtest EXCLUDE_FROM_ALL)
    # GCC 12's win32 thread model has no std::mutex or std::condition_variable, which
    # GoogleTest's Notification is written with; it gets one made of a Win32 event instead.
    foreach(lib gtest gtest_main gmock gmock_main)
      if(TARGET ${lib})
        target_compile_definitions(${lib} PUBLIC GTEST_HAS_NOTIFICATION_=1)
        target_compile_options(${lib} PUBLIC
          "$<$<COMPILE_LANGUAGE:CXX>:SHELL:-include ${CMAKE_CURRENT_LIST_DIR}/gtest-win32-notification.h>")
      endif()
    endforeach()
  else()
    find_package(GTest REQUIRED)
  endif()
endif()
