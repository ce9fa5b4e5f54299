// The installation's steps (see InstallPlan.h).
#include "InstallPlan.h"

namespace velm {

namespace {

InstallStep MakeFolder(std::string target) {
  return {InstallStep::MakeFolder{std::move(target)}, true};
}

InstallStep Copy(std::string source, std::string target) {
  return {InstallStep::Copy{std::move(source), std::move(target)}, true};
}

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// A part of a path that Windows takes for the folder itself or its parent: "." and "..", and
// names of dots and blanks only, which it trims down to those.
bool IsDotsOnly(std::string_view part) {
  return !part.empty() && part.find_first_not_of(". ") == std::string_view::npos;
}

}  // namespace

std::vector<InstallStep> PlanProgramAndData(const std::string& folder) {
  const std::string program = folder + "\\" + kProgramFile;
  std::vector<InstallStep> steps = {
      Copy(kProgramFile, program),
      {InstallStep::ClearReadOnly{program}, false},
      MakeFolder(folder + "\\" + kInstalledContentFolder),
      {InstallStep::EnsureFolder{folder + "\\" + kDataFolder}, false},
  };
  for (const char* data : kDataFiles) steps.push_back(Copy(data, folder + "\\" + data));
  return steps;
}

bool IsContainedManifestPath(const std::string& path) {
  if (path.empty() || IsSeparator(path.front())) return false;
  if (path.find(':') != std::string::npos) return false;
  size_t start = 0;
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i == path.size() || IsSeparator(path[i])) {
      if (IsDotsOnly(std::string_view(path).substr(start, i - start))) return false;
      start = i + 1;
    }
  }
  return true;
}

std::vector<InstallStep> PlanManifest(const std::string& folder,
                                      const std::vector<ManifestEntry>& entries) {
  std::vector<InstallStep> steps;
  steps.reserve(entries.size());
  for (const ManifestEntry& entry : entries) {
    // The line itself and the path it makes with its prefix: a file line "\x" after the prefix
    // "a\" names an absolute path even though "a\\x" would stay inside.
    if (!IsContainedManifestPath(entry.line) || !IsContainedManifestPath(entry.path)) {
      steps.push_back({InstallStep::Refused{entry.path}, true});
    } else if (entry.kind == ManifestEntry::Kind::Folder) {
      steps.push_back(MakeFolder(folder + "\\" + kInstalledContentFolder + "\\" + entry.path));
    } else {
      steps.push_back(Copy(std::string(kCatalogueFolder) + "\\" + entry.path,
                           folder + "\\" + kCatalogueFolder + "\\" + entry.path));
    }
    steps.back().line = entry.number;
  }
  return steps;
}

std::vector<InstallStep> PlanManifest(const std::string& folder, std::string_view manifestBytes) {
  return PlanManifest(folder, ReadInstallManifest(manifestBytes));
}

InstallStep PlanNewFolder(const std::string& folder) {
  const bool endsInBackslash = !folder.empty() && folder.back() == '\\';
  return {InstallStep::FolderChain{folder, folder + (endsInBackslash ? "" : "\\") + kDataFolder},
          false};
}

std::vector<InstallStep> PlanChosenFolder(const std::string& folder) {
  std::string named = folder;
  if (!named.empty() && named.back() == '\\') named.pop_back();
  // The rule's refusal is the installation's answer, not a failed step of it.
  return {{InstallStep::FolderRule{named}, false}, PlanNewFolder(folder)};
}

std::vector<InstallStep> PlanInstallation(const std::string& folder, const DiscManifest& manifest) {
  std::vector<InstallStep> steps = PlanProgramAndData(folder);
  if (manifest.state == DiscManifest::State::Unreadable) {
    steps.push_back({InstallStep::ManifestUnreadable{kInstallManifestPath}, true});
  } else {
    for (InstallStep& step : PlanManifest(folder, manifest.entries))
      steps.push_back(std::move(step));
  }
  steps.push_back({InstallStep::Shortcut{folder + "\\" + kProgramFile, folder}, false});
  steps.push_back({InstallStep::Settings{folder}, false});
  return steps;
}

std::vector<InstallStep> PlanWholeInstallation(const std::string& folder,
                                               const DiscManifest& manifest) {
  std::vector<InstallStep> steps = PlanChosenFolder(folder);
  for (InstallStep& step : PlanInstallation(folder, manifest)) steps.push_back(std::move(step));
  return steps;
}

const std::string& InstallStep::written() const {
  static const std::string none;
  if (const auto* s = as<FolderChain>()) return s->chain;
  if (const auto* s = as<MakeFolder>()) return s->folder;
  if (const auto* s = as<EnsureFolder>()) return s->folder;
  if (const auto* s = as<Copy>()) return s->to;
  return none;
}

}  // namespace velm
