// The disc folder on the machine the check runs on: a walk of every file and folder under it.
// One implementation per platform: the POSIX one takes the names as UTF-8 (as Wine keeps
// Windows names on a Unix file system) and a file without any write permission as read-only
// (as Wine reports it); the Windows one asks for the names in UTF-16 and the read-only attribute.
#pragma once

#include <string>

#include "Disc.h"

namespace velm::check {

class DiscFolder : public Disc {
 public:
  // `root` in the platform's own encoding (UTF-8 on POSIX, the ANSI code page on Windows).
  explicit DiscFolder(std::string root) : root_(std::move(root)) {}
  bool walk(std::vector<DiscEntry>& entries) override;
  bool read(const DiscEntry& entry, std::string& bytes) override;

 private:
  std::string root_;
};

}  // namespace velm::check
