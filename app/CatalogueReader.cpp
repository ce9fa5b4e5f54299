#include "CatalogueReader.h"

#include <atomic>
#include <stdexcept>
#include <utility>
#include <vector>

#include "BitmapLayout.h"
#include "SysCalls.h"

namespace velm {

// What the window and the reading thread share; the last of the two to let go frees it.
struct CatalogueReader::Shared {
  std::string folder;
  HWND window = nullptr;
  UINT message = 0;
  HANDLE room = nullptr;  // a semaphore: how many more files may wait for the window
  std::atomic<bool> stopped{false};
  CRITICAL_SECTION lock;
  std::vector<std::string> spare;  // buffers the window gave back

  Shared() { InitializeCriticalSection(&lock); }
  ~Shared() {
    if (room) CloseHandle(room);
    DeleteCriticalSection(&lock);
  }
  std::string takeSpare() {
    std::string buffer;
    EnterCriticalSection(&lock);
    if (!spare.empty()) {
      buffer = std::move(spare.back());
      spare.pop_back();
    }
    LeaveCriticalSection(&lock);
    return buffer;
  }
};

namespace {

constexpr LONG kWaitingFiles = 2;
// Room given back never goes beyond this: the reader's end gives back more than was taken.
constexpr LONG kMostRoom = 4 * kWaitingFiles;

// The folder's file of that name (its letters in either case, or its short name), or null.
const FoundFile* Find(const std::vector<FoundFile>& files, const std::string& name) {
  for (const FoundFile& file : files) {
    if (lstrcmpiA(file.name.c_str(), name.c_str()) == 0 ||
        (!file.shortName.empty() && lstrcmpiA(file.shortName.c_str(), name.c_str()) == 0))
      return &file;
  }
  return nullptr;
}

// Title k's file of that role, read from `folder` (whose files are `files`) into `file`, whose
// buffer is used again.
void ReadOne(const std::vector<FoundFile>& files, const std::string& folder, int k,
             CatalogueRole role, CatalogueFileRead& file) {
  file.k = k;
  file.role = role;
  const std::string name = CatalogueFileName(k, role);
  const FoundFile* found = Find(files, name);
  file.present = found != nullptr;
  file.path = folder + "\\" + name;
  file.read = found &&
              (role == CatalogueRole::Description || found->size <= tk::kMaxPictureFileSize) &&
              Sys().readFile(file.path, file.bytes);
}

void ReadAll(CatalogueReader::Shared& s) {
  // One walk of the folder: a lookup of each of the 36 names on its own costs about as much.
  const std::vector<FoundFile> files = Sys().listFiles(s.folder);
  for (int k = 1; k <= kTitleCount; ++k) {
    for (CatalogueRole role : kCatalogueRoles) {
      WaitForSingleObject(s.room, INFINITE);
      if (s.stopped) return;
      auto file = std::make_unique<CatalogueFileRead>();
      file->bytes = s.takeSpare();
      ReadOne(files, s.folder, k, role, *file);
      const bool stops = file->present && !file->read;
      if (s.stopped || !PostMessageA(s.window, s.message, 0, reinterpret_cast<LPARAM>(file.get())))
        return;
      file.release();  // the window's now
      if (stops) return;
    }
  }
}

// Reads, then waits until the window lets the reader go, which it does once the loading has come
// to its end on its side too (revealed or stopped): the end of the thread is how the end of the
// start is seen from outside.
DWORD WINAPI ReadingThread(LPVOID param) {
  const std::unique_ptr<std::shared_ptr<CatalogueReader::Shared>> shared(
      static_cast<std::shared_ptr<CatalogueReader::Shared>*>(param));
  CatalogueReader::Shared& s = **shared;
  try {
    ReadAll(s);
  } catch (...) {
    // No memory left: the loading goes no further, as after any failure of it.
  }
  while (!s.stopped) WaitForSingleObject(s.room, INFINITE);
  return 0;
}

}  // namespace

bool OnSlowDrive() {
  const UINT type = GetDriveTypeA(nullptr);
  return type != DRIVE_FIXED && type != DRIVE_RAMDISK;
}

void ReadCatalogueHere(const std::string& folder,
                       const std::function<void(const CatalogueFileRead&)>& load) {
  const std::vector<FoundFile> files = Sys().listFiles(folder);
  CatalogueFileRead file;
  for (int k = 1; k <= kTitleCount; ++k) {
    for (CatalogueRole role : kCatalogueRoles) {
      ReadOne(files, folder, k, role, file);
      load(file);
      if (file.present && !file.read) return;
    }
  }
}

CatalogueReader::CatalogueReader(const std::string& folder, HWND window, UINT message)
    : shared_(std::make_shared<Shared>()) {
  shared_->folder = folder;
  shared_->window = window;
  shared_->message = message;
  shared_->room = CreateSemaphoreA(nullptr, kWaitingFiles, kMostRoom, nullptr);
  if (!shared_->room) throw std::runtime_error("cannot make the catalogue reader's semaphore");
  auto param = std::make_unique<std::shared_ptr<Shared>>(shared_);
  DWORD id = 0;
  const HANDLE thread = CreateThread(nullptr, 0, &ReadingThread, param.get(), 0, &id);
  if (!thread) throw std::runtime_error("cannot start the catalogue reader");
  param.release();  // the thread's now
  CloseHandle(thread);
}

CatalogueReader::~CatalogueReader() {
  shared_->stopped = true;
  // A thread waiting for room wakes, and finds room enough to end.
  ReleaseSemaphore(shared_->room, kWaitingFiles, nullptr);
}

void CatalogueReader::giveBack(std::unique_ptr<CatalogueFileRead> file) {
  if (file) {
    EnterCriticalSection(&shared_->lock);
    shared_->spare.push_back(std::move(file->bytes));
    LeaveCriticalSection(&shared_->lock);
  }
  ReleaseSemaphore(shared_->room, 1, nullptr);
}

}  // namespace velm
