// The installation's steps over Win32 (see InstallSteps.h). Kept to plain calls, one a step, so
// that the copy loop costs what CopyFileA costs.
#include "InstallSteps.h"

#include <windows.h>

#include "ConsoleText.h"
#include "PelmoraLib.h"
#include "SysCalls.h"

namespace velm {

namespace {

// Each kind of step over Win32; true when it succeeded.
struct StepRunner {
  bool operator()(const InstallStep::FolderRule& s) const { return IsRemovableFolder(s.folder); }
  bool operator()(const InstallStep::FolderChain& s) const {
    // The existence test that follows decides, not the chain's own result.
    if (!FolderExists(s.folder)) CreateFolderChain(s.chain);
    return true;
  }
  bool operator()(const InstallStep::MakeFolder& s) const {
    return Sys().createDirectory(s.folder);
  }
  bool operator()(const InstallStep::EnsureFolder& s) const {
    return FolderExists(s.folder) || Sys().createDirectory(s.folder);
  }
  bool operator()(const InstallStep::Copy& s) const { return Sys().copyFile(s.from, s.to, true); }
  bool operator()(const InstallStep::ClearReadOnly& s) const {
    // Neither result counts. A file that is not there has no attributes to write back.
    const DWORD attributes = Sys().getFileAttributes(s.file);
    if (attributes != INVALID_FILE_ATTRIBUTES)
      Sys().setFileAttributes(s.file, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    return true;
  }
  bool operator()(const InstallStep::Refused&) const { return false; }
  bool operator()(const InstallStep::ManifestUnreadable&) const {
    throw InstallFailure("the install manifest cannot be read");
  }
  bool operator()(const InstallStep::Shortcut& s) const {
    CreateDesktopShortcut(s.program, "", s.workingFolder, kDictionaryShortcutName);
    return true;
  }
  bool operator()(const InstallStep::Settings& s) const {
    SaveDataFolderSetting(s.folder);
    return true;
  }
};

}  // namespace

bool RunInstallStep(const InstallStep& step) {
  return std::visit(StepRunner(), step.action);
}

DiscManifest ReadDiscManifest(const std::string& discFolder) {
  DiscManifest manifest;
  const std::string path = discFolder + kInstallManifestPath;
  if (!Sys().fileExists(path)) return manifest;
  std::string bytes;
  if (!Sys().readFile(path, bytes)) {
    manifest.state = DiscManifest::State::Unreadable;
    return manifest;
  }
  manifest.state = DiscManifest::State::Read;
  manifest.entries = ReadInstallManifest(bytes);
  return manifest;
}

}  // namespace velm
