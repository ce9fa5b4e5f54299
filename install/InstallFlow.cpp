// The install entry's flow (see InstallFlow.h).
#include "InstallFlow.h"

#include <memory>

#include "Application.h"
#include "DiscFacts.h"
#include "EntryFlow.h"
#include "SelectCustomDirFormU.h"
#include "SysCalls.h"

namespace velm {

void RunInstallFlow(tk::Form& mainWindow) {
  RunEntryFlow(
      mainWindow, kInstallEntryProblemMessage,
      [] {
        auto dialog = std::make_unique<TSelectCustomDirForm>();
        dialog->FMode = "INSTALL";
        return std::unique_ptr<tk::Form>(std::move(dialog));
      },
      [](tk::Form& form, int result) {
        const std::string folder = static_cast<TSelectCustomDirForm&>(form).Dir_Edit->text();
        // Confirmed, yet no program file where it was to be installed.
        if (result == tk::mrOk && !folder.empty() &&
            !Sys().fileExists(folder + "\\" + kProgramFile))
          tk::Application::instance().messageBox(kInstallEntryProblemMessage);
        return true;
      });
}

}  // namespace velm
