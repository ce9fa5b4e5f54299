// Files and folders for the tests (see TestFiles.h).
#include "TestFiles.h"

#include <windows.h>

namespace velmtest {

namespace {
DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}
}  // namespace

bool Exists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  if (Exists(path)) return IsFolder(path);
  const auto slash = path.find_last_of('\\');
  if (slash != std::string::npos && slash > 2) MakeFolders(path.substr(0, slash));
  return CreateDirectoryA(path.c_str(), nullptr) || IsFolder(path);
}

bool RemoveTree(const std::string& path) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  // A read-only file or folder is removed all the same.
  if (attributes & FILE_ATTRIBUTE_READONLY)
    SetFileAttributesA(path.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") RemoveTree(path + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryA(path.c_str()) != 0;
}

bool CopyTree(const std::string& from, const std::string& to) {
  const DWORD attributes = Attributes(from);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return CopyFileA(from.c_str(), to.c_str(), FALSE);
  if (!MakeFolders(to)) return false;
  bool ok = true;
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char chunk[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0)
    bytes.append(chunk, got);
  CloseHandle(file);
  return ok;
}

std::string FileBytes(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) bytes.clear();
  return bytes;
}

bool SetReadOnly(const std::string& path, bool readOnly) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD wanted = readOnly ? (attributes | FILE_ATTRIBUTE_READONLY)
                                : (attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  return SetFileAttributesA(path.c_str(), wanted) != 0;
}

bool Rename(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

std::string CurrentFolder() {
  char path[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof path, path);
  return path;
}

std::string TempFolder() {
  char temp[MAX_PATH + 1] = {};
  GetTempPathA(sizeof temp, temp);
  return temp;
}

std::string MissingDriveRoot() {
  const DWORD drives = GetLogicalDrives();
  for (char c = 'y'; c > 'd'; --c)
    if (!(drives & (1u << (c - 'a'))))
      return std::string{static_cast<char>(c - 'a' + 'A'), ':', '\\'};
  return std::string();
}

ScratchFolder::ScratchFolder(const std::string& leaf)
    : ScratchFolder(
          At{TempFolder() + "velmtest-" + std::to_string(GetCurrentProcessId()) + "-" + leaf}) {}

ScratchFolder::ScratchFolder(const At& at) : path_(at.path), workingFolder_(CurrentFolder()) {
  RemoveTree(path_);
  if (at.made) MakeFolders(path_);
}

ScratchFolder::~ScratchFolder() {
  SetCurrentDirectoryA(workingFolder_.c_str());
  RemoveTree(path_);
}

}  // namespace velmtest
