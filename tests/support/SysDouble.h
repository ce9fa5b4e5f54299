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

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "SysCalls.h"

namespace velmtest {

class SysDouble : public velm::SysCalls {
 public:
  std::optional<std::string> desktop;        // what the shell answers for the desktop
  std::optional<std::string> windowsFolder;  // what GetWindowsDirectory answers
  std::function<bool(const std::string& call)> fails;
  // Called with each call's line before it is made, to note what the call finds.
  std::function<void(const std::string& call)> onCall;
  std::vector<std::string> calls;

  // Whether the line is of the call named `name` ("copyFile").
  static bool Is(const std::string& call, const std::string& name);
  // The noted calls named `name`.
  std::vector<std::string> callsNamed(const std::string& name) const;
  // The noted calls other than the lines written.
  std::vector<std::string> callsWithoutLines() const;

  DWORD getFileAttributes(const std::string& path) override;
  bool setFileAttributes(const std::string& path, DWORD attributes) override;
  bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
  bool createDirectory(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  bool setCurrentDirectory(const std::string& path) override;
  UINT getWindowsDirectory(char* buffer, UINT size) override;
  std::unique_ptr<velm::TextWriter> createText(const std::string& path) override;
  bool readFile(const std::string& path, std::string& bytes) override;
  bool readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes) override;
  std::string specialFolderPath(int csidl) override;
  HWND findWindow(const char* className, const char* windowName) override;
  BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  UINT winExec(const std::string& commandLine, UINT show) override;
  HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object) override;

 private:
  class Writer;
  // Notes the call (when `noted`), tells `onCall`, and answers whether it is to fail.
  bool failing(const std::string& call, bool noted);
};

}  // namespace velmtest
