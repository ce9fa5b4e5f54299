// The Windows release classification: which release the program runs on, worked out from the four
// values of the platform's version record. Portable: no windows.h, so it is tested natively.
#pragma once

#include <cstdint>

namespace velm {

// Stored in one byte; the ordinals are fixed and not chronological (WindowsNT sits between
// Windows98SE and WindowsMe).
enum TWindowsVersion : unsigned char {
  WindowsUnknown = 0,  // the version query failed, or no rule matched
  Windows95 = 1,
  Windows98 = 2,
  Windows98SE = 3,
  WindowsNT = 4,  // NT 4.0 and every earlier NT release
  WindowsMe = 5,
  Windows2000 = 6,
  WindowsXP = 7,
  WindowsVista = 8,  // every NT release with major version 6
};

// The platform ids of the version record (dwPlatformId).
constexpr std::uint32_t kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr std::uint32_t kPlatformNT = 2;     // VER_PLATFORM_WIN32_NT

// Classifies a release from the record's platform id, major and minor version and service-pack
// text (NUL-terminated; only its first two bytes are ever read; null counts as empty).
TWindowsVersion ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major,
                                       std::uint32_t minor, const char* servicePack);

}  // namespace velm
