// The install manifest "content\fil.tbo": one name per line, read by the runtime's text-line
// rules. A line ending in a backslash is a folder line: it names a folder under "content" and
// becomes the prefix of the file lines after it (it replaces the previous prefix, prefixes are
// not joined). Any other line names a file under the current prefix; empty lines count for
// nothing. Names are taken exactly as written: blanks belong to them. Portable: no windows.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "DiscFacts.h"  // the manifest's place, kInstallManifestPath

namespace velm {

struct ManifestEntry {
  enum class Kind { Folder, File };
  Kind kind;
  // The line as written.
  std::string line;
  // A folder: the line itself, trailing backslash included. A file: the prefix in force followed
  // directly by the line.
  std::string path;
  // The line's number, counted from 1 as the runtime reads lines (empty lines count).
  int number = 0;
};

// The manifest's entries in file order, empty lines left out; `lineCount`, when given, gets the
// number of lines read, empty ones included.
std::vector<ManifestEntry> ReadInstallManifest(std::string_view bytes, int* lineCount = nullptr);

// The manifest as an installation finds it on the disc: not there (nothing of content is
// installed), there but unreadable (the installation stops when it comes to it), or read.
struct DiscManifest {
  enum class State { Absent, Unreadable, Read };
  State state = State::Absent;
  std::vector<ManifestEntry> entries;  // Read: the entries in file order
};

}  // namespace velm
