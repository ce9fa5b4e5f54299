// The catalogue's files read on a thread of their own, so that the main window keeps answering
// while the disc gives them. From a CD-ROM drive a single call can take longer than a window may
// keep a person waiting (at 4x, 600 KB/s and about 120 ms for each jump of the head, one title
// picture takes half a second, and the first look into the folder several jumps), and no call
// can be cut into pieces short enough: opening a file or listing a folder is one call.
//
// The reading thread lists the folder once, then reads the files in the order the catalogue
// loads them and posts each one, read, to the window; the window's thread loads it into its slot
// (decodes it, splits its lines) as before, and decides what a missing or damaged file does. At
// most two files wait for the window at a time, and their buffers go back to the reader, so the
// reading holds the memory of two files, used again for every file.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "DiscFacts.h"

namespace velm {

// One catalogue file as the reader hands it over, in load order: all four of each slot, present
// or not.
struct CatalogueFileRead {
  int k = 0;
  CatalogueRole role = CatalogueRole::Normal;
  bool present = false;  // the folder holds it
  bool read = false;     // it was read whole; a picture larger than any picture is not read
  std::string path;
  std::string bytes;
};

class CatalogueReader {
 public:
  // Starts reading the catalogue in `folder` (relative to the working directory now). Each file
  // is posted to `window` as `message`, its CatalogueFileRead* in lParam, which the window takes
  // over and gives back with giveBack(). The reading ends after the last file or after one that
  // could not be read; the thread ends once the reader is destroyed, which the window does when
  // the loading has come to its end. Throws when the thread cannot be started.
  CatalogueReader(const std::string& folder, HWND window, UINT message);
  // Stops the reading: the thread ends after the call it is in, posting nothing more.
  ~CatalogueReader();
  CatalogueReader(const CatalogueReader&) = delete;
  CatalogueReader& operator=(const CatalogueReader&) = delete;

  // A posted file, handled: makes room for the next one and keeps its buffer for it.
  void giveBack(std::unique_ptr<CatalogueFileRead> file);

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
};

}  // namespace velm
