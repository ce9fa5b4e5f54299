// The dialog entries' shared skeleton (see DialogEntry.h).
#include "DialogEntry.h"

#include <windows.h>

#include "Application.h"

namespace tk {

void ReportProblem(const char* message) noexcept {
  try {
    Application::instance().messageBox(message);
  } catch (...) {
    // The message box itself failed: there is no other way to tell the user.
  }
}

void RunDialogEntry(Form& mainWindow, const char* problemMessage,
                    const std::function<std::unique_ptr<Form>()>& makeDialog,
                    const std::function<bool(int modalResult)>& closed,
                    const std::function<void()>& cleanUp) {
  bool failed = false;
  bool runCleanUp = true;
  std::unique_ptr<Form> dialog;
  try {
    dialog = makeDialog();
    const int result = dialog->showModal();
    SetFocus(mainWindow.handle());
    runCleanUp = closed(result);
  } catch (...) {
    // A failure of the entry itself: reported once the clean-up has run.
    failed = true;
  }
  try {
    dialog.reset();
    if (runCleanUp) cleanUp();
  } catch (...) {
    // A failure of the clean-up is the entry's failure too; it is reported below, once.
    failed = true;
  }
  if (failed) ReportProblem(problemMessage);
}

}  // namespace tk
