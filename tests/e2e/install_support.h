// What the installation's end-to-end tests share: the test host velminstallentry.exe started on
// a disc folder, with Wine set to one Windows release for its exe name; "C:\Program Files" taken
// away for a while; the folder dialog opened from the install entry and answered as a person
// does; the shortcut read back through the shell link object; and the settings file. The
// removal's helpers (trees, the moved desktop, message boxes) are used as they are.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "DiscFacts.h"
#include "E2e.h"
#include "RemovalE2e.h"
#include "ShellLinks.h"

namespace e2e {
namespace install {

using uninstall::AnswerTheMessage;
using uninstall::ButtonOf;
using uninstall::Press;
using uninstall::Snapshot;
using uninstall::Tree;

using uninstall::Digest;
using uninstall::Names;

// The sample disc's manifest entries, as the installation must lay them out under "Content".
inline const char* const kManifestFiles[] = {
    "readme.txt",
    "Οδηγίες.txt",
    "Images\\index.txt",
    "Images\\Anatomy\\skeleton.bmp",
    "Images\\Anatomy\\heart.bmp",
    "Images\\Anatomy\\Details\\cell.bmp",
    "Λήμματα\\Α.txt",
    "Λήμματα\\Β.txt",
    "Λήμματα\\Συντομογραφίες\\Λατινικές.txt",
};
inline const char* const kManifestFolders[] = {
    "Images\\",  "Images\\Anatomy\\",         "Images\\Anatomy\\Details\\",
    "Λήμματα\\", "Λήμματα\\Συντομογραφίες\\",
};

inline bool Writable(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_READONLY);
}

// The tree a full installation from the sample disc `disc` (its folder, or its drive as "R:")
// leaves: the program, the data files, the manifest's folders and files, each file with the
// disc file's bytes.
inline Tree ExpectedInstallation(const std::string& disc) {
  Tree tree;
  tree[velm::kProgramFile] = Digest(FileBytes(disc + "\\" + velm::kProgramFile));
  tree["Data\\"] = "";
  for (const char* data : velm::kDataFiles) tree[data] = Digest(FileBytes(disc + "\\" + data));
  tree["Content\\"] = "";
  for (const char* folder : kManifestFolders) tree[std::string("Content\\") + folder] = "";
  for (const char* file : kManifestFiles)
    tree[std::string("Content\\") + file] = Digest(FileBytes(disc + "\\content\\" + file));
  return tree;
}

constexpr const char* kDialogCaption = velm::kInstallDialogCaption;
constexpr const char* kDoneMessage = velm::kInstallDoneMessage;
constexpr const char* kProblemMessage = velm::kInstallProblemMessage;
constexpr const char* kEntryProblemMessage = velm::kInstallEntryProblemMessage;
constexpr const char* kCreationMessage = velm::kFolderCreationMessage;
// A point inside the install entry "Εγκατάσταση στον σκληρό δίσκο" at (248, 420).
constexpr int kEntryX = 260;
constexpr int kEntryY = 426;

inline std::string InstallEntryExe() {
  return std::string(VELM_E2E_BUILD_DIR) + "\\bin\\velminstallentry.exe";
}

// Wine set to pretend to be one Windows release for one exe name (a key under AppDefaults),
// for the lifetime of the object: the test host is copied to that name in `folder`.
class WineRelease {
 public:
  WineRelease(const std::string& folder, const std::string& release)
      : exe_(folder + "\\velminstallentry_" + release + ".exe"),
        key_("Software\\Wine\\AppDefaults\\velminstallentry_" + release + ".exe") {
    CopyFileA(InstallEntryExe().c_str(), exe_.c_str(), FALSE);
    uninstall::SetUserText(key_, "Version", REG_SZ, release);
  }
  ~WineRelease() { RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str()); }
  WineRelease(const WineRelease&) = delete;
  WineRelease& operator=(const WineRelease&) = delete;
  const std::string& exe() const { return exe_; }

 private:
  std::string exe_, key_;
};

// "C:\Program Files" moved aside for the lifetime of the object, and put back.
class NoProgramFiles {
 public:
  NoProgramFiles() { moved_ = MoveFileA(kFolder, kAside) != 0; }
  ~NoProgramFiles() {
    if (moved_) MoveFileA(kAside, kFolder);
  }
  NoProgramFiles(const NoProgramFiles&) = delete;
  NoProgramFiles& operator=(const NoProgramFiles&) = delete;
  bool moved() const { return moved_; }

 private:
  static constexpr char kFolder[] = "C:\\Program Files";
  static constexpr char kAside[] = "C:\\Program Files (moved by a test)";
  bool moved_ = false;
};

// The dictionary's settings file in the Windows folder, removed before and after the test.
class SettingsFile {
 public:
  SettingsFile() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    path_ = std::string(windows) + "\\" + velm::kSettingsFileName;
    DeleteFileA(path_.c_str());
  }
  ~SettingsFile() { DeleteFileA(path_.c_str()); }
  SettingsFile(const SettingsFile&) = delete;
  SettingsFile& operator=(const SettingsFile&) = delete;
  std::string bytes() const { return FileBytes(path_); }

 private:
  std::string path_;
};

// The test host started in the disc folder `disc` with that folder (and its backslash) as its
// argument, and idle. A drive's root ("R:\\") has its backslash already.
inline Running StartInstallEntry(const std::string& disc,
                                 const std::string& exe = InstallEntryExe()) {
  const std::string folder = disc.back() == '\\' ? disc : disc + "\\";
  return StartVelmPresIdle(disc, "\"" + folder + "\"", exe);
}

// The folder field: the dialog's second edit control (the first is the message).
inline HWND FolderField(HWND dialog) {
  const std::vector<HWND> edits = Children(dialog, "Edit");
  return edits.size() == 2 ? edits[1] : nullptr;
}
inline HWND MessageArea(HWND dialog) {
  const std::vector<HWND> edits = Children(dialog, "Edit");
  return edits.size() == 2 ? edits[0] : nullptr;
}

// Clicks the install entry and waits for the dialog to be up, active and holding the focus in
// its folder field, as a person waits before typing; null when it did not come.
inline HWND OpenFolderDialog(const Running& app) {
  if (!Click(app.window, kEntryX, kEntryY)) {
    ADD_FAILURE() << "the main window was not up for input";
    return nullptr;
  }
  HWND dialog = app.process->waitForWindow(kDialogCaption, 10000);
  if (!dialog) return nullptr;
  const bool ready = WaitUntilReadyForInput(dialog) && WaitUntil([dialog] {
                       HWND field = FolderField(dialog);
                       return field && FocusOf(dialog) == field;
                     });
  return ready ? dialog : nullptr;
}

// Replaces the folder field's text, as typing it over the selection does.
inline void TypeFolder(HWND dialog, const std::string& folder) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(FolderField(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
}

// A message after which the dialog stays open: a folder that cannot be made or used, a disk
// without the space the installation needs.
inline bool KeepsTheDialogOpen(const std::string& message) {
  const std::string noSpace = velm::NoSpaceMessage(0, 0);
  return message == kCreationMessage ||
         message.compare(0, noSpace.find('0'), noSpace, 0, noSpace.find('0')) == 0;
}

// Types `folder`, presses OK and answers the messages that follow, in order. A refused folder
// shows one and the dialog stays open; otherwise the dialog's own message comes when the copying
// is done, and the entry's, if any, before the closed dialog is freed.
inline std::vector<std::string> InstallInto(const Running& app, HWND dialog,
                                            const std::string& folder) {
  TypeFolder(dialog, folder);
  Press(dialog, "OK");
  std::vector<std::string> messages;
  HWND box = app.process->waitForMessageBox(60000);
  while (box) {
    if (!WaitUntilReadyForInput(box)) {
      messages.push_back("(the message box did not come up for input)");
      break;
    }
    messages.push_back(MessageBoxText(box));
    AnswerMessageBox(box);
    WaitUntil([box] { return !IsWindow(box); }, 5000);
    if (KeepsTheDialogOpen(messages.back())) break;
    box = nullptr;
    WaitUntil([&] {
      if (!IsWindow(dialog)) return true;
      box = app.process->waitForMessageBox(0);
      return box != nullptr;
    });
  }
  return messages;
}

using velmtest::ReadShortcut;
using velmtest::ShortcutProperties;

}  // namespace install
}  // namespace e2e
