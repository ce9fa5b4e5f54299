// The installation as one call with its inputs: the disc's folder and the chosen folder in, one
// outcome out. It runs the plan (InstallPlan.h) step by step from an object that says how far it
// is (the bytes copied of those the plan copies, the file being copied), so that whoever runs it
// (the folder dialog, on a thread of its own: InstallThread.h) can show how far it is and stop it
// within a file; a large file is copied in pieces, one a step. It can be cancelled while it
// copies: it then takes back exactly what it made. It shows nothing and moves no cursor: what the
// customer sees is the dialog's.
#pragma once

#include <atomic>
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "InstallPlan.h"
#include "SysCalls.h"

namespace velm {

struct InstallRequest {
  std::string sourceFolder;  // the disc's folder (SourceFolder), ending in a backslash
  std::string folder;        // the chosen folder as the folder field holds it, not empty
  bool copy = true;          // false: only make sure the folder exists (the dialog's other modes)
};

struct InstallOutcome {
  enum class Kind {
    Refused,           // the removal's folder rule refuses the folder: nothing was made
    NoSpace,           // the folder's disk has less free space than the copies need: nothing made
    FolderNotMade,     // the folder does not exist and could not be made
    FolderReady,       // the folder exists; nothing was to be copied
    Done,              // every step that counts succeeded
    DoneWithProblems,  // ran to its end; a step that counts failed
    Stopped,           // a step raised (the manifest cannot be read, no shell link object)
    Cancelled,         // cancelled: what it had made is taken back
  };
  Kind kind = Kind::FolderNotMade;
  // The folder it used: the chosen one, a relative one resolved against the working directory of
  // the moment it was asked for (the folder dialog's list).
  std::string folder;
  // NoSpace: the bytes the copies need and those free on the folder's disk.
  unsigned long long bytesNeeded = 0;
  unsigned long long bytesFree = 0;
};

class Installation {
 public:
  explicit Installation(InstallRequest request);
  ~Installation();

  // Runs the next step: first the chosen folder's (the folder rule, the bytes the copies need
  // against the disk's free space, the folder chain), then the copying's, from the disc's folder
  // as the working directory, a large file one piece a step. False once the outcome is known;
  // never raises.
  bool next();
  // Asks it to stop: heard at the next call of next(), which then takes back every file and
  // folder this installation made (files first, then folders deepest first and only when empty)
  // and ends Cancelled. Once the copies are over (the shortcut is next) it is too late: the
  // installation ends as it would have. It may be asked from another thread than the one that
  // runs next().
  void cancel() { cancelRequested_ = true; }
  // Whether a cancel can still take back: the copies are not over.
  bool cancellable() const { return !finished_ && !pastCopies_; }

  // True once the chosen folder exists and the copying is next (or has begun).
  bool folderReady() const { return folderReady_; }
  // True once nothing more is read from the disc: the copies are over (the shortcut and the
  // settings file are next) or the outcome is known.
  bool copiesOver() const;
  // How far it is: the bytes copied (each file counted whole once its copy is done, a large one
  // as its pieces go) of those the copies hold, and the file being copied, as named on the disc.
  unsigned long long bytesDone() const { return bytesDone_ + (piece_ ? piece_->copied() : 0); }
  unsigned long long bytesTotal() const { return bytesTotal_; }
  const std::string& currentFile() const { return currentFile_; }
  // The steps done of those planned so far.
  std::size_t stepsDone() const { return index_; }
  std::size_t stepCount() const { return steps_.size(); }
  const InstallOutcome& outcome() const { return outcome_; }

 private:
  bool finish(InstallOutcome::Kind kind);
  bool measure();
  void beginCopying();
  bool runStep(const InstallStep& step);
  bool runCopy(const InstallStep::Copy& copy);
  unsigned long long sizeOf(const std::string& source);
  void takeBack();

  InstallRequest request_;
  std::vector<InstallStep> steps_;
  std::size_t index_ = 0;
  bool measured_ = false;
  bool measureStarted_ = false;
  // The sources still to be measured, by the folder that holds them on the disc.
  std::map<std::string, std::vector<std::string>> measureQueue_;
  bool folderReady_ = false;
  bool copying_ = false;
  bool pastCopies_ = false;
  bool success_ = true;
  bool finished_ = false;
  std::atomic<bool> cancelRequested_{false};  // set from any thread
  InstallOutcome outcome_;

  // The sources' sizes by their name on the disc, and the progress through them.
  std::map<std::string, unsigned long long> sizes_;
  unsigned long long bytesDone_ = 0;
  unsigned long long bytesTotal_ = 0;
  std::string currentFile_;
  // The large file being copied, piece by piece, and the step it belongs to.
  std::unique_ptr<PieceCopy> piece_;
  const InstallStep::Copy* pieceStep_ = nullptr;
  // What this installation made, in the order it made it.
  std::vector<std::string> madeFiles_;
  std::vector<std::string> madeFolders_;
};

// Runs a whole installation at once.
InstallOutcome Install(const InstallRequest& request);

// Whole megabytes (1,048,576 bytes) as the free-space message gives them: what is needed rounded
// up, what is free rounded down.
unsigned long long MegabytesNeeded(unsigned long long bytes);
unsigned long long MegabytesFree(unsigned long long bytes);

}  // namespace velm
