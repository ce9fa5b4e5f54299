// The installation as the main window's install entry runs it: a fresh folder dialog in mode
// "INSTALL", shown modally; its OK handler creates the folder and copies (InstallFiles.cpp).
#pragma once

#include "Form.h"

namespace velm {

// Runs the whole flow for the install entry of `mainWindow`, which gets the focus back when the
// dialog closes. Every failure is caught here and reported by one message box; nothing is raised
// to the caller. Whatever happened, the flow ends with `SourceFolder` as the working directory.
void RunInstallFlow(tk::Form& mainWindow);

}  // namespace velm
