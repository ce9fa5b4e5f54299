// The removal flow (see UninstallFlow.h): the confirmation, the script written through the
// seam's text files in the console code page, the quit message, the hidden start, termination.
#include "UninstallFlow.h"

#include <windows.h>

#include <memory>
#include <stdexcept>

#include "Application.h"
#include "ConfirmUninstallFormU.h"
#include "ConsoleText.h"
#include "EntryFlow.h"
#include "PelmoraLib.h"
#include "SysCalls.h"
#include "UninstallScript.h"

namespace velm {

namespace {

class RemovalFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The desktop folder, asked afresh: as the file calls take it (ANSI) and as the script names it
// (console code page).
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
void RemoveInstallation() {
  // Refused before anything is deleted or written: a folder the script must not be pointed at,
  // or paths the command interpreter would read as other names.
  std::string folder;
  if (!RemovalFolderOf(SourceFolder, &folder))
    throw RemovalFailure("the dictionary folder is not one a removal may delete");
  std::string folderForScript;
  if (!IsRemovableFolder(folder, &folderForScript))
    throw RemovalFailure("the dictionary folder cannot be named in the script");
  AskDesktop();

  DeleteDesktopShortcut(kDictionaryShortcutName);

  std::unique_ptr<TextWriter> script = Sys().createText(AskDesktop().ansi + "\\" + kScriptName);
  if (!script) throw RemovalFailure("the removal script cannot be created");
  // Each line is written before the next is formed; the desktop is asked afresh for the lines
  // that name it.
  for (const ScriptLineTemplate& line : kUninstallScript) {
    const std::string desktop = NeedsDesktop(line.target) ? AskDesktop().console : std::string();
    const std::string path = ScriptTargetPath(line.target, folderForScript, desktop);
    if (!script->writeLine(FormatScriptLine(line, path)))
      throw RemovalFailure("the removal script cannot be written");
  }
  if (!script->close()) throw RemovalFailure("the removal script cannot be written");

  // The quit message goes out before the script starts, and the script starts before this
  // program asks to end; nothing waits in between. A missing window gives a null handle, and the
  // message then comes to this thread, which is ending anyway.
  Sys().postMessage(Sys().findWindow(nullptr, kDictionaryWindowTitle), WM_QUIT, 0, 0);

  // Windows refuses to remove a folder that is some process's current folder, and the script
  // starts in this program's: both stand on the desktop from here on. The command line is the
  // path as it is, unquoted; a path with blanks is found by CreateProcess's own search.
  const std::string desktop = AskDesktop().ansi;
  Sys().setCurrentDirectory(desktop);
  Sys().winExec(desktop + "\\" + kScriptName, SW_HIDE);

  tk::Application::instance().terminate();
}

}  // namespace

void RunUninstallFlow(tk::Form& mainWindow) {
  RunEntryFlow(
      mainWindow, kUninstallProblemMessage,
      [] { return std::make_unique<TConfirmUninstallForm>(); },
      [](tk::Form&, int result) {
        if (result != tk::mrOk) return true;
        try {
          RemoveInstallation();
        } catch (...) {
          // A failed removal is reported at once, while the confirmation window still exists
          // (hidden), and not again by the entry; what was done stays done.
          ReportFlowProblem(kUninstallProblemMessage);
          return true;
        }
        // The script runs: the working directory stays on the desktop.
        return false;
      });
}

}  // namespace velm
