// The shared platform routines: the desktop folder and its shortcuts, the data-folder settings
// file, the Windows release, and the unit's globals. All strings are 8-bit, in the program's code
// page; paths that come from the system are in its ANSI code page and are used as they come.
// Call them on the user-interface thread, inside the COM apartment made by a ComApartment.
#pragma once

#include <stdexcept>
#include <string>

#include "WindowsVersion.h"

namespace velm {

// The dictionary program's folder given on the command line, ending in a backslash.
extern std::string SourceFolder;
// The settings file's path once the first SaveDataFolderSetting of the run has worked it out.
extern std::string SettingsFilePath;

// The shell link object could not be created, or lacks IShellLinkA or IPersistFile.
class ShortcutError : public std::runtime_error {
 public:
  ShortcutError(const std::string& what, long hresult)
      : std::runtime_error(what), hresult_(hresult) {}
  // The platform's failure code (an HRESULT).
  long hresult() const { return hresult_; }

 private:
  long hresult_;
};

// The current user's desktop directory, without a trailing backslash; empty when the shell
// cannot say.
std::string GetDesktopFolder();

// Writes the shortcut `shortcutName` (".lnk" included) on the desktop, pointing at `target` with
// `arguments` and `workingFolder`. Raises ShortcutError only when the link object cannot be made;
// a refused property or a failed save goes unnoticed.
void CreateDesktopShortcut(const std::string& target, const std::string& arguments,
                           const std::string& workingFolder, const std::string& shortcutName);

// Deletes the file `shortcutName` from the desktop; a missing one is no error. Reports nothing.
void DeleteDesktopShortcut(const std::string& shortcutName);

// Records `folder` as the one line of the dictionary's settings file. Never raises, never shows.
void SaveDataFolderSetting(const std::string& folder);

// True when the path's attributes can be read and include the directory attribute.
bool FolderExists(const std::string& path);

// Makes `path` and any missing folder above it, outermost first, stopping at the first level
// that fails. After dropping one trailing backslash, a path shorter than 3 characters, one that
// exists, or one without a parent part (a root) is left alone. False when a level failed.
bool CreateFolderChain(std::string path);

// ---- The working directory. Besides the folder dialog's directory list, which navigates by
// moving it (tk::DirectoryList), these are the only places the program moves it; neither result
// is examined.

// The disc's folder: the installation reads its sources relative to it, and each entry of the
// main window comes back to it once its dialog has closed.
void WorkInSourceFolder(const std::string& sourceFolder);
// The desktop: a confirmed removal stands there while its script removes the dictionary's
// folder, which Windows refuses to remove while a process stands in it.
void WorkOnDesktop(const std::string& desktop);

// The running Windows release; WindowsUnknown when the query fails. Never raises.
TWindowsVersion GetWindowsVersion();

// COM for the calling thread (a single-threaded apartment) for the lifetime of the object: the
// program makes one for its user-interface thread at start-up.
class ComApartment {
 public:
  ComApartment();
  ~ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // Whether CoInitialize succeeded (and CoUninitialize will be called).
  bool initialised() const { return initialised_; }

 private:
  bool initialised_;
};

}  // namespace velm
