// Drives and folders for the directory list and the drive picker (see FolderPaths.h).
#include "FolderPaths.h"

#include "Scoped.h"
#include "SysCalls.h"

namespace tk {
namespace folders {

char LowerLetter(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

char UpperLetter(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

char DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  const char letter = LowerLetter(path[0]);
  return letter >= 'a' && letter <= 'z' ? letter : 0;
}

std::string DriveRoot(char letter) {
  return std::string{letter, ':', '\\'};
}

size_t RootLength(const std::string& path) {
  if (DriveOf(path)) return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  if (path.compare(0, 2, "\\\\") == 0) {
    size_t slash = path.find('\\', 2);
    if (slash != std::string::npos) slash = path.find('\\', slash + 1);
    return slash == std::string::npos ? path.size() : slash + 1;
  }
  return 0;
}

std::string WorkingDirectory() {
  return velm::Sys().getCurrentDirectory();
}

std::string FullPath(const std::string& path) {
  const DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return {};
  std::string full(size, '\0');
  const DWORD got = GetFullPathNameA(path.c_str(), size, &full[0], nullptr);
  if (got == 0 || got >= size) return {};
  full.resize(got);
  return full;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

void RememberDriveFolder(const std::string& folder) {
  const char letter = DriveOf(folder);
  if (!letter) return;
  const std::string name{'=', UpperLetter(letter), ':'};
  SetEnvironmentVariableA(name.c_str(), folder.c_str());
}

std::string AsNamedOnDisk(const std::string& path) {
  const size_t rootLength = RootLength(path);
  std::string named = path.substr(0, rootLength);
  if (DriveOf(named)) named[0] = UpperLetter(named[0]);
  QuietDriveErrors quiet;
  for (size_t at = rootLength; at < path.size();) {
    size_t end = path.find('\\', at);
    if (end == std::string::npos) end = path.size();
    std::string leaf = path.substr(at, end - at);
    if (!leaf.empty() && leaf.find_first_of("*?") == std::string::npos) {
      WIN32_FIND_DATAA found;
      if (velm::UniqueSearch(FindFirstFileA((named + leaf).c_str(), &found)))
        leaf = found.cFileName;
    }
    named += leaf;
    if (end < path.size()) named += '\\';
    at = end + 1;
  }
  return named;
}

std::string DriveFolder(char letter) {
  const std::string drive{letter, ':'};
  QuietDriveErrors quiet;
  std::string folder = FullPath(drive);
  return DriveOf(folder) == letter ? folder : DriveRoot(letter);
}

bool DriveReady(char letter) {
  QuietDriveErrors quiet;
  return velm::Sys().getFileAttributes(DriveRoot(letter)) != INVALID_FILE_ATTRIBUTES;
}

std::string VolumeLabel(char letter) {
  const std::string root = DriveRoot(letter);
  // A floppy would be read (and heard) each time the list is filled: its label is left out.
  if (GetDriveTypeA(root.c_str()) == DRIVE_REMOVABLE) return {};
  QuietDriveErrors quiet;
  char label[MAX_PATH + 1] = {};
  if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr, nullptr,
                             0))
    return {};
  return label;
}

}  // namespace folders
}  // namespace tk
