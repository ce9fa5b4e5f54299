// The removal flow (see UninstallFlow.h): the confirmation, the removal (Removal.h), termination.
#include "UninstallFlow.h"

#include <memory>

#include "Application.h"
#include "ConfirmUninstallFormU.h"
#include "DialogEntry.h"
#include "PelmoraLib.h"
#include "Removal.h"

namespace velm {

void RunUninstallFlow(tk::Form& mainWindow, const std::string& installedFolder) {
  tk::RunDialogEntry(
      mainWindow, kUninstallProblemMessage,
      [] { return std::make_unique<TConfirmUninstallForm>(); },
      [&](int result) {
        if (result != tk::mrOk) return true;
        if (!Remove(RemovalRequest{installedFolder})) {
          // A failed removal is reported at once, while the confirmation window still exists
          // (hidden), and not again by the entry; what was done stays done.
          tk::ReportProblem(kUninstallProblemMessage);
          return true;
        }
        // The script runs: the working directory stays on the desktop, and this program ends.
        tk::Application::instance().terminate();
        return false;
      },
      [&] { WorkInSourceFolder(installedFolder); });
}

}  // namespace velm
