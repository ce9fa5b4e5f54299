// A prepared disc folder as the program would see it: every file and folder under it, named in
// code page 1253 with backslashes, found the way Windows finds a name (letter case ignored,
// "/" as a separator, trailing dots and blanks of a name dropped). The walk of a real folder is
// per platform (DiscFolder.h); the checks only see this. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace velm::check {

struct DiscEntry {
  std::string path;  // relative to the disc folder, code page 1253, "\" between parts
  bool folder = false;
  std::uint64_t size = 0;
  bool readOnly = false;
  // False when the name holds a character code page 1253 lacks: the program's 8-bit file calls
  // cannot name it (`path` then has '?' for it).
  bool nameable = true;
  std::string locator;  // how the walk reads the file again; opaque to the checks
};

// The key by which Windows matches a path: parts split at "\" and "/", trailing dots and blanks
// of each part dropped, empty and "." parts left out, letters folded to upper case.
std::string PathKey(const std::string& path);

class Disc {
 public:
  virtual ~Disc() = default;
  // Every entry under the folder, in any order. False when the folder itself cannot be read.
  virtual bool walk(std::vector<DiscEntry>& entries) = 0;
  // The whole content of a file the walk listed; false when it cannot be read.
  virtual bool read(const DiscEntry& entry, std::string& bytes) = 0;
};

// A disc held in memory, for tests and fuzzing.
class MemoryDisc : public Disc {
 public:
  void addFile(const std::string& path, std::string bytes, bool readOnly = false);
  void addFolder(const std::string& path);
  // Makes a listed file unreadable.
  void breakFile(const std::string& path);
  void setUnreadable() { unreadable_ = true; }
  bool walk(std::vector<DiscEntry>& entries) override;
  bool read(const DiscEntry& entry, std::string& bytes) override;

 private:
  struct Item {
    DiscEntry entry;
    std::string bytes;
    bool broken = false;
  };
  std::vector<Item> items_;
  bool unreadable_ = false;
};

// The walked entries, looked up as the program's file calls find them.
class DiscIndex {
 public:
  // False when the disc cannot be read.
  bool load(Disc& disc);
  // The entry a path names, or null. Among names that Windows takes for the same one (a file
  // system that tells letter case apart may hold both), the one spelt exactly wins, else the
  // first in byte order.
  const DiscEntry* find(const std::string& path) const;
  const DiscEntry* findFile(const std::string& path) const;
  const DiscEntry* findFolder(const std::string& path) const;
  // Every entry, sorted by path.
  const std::vector<DiscEntry>& entries() const { return entries_; }
  // Paths that differ only in what Windows ignores, each after the first of its group.
  const std::vector<std::pair<std::string, std::string>>& clashes() const { return clashes_; }
  bool read(const DiscEntry& entry, std::string& bytes) const { return disc_->read(entry, bytes); }

 private:
  Disc* disc_ = nullptr;
  std::vector<DiscEntry> entries_;
  std::vector<std::string> keys_;   // sorted alongside, for lookup
  std::vector<std::size_t> order_;  // entry indexes sorted by key
  std::vector<std::pair<std::string, std::string>> clashes_;
};

}  // namespace velm::check
