// The whole installation as an ordered list of steps, worked out before anything is touched: the
// folder chain that the OK handler makes for a new folder (PlanNewFolder); then what the copying
// does (PlanInstallation): copy the program and clear its read-only bit, make "Content", make
// "Data" when it is missing, copy the three data files, one step for each entry of the manifest,
// the desktop shortcut and the settings file. Each step knows whether its outcome feeds the
// success flag, and a manifest entry's step knows its line. The Win32 side (InstallSteps.h)
// carries the steps out and the disc check plays the same steps on a disc; this file only says
// what they are. Portable: no windows.h.
//
// Every target is the chosen folder followed directly by a fixed piece that begins with a
// backslash, and every source is relative to the disc's folder. A manifest entry that would
// reach outside either (an absolute path, a drive, a ".." part) becomes a refused step: it
// fails and counts in the flag, and nothing is made or copied for it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "InstallManifest.h"

namespace velm {

struct InstallStep {
  enum class Kind {
    MakeFolder,     // create `target`, one level
    Copy,           // copy `source` to `target`, never over an existing file
    ClearReadOnly,  // write `target`'s attributes back without the read-only bit
    EnsureFolder,   // create `target`, one level, unless it exists
    Refused,        // a manifest entry that would write outside the folder: fails, does nothing
    FolderChain,    // unless the folder `source` exists, make `target` and every folder above it
    ManifestUnreadable,  // the manifest cannot be read: the installation stops here, failing
    Shortcut,            // the desktop shortcut to the program `source`, working folder `target`
    Settings,            // the settings file records the folder `target`
  };
  Kind kind;
  std::string source;  // Copy: relative to the disc's folder; Refused: the manifest's entry
  std::string target;  // every other kind: the full path made or written
  bool feedsFlag;      // whether a failure makes the installation's success flag false
  int line = 0;        // the manifest line the step is made from; 0 for the installation's own
};

// The OK handler's step for the chosen folder: a folder that does not exist is made, with any
// missing folder above it and its "Data" ("Data" is joined directly to a folder that ends in a
// backslash). Its outcome does not count: the folder's existence afterwards decides.
InstallStep PlanNewFolder(const std::string& folder);

// The copying into `folder`, from the disc's folder: the program and its data
// (PlanProgramAndData), the manifest's steps (or, for a manifest that cannot be read, the step
// that stops the installation there), then the shortcut and the settings file, which do not
// count.
std::vector<InstallStep> PlanInstallation(const std::string& folder, const DiscManifest& manifest);

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
