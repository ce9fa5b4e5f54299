// The installation's steps over Win32 (see InstallSteps.h). Kept to plain calls, one a step, so
// that the copy loop costs what CopyFileA costs.
#include "InstallSteps.h"

#include <windows.h>

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

bool FolderExists(const std::string& path) {
  const DWORD attributes = Sys().getFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolderChain(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.size() < 3 || FolderExists(path)) return true;
  // The parent part: everything up to the last backslash or drive colon, that one included.
  const size_t cut = path.find_last_of("\\:");
  if (cut == std::string::npos) return Sys().createDirectory(path);
  const std::string parent = path.substr(0, cut + 1);
  if (parent == path) return true;
  return CreateFolderChain(parent) && Sys().createDirectory(path);
}

}  // namespace velm
