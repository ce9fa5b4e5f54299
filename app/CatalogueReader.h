// The catalogue's files read on a thread of their own where the drive is slow, so that the main
// window keeps answering while the disc gives them. From a CD-ROM drive a single call can take
// longer than a window may keep a person waiting (at 4x, 600 KB/s and about 120 ms for each jump of
// the head, one title picture takes half a second, and the first look into the folder several
// jumps), and no call can be cut into pieces short enough: opening a file or listing a folder is
// one call.
//
// The reading thread lists the folder once, then reads the files in the order the catalogue
// loads them and posts each one, read, to the window; the window's thread loads it into its slot
// (decodes it, splits its lines) as before, and decides what a missing or damaged file does. At
// most two files wait for the window while the next is read, and their buffers go back to the
// reader, so the reading holds the memory of three files, used again for every file.
//
// From a hard disk the whole catalogue is read in a few tens of milliseconds: there it is read on
// the window's thread, into one buffer, as the window shows (ReadCatalogueHere), and no thread is
// made (under Wine a thread holds more than a megabyte for as long as the program runs).
#pragma once

#include <windows.h>

#include <functional>
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

// Whether the working directory's drive may keep a caller waiting longer than a window may: any
// but a hard disk or a RAM disk (a CD-ROM, a network drive, a removable disk).
bool OnSlowDrive();

// Reads the catalogue in `folder` on this thread, handing each file to `load` in load order, as
// the reader's thread would hand it to the window; stops after a file that could not be read, and
// when `load` throws (the exception passes on).
void ReadCatalogueHere(const std::string& folder,
                       const std::function<void(const CatalogueFileRead&)>& load);

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
