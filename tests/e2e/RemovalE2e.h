// What the removal's end-to-end tests share: an installed copy of the dictionary made as the
// installation leaves it, the desktop moved through the user shell folders in the registry (and
// put back), the dictionary's shortcut, snapshots of folder trees to compare byte for byte, and
// the removal entry and its confirmation window on screen.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "DiscFacts.h"
#include "E2e.h"

namespace e2e {
namespace uninstall {

constexpr const char* kConfirmCaption = velm::kConfirmUninstallCaption;
constexpr const char* kDictionaryCaption = velm::kDictionaryWindowTitle;
constexpr const char* kProblemMessage = velm::kUninstallProblemMessage;
constexpr const char* kShortcutName = velm::kDictionaryShortcutName;
// A point inside the removal entry "Απεγκατάσταση από τον σκληρό δίσκο" at (248,420)-(442,433).
constexpr int kEntryX = 300;
constexpr int kEntryY = 426;
// How long the script may take to do its work under Wine.
constexpr DWORD kScriptTimeoutMs = 30000;

// Every file and folder under `root`, by path relative to it: a file maps to its size and a
// 64-bit FNV-1a digest of its bytes (short enough to print when trees differ), a folder (its path
// ending in a backslash) to nothing.
using Tree = std::map<std::string, std::string>;

inline std::string Digest(const std::string& bytes) {
  unsigned long long hash = 14695981039346656037ull;
  for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
  char text[48];
  wsprintfA(text, "%u bytes %08lx%08lx", static_cast<unsigned>(bytes.size()),
            static_cast<unsigned long>(hash >> 32), static_cast<unsigned long>(hash));
  return text;
}

inline void AddToSnapshot(const std::string& root, const std::string& relative, Tree& tree) {
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((root + "\\" + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = relative + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      tree[path + "\\"] = std::string();
      AddToSnapshot(root, path + "\\", tree);
    } else {
      tree[path] = Digest(FileBytes(root + "\\" + path));
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

inline Tree Snapshot(const std::string& root) {
  Tree tree;
  AddToSnapshot(root, "", tree);
  return tree;
}

// The names in a snapshot, for readable failure messages.
inline std::vector<std::string> Names(const Tree& tree) {
  std::vector<std::string> names;
  for (const auto& entry : tree) names.push_back(entry.first);
  return names;
}

// An installed copy in `folder` as the installation leaves it: "Tolvan.exe" copied from the disc
// with its read-only attribute cleared, "Data" and "Content" copied with the attributes the copy
// gives them.
inline void InstallCopy(const std::string& folder) {
  ASSERT_TRUE(MakeFolders(folder)) << folder;
  const std::string disc = SampleDisc();
  ASSERT_TRUE(CopyFileA((disc + "\\" + velm::kProgramFile).c_str(),
                        (folder + "\\" + velm::kProgramFile).c_str(), TRUE));
  SetFileAttributesA((folder + "\\" + velm::kProgramFile).c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(CopyTree(disc + "\\Data", folder + "\\Data"));
  ASSERT_TRUE(CopyTree(disc + "\\content", folder + "\\Content"));
}

// The shell's own desktop folder, as the program under test asks for it.
inline std::string ShellDesktop() {
  char path[MAX_PATH + 1] = {};
  LPITEMIDLIST location = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOPDIRECTORY, &location))) return {};
  SHGetPathFromIDListA(location, path);
  CoTaskMemFree(location);
  return path;
}

// The dictionary's shortcut on `desktop`, made with the shell's link object as the installation
// makes it.
inline void MakeShortcut(const std::string& desktop, const std::string& folder) {
  const HRESULT com = CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkA, reinterpret_cast<void**>(&link))));
  link->SetPath((folder + "\\" + velm::kProgramFile).c_str());
  link->SetArguments("");
  link->SetWorkingDirectory(folder.c_str());
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    const std::string path = desktop + "\\" + kShortcutName;
    wchar_t wide[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    file->Save(wide, FALSE);
    file->Release();
  }
  link->Release();
  if (SUCCEEDED(com)) CoUninitialize();
  ASSERT_TRUE(Exists(desktop + "\\" + kShortcutName));
}

// Sets a text value under HKEY_CURRENT_USER, making its key when it is missing.
inline void SetUserText(const std::string& key, const char* name, DWORD type,
                        const std::string& text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &handle, nullptr) != 0)
    return;
  RegSetValueExA(handle, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
}

// One registry value as it was, put back when the object goes.
class SavedValue {
 public:
  SavedValue(const char* key, const char* name) : key_(key), name_(name) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, KEY_QUERY_VALUE, &handle) != 0) return;
    DWORD size = 0;
    if (RegQueryValueExA(handle, name_.c_str(), nullptr, &type_, nullptr, &size) == 0) {
      data_.resize(size);
      existed_ = RegQueryValueExA(handle, name_.c_str(), nullptr, &type_,
                                  reinterpret_cast<BYTE*>(&data_[0]), &size) == 0;
      data_.resize(size);
    }
    RegCloseKey(handle);
  }
  ~SavedValue() {
    HKEY handle = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != 0)
      return;
    if (existed_)
      RegSetValueExA(handle, name_.c_str(), 0, type_, reinterpret_cast<const BYTE*>(data_.data()),
                     static_cast<DWORD>(data_.size()));
    else
      RegDeleteValueA(handle, name_.c_str());
    RegCloseKey(handle);
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;
  // The value's text, or empty when it is not text.
  std::string text() const {
    if (!existed_ || (type_ != REG_SZ && type_ != REG_EXPAND_SZ)) return {};
    return std::string(data_.c_str());
  }
  void forget(DWORD type, const std::string& data) {
    existed_ = true;
    type_ = type;
    data_ = data;
  }

 private:
  std::string key_, name_;
  bool existed_ = false;
  DWORD type_ = 0;
  std::string data_;
};

// The user's desktop moved to `%USERPROFILE%\<leaf>` for the lifetime of the object, through the
// user shell folders in the registry, as a Greek Windows XP names it. The folder is made, and
// removed with what is left in it afterwards; the registry is put back as it was.
class MovedDesktop {
 public:
  explicit MovedDesktop(const std::string& leaf)
      : userShellFolders_(kUserShellFolders, "Desktop"), shellFolders_(kShellFolders, "Desktop") {
    const std::string value = "%USERPROFILE%\\" + leaf;
    // A run that ended before putting the value back left the moved one: put back Wine's own.
    if (userShellFolders_.text() == value) {
      const std::string original = "%USERPROFILE%\\Desktop";
      userShellFolders_.forget(REG_EXPAND_SZ, std::string(original.c_str(), original.size() + 1));
    }
    char expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsA(value.c_str(), expanded, MAX_PATH);
    path_ = expanded;
    RemoveTree(path_);
    MakeFolders(path_);
    SetUserText(kUserShellFolders, "Desktop", REG_EXPAND_SZ, value);
  }
  ~MovedDesktop() { RemoveTree(path_); }
  MovedDesktop(const MovedDesktop&) = delete;
  MovedDesktop& operator=(const MovedDesktop&) = delete;
  const std::string& path() const { return path_; }

 private:
  static constexpr char kUserShellFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  static constexpr char kShellFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
  // Declared first: put back after the folder has gone.
  SavedValue userShellFolders_;
  SavedValue shellFolders_;
  std::string path_;
};

// Wine's X11 windows taken out of the window manager's hands for the lifetime of the object, for
// the programs started meanwhile. Under Xvfb there is no window manager, and Wine waits up to
// two seconds for one to confirm each window it unmaps: the dictionary stub then needs two
// seconds to end after its quit message, while the command interpreter runs all three passes of
// the script within a tenth of one, and "Tolvan.exe" (in use until the stub has ended) would never
// be deleted. On Windows, and under Wine with a window manager, a program ends in milliseconds.
class UnmanagedWindows {
 public:
  UnmanagedWindows() : saved_(kKey, "Managed") { SetUserText(kKey, "Managed", REG_SZ, "N"); }

 private:
  static constexpr char kKey[] = "Software\\Wine\\X11 Driver";
  SavedValue saved_;
};

// The dictionary program started from its installed folder, as its shortcut starts it.
inline std::unique_ptr<Process> StartDictionary(const std::string& folder) {
  auto dictionary = std::make_unique<Process>(folder + "\\" + velm::kProgramFile, "", folder);
  EXPECT_NE(dictionary->waitForWindow(kDictionaryCaption), nullptr)
      << "the dictionary's window did not appear";
  return dictionary;
}

// VelmPres.exe for the dictionary in `sourceFolder` (the raw argument, quoted), started in the
// sample disc so that its catalogue loads.
inline Running StartForRemoval(const std::string& sourceFolder) {
  return StartVelmPres(SampleDisc(), "\"" + sourceFolder + "\"");
}

// Reads the text of the message box that `process` shows once it is up for input, presses its OK
// and waits for it to go.
inline std::string AnswerTheMessage(const Process& process) {
  HWND box = process.waitForMessageBox();
  if (!box) return "(no message box)";
  if (!WaitUntilReadyForInput(box)) return "(the message box did not come up for input)";
  const std::string text = MessageBoxText(box);
  AnswerMessageBox(box);
  WaitUntil([box] { return !IsWindow(box); }, 5000);
  return text;
}

// Whether a message box of the program is up once the program has handled everything it was
// given to do (a message it shows comes up within that handling, not at some later time).
inline bool MessageBoxUpAfterwards(const Running& app) {
  WaitUntilInputHandled(app.window);
  return app.process->waitForMessageBox(0) != nullptr;
}

// Waits for the script to have removed the installation's own files from `folder` and itself from
// `desktop`.
inline void ExpectInstallationRemoved(const std::string& folder, const std::string& desktop) {
  const bool done = WaitUntil(
      [&] {
        return !Exists(folder + "\\Content") && !Exists(folder + "\\Data") &&
               !Exists(folder + "\\" + velm::kProgramFile) &&
               !Exists(desktop + "\\" + velm::kScriptName);
      },
      kScriptTimeoutMs, 100);
  EXPECT_TRUE(done) << "the script did not finish its work";
  EXPECT_FALSE(Exists(folder + "\\Content"));
  EXPECT_FALSE(Exists(folder + "\\Data"));
  EXPECT_FALSE(Exists(folder + "\\" + velm::kProgramFile));
  EXPECT_FALSE(Exists(desktop + "\\" + velm::kScriptName)) << "the script did not delete itself";
}

// Clicks the removal entry and waits for the confirmation window.
inline HWND OpenConfirmation(const Running& app) {
  if (!Click(app.window, kEntryX, kEntryY)) {
    ADD_FAILURE() << "the main window was not up for input";
    return nullptr;
  }
  return app.process->waitForWindow(kConfirmCaption, 10000);
}

// Confirms with Enter on the opened confirmation window and waits for both programs to end.
inline void ConfirmAndWaitForEnd(Running& app, Process& dictionary) {
  HWND confirmation = OpenConfirmation(app);
  ASSERT_NE(confirmation, nullptr) << "no confirmation window";
  ASSERT_TRUE(Key(confirmation, VK_RETURN)) << "the window was not up for input";
  ExpectEndsWithZero(*app.process, 15000);
  EXPECT_TRUE(dictionary.waitForExit(15000, nullptr)) << "the dictionary was not asked to quit";
}

// The button of a window (the confirmation, the folder dialog) with this caption.
inline HWND ButtonOf(HWND window, const std::string& caption) {
  for (HWND button : Children(window, "Button"))
    if (Text(button) == caption) return button;
  return nullptr;
}

// Presses a button of the window by clicking it, and checks that the press took, which shows at
// once: the button holds the focus (a button takes it when pressed) or was disabled by its own
// press (the folder dialog's OK while it installs), a message box is up, or the window is gone. A press that went elsewhere fails here, not in a long wait for what it was to
// do.
inline void Press(HWND window, const std::string& caption) {
  HWND button = ButtonOf(window, caption);
  ASSERT_NE(button, nullptr) << caption;
  const RECT r = ChildRectInParent(button);
  ASSERT_TRUE(Click(window, (r.left + r.right) / 2, (r.top + r.bottom) / 2))
      << "the window was not up for input";
  const HWND focus = FocusOf(window);
  ASSERT_TRUE(!IsWindow(window) || !IsWindowVisible(window) || focus == button ||
              !IsWindowEnabled(button) || MessageBoxOf(window))
      << "the press on " << caption << " did not take: the focus is on " << ClassName(focus)
      << " \"" << Text(focus) << "\" and no message box is up";
}

}  // namespace uninstall
}  // namespace e2e
