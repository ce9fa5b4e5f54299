// The ANSI to console code page conversion (see ConsoleText.h).
#include "ConsoleText.h"

#include <windows.h>

#include <vector>

#include "UninstallScript.h"

namespace velm {

bool AnsiToConsoleText(const std::string& ansi, std::string* console) {
  if (ansi.empty()) {
    console->clear();
    return true;
  }
  const int length = static_cast<int>(ansi.size());
  // A byte the ANSI code page leaves undefined is refused rather than turned into U+FFFD.
  const int wideCount =
      MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, nullptr, 0);
  if (wideCount <= 0) return false;
  std::vector<wchar_t> wide(static_cast<size_t>(wideCount));
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansi.data(), length, wide.data(),
                          wideCount) != wideCount)
    return false;
  // Without WC_NO_BEST_FIT_CHARS a missing character becomes its "best fit": under code page 737
  // the section sign turns into byte 0x15, a control character, with no default char reported.
  BOOL usedDefault = FALSE;
  const int count = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideCount,
                                        nullptr, 0, nullptr, &usedDefault);
  if (count <= 0 || usedDefault) return false;
  std::vector<char> bytes(static_cast<size_t>(count));
  usedDefault = FALSE;
  if (WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wideCount, bytes.data(),
                          count, nullptr, &usedDefault) != count ||
      usedDefault)
    return false;
  console->assign(bytes.data(), bytes.size());
  return true;
}

bool IsRemovableFolder(const std::string& folder, std::string* forScript) {
  std::string console;
  if (!IsSafeRemovalFolder(folder) || !AnsiToConsoleText(folder, &console) ||
      !IsScriptSafePath(console))
    return false;
  if (forScript != nullptr) *forScript = console;
  return true;
}

}  // namespace velm
