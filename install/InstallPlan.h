// The whole installation as an ordered list of steps, worked out before anything is touched: the
// removal's folder rule and the folder chain that the OK handler makes for a new folder
// (PlanChosenFolder); then what the copying does (PlanInstallation): copy the program and clear
// its read-only bit, make "Content", make "Data" when it is missing, copy the three data files,
// one step for each entry of the manifest, the desktop shortcut and the settings file. Each step
// knows whether its outcome feeds the success flag, and a manifest entry's step knows its line.
// The Win32 side (InstallSteps.h, Installation.h) carries the steps out and the disc check plays
// the same steps on a disc; this file only says what they are. Portable: no windows.h.
//
// Every target is the chosen folder followed directly by a fixed piece that begins with a
// backslash, and every source is relative to the disc's folder. A manifest entry that would
// reach outside either (an absolute path, a drive, a ".." part) becomes a refused step: it
// fails and counts in the flag, and nothing is made or copied for it.
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "InstallManifest.h"

namespace velm {

// One step. What it does, and what its paths mean, is in its type: the action is one of the
// kinds below. Targets are full paths under the chosen folder; a copy's source is relative to
// the disc's folder.
struct InstallStep {
  // The chosen folder must be one the removal may later delete (the removal's own folder rule):
  // `folder` is the chosen folder as the removal names it, without a trailing backslash. Refused,
  // nothing of the installation is made.
  struct FolderRule {
    std::string folder;
  };
  // Unless the folder `folder` exists, make `chain` ("Data" in it) and every folder above it.
  struct FolderChain {
    std::string folder;
    std::string chain;
  };
  // Create `folder`, one level; fails when it exists.
  struct MakeFolder {
    std::string folder;
  };
  // Create `folder`, one level, unless it exists.
  struct EnsureFolder {
    std::string folder;
  };
  // Copy `from` (relative to the disc's folder) to `to`, never over an existing file.
  struct Copy {
    std::string from;
    std::string to;
  };
  // Write the attributes of `file` back without the read-only bit.
  struct ClearReadOnly {
    std::string file;
  };
  // A manifest entry that would write outside the folder (`entry`, its path): fails, does nothing.
  struct Refused {
    std::string entry;
  };
  // The manifest `manifest` is there but cannot be read: the installation stops here, failing.
  struct ManifestUnreadable {
    std::string manifest;
  };
  // The desktop shortcut to `program`, with `workingFolder`.
  struct Shortcut {
    std::string program;
    std::string workingFolder;
  };
  // The settings file records `folder`.
  struct Settings {
    std::string folder;
  };
  using Action = std::variant<FolderRule, FolderChain, MakeFolder, EnsureFolder, Copy,
                              ClearReadOnly, Refused, ManifestUnreadable, Shortcut, Settings>;

  Action action;
  bool feedsFlag;  // whether a failure makes the installation's success flag false
  int line = 0;    // the manifest line the step is made from; 0 for the installation's own

  template <class T>
  const T* as() const {
    return std::get_if<T>(&action);
  }
  template <class T>
  bool is() const {
    return std::holds_alternative<T>(action);
  }
  // The path the step makes or writes under the chosen folder; empty for a step that writes
  // nothing there (the rule, the read-only bit, a refused entry, the shortcut, the settings).
  const std::string& written() const;
};

// The OK handler's steps for the chosen folder, before anything is copied: the removal's folder
// rule, then the folder made when it is new (PlanNewFolder).
std::vector<InstallStep> PlanChosenFolder(const std::string& folder);

// The OK handler's step for the chosen folder: a folder that does not exist is made, with any
// missing folder above it and its "Data" ("Data" is joined directly to a folder that ends in a
// backslash). Its outcome does not count: the folder's existence afterwards decides.
InstallStep PlanNewFolder(const std::string& folder);

// The copying into `folder`, from the disc's folder: the program and its data
// (PlanProgramAndData), the manifest's steps (or, for a manifest that cannot be read, the step
// that stops the installation there), then the shortcut and the settings file, which do not
// count.
std::vector<InstallStep> PlanInstallation(const std::string& folder, const DiscManifest& manifest);

// The whole installation into `folder`: the chosen folder's steps (PlanChosenFolder), then the
// copying (PlanInstallation). The disc check plays it.
std::vector<InstallStep> PlanWholeInstallation(const std::string& folder,
                                               const DiscManifest& manifest);

// The program file, its read-only bit, "Content", "Data" and the three data files, into
// `folder`. "Data" is made here too, not only with a new folder: a folder that exists already
// (the one a removal leaves because the user's own file is in it) has lost it, and without it
// every data copy would fail. Whether it had to be made does not count; the copies into it do.
std::vector<InstallStep> PlanProgramAndData(const std::string& folder);

// One step for each entry of the manifest, in file order: a folder line makes `folder` +
// "\Content\" + line, a file line copies "content\" + path to `folder` + "\content\" + path. An
// entry whose line or path is not contained (IsContainedManifestPath) is a refused step.
std::vector<InstallStep> PlanManifest(const std::string& folder,
                                      const std::vector<ManifestEntry>& entries);
std::vector<InstallStep> PlanManifest(const std::string& folder, std::string_view manifestBytes);

// True when a manifest path stays inside "content": not empty, not starting at a root ("\" or
// "/"), no drive or stream colon, and no part made only of dots and blanks ("..", and the names
// Windows trims to it), with "\" and "/" both taken as separators.
bool IsContainedManifestPath(const std::string& path);

}  // namespace velm
