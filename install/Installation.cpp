// The installation as one call (see Installation.h).
#include "Installation.h"

#include <windows.h>

#include "InstallSteps.h"
#include "PelmoraLib.h"

namespace velm {

namespace {

// A file up to this size is copied by one CopyFileA; a larger one in pieces (SysCalls::beginCopy),
// so that the window answers and a cancel is heard within the file.
constexpr unsigned long long kOneCallCopy = 64 * 1024;
constexpr unsigned long long kMegabyte = 1024 * 1024;

// "X:\..." or "\\...": a path that names its drive or share and its root.
bool IsFullyQualified(const std::string& path) {
  if (path.size() >= 2 && path[0] == '\\' && path[1] == '\\') return true;
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

// The chosen folder resolved against the working directory of this moment, which is the folder
// dialog's list's folder; a fully qualified one as it is. The copies run from the disc's folder,
// the shortcut and the settings file are read from anywhere: each must get the same folder.
std::string ResolveChosenFolder(const std::string& folder) {
  if (IsFullyQualified(folder)) return folder;
  const DWORD needed = GetFullPathNameA(folder.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return folder;
  std::string full(needed, '\0');
  const DWORD count = GetFullPathNameA(folder.c_str(), needed, &full[0], nullptr);
  if (count == 0 || count >= needed) return folder;
  full.resize(count);
  return full;
}

// The root of a fully qualified folder: "X:\" or "\\server\share\".
std::string RootOf(const std::string& folder) {
  if (folder.size() >= 3 && folder[1] == ':') return folder.substr(0, 3);
  if (folder.size() < 2 || folder.compare(0, 2, "\\\\") != 0) return std::string();
  const std::size_t server = folder.find('\\', 2);
  if (server == std::string::npos) return std::string();
  const std::size_t share = folder.find('\\', server + 1);
  return share == std::string::npos ? folder + "\\" : folder.substr(0, share + 1);
}

// The folders of `path` and above it that do not exist, outermost first: what a folder chain
// would make.
std::vector<std::string> MissingFolders(std::string path) {
  std::vector<std::string> missing;
  if (!path.empty() && path.back() == '\\') path.pop_back();
  while (path.size() >= 3 && !FolderExists(path)) {
    missing.insert(missing.begin(), path);
    const std::size_t cut = path.rfind('\\');
    if (cut == std::string::npos) break;
    path.resize(cut);
  }
  return missing;
}

// Names compared as the file system compares them: in either case.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const {
    return lstrcmpiA(a.c_str(), b.c_str()) < 0;
  }
};

// `folder` (relative, "" for the disc's root) in the disc's folder `disc` (ending in a backslash,
// or empty for the working directory), without a trailing backslash.
std::string InFolder(std::string disc, const std::string& folder) {
  disc += folder;
  if (disc.empty()) return ".";
  if (disc.back() == '\\') disc.pop_back();  // "D:" lists as "D:\*"
  return disc;
}

// The copies of a plan, in order.
std::vector<const InstallStep::Copy*> CopiesOf(const std::vector<InstallStep>& steps) {
  std::vector<const InstallStep::Copy*> copies;
  for (const InstallStep& step : steps)
    if (const auto* copy = step.as<InstallStep::Copy>()) copies.push_back(copy);
  return copies;
}

}  // namespace

unsigned long long MegabytesNeeded(unsigned long long bytes) {
  return (bytes + kMegabyte - 1) / kMegabyte;
}

unsigned long long MegabytesFree(unsigned long long bytes) {
  return bytes / kMegabyte;
}

Installation::Installation(InstallRequest request) : request_(std::move(request)) {
  outcome_.folder = ResolveChosenFolder(request_.folder);
  steps_ = PlanChosenFolder(outcome_.folder);
}

Installation::~Installation() = default;

bool Installation::finish(InstallOutcome::Kind kind) {
  piece_.reset();
  outcome_.kind = kind;
  finished_ = true;
  return false;
}

unsigned long long Installation::sizeOf(const std::string& source) {
  const auto known = sizes_.find(source);
  if (known != sizes_.end()) return known->second;
  unsigned long long size = 0;
  if (!Sys().fileSize(source, &size)) size = 0;
  return sizes_[source] = size;
}

// The bytes the copies need, before anything is made: the sizes of the disc's files, named
// through the disc's folder (the working directory is still the list's), from one listing of each
// folder that holds them, one folder a step. A folder's listing costs about as much as one look-up
// by name, and from a CD-ROM its directory is read once. True while folders remain.
bool Installation::measure() {
  if (!measureStarted_) {
    measureStarted_ = true;
    const std::vector<InstallStep> plan =
        PlanInstallation(outcome_.folder, ReadDiscManifest(request_.sourceFolder));
    for (const InstallStep::Copy* copy : CopiesOf(plan)) {
      const std::size_t cut = copy->from.rfind('\\');
      measureQueue_[cut == std::string::npos ? std::string() : copy->from.substr(0, cut)].push_back(
          copy->from);
    }
    return true;
  }
  if (measureQueue_.empty()) return false;
  const auto folder = measureQueue_.begin();
  // The folder's files by their name and their short name, in either case.
  std::map<std::string, unsigned long long, NoCase> listed;
  for (const FoundFile& file : Sys().listFiles(InFolder(request_.sourceFolder, folder->first))) {
    listed.emplace(file.name, file.size);
    if (!file.shortName.empty()) listed.emplace(file.shortName, file.size);
  }
  for (const std::string& source : folder->second) {
    const auto found = listed.find(source.substr(source.rfind('\\') + 1));
    if (found != listed.end() && sizes_.emplace(source, found->second).second)
      outcome_.bytesNeeded += found->second;
  }
  measureQueue_.erase(folder);
  return true;
}

void Installation::beginCopying() {
  copying_ = true;
  // The sources are relative to the disc's folder; the directory list may have moved the working
  // directory anywhere.
  WorkInSourceFolder(request_.sourceFolder);
  for (InstallStep& step : PlanInstallation(outcome_.folder, ReadDiscManifest()))
    steps_.push_back(std::move(step));
  for (const InstallStep::Copy* copy : CopiesOf(steps_)) bytesTotal_ += sizeOf(copy->from);
}

bool Installation::runCopy(const InstallStep::Copy& copy) {
  currentFile_ = copy.from;
  const unsigned long long size = sizeOf(copy.from);
  if (size > kOneCallCopy) {
    piece_ = Sys().beginCopy(copy.from, copy.to);
    if (piece_) {
      pieceStep_ = &copy;
      return true;  // its pieces decide
    }
    bytesDone_ += size;
    return false;
  }
  const bool copied = Sys().copyFile(copy.from, copy.to, true);
  if (copied) madeFiles_.push_back(copy.to);
  bytesDone_ += size;
  return copied;
}

bool Installation::runStep(const InstallStep& step) {
  if (const auto* copy = step.as<InstallStep::Copy>()) return runCopy(*copy);
  if (const auto* chain = step.as<InstallStep::FolderChain>()) {
    const std::vector<std::string> missing = MissingFolders(chain->chain);
    const bool succeeded = RunInstallStep(step);
    for (const std::string& folder : missing)
      if (FolderExists(folder)) madeFolders_.push_back(folder);
    return succeeded;
  }
  const auto* make = step.as<InstallStep::MakeFolder>();
  const auto* ensure = step.as<InstallStep::EnsureFolder>();
  const bool existed = ensure && FolderExists(ensure->folder);
  const bool succeeded = RunInstallStep(step);
  if (succeeded && make) madeFolders_.push_back(make->folder);
  if (succeeded && ensure && !existed) madeFolders_.push_back(ensure->folder);
  return succeeded;
}

// The files this installation made, then its folders, deepest first; a folder that holds
// anything else (a file of the user's) stays. A copy from a disc is read-only: the bit is cleared
// first, on its copy only.
void Installation::takeBack() {
  piece_.reset();  // deletes the unfinished copy
  for (auto file = madeFiles_.rbegin(); file != madeFiles_.rend(); ++file) {
    const DWORD attributes = Sys().getFileAttributes(*file);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
      Sys().setFileAttributes(*file, attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
    Sys().deleteFile(*file);
  }
  for (auto folder = madeFolders_.rbegin(); folder != madeFolders_.rend(); ++folder)
    Sys().removeDirectory(*folder);
  madeFiles_.clear();
  madeFolders_.clear();
}

bool Installation::copiesOver() const {
  if (finished_) return true;
  if (!copying_ || piece_) return false;
  return index_ == steps_.size() || steps_[index_].is<InstallStep::Shortcut>() ||
         steps_[index_].is<InstallStep::Settings>();
}

bool Installation::next() {
  if (finished_) return false;
  try {
    if (cancelRequested_ && cancellable()) {
      takeBack();
      return finish(InstallOutcome::Kind::Cancelled);
    }
    if (piece_) {
      const PieceCopy::State state = piece_->copyPiece();
      if (state == PieceCopy::State::More) return true;
      if (state == PieceCopy::State::Done)
        madeFiles_.push_back(pieceStep_->to);
      else
        success_ = false;
      bytesDone_ += sizeOf(pieceStep_->from);
      piece_.reset();
      return true;
    }
    // Between the folder rule and the folder chain: the bytes needed against the space free.
    if (index_ == 1 && request_.copy && !measured_) {
      if (measure()) return true;
      measured_ = true;
      unsigned long long free = 0;
      const std::string root = RootOf(outcome_.folder);
      if (!root.empty() && Sys().freeSpace(root, &free) && free < outcome_.bytesNeeded) {
        outcome_.bytesFree = free;
        return finish(InstallOutcome::Kind::NoSpace);
      }
      return true;
    }
    if (index_ == steps_.size()) {
      if (!folderReady_) {
        // The chosen folder's steps are done: it must exist now.
        if (!FolderExists(outcome_.folder)) return finish(InstallOutcome::Kind::FolderNotMade);
        if (!request_.copy) return finish(InstallOutcome::Kind::FolderReady);
        folderReady_ = true;
        return true;
      }
      if (!copying_) {
        beginCopying();
        return true;
      }
      return finish(success_ ? InstallOutcome::Kind::Done : InstallOutcome::Kind::DoneWithProblems);
    }
    const InstallStep& step = steps_[index_++];
    if (step.is<InstallStep::Shortcut>() || step.is<InstallStep::Settings>()) {
      pastCopies_ = true;
      currentFile_.clear();
    }
    const bool succeeded = runStep(step);
    if (step.is<InstallStep::FolderRule>()) {
      // The rule guards the installation only; the other modes take any folder that exists.
      if (!succeeded && request_.copy) return finish(InstallOutcome::Kind::Refused);
    } else if (!succeeded && step.feedsFlag) {
      success_ = false;
    }
    return true;
  } catch (...) {
    // A step that raised abandons the rest; what was done stays done.
    return finish(InstallOutcome::Kind::Stopped);
  }
}

InstallOutcome Install(const InstallRequest& request) {
  Installation installation(request);
  while (installation.next()) {
  }
  return installation.outcome();
}

}  // namespace velm
