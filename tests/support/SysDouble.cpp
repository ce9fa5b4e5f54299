// The in-process tests' stand-in for the seam (see SysDouble.h).
#include "SysDouble.h"

#include <shlobj.h>

namespace velmtest {

using velm::SysCalls;

class SysDouble::Writer : public velm::TextWriter {
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

bool SysDouble::Is(const std::string& call, const std::string& name) {
  return call.compare(0, name.size(), name) == 0 &&
         (call.size() == name.size() || call[name.size()] == ' ');
}

std::vector<std::string> SysDouble::callsNamed(const std::string& name) const {
  std::vector<std::string> named;
  for (const std::string& call : calls)
    if (Is(call, name)) named.push_back(call);
  return named;
}

std::vector<std::string> SysDouble::callsWithoutLines() const {
  std::vector<std::string> kept;
  for (const std::string& call : calls)
    if (!Is(call, "writeLine")) kept.push_back(call);
  return kept;
}

bool SysDouble::failing(const std::string& call, bool noted) {
  if (noted) calls.push_back(call);
  if (onCall) onCall(call);
  return fails && fails(call);
}

DWORD SysDouble::getFileAttributes(const std::string& path) {
  if (failing("getFileAttributes " + path, false)) return INVALID_FILE_ATTRIBUTES;
  return SysCalls::getFileAttributes(path);
}

bool SysDouble::setFileAttributes(const std::string& path, DWORD attributes) {
  return !failing("setFileAttributes " + path + " " + std::to_string(attributes), true) &&
         SysCalls::setFileAttributes(path, attributes);
}

bool SysDouble::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  return !failing("copyFile " + from + " " + to + " " + (failIfExists ? "1" : "0"), true) &&
         SysCalls::copyFile(from, to, failIfExists);
}

bool SysDouble::createDirectory(const std::string& path) {
  return !failing("createDirectory " + path, true) && SysCalls::createDirectory(path);
}

bool SysDouble::deleteFile(const std::string& path) {
  return !failing("deleteFile " + path, true) && SysCalls::deleteFile(path);
}

bool SysDouble::setCurrentDirectory(const std::string& path) {
  return !failing("setCurrentDirectory " + path, true) && SysCalls::setCurrentDirectory(path);
}

UINT SysDouble::getWindowsDirectory(char* buffer, UINT size) {
  if (failing("getWindowsDirectory", false)) return 0;
  if (!windowsFolder) return SysCalls::getWindowsDirectory(buffer, size);
  if (windowsFolder->size() + 1 > size) return 0;
  lstrcpyA(buffer, windowsFolder->c_str());
  return static_cast<UINT>(windowsFolder->size());
}

std::unique_ptr<velm::TextWriter> SysDouble::createText(const std::string& path) {
  if (failing("createText " + path, true)) return nullptr;
  std::unique_ptr<velm::TextWriter> real = SysCalls::createText(path);
  if (!real) return nullptr;
  return std::make_unique<Writer>(*this, std::move(real));
}

bool SysDouble::readFile(const std::string& path, std::string& bytes) {
  return !failing("readFile " + path, false) && SysCalls::readFile(path, bytes);
}

bool SysDouble::readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes) {
  return !failing("readFileAtMost " + path, false) &&
         SysCalls::readFileAtMost(path, maxSize, bytes);
}

std::string SysDouble::specialFolderPath(int csidl) {
  if (failing("specialFolderPath " + std::to_string(csidl), false)) return std::string();
  if (csidl == CSIDL_DESKTOPDIRECTORY && desktop) return *desktop;
  return SysCalls::specialFolderPath(csidl);
}

HWND SysDouble::findWindow(const char* className, const char* windowName) {
  failing(std::string("findWindow ") + (className ? className : "(null)") + " " +
              (windowName ? windowName : "(null)"),
          true);
  return nullptr;
}

BOOL SysDouble::postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return !failing("postMessage " + std::to_string(reinterpret_cast<UINT_PTR>(window)) + " " +
                      std::to_string(message) + " " + std::to_string(wParam) + " " +
                      std::to_string(lParam),
                  true);
}

UINT SysDouble::winExec(const std::string& commandLine, UINT show) {
  // Above 31: started, as WinExec answers.
  return failing("winExec " + commandLine + " " + std::to_string(show), true) ? 0 : 33;
}

HRESULT SysDouble::createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object) {
  if (failing("createInstance", true)) return REGDB_E_CLASSNOTREG;
  return SysCalls::createInstance(clsid, context, iid, object);
}

}  // namespace velmtest
