// The installation as one call (see Installation.h).
#include "Installation.h"

#include <windows.h>

#include "InstallSteps.h"
#include "PelmoraLib.h"

namespace velm {

namespace {

// "X:\..." or "\\...": a path that names its drive or share and its root.
bool IsFullyQualified(const std::string& path) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// The chosen folder resolved against the working directory of this moment, which is the folder
// dialog's list's folder; a fully qualified one as it is. The copies run from the disc's folder,
// the shortcut and the settings file are read from anywhere: each must get the same folder.
std::string ResolveChosenFolder(const std::string& folder) {
  if (IsFullyQualified(folder)) return folder;
  const DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return folder;
  std::string full(needed, '\0');
  const DWORD count = GetFullPathNameA(folder.c_str(), needed, &full[0], nullptr);
  if (count == 0 || count >= needed) return folder;
  full.resize(count);
  return full;
}

}  // namespace

Installation::Installation(InstallRequest request) : request_(std::move(request)) {
  outcome_.folder = ResolveChosenFolder(request_.folder);
  steps_ = PlanChosenFolder(outcome_.folder);
}

bool Installation::finish(InstallOutcome::Kind kind) {
  outcome_.kind = kind;
  finished_ = true;
  return false;
}

void Installation::beginCopying() {
  copying_ = true;
  // The sources are relative to the disc's folder; the directory list may have moved the working
  // directory anywhere.
  WorkInSourceFolder(request_.sourceFolder);
  for (InstallStep& step : PlanInstallation(outcome_.folder, ReadDiscManifest()))
    steps_.push_back(std::move(step));
}

bool Installation::next() {
  if (finished_) return false;
  try {
    if (index_ == steps_.size()) {
      if (!folderReady_) {
        // The chosen folder's steps are done: it must exist now.
        if (!FolderExists(outcome_.folder)) return finish(InstallOutcome::Kind::FolderNotMade);
        if (!request_.copy) return finish(InstallOutcome::Kind::FolderReady);
        folderReady_ = true;
        return true;
      }
      if (!copying_) {
        beginCopying();
        return true;
      }
      return finish(success_ ? InstallOutcome::Kind::Done : InstallOutcome::Kind::DoneWithProblems);
    }
    const InstallStep& step = steps_[index_++];
    const bool succeeded = RunInstallStep(step);
    if (step.is<InstallStep::FolderRule>()) {
      // The rule guards the installation only; the other modes take any folder that exists.
      if (!succeeded && request_.copy) return finish(InstallOutcome::Kind::Refused);
    } else if (!succeeded && step.feedsFlag) {
      success_ = false;
    }
    return true;
  } catch (...) {
    // A step that raised abandons the rest; what was done stays done.
    return finish(InstallOutcome::Kind::Stopped);
  }
}

InstallOutcome Install(const InstallRequest& request) {
  Installation installation(request);
  while (installation.next()) {
  }
  return installation.outcome();
}

}  // namespace velm
