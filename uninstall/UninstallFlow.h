// The removal of the installed dictionary, as the main window's removal entry runs it: ask with
// a fresh confirmation window; on "Ναι" delete the desktop shortcut, write "uninst.bat" on the
// desktop, ask the dictionary's window to quit, start the script hidden and end this program.
#pragma once

#include <string>

#include "DiscFacts.h"
#include "Form.h"
#include "PelmoraLib.h"

namespace velm {

// Runs the whole flow for the removal entry of `mainWindow`, which gets the focus back when the
// confirmation window closes, removing the dictionary installed in `installedFolder` (the
// command line's folder, ending in a backslash). Every failure is caught here and reported by
// one message box; nothing is raised to the caller.
//
// A confirmed removal (Remove, Removal.h) may be refused before anything is deleted or written.
// After the script has been started the current folder is the desktop and stays there, and the
// program ends. Otherwise the flow ends with `installedFolder` as the current folder.
void RunUninstallFlow(tk::Form& mainWindow, const std::string& installedFolder = SourceFolder);

}  // namespace velm
