// Writing a test disc through the 8-bit Windows calls (see CheckDiscs.h). The names are code
// page 1253, the ANSI code page of the tests' Wine session.
#include <windows.h>

#include "CheckDiscs.h"

namespace velm::testdisc {

bool WriteDisc(const std::string& root, const DiscFiles& files, std::string* error) {
  if (!CreateDirectoryA(root.c_str(), nullptr)) return *error = "cannot make " + root, false;
  for (const DiscFile& f : files) {
    const std::string path = root + "\\" + f.path;
    if (f.folder) {
      if (!CreateDirectoryA(path.c_str(), nullptr)) return *error = "cannot make " + path, false;
      continue;
    }
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return *error = "cannot create " + path, false;
    DWORD written = 0;
    const BOOL ok =
        f.bytes.empty() ||
        WriteFile(file, f.bytes.data(), static_cast<DWORD>(f.bytes.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != f.bytes.size()) return *error = "cannot write " + path, false;
    if (f.readOnly && !SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY))
      return *error = "cannot make " + path + " read-only", false;
  }
  return true;
}

}  // namespace velm::testdisc
