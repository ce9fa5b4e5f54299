// The install entry's flow (see InstallFlow.h).
#include "InstallFlow.h"

#include <windows.h>

#include <memory>

#include "Application.h"
#include "DiscFacts.h"
#include "PelmoraLib.h"
#include "SelectCustomDirFormU.h"
#include "SysCalls.h"

namespace velm {

void RunInstallFlow(tk::Form& mainWindow) {
  bool failed = false;
  std::unique_ptr<TSelectCustomDirForm> dialog;
  try {
    // A fresh dialog with no owner; the one made at start-up is never used.
    dialog = std::make_unique<TSelectCustomDirForm>();
    dialog->FMode = "INSTALL";
    const int result = dialog->showModal();
    SetFocus(mainWindow.handle());
    const std::string folder = dialog->Dir_Edit->text();
    if (result == tk::mrOk && !folder.empty() && !Sys().fileExists(folder + "\\" + kProgramFile))
      tk::Application::instance().messageBox(kInstallEntryProblemMessage);
  } catch (...) {
    failed = true;
  }
  try {
    dialog.reset();
  } catch (...) {
    failed = true;
  }
  Sys().setCurrentDirectory(SourceFolder);
  if (failed) {
    try {
      tk::Application::instance().messageBox(kInstallEntryProblemMessage);
    } catch (...) {
    }
  }
}

}  // namespace velm
