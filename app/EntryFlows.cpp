// The entries of the install and removal flows on the main window.
#include "EntryFormU.h"

#include "InstallFlow.h"
#include "UninstallFlow.h"

namespace velm {

void TEntryForm::UninstallLabelClick(tk::Control&) {
  RunUninstallFlow(*this);
}

void TEntryForm::InstallLabelClick(tk::Control&) {
  RunInstallFlow(*this);
}

}  // namespace velm
