// The disc folder walked through the platform's UTF-16 calls (see DiscFolder.h): the names are
// converted to code page 1253 whatever the system's own code page, as the program on a Greek
// system sees them.
#include <windows.h>

#include <algorithm>

#include "DiscFolder.h"

namespace velm::check {
namespace {

std::wstring Wide(const std::string& text, UINT codePage) {
  const int n =
      MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], n);
  return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage, bool* lossy) {
  BOOL usedDefault = FALSE;
  const bool check = codePage != CP_UTF8;
  const int n = WideCharToMultiByte(codePage, check ? WC_NO_BEST_FIT_CHARS : 0, wide.data(),
                                    static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    check ? &usedDefault : nullptr);
  std::string text(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(codePage, check ? WC_NO_BEST_FIT_CHARS : 0, wide.data(),
                      static_cast<int>(wide.size()), &text[0], n, nullptr,
                      check ? &usedDefault : nullptr);
  if (lossy) *lossy = usedDefault != FALSE;
  return text;
}

std::wstring Join(const std::wstring& dir, const std::wstring& name) {
  return !dir.empty() && (dir.back() == L'\\' || dir.back() == L'/') ? dir + name
                                                                     : dir + L"\\" + name;
}

void Walk(const std::wstring& dir, const std::string& prefix, bool nameable,
          std::vector<DiscEntry>& entries, int depth) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Join(dir, L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  std::vector<WIN32_FIND_DATAW> items;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") items.push_back(found);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  for (const WIN32_FIND_DATAW& item : items) {
    const std::wstring name = item.cFileName;
    bool lossy = false;
    DiscEntry entry;
    entry.path = prefix + Narrow(name, 1253, &lossy);
    entry.nameable = nameable && !lossy;
    entry.folder = (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.size = entry.folder
                     ? 0
                     : (static_cast<std::uint64_t>(item.nFileSizeHigh) << 32) | item.nFileSizeLow;
    entry.readOnly = (item.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    entry.locator = Narrow(Join(dir, name), CP_UTF8, nullptr);
    entries.push_back(entry);
    if (entry.folder && depth < 64)
      Walk(Join(dir, name), entry.path + "\\", entry.nameable, entries, depth + 1);
  }
}

}  // namespace

bool DiscFolder::walk(std::vector<DiscEntry>& entries) {
  std::wstring root = Wide(root_, CP_ACP);
  // "X:\" stays as it is: without its backslash it would name the drive's current folder.
  while (root.size() > 3 && (root.back() == L'\\' || root.back() == L'/')) root.pop_back();
  const DWORD attributes = GetFileAttributesW(root.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  Walk(root, "", true, entries, 0);
  return true;
}

bool DiscFolder::read(const DiscEntry& entry, std::string& bytes) {
  const HANDLE file =
      CreateFileW(Wide(entry.locator, CP_UTF8).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.clear();
  char chunk[65536];
  DWORD count = 0;
  bool ok = true;
  while ((ok = ReadFile(file, chunk, sizeof chunk, &count, nullptr) != FALSE) && count > 0)
    bytes.append(chunk, count);
  CloseHandle(file);
  return ok;
}

}  // namespace velm::check
