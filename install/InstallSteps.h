// The installation's steps (InstallPlan.h) carried out over Win32, through the seam (SysCalls.h),
// and the folder calls the OK handler makes: the existence test and the creation of a folder
// chain.
#pragma once

#include <string>
#include <vector>

#include "InstallPlan.h"

namespace velm {

// Carries out one step; true when it succeeded. A copy never overwrites; a refused step fails.
bool RunInstallStep(const InstallStep& step);

// Carries out every step in order, each whatever the ones before it gave, and undoes nothing.
// False when a step that feeds the success flag failed.
bool RunInstallSteps(const std::vector<InstallStep>& steps);

// True when the path's attributes can be read and include the directory attribute.
bool FolderExists(const std::string& path);

// Makes `path` and any missing folder above it, outermost first, stopping at the first level
// that fails. After dropping one trailing backslash, a path shorter than 3 characters, one that
// exists, or one without a parent part (a root) is left alone. False when a level failed.
bool CreateFolderChain(std::string path);

}  // namespace velm
