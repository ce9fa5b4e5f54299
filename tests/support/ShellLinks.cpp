// Shortcut files read back through the shell's link object (IShellLinkA and IPersistFile).
#include "ShellLinks.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace velmtest {

ShortcutProperties ReadShortcut(const std::wstring& path) {
  ShortcutProperties read;
  const HRESULT com = CoInitialize(nullptr);  // S_FALSE where the thread has COM already
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (file->Load(path.c_str(), STGM_READ) == S_OK) {
        char text[INFOTIPSIZE] = {};
        read.loaded = true;
        link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
        read.target = text;
        text[0] = '\0';
        link->GetArguments(text, INFOTIPSIZE);
        read.arguments = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, MAX_PATH);
        read.workingFolder = text;
      }
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return read;
}

ShortcutProperties ReadShortcut(const std::string& path) {
  wchar_t wide[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  return ReadShortcut(std::wstring(wide));
}

}  // namespace velmtest
