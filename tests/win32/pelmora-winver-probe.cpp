// Prints the name of the Windows release GetWindowsVersion reports, for the tests that run it
// under Wine pretending to be each release. The raw version record goes to stderr.
#include <windows.h>

#include <cstdio>

#include "PelmoraLib.h"

int main() {
  static const char* const kNames[] = {"WindowsUnknown", "Windows95", "Windows98",
                                       "Windows98SE",    "WindowsNT", "WindowsMe",
                                       "Windows2000",    "WindowsXP", "WindowsVista"};
  const velm::TWindowsVersion version = velm::GetWindowsVersion();

  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof(info);
  if (GetVersionExA(&info)) {
    std::fprintf(stderr, "platform %lu, version %lu.%lu, service pack \"%s\"\n", info.dwPlatformId,
                 info.dwMajorVersion, info.dwMinorVersion, info.szCSDVersion);
  }
  if (version >= sizeof(kNames) / sizeof(kNames[0])) {
    std::printf("ordinal %d\n", static_cast<int>(version));
    return 1;
  }
  std::printf("%s\n", kNames[version]);
  return 0;
}
