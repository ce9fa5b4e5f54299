// The installation half of the check: the program and data files, the manifest line by line
// through the installation's own reader and plan, and the installation into each default folder
// played through on a new, empty folder, with the platform's rules for what a copy or a folder
// creation refuses.
#include <map>
#include <string>

#include "Cp1253.h"
#include "DiscCheck.h"
#include "InstallManifest.h"
#include "InstallPlan.h"
#include "UninstallScript.h"

namespace velm::check {

namespace {

std::string ProblemsMessage() {
  return "\"" + LiteralToUtf8(kInstallProblemMessage) + "\"";
}
std::string EntryProblemsMessage() {
  return "\"" + LiteralToUtf8(kInstallEntryProblemMessage) + "\"";
}

using Failure = StepFailure;

// The target folder as the installation leaves it, relative to the chosen folder, by PathKey:
// what exists and which manifest line made it (0: the installation's own steps).
struct TargetItem {
  bool folder;  // a folder, not a file
  int line;     // the manifest line that made it; 0 for the installation's own steps
};
struct Target {
  std::map<std::string, TargetItem> items;  // by key
};

std::string ParentKey(const std::string& key) {
  const std::size_t cut = key.rfind('\\');
  return cut == std::string::npos ? std::string() : key.substr(0, cut);
}

// A byte no Windows name may hold.
bool IsBadNameByte(char c) {
  return static_cast<unsigned char>(c) < 0x20 ||
         std::string("<>\"|?*").find(c) != std::string::npos;
}

// Why a name in the target folder fails: a line feed left in it without its carriage return, or a
// byte no Windows name may hold.
Failure NameFailure(const std::string& rel) {
  for (char c : rel) {
    if (c == '\n')
      return {"manifest-lone-lf",
              "the name holds a line feed without a carriage return before it, which the "
              "program does not take for a line end"};
    if (IsBadNameByte(c))
      return {"manifest-bad-name",
              "the name " + Quote(rel) + " holds a character no Windows name may hold"};
  }
  return {};
}

// A path longer than the folder call or the file calls accept.
Failure LengthFailure(const InstallStep& step) {
  const bool folder = !step.is<InstallStep::Copy>();
  const std::size_t limit = folder ? kMaxFolderPathLength : kMaxPathLength;
  const std::string& path = step.written();
  if (path.size() > limit)
    return {"path-too-long", "the path " + Quote(path) + " is " + std::to_string(path.size()) +
                                 " characters long, more than the " + std::to_string(limit) +
                                 (folder ? " the folder call" : " the file calls") + " accept"};
  return {};
}

// Which line put an item there, for a step that finds it already; nothing for the installation's
// own steps.
std::string ByLine(const char* verb, int line) {
  return line ? " (" + std::string(verb) + " by line " + std::to_string(line) + ")" : std::string();
}

// Where a folder line makes its folder, for "its parent comes later".
using FolderLines = std::map<std::string, int>;

class Installation {
 public:
  Installation(const DiscIndex& disc, const std::string& folder, const FolderLines& folderLines)
      : disc_(disc), folder_(folder), folderLines_(folderLines) {
    // A new folder: nothing is there until the OK handler's step makes it.
    outcome_.folder = folder;
  }

  // Plays one step of the plan: what it does to the target folder, and its failure.
  Failure run(const InstallStep& step) {
    const int line = step.line;
    Failure f = attempt(step, line);
    if (step.written().size() > outcome_.longestPath.size()) outcome_.longestPath = step.written();
    if (f.failed() && step.feedsFlag) {
      ++outcome_.failedSteps;
      // The first few, and always the step that stops the installation.
      if (outcome_.reasons.size() < 3 || step.is<InstallStep::ManifestUnreadable>())
        outcome_.reasons.push_back((line ? "line " + std::to_string(line) + ": " : std::string()) +
                                   f.why);
    }
    return f;
  }

  InstallOutcome& outcome() { return outcome_; }

 private:
  // What a step does to the target folder, or why it fails: a refused entry, then the name, the
  // path's length, and last the folder or copy itself.
  Failure attempt(const InstallStep& step, int line) {
    if (const auto* rule = step.as<InstallStep::FolderRule>())
      return IsSafeRemovalFolder(rule->folder)
                 ? Failure()
                 : Failure{"folder-refused",
                           "the removal's folder rule refuses the folder: nothing is installed"};
    if (const auto* chain = step.as<InstallStep::FolderChain>()) {
      // A new folder: made with its "Data".
      target_.items[""] = {true, 0};
      target_.items[PathKey(chain->chain.substr(folder_.size()))] = {true, 0};
      return {};
    }
    if (step.is<InstallStep::ManifestUnreadable>())
      return {"manifest-unreadable", "the manifest cannot be read"};
    if (const auto* refused = step.as<InstallStep::Refused>())
      return {"manifest-refused",
              "the entry " + Quote(refused->entry) +
                  " names an absolute path, a drive or a \"..\" part: nothing is made or "
                  "copied for it"};
    // The read-only bit, the shortcut and the settings file: outside the target folder's tree,
    // and never counted.
    if (step.written().empty()) return {};
    const std::string rel = step.written().substr(folder_.size());
    Failure f = NameFailure(rel);
    if (f.code.empty()) f = LengthFailure(step);
    if (!f.code.empty()) return f;
    const std::string key = PathKey(rel);
    if (step.is<InstallStep::EnsureFolder>()) return ensureFolder(key, line);
    if (step.is<InstallStep::MakeFolder>()) return makeFolder(rel, key, line);
    return copy(*step.as<InstallStep::Copy>(), rel, key, line);
  }

  // Whether the target folder holds a folder under this key.
  bool hasFolder(const std::string& key) const {
    const auto item = target_.items.find(key);
    return item != target_.items.end() && item->second.folder;
  }

  // "Data", made unless it is there; a new folder has it already.
  Failure ensureFolder(const std::string& key, int line) {
    if (target_.items.find(key) == target_.items.end()) target_.items[key] = {true, line};
    return {};
  }

  // A folder line's folder: new, and its parent made before it.
  Failure makeFolder(const std::string& rel, const std::string& key, int line) {
    const auto existing = target_.items.find(key);
    if (existing != target_.items.end())
      return {"manifest-listed-twice", "the folder " + Quote(rel.substr(1)) + " exists already" +
                                           ByLine("made", existing->second.line)};
    const std::string parent = ParentKey(key);
    if (!hasFolder(parent)) return missingParent(rel, parent, line);
    target_.items[key] = {true, line};
    return {};
  }

  // A folder whose parent is not there: its parent's line comes later, or there is none.
  Failure missingParent(const std::string& rel, const std::string& parent, int line) const {
    const auto later = folderLines_.find(parent);
    if (later != folderLines_.end() && later->second > line)
      return {"manifest-folder-before-parent",
              "the folder " + Quote(rel.substr(1)) +
                  " cannot be made: its parent's folder line comes later (line " +
                  std::to_string(later->second) + ")"};
    return {"manifest-parent-missing", "the folder " + Quote(rel.substr(1)) +
                                           " cannot be made: no line makes its parent folder"};
  }

  // A copy: its file on the disc, its place free and its folder made; it counts toward the files
  // and bytes installed.
  Failure copy(const InstallStep::Copy& step, const std::string& rel, const std::string& key,
               int line) {
    const DiscEntry* source = disc_.findFile(step.from);
    if (!source)
      return {line ? "manifest-file-missing" : "install-file-missing",
              "the disc has no file " + Quote(step.from)};
    const auto existing = target_.items.find(key);
    if (existing != target_.items.end())
      return {"manifest-listed-twice", "the copy to " + Quote(rel.substr(1)) +
                                           " finds a file there already" +
                                           ByLine("copied", existing->second.line)};
    if (!hasFolder(ParentKey(key)))
      return {"manifest-folder-not-made",
              "the folder that " + Quote(rel.substr(1)) + " goes into is never made"};
    target_.items[key] = {false, line};
    ++outcome_.files;
    outcome_.bytes += source->size;
    return {};
  }

  const DiscIndex& disc_;
  std::string folder_;
  const FolderLines& folderLines_;
  Target target_;
  InstallOutcome outcome_;
};

std::string Mend(const std::string& code) {
  if (code == "manifest-refused")
    return "Name files and folders relative to content, without a drive, a leading backslash or "
           "\"..\".";
  if (code == "manifest-lone-lf") return "End every manifest line with CR LF.";
  if (code == "manifest-bad-name") return "Rename the file or folder without that character.";
  if (code == "path-too-long") return "Shorten the folder or file names.";
  if (code == "manifest-listed-twice") return "List each folder and file once.";
  if (code == "manifest-folder-before-parent")
    return "Move the parent's folder line before this one.";
  if (code == "manifest-parent-missing") return "Add a folder line for the parent before this one.";
  if (code == "manifest-file-missing") return "Put the file on the disc or remove the line.";
  if (code == "manifest-folder-not-made") return "Mend the folder line this file depends on.";
  return "Mend the disc.";
}

void CheckProgramAndData(const DiscIndex& disc, Report& report) {
  InstallReport& inst = report.install;
  const DiscEntry* program = disc.findFile(kProgramFile);
  inst.programPresent = program != nullptr;
  inst.programReadOnly = program && program->readOnly;
  if (!program) {
    report.add(
        Severity::Problem, "program-missing", kProgramFile, 0,
        "The disc has no " + std::string(kProgramFile) + ".",
        "The installation's first copy fails; at its end the customer sees " + ProblemsMessage() +
            " and then " + EntryProblemsMessage() + ".",
        "Put the dictionary program " + std::string(kProgramFile) + " in the disc's folder.");
  } else if (!program->readOnly) {
    // Autorun starts the program with the disc's root as its folder, and the removal refuses
    // a drive root: the confirmed removal then ends in its problem message.
    const bool removable = IsSafeRemovalFolder("D:");
    report.add(
        Severity::Problem, "program-writable", kProgramFile, 0,
        std::string(kProgramFile) + " on the disc is writable: its read-only attribute is clear.",
        "It takes the disc for an installed dictionary and offers \"" +
            LiteralToUtf8(kUninstallEntryCaption) + "\": the removal of the disc's own folder" +
            (removable ? "."
                       : " (started from a drive root, a confirmed removal is refused "
                         "with \"" +
                             LiteralToUtf8(kUninstallProblemMessage) + "\")."),
        "Make " + std::string(kProgramFile) + " read-only before the disc is pressed.");
  }
  for (int i = 0; i < 3; ++i) {
    inst.dataPresent[i] = disc.findFile(kDataFiles[i]) != nullptr;
    if (!inst.dataPresent[i])
      report.add(Severity::Problem, "data-missing", kDataFiles[i], 0,
                 std::string("The disc has no ") + Cp1253ToUtf8(kDataFiles[i]) + ".",
                 "Its copy fails; at the end of the installation the customer sees " +
                     ProblemsMessage() + ".",
                 "Put the dictionary's data file in the disc's Data folder.");
  }
}

bool IsCatalogueFile(const std::string& key) {
  for (int k = 1; k <= kTitleCount; ++k)
    for (CatalogueRole role : kCatalogueRoles)
      if (key == PathKey(CataloguePath(k, role))) return true;
  return key == PathKey(kInstallManifestPath);
}

// A manifest that is there but cannot be read.
bool ManifestUnreadable(const InstallReport& inst) {
  return inst.manifestPresent && !inst.manifestReadable;
}

// The manifest file: whether it is there and can be read, its bytes when it can.
void CheckManifestFile(const DiscIndex& disc, Report& report, std::string& bytes) {
  InstallReport& inst = report.install;
  const DiscEntry* manifest = disc.findFile(kInstallManifestPath);
  inst.manifestPresent = manifest != nullptr;
  inst.manifestReadable = manifest && disc.read(*manifest, bytes);
  if (!manifest) {
    report.add(Severity::Note, "manifest-missing", kInstallManifestPath, 0,
               "The disc has no install manifest.",
               "The installation copies the program and its data files and nothing of content.",
               "Add " + std::string(kInstallManifestPath) +
                   " listing the content to install, if there is any.");
  } else if (!inst.manifestReadable) {
    report.add(
        Severity::Problem, "manifest-unreadable", kInstallManifestPath, 0,
        "The install manifest cannot be read.",
        "The installation stops at the manifest, before the shortcut and the settings file, and "
        "the customer sees " +
            ProblemsMessage() + ".",
        "Write the manifest again so that it can be read.");
  }
}

// The manifest as the installation finds it, and where each folder line makes its folder.
struct ManifestEntries {
  DiscManifest manifest;
  FolderLines folderLines;
};

// The lines as the program reads them, numbered, into the report, each entry's kind on its line.
// Nothing when the manifest cannot be read.
ManifestEntries ReadManifestLines(const std::string& bytes, InstallReport& inst) {
  ManifestEntries read;
  if (!inst.manifestPresent) return read;
  read.manifest.state = DiscManifest::State::Unreadable;
  if (!inst.manifestReadable) return read;
  read.manifest.state = DiscManifest::State::Read;
  int lineCount = 0;
  read.manifest.entries = ReadInstallManifest(bytes, &lineCount);
  inst.lines.resize(lineCount);
  for (int number = 1; number <= lineCount; ++number) inst.lines[number - 1].number = number;
  for (const ManifestEntry& e : read.manifest.entries) {
    ManifestLine& line = inst.lines[e.number - 1];
    line.text = e.line;
    line.kind = e.kind == ManifestEntry::Kind::Folder ? ManifestLine::Kind::Folder
                                                      : ManifestLine::Kind::File;
    if (e.kind == ManifestEntry::Kind::Folder)
      read.folderLines.emplace(PathKey("Content\\" + e.line), e.number);
  }
  return read;
}

// How a manifest line's step fares under one more default folder.
void NoteLineStep(std::vector<ManifestLine>& lines, const InstallStep& step, const Failure& f) {
  ManifestLine& l = lines[step.line - 1];
  if (step.is<InstallStep::Refused>()) l.kind = ManifestLine::Kind::Refused;
  l.failures.push_back(f);
}

// The installation into one default folder, as a new folder: the program's own plan played
// through, the OK handler's folder rule and folder first, each manifest line noting how its step
// fares. A step that stops the installation stops the play.
InstallOutcome InstallInto(const DiscIndex& disc, const char* folder,
                           const ManifestEntries& manifest, InstallReport& inst) {
  Installation run(disc, folder, manifest.folderLines);
  for (const InstallStep& step : PlanWholeInstallation(folder, manifest.manifest)) {
    const Failure f = run.run(step);
    if (step.is<InstallStep::FolderRule>() && f.failed()) {
      // Refused before anything is made.
      ++run.outcome().failedSteps;
      run.outcome().reasons.push_back(f.why);
      break;
    }
    const auto* copy = step.as<InstallStep::Copy>();
    if (copy && copy->from == kProgramFile) run.outcome().programCopied = !f.failed();
    if (step.line) NoteLineStep(inst.lines, step, f);
    if (step.is<InstallStep::ManifestUnreadable>()) break;
  }
  InstallOutcome& out = run.outcome();
  out.success = out.failedSteps == 0;
  return out;
}

// One finding a failing line; said once when both folders fail it alike.
void AddLineFindings(Report& report) {
  for (const ManifestLine& l : report.install.lines) {
    if (l.failures.size() != 2) continue;
    for (int i = 0; i < 2; ++i) {
      const Failure& f = l.failures[i];
      if (!f.failed() || (i == 1 && f == l.failures[0])) continue;
      const std::string& code = f.code;
      const std::string& why = f.why;
      const bool both = l.failures[0] == l.failures[1];
      std::string what = "Line " + std::to_string(l.number) + " (" + Quote(l.text) + "): " + why;
      if (!both) what += ", when installed into " + Cp1253ToUtf8(kDefaultFolders[i]);
      what += ".";
      const bool folderLine = l.text.back() == '\\';
      report.add(Severity::Problem, code.c_str(), kInstallManifestPath, l.number, what,
                 std::string(folderLine ? "The folder is not made" : "The copy fails") +
                     "; the installation goes on, and at its end the customer sees " +
                     ProblemsMessage() + " instead of the success message.",
                 Mend(code));
    }
  }
}

// Files of content that no line lists are never installed. The catalogue's own files and
// the manifest belong to the disc, not to the installation.
void AddContentFindings(const DiscIndex& disc, const std::vector<ManifestEntry>& entries,
                        Report& report) {
  std::map<std::string, bool> listed;
  for (const ManifestEntry& e : entries)
    if (e.kind == ManifestEntry::Kind::File) listed[PathKey("content\\" + e.path)] = true;
  for (const DiscEntry& e : disc.entries()) {
    const std::string key = PathKey(e.path);
    if (e.folder || key.compare(0, 8, "CONTENT\\") != 0 || IsCatalogueFile(key)) continue;
    if (!e.nameable) {
      report.add(Severity::Problem, "name-not-greek", e.path, 0,
                 "The name of " + Quote(e.path) + " holds a character code page 1253 lacks.",
                 "The program cannot name the file: it is never installed.",
                 "Rename it with Latin or Greek letters only.");
    } else if (!listed.count(key) && !ManifestUnreadable(report.install)) {
      // (A manifest that cannot be read has its own finding; its files are not judged.)
      report.add(Severity::Problem, "content-not-listed", e.path, 0,
                 "No manifest line lists " + Quote(e.path) + ".", "It is never installed.",
                 "Add a line for it under its folder's line, or take it off the disc.");
    }
  }
}

// Names that Windows takes for one.
void AddClashFindings(const DiscIndex& disc, Report& report) {
  for (const auto& clash : disc.clashes()) {
    report.add(Severity::Problem, "name-clash", clash.second, 0,
               Quote(clash.second) + " and " + Quote(clash.first) +
                   " differ only in letter case or trailing dots and blanks.",
               "Windows takes them for one name: the program sees only one of them.",
               "Rename or remove one of them.");
  }
}

}  // namespace

void CheckInstallation(const DiscIndex& disc, Report& report) {
  InstallReport& inst = report.install;
  CheckProgramAndData(disc, report);
  std::string bytes;
  CheckManifestFile(disc, report, bytes);
  const ManifestEntries manifest = ReadManifestLines(bytes, inst);
  for (const char* folder : kDefaultFolders)
    inst.outcomes.push_back(InstallInto(disc, folder, manifest, inst));
  AddLineFindings(report);
  AddContentFindings(disc, manifest.manifest.entries, report);
  AddClashFindings(disc, report);
}

Report CheckDisc(const DiscIndex& disc) {
  Report report;
  CheckCatalogue(disc, report);
  CheckInstallation(disc, report);
  CheckPressing(disc, report);
  return report;
}

}  // namespace velm::check
