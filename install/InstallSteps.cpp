// The installation's steps over Win32 (see InstallSteps.h). Kept to plain calls, one a step, so
// that the copy loop costs what CopyFileA costs.
#include "InstallSteps.h"

#include <windows.h>

#include "PelmoraLib.h"
#include "SysCalls.h"

namespace velm {

bool RunInstallStep(const InstallStep& step) {
  switch (step.kind) {
    case InstallStep::Kind::MakeFolder:
      return Sys().createDirectory(step.target);
    case InstallStep::Kind::Copy:
      return Sys().copyFile(step.source, step.target, true);
    case InstallStep::Kind::ClearReadOnly: {
      // Neither result counts. A file that is not there has no attributes to write back.
      const DWORD attributes = Sys().getFileAttributes(step.target);
      if (attributes != INVALID_FILE_ATTRIBUTES)
        Sys().setFileAttributes(step.target, attributes & ~static_cast<DWORD>(1));
      return true;
    }
    case InstallStep::Kind::EnsureFolder:
      return FolderExists(step.target) || Sys().createDirectory(step.target);
    case InstallStep::Kind::Refused:
      return false;
    case InstallStep::Kind::FolderChain:
      // The existence test that follows decides, not the chain's own result.
      if (!FolderExists(step.source)) CreateFolderChain(step.target);
      return true;
    case InstallStep::Kind::ManifestUnreadable:
      throw InstallFailure("the install manifest cannot be read");
    case InstallStep::Kind::Shortcut:
      CreateDesktopShortcut(step.source, "", step.target, kDictionaryShortcutName);
      return true;
    case InstallStep::Kind::Settings:
      SaveDataFolderSetting(step.target);
      return true;
  }
  return false;
}

bool RunInstallSteps(const std::vector<InstallStep>& steps) {
  bool success = true;
  for (const InstallStep& step : steps) {
    if (!RunInstallStep(step) && step.feedsFlag) success = false;
  }
  return success;
}

DiscManifest ReadDiscManifest() {
  DiscManifest manifest;
  if (!Sys().fileExists(kInstallManifestPath)) return manifest;
  std::string bytes;
  if (!Sys().readFile(kInstallManifestPath, bytes)) {
    manifest.state = DiscManifest::State::Unreadable;
    return manifest;
  }
  manifest.state = DiscManifest::State::Read;
  manifest.entries = ReadInstallManifest(bytes);
  return manifest;
}

}  // namespace velm
