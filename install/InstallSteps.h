// The installation's steps (InstallPlan.h) carried out over Win32: the files and folders through
// the seam (SysCalls.h), the shortcut and the settings file through the shared routines.
#pragma once

#include <stdexcept>
#include <vector>

#include "InstallPlan.h"

namespace velm {

// A step that stops the installation: the manifest that is there cannot be read.
class InstallFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Carries out one step; true when it succeeded. A copy never overwrites; a refused step fails;
// the folder rule succeeds for a folder the removal may delete.
// Raises InstallFailure for a manifest that cannot be read, and ShortcutError when the shortcut's
// link object cannot be made.
bool RunInstallStep(const InstallStep& step);

// The manifest as the installation finds it: `discFolder` followed directly by its path, so
// relative to the working directory when `discFolder` is empty.
DiscManifest ReadDiscManifest(const std::string& discFolder = std::string());

}  // namespace velm
