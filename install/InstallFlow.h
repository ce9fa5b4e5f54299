// The installation as the main window's install entry runs it: a fresh folder dialog in mode
// "INSTALL", shown modally; its OK handler hands the chosen folder to the installation
// (Installation.h), and the entry reads what came of it once the dialog has closed.
#pragma once

#include <string>

#include "Form.h"
#include "PelmoraLib.h"

namespace velm {

// Runs the whole flow for the install entry of `mainWindow`, which gets the focus back when the
// dialog closes, installing from the disc's folder `sourceFolder`. Every failure is caught here
// and reported by one message box; nothing is raised to the caller. Whatever happened, the flow
// ends with `sourceFolder` as the working directory.
void RunInstallFlow(tk::Form& mainWindow, const std::string& sourceFolder = SourceFolder);

}  // namespace velm
