// The program entry: initialises the application, creates the main window and runs the
// message loop until the application is terminated.
#include <windows.h>

#include "Application.h"
#include "ConfirmUninstallFormU.h"
#include "EntryFormU.h"
#include "PelmoraLib.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  velm::ComApartment com;  // COM for the user-interface thread, for the shell link object
  tk::Application& app = tk::Application::instance();
  try {
    app.initialize();
    app.setTitle("Εκδόσεις Βελμαρόδη");
    app.setIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APP)));
    velm::TEntryForm entryForm;
    app.setMainForm(&entryForm);
    velm::TConfirmUninstallForm ConfirmUninstallForm;  // never shown: each removal makes its own
    entryForm.show();
    app.run();
    app.setMainForm(nullptr);
  } catch (...) {
    return 1;
  }
  return 0;
}
