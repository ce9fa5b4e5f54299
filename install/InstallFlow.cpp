// The install entry's flow (see InstallFlow.h).
#include "InstallFlow.h"

#include <memory>

#include "Application.h"
#include "DialogEntry.h"
#include "DiscFacts.h"
#include "SelectCustomDirFormU.h"
#include "SysCalls.h"

namespace velm {

void RunInstallFlow(tk::Form& mainWindow, const std::string& sourceFolder) {
  TSelectCustomDirForm* dialog = nullptr;
  tk::RunDialogEntry(
      mainWindow, kInstallEntryProblemMessage,
      [&] {
        auto made = std::make_unique<TSelectCustomDirForm>();
        made->FMode = "INSTALL";
        made->setDiscFolder(sourceFolder);
        dialog = made.get();
        return std::unique_ptr<tk::Form>(std::move(made));
      },
      [&](int result) {
        // Confirmed, yet no program file where it was to be installed.
        const std::string& folder = dialog->outcome().folder;
        if (result == tk::mrOk && !folder.empty() &&
            !Sys().fileExists(folder + "\\" + kProgramFile))
          tk::Application::instance().messageBox(kInstallEntryProblemMessage);
        return true;
      },
      [&] { WorkInSourceFolder(sourceFolder); });
}

}  // namespace velm
