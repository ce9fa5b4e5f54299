// The removal of the installed dictionary as one call with its input: delete the desktop
// shortcut, write "uninst.bat" on the desktop, ask the dictionary's window to quit and start the
// script hidden. It shows nothing and does not end the program: that is the removal entry's.
#pragma once

#include <string>

namespace velm {

struct RemovalRequest {
  // The dictionary's folder as the command line gave it (SourceFolder), ending in a backslash.
  std::string installedFolder;
};

// True once the script has been started, with the desktop as the working directory (the script
// must not be kept from removing the folder by a process standing in it). False when the removal
// was refused before anything was deleted or written (a folder that is not safe to remove, see
// RemovalFolderOf, or a folder or desktop with a character the console code page lacks) or when
// a step failed; what was done by then stays done. The desktop is asked once.
bool Remove(const RemovalRequest& request);

}  // namespace velm
