// The shared platform routines over Win32, the shell and COM (see PelmoraLib.h). The file and
// shell calls go through Sys() so that tests can move the desktop or make a file uncreatable.
#include "PelmoraLib.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

#include <vector>

#include "SettingsFile.h"
#include "SysCalls.h"

namespace velm {

std::string SourceFolder;
std::string SettingsFilePath;

namespace {

// Owns one COM interface reference and releases it on every path.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (ptr_ != nullptr) {
      ptr_->Release();
    }
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T* operator->() const { return ptr_; }
  void** out() { return reinterpret_cast<void**>(&ptr_); }

 private:
  T* ptr_ = nullptr;
};

// The 8-bit path as UTF-16 with its terminating zero, through the system's ANSI code page
// (IPersistFile takes only UTF-16). A vector rather than a std::wstring: nothing else in the
// program uses wide strings, and their library code would come into it for this one call.
std::vector<wchar_t> AnsiToWide(const std::string& text) {
  const int count = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(count > 0 ? count : 1, L'\0');
  if (count > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), count);
  return wide;
}

// The settings file's calls, through the seam.
class SysSettingsFiles : public SettingsFiles {
 public:
  unsigned windowsDirectory(char* buffer, unsigned size) override {
    return Sys().getWindowsDirectory(buffer, size);
  }
  bool fileExists(const std::string& path) override { return Sys().fileExists(path); }
  bool createEmpty(const std::string& path) override {
    std::unique_ptr<TextWriter> writer = Sys().createText(path);
    return writer != nullptr && writer->close();
  }
  bool readFile(const std::string& path, std::string& bytes) override {
    return Sys().readFile(path, bytes);
  }
  bool writeFile(const std::string& path, const std::string* line) override {
    std::unique_ptr<TextWriter> writer = Sys().createText(path);
    if (writer == nullptr) {
      return false;
    }
    const bool written = line == nullptr || writer->writeLine(*line);
    const bool closed = writer->close();
    return written && closed;
  }
};

}  // namespace

std::string GetDesktopFolder() {
  // CSIDL_DESKTOPDIRECTORY: the file-system folder of the user's desktop, not the virtual desktop.
  return Sys().specialFolderPath(CSIDL_DESKTOPDIRECTORY);
}

void CreateDesktopShortcut(const std::string& target, const std::string& arguments,
                           const std::string& workingFolder, const std::string& shortcutName) {
  ComRef<IUnknown> object;
  HRESULT hr = Sys().createInstance(CLSID_ShellLink, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                    IID_IUnknown, object.out());
  if (FAILED(hr)) {
    throw ShortcutError("the shell link object cannot be created", hr);
  }
  ComRef<IShellLinkA> link;
  hr = object->QueryInterface(IID_IShellLinkA, link.out());
  if (FAILED(hr)) {
    throw ShortcutError("the shell link object has no IShellLinkA", hr);
  }
  ComRef<IPersistFile> file;
  hr = object->QueryInterface(IID_IPersistFile, file.out());
  if (FAILED(hr)) {
    throw ShortcutError("the shell link object has no IPersistFile", hr);
  }
  // The results are not looked at: a target the shell refuses still gets its shortcut saved.
  link->SetPath(target.c_str());
  link->SetArguments(arguments.c_str());  // empty arguments as an empty text, never null
  link->SetWorkingDirectory(workingFolder.c_str());
  const std::vector<wchar_t> path = AnsiToWide(GetDesktopFolder() + "\\" + shortcutName);
  file->Save(path.data(), FALSE);
}

void DeleteDesktopShortcut(const std::string& shortcutName) {
  Sys().deleteFile(GetDesktopFolder() + "\\" + shortcutName);
}

void SaveDataFolderSetting(const std::string& folder) {
  try {
    SysSettingsFiles files;
    WriteDataFolderSetting(files, SettingsFilePath, folder);
  } catch (...) {
    // Nothing is ever reported from here; what was done stays done.
  }
}

bool FolderExists(const std::string& path) {
  const DWORD attributes = Sys().getFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateFolderChain(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  if (path.size() < 3 || FolderExists(path)) return true;
  // The parent part: everything up to the last backslash or drive colon, that one included.
  const size_t cut = path.find_last_of("\\:");
  if (cut == std::string::npos) return Sys().createDirectory(path);
  const std::string parent = path.substr(0, cut + 1);
  if (parent == path) return true;
  return CreateFolderChain(parent) && Sys().createDirectory(path);
}

TWindowsVersion GetWindowsVersion() {
  OSVERSIONINFOA info = {};
  static_assert(sizeof(info) == 148, "the 9x-era version record");
  info.dwOSVersionInfoSize = sizeof(info);
  if (!GetVersionExA(&info)) {
    return WindowsUnknown;
  }
  return ClassifyWindowsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                                info.szCSDVersion);
}

ComApartment::ComApartment() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}

ComApartment::~ComApartment() {
  // S_FALSE (already initialised on this thread) is a success too and must be balanced.
  if (initialised_) {
    CoUninitialize();
  }
}

void WorkInSourceFolder(const std::string& sourceFolder) {
  Sys().setCurrentDirectory(sourceFolder);
}

void WorkOnDesktop(const std::string& desktop) {
  Sys().setCurrentDirectory(desktop);
}

}  // namespace velm
