// The removal of the installed dictionary, as the main window's removal entry runs it: ask with
// a fresh confirmation window; on "Ναι" delete the desktop shortcut, write "uninst.bat" on the
// desktop, ask the dictionary's window to quit, start the script hidden and end this program.
#pragma once

#include <string>

#include "DiscFacts.h"
#include "Form.h"

namespace velm {

// Runs the whole flow for the removal entry of `mainWindow`, which gets the focus back when the
// confirmation window closes. Every failure is caught here and reported by one message box;
// nothing is raised to the caller.
//
// A confirmed removal is refused, before anything is deleted or written, when `SourceFolder`
// does not name a folder that is safe to remove (see RemovalFolderOf) or when that folder or the
// desktop has a character the console code page lacks. After the script has been started the
// current folder is the desktop and stays there: the script must not be kept from removing the
// folder by a process standing in it. Otherwise the flow ends with `SourceFolder` as the
// current folder.
void RunUninstallFlow(tk::Form& mainWindow);

}  // namespace velm
