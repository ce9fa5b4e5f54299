// The disc's entries and their lookup (see Disc.h).
#include "Disc.h"

#include <algorithm>

#include "Cp1253.h"

namespace velm::check {

std::string PathKey(const std::string& path) {
  std::string key;
  std::string part;
  auto flush = [&]() {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
    if (!part.empty()) {
      if (!key.empty()) key += '\\';
      for (char c : part) key += FoldCp1253(c);
    }
    part.clear();
  };
  for (char c : path) {
    if (c == '\\' || c == '/')
      flush();
    else
      part += c;
  }
  flush();
  return key;
}

void MemoryDisc::addFile(const std::string& path, std::string bytes, bool readOnly) {
  Item item;
  item.entry.path = path;
  item.entry.size = bytes.size();
  item.entry.readOnly = readOnly;
  item.entry.locator = path;
  item.bytes = std::move(bytes);
  items_.push_back(std::move(item));
}

void MemoryDisc::addFolder(const std::string& path) {
  Item item;
  item.entry.path = path;
  item.entry.folder = true;
  item.entry.locator = path;
  items_.push_back(std::move(item));
}

void MemoryDisc::breakFile(const std::string& path) {
  for (Item& item : items_)
    if (item.entry.path == path) item.broken = true;
}

bool MemoryDisc::walk(std::vector<DiscEntry>& entries) {
  if (unreadable_) return false;
  for (const Item& item : items_) entries.push_back(item.entry);
  return true;
}

bool MemoryDisc::read(const DiscEntry& entry, std::string& bytes) {
  for (const Item& item : items_) {
    if (item.entry.locator == entry.locator && !item.entry.folder) {
      if (item.broken) return false;
      bytes = item.bytes;
      return true;
    }
  }
  return false;
}

bool DiscIndex::load(Disc& disc) {
  disc_ = &disc;
  entries_.clear();
  if (!disc.walk(entries_)) return false;
  std::sort(entries_.begin(), entries_.end(),
            [](const DiscEntry& a, const DiscEntry& b) { return a.path < b.path; });
  keys_.clear();
  for (const DiscEntry& e : entries_) keys_.push_back(PathKey(e.path));
  order_.resize(entries_.size());
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
  std::stable_sort(order_.begin(), order_.end(),
                   [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
  clashes_.clear();
  for (std::size_t i = 1; i < order_.size(); ++i) {
    if (keys_[order_[i]] == keys_[order_[i - 1]] && !keys_[order_[i]].empty())
      clashes_.emplace_back(entries_[order_[i - 1]].path, entries_[order_[i]].path);
  }
  return true;
}

const DiscEntry* DiscIndex::find(const std::string& path) const {
  const std::string key = PathKey(path);
  auto first =
      std::lower_bound(order_.begin(), order_.end(), key,
                       [this](std::size_t i, const std::string& k) { return keys_[i] < k; });
  const DiscEntry* found = nullptr;
  for (auto it = first; it != order_.end() && keys_[*it] == key; ++it) {
    const DiscEntry& e = entries_[*it];
    if (!e.nameable) continue;
    if (e.path == path) return &e;
    if (!found) found = &e;
  }
  return found;
}

const DiscEntry* DiscIndex::findFile(const std::string& path) const {
  const DiscEntry* e = find(path);
  return e && !e->folder ? e : nullptr;
}

const DiscEntry* DiscIndex::findFolder(const std::string& path) const {
  const DiscEntry* e = find(path);
  return e && e->folder ? e : nullptr;
}

}  // namespace velm::check
