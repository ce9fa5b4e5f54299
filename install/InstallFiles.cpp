// The folder dialog's OK handler and the copying of the installation (see SelectCustomDirFormU.h):
// the chosen folder made absolute, checked against the removal's folder rule and created by its
// planned step, then the planned installation carried out from the disc's folder (InstallPlan.h)
// and the one message of the outcome.
#include <windows.h>

#include "Application.h"
#include "ConsoleText.h"
#include "EntryFlow.h"
#include "InstallSteps.h"
#include "PelmoraLib.h"
#include "SelectCustomDirFormU.h"
#include "SysCalls.h"
#include "UninstallFlow.h"

namespace velm {

namespace {

// "X:\..." or "\\...": a path that names its drive or share and its root.
bool IsFullyQualified(const std::string& path) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// `folder` resolved against the working directory of this moment, which is the directory list's
// folder; a fully qualified one as it is. The copies run from the disc's folder, the shortcut and
// the settings file are read from anywhere: each must get the same folder.
std::string AbsoluteFolder(const std::string& folder) {
  if (IsFullyQualified(folder)) return folder;
  const DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return folder;
  std::string full(needed, '\0');
  const DWORD count = GetFullPathNameA(folder.c_str(), needed, &full[0], nullptr);
  if (count == 0 || count >= needed) return folder;
  full.resize(count);
  return full;
}

// Whether the removal could later delete what is installed into `folder`: the removal's own
// folder rule, for the folder without its trailing backslash.
bool IsInstallableFolder(std::string folder) {
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return IsRemovableFolder(folder);
}

}  // namespace

// A user event, through the toolkit's guard: a failure ends it silently, and the dialog stays open
// unless its result was set.
void TSelectCustomDirForm::BitBtn1Click(tk::Control&) {
  tk::Application& app = tk::Application::instance();
  std::string folder = Dir_Edit->text();
  if (folder.empty()) {
    // Closes as confirmed; the entry then sees the empty field and does nothing more.
    setModalResult(tk::mrOk);
    return;
  }
  folder = AbsoluteFolder(folder);
  const bool install = FMode == "INSTALL";
  // What is installed must be removable: a folder the removal would refuse is refused here,
  // before anything is written, as a folder that cannot be created is.
  if (install && !IsInstallableFolder(folder)) {
    app.messageBox(kFolderCreationMessage);
    return;
  }
  RunInstallStep(PlanNewFolder(folder));
  if (!FolderExists(folder)) {
    app.messageBox(kFolderCreationMessage);
    return;
  }
  // The one folder every later step reads, the entry included.
  Dir_Edit->setText(folder);
  if (!install)
    setModalResult(tk::mrOk);
  else
    setModalResult(Install_Files() ? tk::mrOk : tk::mrCancel);
}

bool TSelectCustomDirForm::Install_Files() {
  tk::Application& app = tk::Application::instance();
  try {
    app.setCursor(tk::AppCursor::HourGlass);
    // The sources are relative to the disc's folder; the directory list may have moved the
    // working directory anywhere.
    Sys().setCurrentDirectory(SourceFolder);
    const bool success = RunInstallSteps(PlanInstallation(Dir_Edit->text(), ReadDiscManifest()));
    // The plain arrow from here on, over every control, until the program ends.
    app.setCursor(tk::AppCursor::Arrow);
    app.messageBox(success ? kInstallDoneMessage : kInstallProblemMessage);
    return true;
  } catch (...) {
    // A step that raised (the manifest cannot be read, the shortcut's link object cannot be
    // made) abandons the rest: the arrow back, and false, which closes the dialog as cancelled.
    // Files may have been copied already: closing in silence would read as success, so the
    // problems message is shown.
    app.setCursor(tk::AppCursor::Arrow);
    ReportFlowProblem(kInstallProblemMessage);
    return false;
  }
}

}  // namespace velm
