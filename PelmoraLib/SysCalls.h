// The file-system, shell and process calls that installation, removal and the settings file make,
// behind one small interface. The default forwards each call to the real Win32 function; a test
// puts in a subclass that makes one chosen call fail, since a root user under Wine cannot make a
// folder unwritable. Everything else runs for real.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace velm {

// A text file opened for writing: created, or emptied when it exists.
class TextWriter {
 public:
  virtual ~TextWriter() = default;
  // Writes the bytes of `line` followed by CR LF. False on an I/O failure.
  virtual bool writeLine(const std::string& line) = 0;
  // Flushes and closes; false when the data could not be written.
  virtual bool close() = 0;
};

// A file found in a folder: its name, its short (8.3) name where the file system keeps one, and
// its size in bytes.
struct FoundFile {
  std::string name;
  std::string shortName;
  unsigned long long size = 0;
};

// A file copy made piece by piece, so that whoever runs it can do other things between pieces.
// It keeps what CopyFileA gives: the same bytes, the source's attributes (read-only among them)
// and its last-write time, and it never writes over an existing file. A copy given up before its
// end (destroyed unfinished, or failed) deletes what it wrote.
class PieceCopy {
 public:
  enum class State { More, Done, Failed };
  virtual ~PieceCopy() = default;
  // Copies the next piece; More while pieces remain.
  virtual State copyPiece() = 0;
  // The bytes copied so far.
  virtual unsigned long long copied() const = 0;
};

class SysCalls {
 public:
  virtual ~SysCalls() = default;

  virtual DWORD getFileAttributes(const std::string& path);
  virtual bool setFileAttributes(const std::string& path, DWORD attributes);
  virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists);
  virtual bool createDirectory(const std::string& path);
  // RemoveDirectoryA: only an empty folder goes.
  virtual bool removeDirectory(const std::string& path);
  // Starts a copy of `from` to a new file `to`, piece by piece (PieceCopy); nullptr when the
  // source cannot be read or `to` cannot be made (it exists, among others).
  virtual std::unique_ptr<PieceCopy> beginCopy(const std::string& from, const std::string& to);
  // The size of the file `path` (FindFirstFileA); false when there is no such file.
  virtual bool fileSize(const std::string& path, unsigned long long* size);
  // The bytes free for this user on the disk of the folder `root` (a drive's or share's root):
  // GetDiskFreeSpaceExA where the system has it, which counts past 2 GB, else GetDiskFreeSpaceA.
  // False when the system cannot say.
  virtual bool freeSpace(const std::string& root, unsigned long long* bytes);
  virtual bool deleteFile(const std::string& path);
  virtual bool setCurrentDirectory(const std::string& path);
  virtual std::string getCurrentDirectory();
  // GetWindowsDirectoryA: the count it returns (0 on failure), the path in `buffer`.
  virtual UINT getWindowsDirectory(char* buffer, UINT size);
  // True only for an existing file (FindFirstFileA); a folder of that name is not one.
  virtual bool fileExists(const std::string& path);
  // The files (not folders) directly in `folder`, from one FindFirstFileA walk of it; none when
  // the folder is missing or cannot be read.
  virtual std::vector<FoundFile> listFiles(const std::string& folder);
  // Creates or empties `path` for writing; nullptr when it cannot be opened.
  virtual std::unique_ptr<TextWriter> createText(const std::string& path);
  // The whole content of a file opened read-only; false when it cannot be opened or read.
  virtual bool readFile(const std::string& path, std::string& bytes);
  // The same for a file of at most `maxSize` bytes; a larger one is refused unread (false). The
  // size is looked up with FindFirstFileA, then the file is read with readFile.
  virtual bool readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes);
  // The shell's path for a special folder (CSIDL), as SHGetPathFromIDListA gives it.
  virtual std::string specialFolderPath(int csidl);
  virtual HWND findWindow(const char* className, const char* windowName);
  virtual BOOL postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  virtual UINT winExec(const std::string& commandLine, UINT show);
  // CoCreateInstance of an in-process or local server object, asking for `iid`.
  virtual HRESULT createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object);
};

// The calls in force: the real ones unless a test has put others in.
SysCalls& Sys();
// Puts `calls` in force (not owned); nullptr puts the real calls back.
void SetSys(SysCalls* calls);

// Puts a replacement in force for one scope.
class ScopedSys {
 public:
  explicit ScopedSys(SysCalls& calls) { SetSys(&calls); }
  ~ScopedSys() { SetSys(nullptr); }
  ScopedSys(const ScopedSys&) = delete;
  ScopedSys& operator=(const ScopedSys&) = delete;
};

}  // namespace velm
