// The data-folder settings file that the dictionary program reads: where it lies and what it
// holds, worked out over a small interface of file calls so that every branch can be driven by a
// fake. The file holds exactly one line (the folder, then CR LF) or nothing. Its place is
// "Tolvan.ini" in the Windows directory, or the file "C:\Tolvan" when that cannot be created.
// Portable: no windows.h; the Win32 calls are in PelmoraLib.cpp.
#pragma once

#include <string>

namespace velm {

// The room the Windows directory query is given (the buffer itself holds kWindowsDirBuffer).
constexpr unsigned kWindowsDirQuerySize = 100;
constexpr unsigned kWindowsDirBuffer = 120;

// The file calls the settings routine makes.
class SettingsFiles {
 public:
  virtual ~SettingsFiles() = default;
  // The Windows directory query (GetWindowsDirectoryA): fills `buffer`, which has room for `size`
  // bytes, and returns the count of characters written; 0 on failure. A directory that does not
  // fit makes it return the size it would need instead.
  virtual unsigned windowsDirectory(char* buffer, unsigned size) = 0;
  // True only for an existing file; a folder of that name is not one.
  virtual bool fileExists(const std::string& path) = 0;
  // Creates `path` empty (or empties it) and closes it at once; false when it cannot be created.
  virtual bool createEmpty(const std::string& path) = 0;
  // The whole content of an existing file; false when it cannot be opened or read.
  virtual bool readFile(const std::string& path, std::string& bytes) = 0;
  // Creates `path` (or empties it), writes `*line` followed by CR LF unless `line` is null, and
  // closes it. False at the first failure; what was done by then stays done.
  virtual bool writeFile(const std::string& path, const std::string* line) = 0;
};

// Records `folder` in the settings file. `settingsFilePath` is the file's path as far as this run
// knows it (empty at first): it is kept while it names an existing file, and worked out afresh
// (and left set to the new place) otherwise. An empty `folder` rewrites the file with the first
// line it held before, when the place was already known and the file still there. Failures end
// the routine silently.
void WriteDataFolderSetting(SettingsFiles& files, std::string& settingsFilePath,
                            const std::string& folder);

}  // namespace velm
