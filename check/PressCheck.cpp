// What pressing changes: the disc is read from an ISO 9660 image through its Joliet names (what
// Windows 95 and later read on a CD-ROM), so a name Joliet cannot hold arrives under another
// name or not at all; and the pressed disc starts by itself only through its autorun.inf.
#include <string>
#include <vector>

#include "Cp1253.h"
#include "DiscCheck.h"

namespace velm::check {
namespace {

// Joliet's limits, as the image is mastered with xorriso (its library libisofs writes the
// Joliet tree):
// - A name holds at most 64 characters (the Joliet document of Microsoft, 22 May 1995, "Relaxation
//   of ISO 9660 Restrictions on UCS-2 Volumes"). libisofs cuts a longer one short, and counts a
//   file's name and extension apart from the dot between them, so a file name with a dot keeps
//   65 (libisofs joliet.c, mangle_single_dir).
// - A path holds at most 240 bytes, counted as libisofs counts it: one byte for the root, then
//   for each name one byte and two for each character (UCS-2). A file or folder past that is
//   left out of the Joliet tree, with everything in it (libisofs joliet.c, create_tree: "Joliet
//   is even more restrictive than plain ISO-9660, that allows up to 255 bytes").
// - ";" may not stand in a Joliet name (among the characters Joliet does not allow; the others,
//   "*", "/", ":", "?", "\", Windows refuses anyway): libisofs writes "_" for it.
// Depth is no limit: Joliet lifts ISO 9660's eight levels.
constexpr std::size_t kJolietName = 64;
constexpr std::size_t kJolietPathBytes = 240;

std::vector<std::string> Parts(const std::string& path) {
  std::vector<std::string> parts(1);
  for (char c : path) {
    if (c == '\\')
      parts.emplace_back();
    else
      parts.back() += c;
  }
  return parts;
}

// The most characters Joliet keeps of this name.
std::size_t NameLimit(const std::string& name, bool folder) {
  return !folder && name.find('.') != std::string::npos ? kJolietName + 1 : kJolietName;
}

// The Joliet path length of an entry, in libisofs's count, its names as the image keeps them.
std::size_t JolietPathBytes(const std::vector<std::string>& parts, bool folder) {
  std::size_t bytes = 1;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool isFolder = folder || i + 1 < parts.size();
    const std::size_t limit = NameLimit(parts[i], isFolder);
    bytes += 1 + 2 * (parts[i].size() < limit ? parts[i].size() : limit);
  }
  return bytes;
}

const char* const kNotFound =
    " no longer finds it, and make-disc.sh refuses to make the image (it reads the image back).";

void CheckJolietNames(const DiscIndex& disc, Report& report) {
  std::vector<std::string> refused;  // folders left out, with everything in them
  for (const DiscEntry& e : disc.entries()) {
    bool inRefused = false;
    for (const std::string& folder : refused)
      inRefused = inRefused || e.path.compare(0, folder.size() + 1, folder + "\\") == 0;
    if (inRefused) continue;
    const std::vector<std::string> parts = Parts(e.path);
    const std::string& name = parts.back();
    const std::size_t bytes = JolietPathBytes(parts, e.folder);
    if (bytes > kJolietPathBytes) {
      if (e.folder) refused.push_back(e.path);
      report.add(Severity::Problem, "press-path-refused", e.path,
                 "The path " + Quote(e.path, std::string::npos) + " is " + std::to_string(bytes) +
                     " bytes long as Joliet counts it, more than the " +
                     std::to_string(kJolietPathBytes) + " the image format takes.",
                 std::string("The image leaves it out") +
                     (e.folder ? ", with everything in it" : "") +
                     ": the manifest line or catalogue file that names it" + kNotFound,
                 "Shorten the names of the folders on its way or its own name.");
    } else if (name.size() > NameLimit(name, e.folder)) {
      report.add(Severity::Problem, "press-name-changed", e.path,
                 "The name " + Quote(name) + " has " + std::to_string(name.size()) +
                     " characters, more than the " + std::to_string(kJolietName) +
                     " a Joliet name holds.",
                 "On the pressed disc it carries another name, cut short: the manifest line or "
                 "catalogue file that names it" +
                     std::string(kNotFound),
                 "Shorten the name to " + std::to_string(kJolietName) + " characters.");
    } else if (name.find(';') != std::string::npos) {
      report.add(
          Severity::Problem, "press-name-changed", e.path,
          "The name " + Quote(name) + " holds \";\", which a Joliet name may not hold.",
          "On the pressed disc it carries another name, with \"_\" for \";\": the manifest line "
          "or catalogue file that names it" +
              std::string(kNotFound),
          "Rename it without \";\".");
    }
  }
}

std::string Trim(const std::string& s) {
  const std::size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string Upper(std::string s) {
  for (char& c : s) c = FoldCp1253(c);
  return s;
}

// The open= entry of the [autorun] section (the first, as Windows reads it), and its line;
// line 0 when there is none.
struct OpenLine {
  int line = 0;
  std::string command;
};

OpenLine FindOpenLine(const std::string& text) {
  OpenLine open;
  bool inAutorun = false;
  int number = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) end = text.size();
    const std::string line = Trim(text.substr(at, end - at));
    at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    ++number;
    if (!line.empty() && line[0] == '[') {
      inAutorun = Upper(line) == "[AUTORUN]";
    } else if (inAutorun) {
      const std::size_t eq = line.find('=');
      if (eq != std::string::npos && Upper(Trim(line.substr(0, eq))) == "OPEN")
        return {number, Trim(line.substr(eq + 1))};
    }
  }
  return open;
}

// The program a command line starts: its first word, or what its quotes hold.
std::string ProgramOf(const std::string& command) {
  if (!command.empty() && command[0] == '"') return command.substr(1, command.find('"', 1) - 1);
  return command.substr(0, command.find_first_of(" \t"));
}

void CheckAutorun(const DiscIndex& disc, Report& report) {
  const DiscEntry* autorun = disc.findFile(kAutorunFile);
  std::string text;
  if (!autorun) {
    report.add(
        Severity::Note, "autorun-missing", kAutorunFile, "The disc has no autorun.inf.",
        "Pressed like this, the disc does not start by itself: the customer has to open it and "
        "start VelmPres.exe. make-disc.sh adds one that starts VelmPres.exe.",
        "Let make-disc.sh add it, or write [autorun] and open=VelmPres.exe into it.");
    return;
  }
  const OpenLine open = disc.read(*autorun, text) ? FindOpenLine(text) : OpenLine();
  const std::string program = ProgramOf(open.command);
  if (program.empty()) {
    report.add(Severity::Problem, "autorun-no-open", kAutorunFile,
               "autorun.inf has no open= line naming a program in its [autorun] section.",
               "The pressed disc does not start by itself.",
               "Write open=VelmPres.exe under [autorun].");
  } else if (!disc.findFile(program)) {
    report.add(Severity::Problem, "autorun-program-missing", kAutorunFile,
               "autorun.inf starts " + Quote(program) + " (line " + std::to_string(open.line) +
                   "), which the disc lacks.",
               "Windows finds nothing to start: the pressed disc does not start by itself.",
               "Put VelmPres.exe in the disc's root and name it in open=.");
  } else if (PathKey(program) != PathKey(kPresenterFile)) {  // ".\VelmPres.exe" is the same
    report.add(Severity::Problem, "autorun-wrong-program", kAutorunFile,
               "autorun.inf starts " + Quote(program) + " (line " + std::to_string(open.line) +
                   "), not VelmPres.exe in the disc's root.",
               "Autorun starts that program, in the disc's root, instead of the catalogue program "
               "that reads the catalogue from the content folder there.",
               "Write open=VelmPres.exe and keep VelmPres.exe in the root beside content.");
  }
}

}  // namespace

void CheckPressing(const DiscIndex& disc, Report& report) {
  CheckJolietNames(disc, report);
  CheckAutorun(disc, report);
}

}  // namespace velm::check
