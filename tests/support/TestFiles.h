// Files and folders for the tests that run under Wine, in process and end to end: Windows paths
// in the ANSI code page, every routine answering whether it did what it says.
#pragma once

#include <string>

namespace velmtest {

bool Exists(const std::string& path);
bool IsFile(const std::string& path);
bool IsFolder(const std::string& path);

// Makes the folder and every missing folder above it; true when it is there afterwards.
bool MakeFolders(const std::string& path);
// Removes a file, or a folder with everything in it, read-only or not; true when it is gone (or
// was never there).
bool RemoveTree(const std::string& path);
// Copies a file, or a folder with everything in it, over what is there.
bool CopyTree(const std::string& from, const std::string& to);

bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool ReadFileBytes(const std::string& path, std::string& bytes);
// The file's bytes, or nothing when it cannot be read.
std::string FileBytes(const std::string& path);

bool SetReadOnly(const std::string& path, bool readOnly);
bool Rename(const std::string& from, const std::string& to);

std::string CurrentFolder();
// The temporary folder, ending in a backslash.
std::string TempFolder();
// The root of a drive letter that names no drive ("Y:\"), for paths that cannot be made; empty
// when every letter is taken.
std::string MissingDriveRoot();

// A fresh folder of this test, removed with what is in it when the object goes, after the
// working folder is put back as it was when the object was made (a folder that holds the working
// folder cannot be removed): what every fixture leaves behind, cleared in one place.
class ScratchFolder {
 public:
  // A folder at a full path, one the program under test is given by name.
  struct At {
    std::string path;
    bool made = true;  // false: only removed, for a test that wants it not there yet
  };

  // Under the temporary folder, named after the process and `leaf`.
  explicit ScratchFolder(const std::string& leaf);
  explicit ScratchFolder(const At& at);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string workingFolder_;
};

}  // namespace velmtest
