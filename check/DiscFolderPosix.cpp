// The disc folder walked through POSIX calls (see DiscFolder.h).
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Cp1253.h"
#include "DiscFolder.h"

namespace velm::check {
namespace {

// A name for the entries' paths: code page 1253 when it can be, else '?' for what it lacks.
std::string NameOf(const std::string& utf8, bool& nameable) {
  std::string cp;
  if (Utf8ToCp1253(utf8, &cp)) return cp;
  nameable = false;
  std::string shown;
  for (unsigned char c : utf8)
    if (c < 0x80)
      shown += static_cast<char>(c);
    else if ((c & 0xC0) != 0x80)
      shown += '?';
  return shown;
}

bool Walk(const std::string& dir, const std::string& prefix, bool nameable,
          std::vector<DiscEntry>& entries, int depth) {
  DIR* d = opendir(dir.c_str());
  if (!d) return false;
  std::vector<std::string> names;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    const std::string full = dir + "/" + name;
    struct stat st;
    if (lstat(full.c_str(), &st) != 0) continue;
    if (S_ISLNK(st.st_mode) && stat(full.c_str(), &st) != 0) continue;
    DiscEntry entry;
    entry.nameable = nameable;
    entry.path = prefix + NameOf(name, entry.nameable);
    entry.folder = S_ISDIR(st.st_mode);
    entry.size = entry.folder ? 0 : static_cast<std::uint64_t>(st.st_size);
    entry.readOnly = (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    entry.locator = full;
    entries.push_back(entry);
    // A folder that cannot be opened is listed without its contents; depth guards a loop of
    // symbolic links.
    if (entry.folder && depth < 64)
      Walk(full, entry.path + "\\", entry.nameable, entries, depth + 1);
  }
  return true;
}

}  // namespace

bool DiscFolder::walk(std::vector<DiscEntry>& entries) {
  struct stat st;
  if (stat(root_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return Walk(root_, "", true, entries, 0);
}

bool DiscFolder::read(const DiscEntry& entry, std::string& bytes) {
  std::ifstream in(entry.locator, std::ios::binary);
  if (!in) return false;
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) return false;
  bytes = all.str();
  return true;
}

}  // namespace velm::check
