// The removal as one call (see Removal.h): the script written through the seam's text files in
// the console code page, the quit message, the hidden start.
#include "Removal.h"

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "ConsoleText.h"
#include "DiscFacts.h"
#include "PelmoraLib.h"
#include "SysCalls.h"
#include "UninstallScript.h"

namespace velm {

namespace {

class RemovalFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The desktop folder: as the file calls take it (ANSI) and as the script names it (console code
// page).
struct DesktopPath {
  std::string ansi;
  std::string console;
};

DesktopPath AskDesktop() {
  DesktopPath desktop;
  desktop.ansi = GetDesktopFolder();
  if (!IsScriptSafePath(desktop.ansi) || !AnsiToConsoleText(desktop.ansi, &desktop.console) ||
      !IsScriptSafePath(desktop.console))
    throw RemovalFailure("the desktop folder cannot be named in the script");
  return desktop;
}

// The confirmed removal. Returns once the script has been started; raises on any failure, and
// what was done by then stays done.
void RemoveInstallation(const RemovalRequest& request) {
  // Refused before anything is deleted or written: a folder the script must not be pointed at,
  // or paths the command interpreter would read as other names.
  std::string folder;
  if (!RemovalFolderOf(request.installedFolder, &folder))
    throw RemovalFailure("the dictionary folder is not one a removal may delete");
  std::string folderForScript;
  if (!IsRemovableFolder(folder, &folderForScript))
    throw RemovalFailure("the dictionary folder cannot be named in the script");
  // One desktop for the whole removal: the script's lines and its start all name the same one.
  const DesktopPath desktop = AskDesktop();

  DeleteDesktopShortcut(kDictionaryShortcutName);

  std::unique_ptr<TextWriter> script = Sys().createText(desktop.ansi + "\\" + kScriptName);
  if (!script) throw RemovalFailure("the removal script cannot be created");
  // Each line is written before the next is formed.
  for (const ScriptLineTemplate& line : kUninstallScript) {
    const std::string path = ScriptTargetPath(
        line.target, folderForScript, NeedsDesktop(line.target) ? desktop.console : std::string());
    if (!script->writeLine(FormatScriptLine(line, path)))
      throw RemovalFailure("the removal script cannot be written");
  }
  if (!script->close()) throw RemovalFailure("the removal script cannot be written");

  // The quit message goes out before the script starts; nothing waits in between. A missing
  // window gives a null handle, and the message then comes to this thread, which is ending
  // anyway.
  Sys().postMessage(Sys().findWindow(nullptr, kDictionaryWindowTitle), WM_QUIT, 0, 0);

  // Windows refuses to remove a folder that is some process's current folder, and the script
  // starts in this program's: both stand on the desktop from here on. The command line is the
  // path as it is, unquoted; a path with blanks is found by CreateProcess's own search.
  WorkOnDesktop(desktop.ansi);
  Sys().winExec(desktop.ansi + "\\" + kScriptName, SW_HIDE);
}

}  // namespace

bool Remove(const RemovalRequest& request) {
  try {
    RemoveInstallation(request);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace velm
