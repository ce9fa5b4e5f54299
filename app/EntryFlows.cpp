// The entries of the install and removal flows on the main window: each hands the dictionary's
// folder, cut from the command line once when the window was first shown, to its flow.
#include "EntryFormU.h"

#include "InstallFlow.h"
#include "UninstallFlow.h"

namespace velm {

void TEntryForm::UninstallLabelClick(tk::Control&) {
  RunUninstallFlow(*this, SourceFolder);
}

void TEntryForm::InstallLabelClick(tk::Control&) {
  RunInstallFlow(*this, SourceFolder);
}

}  // namespace velm
