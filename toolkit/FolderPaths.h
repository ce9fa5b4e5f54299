// What the directory list and the drive picker share: drive letters and roots, full paths, each
// drive's current folder, names as the disk holds them, and the drives' readiness and labels.
#pragma once

#include <windows.h>

#include <string>

namespace tk {
namespace folders {

// While it lives, a drive without a disc fails its call instead of asking the user to insert
// one: Windows otherwise puts up its "drive not ready" box from inside the file call.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
  ~QuietDriveErrors() { SetErrorMode(previous_); }
  QuietDriveErrors(const QuietDriveErrors&) = delete;
  QuietDriveErrors& operator=(const QuietDriveErrors&) = delete;

 private:
  UINT previous_;
};

char LowerLetter(char c);
char UpperLetter(char c);
// The lower-case drive letter of a path such as "C:\Temp", or 0 (a network path).
char DriveOf(const std::string& path);
std::string DriveRoot(char letter);
// How many leading characters name the root: "C:\" or "\\server\share\".
size_t RootLength(const std::string& path);
std::string WorkingDirectory();
std::string FullPath(const std::string& path);
bool SameFolder(const std::string& a, const std::string& b);
// SetCurrentDirectoryA keeps one working directory for the process. The current folder of each
// other drive, which GetFullPathNameA("d:") answers with, lives in the hidden environment
// variable "=D:"; the C runtime's chdir keeps it and SetCurrentDirectoryA does not. The list
// keeps it too, so that going back to a drive returns to the folder left there.
void RememberDriveFolder(const std::string& folder);
// `path` (a full path) with each folder's name as the file system holds it: "C:\PROGRA~1" and
// "c:\program files" both become "C:\Program Files". A name that cannot be looked up stays.
std::string AsNamedOnDisk(const std::string& path);
// The drive's current folder, or its root when the system knows none.
std::string DriveFolder(char letter);
bool DriveReady(char letter);
std::string VolumeLabel(char letter);

}  // namespace folders
}  // namespace tk
