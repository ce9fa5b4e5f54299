// The publisher's disc check: what the program will show and do with a prepared disc folder,
// worked out from the same rules the program runs by (the description line rule, the bitmap
// layout check, the install manifest reader and plan, the removal's folder rule). Every text of
// the report is UTF-8. Portable: no windows.h.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "Disc.h"
#include "DiscFacts.h"

namespace velm::check {

enum class Severity { Problem, Note };

struct Finding {
  Severity severity = Severity::Problem;
  std::string code;    // a short fixed name of the kind of finding, e.g. "bitmap-refused"
  std::string file;    // as the program names it, relative to the disc: "content\menu1.bmp"
  int line = 0;        // the manifest line, counted as the program reads lines; 0 for none
  std::string what;    // what is wrong
  std::string effect;  // what the program will do because of it
  std::string mend;    // how to mend it
};

// One catalogue file of a slot.
struct CatalogueFile {
  enum class State {
    Missing,
    Loaded,
    Refused,
    NotLoaded
  };                 // NotLoaded: the loading stopped before
  std::string name;  // "content\menu1.bmp"
  State state = State::Missing;
  int width = 0, height = 0;  // pictures, once loaded
  std::uint64_t size = 0;
};

struct CatalogueSlot {
  int number = 0;
  // Normal button picture, highlighted button picture, description, title picture: the order
  // the program loads them in.
  CatalogueFile files[4];
  enum class Text { None, Rtf, Plain } text = Text::None;
  bool greekDeclared = false;  // the RTF names code page 1253 or the Greek character set
};

struct CatalogueReport {
  CatalogueSlot slots[kTitleCount];
  bool revealed = false;
  std::string stoppedAt;  // the file the loading stopped at, when it did
  // Whether button k shows a picture once the catalogue is revealed (title 1 selected).
  bool buttonShown[kTitleCount] = {};
};

// Why a planned step fails; an empty code when it succeeds.
struct StepFailure {
  std::string code;  // a short fixed name, e.g. "manifest-listed-twice"
  std::string why;
  bool failed() const { return !code.empty(); }
  bool operator==(const StepFailure& other) const { return code == other.code && why == other.why; }
  bool operator!=(const StepFailure& other) const { return !(*this == other); }
};

// One line of the install manifest.
struct ManifestLine {
  enum class Kind { Empty, Folder, File, Refused };
  int number = 0;
  Kind kind = Kind::Empty;
  std::string text;  // the line as written
  // The step's outcome under each default folder (`InstallReport::outcomes` order); empty lines
  // have none.
  std::vector<StepFailure> failures;
};

// The installation into one default folder, as a new folder.
struct InstallOutcome {
  std::string folder;
  int files = 0;  // copies that succeed
  std::uint64_t bytes = 0;
  int failedSteps = 0;
  bool programCopied = false;
  bool success = false;
  std::string longestPath;           // the longest path the installation writes
  std::vector<std::string> reasons;  // the first few failed steps, for the outcome line
};

struct InstallReport {
  bool programPresent = false;
  bool programReadOnly = false;
  bool dataPresent[3] = {};
  bool manifestPresent = false;
  bool manifestReadable = false;
  std::vector<ManifestLine> lines;
  std::vector<InstallOutcome> outcomes;  // "C:\Program Files\Tolvan", then "C:\Tolvan"
};

struct Report {
  CatalogueReport catalogue;
  InstallReport install;
  std::vector<Finding> findings;
  // Adds a finding about `file`, named as the program names it (code page 1253), and with the
  // manifest line it is about.
  void add(Severity severity, const char* code, const std::string& file, int line, std::string what,
           std::string effect, std::string mend);
  void add(Severity severity, const char* code, const std::string& file, std::string what,
           std::string effect, std::string mend) {
    add(severity, code, file, 0, std::move(what), std::move(effect), std::move(mend));
  }
  int problems() const;
  // 0 when nothing is wrong, 1 when a problem was found.
  int exitCode() const { return problems() ? 1 : 0; }
};

// The longest path the platform's 8-bit file calls accept, in characters; the folder call takes
// 248 (room is kept for a file name of 8.3 characters in it).
constexpr std::size_t kMaxPathLength = 259;
constexpr std::size_t kMaxFolderPathLength = 248;

// The whole check of a disc that could be read.
Report CheckDisc(const DiscIndex& disc);

// The catalogue half and the installation half, each adding its findings to `report`.
void CheckCatalogue(const DiscIndex& disc, Report& report);
void CheckInstallation(const DiscIndex& disc, Report& report);
// What pressing the folder onto a disc changes: names the image format cuts or refuses, and how
// the disc starts (its autorun.inf).
void CheckPressing(const DiscIndex& disc, Report& report);

// The outcome of the installation in one line: files and bytes copied and the message the
// customer sees, and why.
std::string OutcomeLine(const Report& report);

// The report for a person, and the same findings as JSON.
std::string ReportText(const Report& report);
std::string ReportJson(const Report& report);

}  // namespace velm::check
