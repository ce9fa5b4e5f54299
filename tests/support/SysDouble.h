// The in-process tests' stand-in for the file-system, shell and process calls (velm::SysCalls):
// the real calls, except that
// - the desktop and the Windows folder are the test's, when it sets them;
// - a call fails, without being made, when `fails` answers true for it;
// - the removal script is never started, the dictionary's window never found, and a message
//   posted goes nowhere;
// and every call that changes something or reaches another program is noted in `calls`, one
// line each, in order: "copyFile <from> <to> <0|1>", "createText <path>", "writeLine <line>",
// "close", ... The queries a test may want to fail or watch (attributes, the Windows and special
// folders, reads: "readFile <path>") are not noted, but `fails` and `onCall` see them; the others
// are the real ones.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SysCalls.h"

namespace velmtest {

class SysDouble : public velm::SysCalls {
 public:
  std::optional<std::string> desktop;           // what the shell answers for the desktop
  std::optional<std::string> windowsFolder;     // what GetWindowsDirectory answers
  std::optional<unsigned long long> freeBytes;  // what the free-space query answers
  std::function<bool(const std::string& call)> fails;
  // Called with each call's line before it is made, to note what the call finds.
  std::function<void(const std::string& call)> onCall;
  std::vector<std::string> calls;

  // Whether the line is of the call named `name` ("copyFile").
  static bool Is(const std::string& call, const std::string& name) {
    return call.compare(0, name.size(), name) == 0 &&
           (call.size() == name.size() || call[name.size()] == ' ');
  }
  // The noted calls named `name`.
  std::vector<std::string> callsNamed(const std::string& name) const {
    std::vector<std::string> named;
    for (const std::string& call : calls)
      if (Is(call, name)) named.push_back(call);
    return named;
  }
  // The noted calls other than the lines written.
  std::vector<std::string> callsWithoutLines() const {
    std::vector<std::string> kept;
    for (const std::string& call : calls)
      if (!Is(call, "writeLine")) kept.push_back(call);
    return kept;
  }

  DWORD getFileAttributes(const std::string& path) override {
    if (failing("getFileAttributes " + path, false)) return INVALID_FILE_ATTRIBUTES;
    return SysCalls::getFileAttributes(path);
  }
  bool setFileAttributes(const std::string& path, DWORD attributes) override {
    return !failing("setFileAttributes " + path + " " + std::to_string(attributes), true) &&
           SysCalls::setFileAttributes(path, attributes);
  }
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override {
    return !failing("copyFile " + from + " " + to + " " + (failIfExists ? "1" : "0"), true) &&
           SysCalls::copyFile(from, to, failIfExists);
  }
  // A copy in pieces is noted as a copy.
  std::unique_ptr<velm::PieceCopy> beginCopy(const std::string& from,
                                             const std::string& to) override {
    if (failing("copyFile " + from + " " + to + " 1", true)) return nullptr;
    return SysCalls::beginCopy(from, to);
  }
  bool removeDirectory(const std::string& path) override {
    return !failing("removeDirectory " + path, true) && SysCalls::removeDirectory(path);
  }
  bool fileSize(const std::string& path, unsigned long long* size) override {
    return !failing("fileSize " + path, false) && SysCalls::fileSize(path, size);
  }
  bool freeSpace(const std::string& root, unsigned long long* bytes) override {
    if (failing("freeSpace " + root, false)) return false;
    if (!freeBytes) return SysCalls::freeSpace(root, bytes);
    *bytes = *freeBytes;
    return true;
  }
  bool createDirectory(const std::string& path) override {
    return !failing("createDirectory " + path, true) && SysCalls::createDirectory(path);
  }
  bool deleteFile(const std::string& path) override {
    return !failing("deleteFile " + path, true) && SysCalls::deleteFile(path);
  }
  bool setCurrentDirectory(const std::string& path) override {
    return !failing("setCurrentDirectory " + path, true) && SysCalls::setCurrentDirectory(path);
  }
  UINT getWindowsDirectory(char* buffer, UINT size) override {
    if (failing("getWindowsDirectory", false)) return 0;
    if (!windowsFolder) return SysCalls::getWindowsDirectory(buffer, size);
    if (windowsFolder->size() + 1 > size) return 0;
    lstrcpyA(buffer, windowsFolder->c_str());
    return static_cast<UINT>(windowsFolder->size());
  }
  std::unique_ptr<velm::TextWriter> createText(const std::string& path) override {
    if (failing("createText " + path, true)) return nullptr;
    std::unique_ptr<velm::TextWriter> real = SysCalls::createText(path);
    if (!real) return nullptr;
    return std::make_unique<Writer>(*this, std::move(real));
  }
  bool readFile(const std::string& path, std::string& bytes) override {
    return !failing("readFile " + path, false) && SysCalls::readFile(path, bytes);
  }
  bool readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes) override {
    return !failing("readFileAtMost " + path, false) &&
           SysCalls::readFileAtMost(path, maxSize, bytes);
  }
  std::string specialFolderPath(int csidl) override {
    if (failing("specialFolderPath " + std::to_string(csidl), false)) return std::string();
    if (csidl == CSIDL_DESKTOPDIRECTORY && desktop) return *desktop;
    return SysCalls::specialFolderPath(csidl);
  }
  HWND findWindow(const char* className, const char* windowName) override {
    failing(std::string("findWindow ") + (className ? className : "(null)") + " " +
                (windowName ? windowName : "(null)"),
            true);
    return nullptr;
  }
  BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    return !failing("postMessage " + std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " +
                        std::to_string(message) + " " + std::to_string(wParam) + " " +
                        std::to_string(lParam),
                    true);
  }
  UINT winExec(const std::string& commandLine, UINT show) override {
    // Above 31: started, as WinExec answers.
    return failing("winExec " + commandLine + " " + std::to_string(show), true) ? 0 : 33;
  }
  HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object) override {
    if (failing("createInstance", true)) return REGDB_E_CLASSNOTREG;
    return SysCalls::createInstance(clsid, context, iid, object);
  }

 private:
  class Writer : public velm::TextWriter {
   public:
    Writer(SysDouble& sys, std::unique_ptr<velm::TextWriter> real)
        : sys_(sys), real_(std::move(real)) {}
    bool writeLine(const std::string& line) override {
      return !sys_.failing("writeLine " + line, true) && real_->writeLine(line);
    }
    bool close() override { return !sys_.failing("close", true) && real_->close(); }

   private:
    SysDouble& sys_;
    std::unique_ptr<velm::TextWriter> real_;
  };

  // Notes the call (when `noted`), tells `onCall`, and answers whether it is to fail.
  bool failing(const std::string& call, bool noted) {
    if (noted) calls.push_back(call);
    if (onCall) onCall(call);
    return fails && fails(call);
  }
};

}  // namespace velmtest
