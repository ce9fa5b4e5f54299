// Fuzzes the install manifest reader and the plan made from it: whatever the bytes, there is one
// step an entry, in order; every step that writes lands inside the chosen folder's "Content" once
// Windows has resolved the path (its "." and ".." parts, the dots and blanks it trims from names,
// both slashes as separators), and reads from inside the disc's "content"; and a folder step and
// a copy step always name what their entry says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "InstallManifest.h"
#include "InstallPlan.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

// The parts of a path as Windows resolves it, case folded to ASCII upper case; false when a ".."
// climbs above the start or the path starts at a root or names a drive.
bool Resolve(std::string_view path, std::vector<std::string>& parts) {
  if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return false;
  if (path.find(':') != std::string_view::npos) return false;
  std::string part;
  auto flush = [&]() {
    // Windows drops trailing dots and blanks of a name: "..." and ". ." become nothing or "..".
    std::string trimmed = part;
    if (trimmed != "." && trimmed != "..")
      while (!trimmed.empty() && (trimmed.back() == '.' || trimmed.back() == ' '))
        trimmed.pop_back();
    part.clear();
    if (trimmed.empty() || trimmed == ".") return true;
    if (trimmed == "..") {
      if (parts.empty()) return false;
      parts.pop_back();
      return true;
    }
    for (char& c : trimmed)
      if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    parts.push_back(trimmed);
    return true;
  };
  for (char c : path) {
    if (c == '\\' || c == '/') {
      if (!flush()) return false;
    } else {
      part += c;
    }
  }
  return flush();
}

// True when `full` is `base` + `piece` + something that resolves inside "CONTENT".
bool LandsInContent(const std::string& full, const std::string& base) {
  const std::string start = base + "\\";
  if (full.compare(0, start.size(), start) != 0) return false;
  std::vector<std::string> parts;
  if (!Resolve(std::string_view(full).substr(start.size()), parts)) return false;
  return !parts.empty() && parts[0] == "CONTENT";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string folder = "C:\\Tolvan";
  int lines = 0;
  const std::vector<velm::ManifestEntry> entries = velm::ReadInstallManifest(bytes, &lines);
  const std::vector<velm::InstallStep> steps = velm::PlanManifest(folder, entries);
  Check(steps.size() == entries.size());
  // The whole installation holds the manifest's steps between the program's and the shortcut.
  const std::vector<velm::InstallStep> whole =
      velm::PlanInstallation(folder, {velm::DiscManifest::State::Read, entries});
  const std::size_t own = velm::PlanProgramAndData(folder).size();
  Check(whole.size() == own + steps.size() + 2);
  Check(whole[own + steps.size()].is<velm::InstallStep::Shortcut>());

  std::string prefix;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const velm::ManifestEntry& entry = entries[i];
    const velm::InstallStep& step = steps[i];
    Check(whole[own + i].written() == step.written() &&
          whole[own + i].action.index() == step.action.index());
    // Each step names its entry's line, in file order, within the lines read.
    Check(step.line == entry.number && entry.number >= 1 && entry.number <= lines);
    Check(i == 0 || entries[i - 1].number < entry.number);
    Check(!entry.line.empty());
    Check(entry.line.find('\r') == std::string::npos);
    Check(entry.line.find('\x1A') == std::string::npos);
    const bool isFolder = entry.line.back() == '\\';
    Check(isFolder == (entry.kind == velm::ManifestEntry::Kind::Folder));
    Check(entry.path == (isFolder ? entry.line : prefix + entry.line));
    if (isFolder) prefix = entry.line;

    Check(step.feedsFlag);
    if (step.is<velm::InstallStep::Refused>()) {
      Check(step.written().empty());
    } else if (const auto* make = step.as<velm::InstallStep::MakeFolder>()) {
      Check(isFolder);
      Check(make->folder == folder + "\\Content\\" + entry.path);
      Check(LandsInContent(make->folder, folder));
    } else if (const auto* copy = step.as<velm::InstallStep::Copy>()) {
      Check(!isFolder);
      Check(copy->to == folder + "\\content\\" + entry.path);
      Check(LandsInContent(copy->to, folder));
      Check(LandsInContent("D:\\" + copy->from, "D:"));
    } else {
      Check(false);
    }
  }
  return 0;
}
