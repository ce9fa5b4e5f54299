// The entries' shared skeleton (see EntryFlow.h).
#include "EntryFlow.h"

#include <windows.h>

#include "Application.h"
#include "PelmoraLib.h"
#include "SysCalls.h"

namespace velm {

void ReportFlowProblem(const char* message) noexcept {
  try {
    tk::Application::instance().messageBox(message);
  } catch (...) {
    // The message box itself failed: there is no other way to tell the user.
  }
}

void RunEntryFlow(tk::Form& mainWindow, const char* problemMessage,
                  const std::function<std::unique_ptr<tk::Form>()>& makeDialog,
                  const std::function<bool(tk::Form& dialog, int modalResult)>& closed) {
  bool failed = false;
  bool backToSource = true;
  std::unique_ptr<tk::Form> dialog;
  try {
    dialog = makeDialog();
    const int result = dialog->showModal();
    SetFocus(mainWindow.handle());
    backToSource = closed(*dialog, result);
  } catch (...) {
    // A failure of the entry itself: reported once the clean-up has run.
    failed = true;
  }
  try {
    dialog.reset();
    if (backToSource) Sys().setCurrentDirectory(SourceFolder);
  } catch (...) {
    // A failure of the clean-up is the entry's failure too; it is reported below, once.
    failed = true;
  }
  if (failed) ReportFlowProblem(problemMessage);
}

}  // namespace velm
