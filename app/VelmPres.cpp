// The program entry: initialises the application, creates the main window and runs the
// message loop until the application is terminated.
//
// Built twice: as VelmPres.exe, and with VELM_INSTALL_ENTRY_VISIBLE as the test host
// velminstallentry.exe, the same program whose install entry is shown once the main window is,
// so that the installation can be driven from outside.
#include <windows.h>

#include "Application.h"
#include "ConfirmUninstallFormU.h"
#include "DiscFacts.h"
#include "EntryFormU.h"
#include "PelmoraLib.h"
#include "SelectCustomDirFormU.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velm::ComApartment com;  // COM for the user-interface thread, for the shell link object
  tk::Application& app = tk::Application::instance();
  try {
    app.setTitle(velm::kAppTitle);
    app.setIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)));
    velm::TEntryForm entryForm;
    app.setMainForm(&entryForm);
    // Never shown: each installation and each removal makes its own.
    velm::TSelectCustomDirForm SelectCustomDirForm;
    velm::TConfirmUninstallForm ConfirmUninstallForm;
    entryForm.show();
#ifdef VELM_INSTALL_ENTRY_VISIBLE
    entryForm.InstallLabel->show();
#endif
    app.run();
    app.setMainForm(nullptr);
  } catch (...) {
    // The main window could not be made or run: the program ends with code 1, showing nothing.
    return 1;
  }
  return 0;
}
