// The entries of the install and removal flows on the main window.
#include "EntryFormU.h"

namespace velm {

void TEntryForm::UninstallLabelClick(tk::Control&) {}

void TEntryForm::InstallLabelClick(tk::Control&) {}

}  // namespace velm
