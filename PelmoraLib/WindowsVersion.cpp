// The Windows release classification (see WindowsVersion.h).
#include "WindowsVersion.h"

namespace velm {

namespace {

// Windows 98 Second Edition reports 4.10 like the first edition; only its service-pack text tells
// them apart, by a capital A as the second character (" A ").
bool IsSecondEdition(const char* servicePack) {
  if (servicePack == nullptr || servicePack[0] == '\0') {
    return false;
  }
  return servicePack[1] == 'A';
}

}  // namespace

TWindowsVersion ClassifyWindowsVersion(std::uint32_t platformId, std::uint32_t major,
                                       std::uint32_t minor, const char* servicePack) {
  if (platformId == kPlatformWin9x) {
    if (major == 4 && minor == 0) {
      return Windows95;
    }
    if (major == 4 && minor == 10) {
      return IsSecondEdition(servicePack) ? Windows98SE : Windows98;
    }
    if (major == 4 && minor == 90) {
      return WindowsMe;
    }
    return WindowsUnknown;
  }
  if (platformId == kPlatformNT) {
    if (major <= 4) {
      return WindowsNT;
    }
    if (major == 5 && minor == 0) {
      return Windows2000;
    }
    if (major == 5 && minor == 1) {
      return WindowsXP;
    }
    if (major == 6) {
      return WindowsVista;
    }
    return WindowsUnknown;
  }
  return WindowsUnknown;
}

}  // namespace velm
