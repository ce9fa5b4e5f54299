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

// A fresh folder of this test under the temporary folder, named after the process and `leaf`,
// removed with what is in it when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& leaf);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace velmtest
