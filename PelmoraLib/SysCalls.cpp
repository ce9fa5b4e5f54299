// The real Win32 calls behind the seam of SysCalls.h, and the switch that lets a test put its own
// in force.
#include "SysCalls.h"

#include <shlobj.h>

#include <vector>

#include "UniqueHandle.h"

namespace velm {

namespace {

// A function of the shell's library, which is loaded the first time one is asked for rather than
// with the program: only the installation and the removal need it, and loading it with the
// program adds to the time before the main window is up. Null where it cannot be had.
// A function of `library` looked up by name; null where the library or the function is missing.
template <class Function>
Function LibraryFunction(HMODULE library, const char* name) {
  if (!library) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

template <class Function>
Function ShellFunction(const char* name) {
  static const HMODULE shell = LoadLibraryA("shell32.dll");
  return LibraryFunction<Function>(shell, name);
}

// A file opened for writing with CreateFileA; closed at the latest when the writer goes.
class FileTextWriter : public TextWriter {
 public:
  explicit FileTextWriter(UniqueFile file) : file_(std::move(file)) {}

  bool writeLine(const std::string& line) override {
    if (!file_) {
      return false;
    }
    const std::string bytes = line + "\r\n";
    DWORD written = 0;
    return WriteFile(file_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                     nullptr) &&
           written == bytes.size();
  }

  // Closed here, the close's own failure is told (the last writes may fail only then).
  bool close() override { return !file_ || CloseHandle(file_.release()) != 0; }

 private:
  UniqueFile file_;
};

// The directory entry of a file (not a folder) of exactly that name, from FindFirstFileA.
bool FindExistingFile(const std::string& path, WIN32_FIND_DATAA& found) {
  // FindFirstFileA takes wildcards: a name with * or ? would match some other file.
  if (path.find_first_of("*?") != std::string::npos) {
    return false;
  }
  const UniqueSearch search(FindFirstFileA(path.c_str(), &found));
  return search && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// How much a piece of a copy holds: at 4x (600 KB/s) a CD-ROM drive reads it in about 110 ms,
// so that whoever copies can answer its window within 250 ms even after a jump of the head.
constexpr DWORD kPieceBytes = 64 * 1024;

class Win32PieceCopy : public PieceCopy {
 public:
  Win32PieceCopy(UniqueFile from, UniqueFile to, std::string target, DWORD attributes,
                 FILETIME lastWrite)
      : from_(std::move(from)),
        to_(std::move(to)),
        target_(std::move(target)),
        attributes_(attributes),
        lastWrite_(lastWrite),
        buffer_(kPieceBytes) {}
  ~Win32PieceCopy() override {
    if (state_ != State::Done) giveUp();
  }

  State copyPiece() override {
    if (state_ != State::More) return state_;
    DWORD read = 0;
    if (!ReadFile(from_.get(), buffer_.data(), kPieceBytes, &read, nullptr)) return giveUp();
    if (read == 0) return finish();
    DWORD written = 0;
    if (!WriteFile(to_.get(), buffer_.data(), read, &written, nullptr) || written != read)
      return giveUp();
    copied_ += read;
    return state_;
  }
  unsigned long long copied() const override { return copied_; }

 private:
  // The source's last-write time and attributes on the finished copy, as CopyFileA leaves them.
  State finish() {
    if (!SetFileTime(to_.get(), nullptr, nullptr, &lastWrite_)) return giveUp();
    if (CloseHandle(to_.release()) == 0) return giveUp();
    from_.reset();
    const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                       FILE_ATTRIBUTE_ARCHIVE;
    if ((attributes_ & kept) != FILE_ATTRIBUTE_ARCHIVE)
      SetFileAttributesA(target_.c_str(), attributes_ & kept);
    return state_ = State::Done;
  }
  State giveUp() {
    from_.reset();
    to_.reset();
    DeleteFileA(target_.c_str());
    return state_ = State::Failed;
  }

  UniqueFile from_, to_;
  std::string target_;
  DWORD attributes_;
  FILETIME lastWrite_;
  std::vector<char> buffer_;
  unsigned long long copied_ = 0;
  State state_ = State::More;
};

SysCalls* g_installed = nullptr;

}  // namespace

DWORD SysCalls::getFileAttributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

bool SysCalls::setFileAttributes(const std::string& path, DWORD attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool SysCalls::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
  return CopyFileA(from.c_str(), to.c_str(), failIfExists ? TRUE : FALSE) != 0;
}

bool SysCalls::createDirectory(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool SysCalls::removeDirectory(const std::string& path) {
  return RemoveDirectoryA(path.c_str()) != 0;
}

std::unique_ptr<PieceCopy> SysCalls::beginCopy(const std::string& from, const std::string& to) {
  // The attributes are asked by name, the last-write time of the open file.
  // GetFileInformationByHandle would answer both, but Wine works out the file's whole name for
  // it, which costs about as much as copying a small file.
  if (from.find_first_of("*?") != std::string::npos) return nullptr;
  const DWORD attributes = GetFileAttributesA(from.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return nullptr;
  UniqueFile source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  FILETIME lastWrite;
  if (!source || !GetFileTime(source.get(), nullptr, nullptr, &lastWrite)) return nullptr;
  // A new file only: an existing one is never written over.
  UniqueFile target(CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!target) return nullptr;
  return std::make_unique<Win32PieceCopy>(std::move(source), std::move(target), to, attributes,
                                          lastWrite);
}

bool SysCalls::fileSize(const std::string& path, unsigned long long* size) {
  WIN32_FIND_DATAA found;
  if (!FindExistingFile(path, found)) return false;
  *size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  return true;
}

bool SysCalls::freeSpace(const std::string& root, unsigned long long* bytes) {
  // Looked up, not imported: GetDiskFreeSpaceExA came with Windows 95 OSR2 and NT 4, and the
  // first Windows 95 answers only through GetDiskFreeSpaceA, which stops at 2 GB.
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  using FreeEx = BOOL(WINAPI*)(LPCSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);
  const auto freeEx = LibraryFunction<FreeEx>(kernel, "GetDiskFreeSpaceExA");
  if (freeEx) {
    ULARGE_INTEGER available, total, free;
    if (!freeEx(root.c_str(), &available, &total, &free)) return false;
    *bytes = available.QuadPart;
    return true;
  }
  using Free = BOOL(WINAPI*)(LPCSTR, LPDWORD, LPDWORD, LPDWORD, LPDWORD);
  const auto freeOld = LibraryFunction<Free>(kernel, "GetDiskFreeSpaceA");
  DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, clusters = 0;
  if (!freeOld ||
      !freeOld(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return false;
  *bytes = static_cast<unsigned long long>(freeClusters) * sectorsPerCluster * bytesPerSector;
  return true;
}

bool SysCalls::deleteFile(const std::string& path) {
  return DeleteFileA(path.c_str()) != 0;
}

bool SysCalls::setCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str()) != 0;
}

std::string SysCalls::getCurrentDirectory() {
  // The first call answers the room needed, terminator included; the second fills it.
  const DWORD needed = GetCurrentDirectoryA(0, nullptr);
  if (needed == 0) {
    return std::string();
  }
  std::vector<char> buffer(needed + 1);
  const DWORD count = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  if (count == 0 || count >= buffer.size()) {
    return std::string();
  }
  return std::string(buffer.data(), count);
}

UINT SysCalls::getWindowsDirectory(char* buffer, UINT size) {
  return GetWindowsDirectoryA(buffer, size);
}

bool SysCalls::fileExists(const std::string& path) {
  WIN32_FIND_DATAA found;
  return FindExistingFile(path, found);
}

std::vector<FoundFile> SysCalls::listFiles(const std::string& folder) {
  std::vector<FoundFile> files;
  WIN32_FIND_DATAA found;
  const UniqueSearch search(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) {
    return files;
  }
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      files.push_back(
          {found.cFileName, found.cAlternateFileName,
           (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow});
    }
  } while (FindNextFileA(search.get(), &found));
  return files;
}

std::unique_ptr<TextWriter> SysCalls::createText(const std::string& path) {
  UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return nullptr;
  }
  return std::make_unique<FileTextWriter>(std::move(file));
}

bool SysCalls::readFile(const std::string& path, std::string& bytes) {
  const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    return false;
  }
  // Read straight into the string, in large pieces: a picture of a few hundred kilobytes
  // takes a handful of calls.
  constexpr std::size_t kChunk = 64 * 1024;
  bytes.clear();
  bool ok = true;
  for (;;) {
    const std::size_t at = bytes.size();
    bytes.resize(at + kChunk);
    DWORD count = 0;
    if (!ReadFile(file.get(), &bytes[at], static_cast<DWORD>(kChunk), &count, nullptr)) {
      ok = false;
      count = 0;
    }
    bytes.resize(at + count);
    if (count == 0) {
      break;
    }
  }
  return ok;
}

bool SysCalls::readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes) {
  WIN32_FIND_DATAA found;
  if (!FindExistingFile(path, found)) {
    return false;
  }
  const unsigned long long size =
      (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  if (size > maxSize) {
    return false;
  }
  return readFile(path, bytes);
}

std::string SysCalls::specialFolderPath(int csidl) {
  const auto getLocation =
      ShellFunction<HRESULT(WINAPI*)(HWND, int, LPITEMIDLIST*)>("SHGetSpecialFolderLocation");
  const auto getPath = ShellFunction<BOOL(WINAPI*)(LPCITEMIDLIST, LPSTR)>("SHGetPathFromIDListA");
  const auto getMalloc = ShellFunction<HRESULT(WINAPI*)(IMalloc**)>("SHGetMalloc");
  if (!getLocation || !getPath || !getMalloc) return std::string();
  LPITEMIDLIST location = nullptr;
  if (FAILED(getLocation(nullptr, csidl, &location)) || location == nullptr) {
    return std::string();
  }
  char path[MAX_PATH + 1] = {};  // 261 bytes, as SHGetPathFromIDListA expects
  getPath(location, path);
  // The list comes from the shell's allocator; SHGetMalloc reaches it on every release, also
  // the oldest ones.
  IMalloc* malloc = nullptr;
  if (SUCCEEDED(getMalloc(&malloc)) && malloc != nullptr) {
    malloc->Free(location);
    malloc->Release();
  }
  return std::string(path);
}

HWND SysCalls::findWindow(const char* className, const char* windowName) {
  return FindWindowA(className, windowName);
}

BOOL SysCalls::postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return PostMessageA(window, message, wParam, lParam);
}

UINT SysCalls::winExec(const std::string& commandLine, UINT show) {
  return WinExec(commandLine.c_str(), show);
}

HRESULT SysCalls::createInstance(REFCLSID clsid, DWORD context, REFIID iid, void** object) {
  return CoCreateInstance(clsid, nullptr, context, iid, object);
}

SysCalls& Sys() {
  static SysCalls real;
  return g_installed != nullptr ? *g_installed : real;
}

void SetSys(SysCalls* calls) {
  g_installed = calls;
}

}  // namespace velm
