// The installation as one call with its inputs: the disc's folder and the chosen folder in, one
// outcome out. It runs the plan (InstallPlan.h) step by step from an object that says how far it
// is, so that whoever runs it (the folder dialog) can keep its window answering between steps.
// It shows nothing and moves no cursor: what the customer sees is the dialog's.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "InstallPlan.h"

namespace velm {

struct InstallRequest {
  std::string sourceFolder;  // the disc's folder (SourceFolder), ending in a backslash
  std::string folder;        // the chosen folder as the folder field holds it, not empty
  bool copy = true;          // false: only make sure the folder exists (the dialog's other modes)
};

struct InstallOutcome {
  enum class Kind {
    Refused,           // the removal's folder rule refuses the folder: nothing was made
    FolderNotMade,     // the folder does not exist and could not be made
    FolderReady,       // the folder exists; nothing was to be copied
    Done,              // every step that counts succeeded
    DoneWithProblems,  // ran to its end; a step that counts failed
    Stopped,           // a step raised (the manifest cannot be read, no shell link object)
  };
  Kind kind = Kind::FolderNotMade;
  // The folder it used: the chosen one, a relative one resolved against the working directory of
  // the moment it was asked for (the folder dialog's list).
  std::string folder;
};

class Installation {
 public:
  explicit Installation(InstallRequest request);

  // Runs the next step: first the chosen folder's (the folder rule and the folder chain), then
  // the copying's, from the disc's folder as the working directory. False once the outcome is
  // known; never raises.
  bool next();
  // True once the chosen folder exists and the copying is next (or has begun).
  bool folderReady() const { return folderReady_; }
  // How far it is: the steps done of those planned so far.
  std::size_t stepsDone() const { return index_; }
  std::size_t stepCount() const { return steps_.size(); }
  const InstallOutcome& outcome() const { return outcome_; }

 private:
  bool finish(InstallOutcome::Kind kind);
  void beginCopying();

  InstallRequest request_;
  std::vector<InstallStep> steps_;
  std::size_t index_ = 0;
  bool folderReady_ = false;
  bool copying_ = false;
  bool success_ = true;
  bool finished_ = false;
  InstallOutcome outcome_;
};

// Runs a whole installation at once.
InstallOutcome Install(const InstallRequest& request);

}  // namespace velm
