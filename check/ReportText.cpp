// The check's report for a person and as JSON (see DiscCheck.h).
#include <string>

#include "Cp1253.h"
#include "DiscCheck.h"

namespace velm::check {
namespace {

const char* StateName(CatalogueFile::State s) {
  switch (s) {
    case CatalogueFile::State::Missing:
      return "missing";
    case CatalogueFile::State::Loaded:
      return "loaded";
    case CatalogueFile::State::Refused:
      return "refused";
    default:
      return "not loaded";
  }
}

const char* KindName(ManifestLine::Kind k) {
  switch (k) {
    case ManifestLine::Kind::Empty:
      return "empty";
    case ManifestLine::Kind::Folder:
      return "folder";
    case ManifestLine::Kind::File:
      return "file";
    default:
      return "refused";
  }
}

std::string Messages(const InstallOutcome& o) {
  if (o.success) return "the success message \"" + LiteralToUtf8(kInstallDoneMessage) + "\"";
  std::string text = "the problems message \"" + LiteralToUtf8(kInstallProblemMessage) + "\"";
  if (!o.programCopied) text += " and then \"" + LiteralToUtf8(kInstallEntryProblemMessage) + "\"";
  return text;
}

// What one default folder's installation comes to, in a phrase.
std::string OutcomePhrase(const InstallOutcome& o) {
  std::string text = std::to_string(o.files) + (o.files == 1 ? " file (" : " files (") +
                     std::to_string(o.bytes) + " bytes) copied, and the customer sees " +
                     Messages(o);
  if (!o.success) {
    text += ", because " + std::to_string(o.failedSteps) +
            (o.failedSteps == 1 ? " step fails: " : " steps fail, first ");
    for (std::size_t i = 0; i < o.reasons.size(); ++i) text += (i ? "; " : "") + o.reasons[i];
  }
  return text;
}

std::string Pad(std::string s, std::size_t width) {
  if (s.size() < width) s.append(width - s.size(), ' ');
  return s;
}

std::string Json(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      const char* hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[u >> 4];
      out += hex[u & 15];
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string JsonBool(bool b) {
  return b ? "true" : "false";
}

// Findings of the note kind.
int Notes(const Report& report) {
  int notes = 0;
  for (const Finding& f : report.findings) notes += f.severity == Severity::Note;
  return notes;
}

// One title's row: each of its files, with its size or what its text is, or its state.
std::string SlotText(const CatalogueSlot& slot) {
  std::string t = "  title " + std::to_string(slot.number) + ":";
  for (int role = 0; role < 4; ++role) {
    const CatalogueFile& f = slot.files[role];
    t += role ? ", " : " ";
    t += Cp1253ToUtf8(f.name.substr(8)) + " ";
    if (f.state == CatalogueFile::State::Loaded && role != 2)
      t += std::to_string(f.width) + " x " + std::to_string(f.height);
    else if (f.state == CatalogueFile::State::Loaded)
      t += slot.text == CatalogueSlot::Text::Plain
               ? "plain text"
               : (slot.greekDeclared ? "RTF, Greek declared" : "RTF");
    else
      t += StateName(f.state);
  }
  return t + "\n";
}

// The catalogue section: the titles, then whether the catalogue is revealed and with which
// buttons.
std::string CatalogueText(const CatalogueReport& cat) {
  std::string t = "Catalogue\n";
  for (const CatalogueSlot& slot : cat.slots) t += SlotText(slot);
  if (cat.revealed) {
    t += "  The catalogue is revealed with title 1 selected; buttons with a picture:";
    bool any = false;
    for (int k = 1; k <= kTitleCount; ++k)
      if (cat.buttonShown[k - 1]) t += " " + std::to_string(k), any = true;
    t += any ? "\n" : " none\n";
  } else {
    t += "  The catalogue is not revealed: the loading stops at " + cat.stoppedAt + ".\n";
  }
  return t;
}

// One manifest line's row: its number, kind and text, and the steps that fail for it.
std::string ManifestLineText(const ManifestLine& l, const InstallReport& inst) {
  std::string row = "    " + Pad("line " + std::to_string(l.number), 10) +
                    Pad(KindName(l.kind), 8) + Cp1253ToUtf8(l.text);
  std::string fails;
  for (std::size_t i = 0; i < l.failures.size(); ++i) {
    const StepFailure& f = l.failures[i];
    if (!f.failed() || (i == 1 && f == l.failures[0])) continue;
    fails += fails.empty() ? "  fails: " : "; ";
    fails += f.code;
    if (l.failures[0] != l.failures[1]) fails += " under " + Cp1253ToUtf8(inst.outcomes[i].folder);
  }
  for (char& c : row)
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  return row + fails + "\n";
}

// The installation section: the program, data and manifest files, the manifest's lines, and the
// longest path under each default folder.
std::string InstallationText(const InstallReport& inst) {
  std::string t = "Installation\n";
  t += std::string("  ") + kProgramFile + ": " +
       (inst.programPresent ? (inst.programReadOnly ? "read-only" : "writable") : "missing") + "\n";
  for (int i = 0; i < 3; ++i)
    t += std::string("  ") + kDataFiles[i] + ": " + (inst.dataPresent[i] ? "present" : "missing") +
         "\n";
  t += std::string("  ") + kInstallManifestPath + ": ";
  if (!inst.manifestPresent)
    t += "missing\n";
  else if (!inst.manifestReadable)
    t += "cannot be read\n";
  else
    t += std::to_string(inst.lines.size()) + " lines\n";
  for (const ManifestLine& l : inst.lines) t += ManifestLineText(l, inst);
  for (const InstallOutcome& o : inst.outcomes)
    t += "  Longest installed path under " + Cp1253ToUtf8(o.folder) + ": " +
         std::to_string(o.longestPath.size()) + " characters (limit " +
         std::to_string(kMaxPathLength) + ", for a folder " + std::to_string(kMaxFolderPathLength) +
         "): " + Cp1253ToUtf8(o.longestPath) + "\n";
  return t;
}

// The findings section: the count of each kind, then each finding with its effect and mend.
std::string FindingsText(const Report& report) {
  std::string t = "Findings: " + std::to_string(report.problems()) + " problems, " +
                  std::to_string(Notes(report)) + " notes\n";
  for (const Finding& f : report.findings) {
    t += std::string(f.severity == Severity::Problem ? "  problem " : "  note    ") + f.file;
    if (f.line) t += ", line " + std::to_string(f.line);
    t += " [" + f.code + "]\n";
    t += "    " + f.what + "\n";
    t += "    The program: " + f.effect + "\n";
    t += "    Mend: " + f.mend + "\n";
  }
  return t;
}

// One title as JSON: its text, and each file with its state and, for a loaded picture, its size.
std::string SlotJson(const CatalogueSlot& slot) {
  const char* const roles[4] = {"normal", "highlighted", "description", "picture"};
  std::string j = "      {\"title\": " + std::to_string(slot.number) + ", \"text\": \"" +
                  (slot.text == CatalogueSlot::Text::None  ? "none"
                   : slot.text == CatalogueSlot::Text::Rtf ? "rtf"
                                                           : "plain") +
                  "\", \"greekDeclared\": " + JsonBool(slot.greekDeclared) + ", \"files\": [";
  for (int role = 0; role < 4; ++role) {
    const CatalogueFile& f = slot.files[role];
    j += std::string(role ? ", " : "") + "{\"role\": \"" + roles[role] +
         "\", \"file\": " + Json(Cp1253ToUtf8(f.name)) + ", \"state\": \"" + StateName(f.state) +
         "\"";
    if (f.state == CatalogueFile::State::Loaded && role != 2)
      j += ", \"width\": " + std::to_string(f.width) + ", \"height\": " + std::to_string(f.height);
    j += "}";
  }
  return j + "]}" + (slot.number < kTitleCount ? ",\n" : "\n");
}

// The "catalogue" member.
std::string CatalogueJson(const CatalogueReport& cat) {
  std::string j = "  \"catalogue\": {\n    \"revealed\": " + JsonBool(cat.revealed) + ",\n";
  j += "    \"stoppedAt\": " + (cat.revealed ? std::string("null") : Json(cat.stoppedAt)) + ",\n";
  j += "    \"buttonsShown\": [";
  bool first = true;
  for (int k = 1; k <= kTitleCount; ++k)
    if (cat.buttonShown[k - 1]) j += (first ? "" : ", ") + std::to_string(k), first = false;
  j += "],\n    \"titles\": [\n";
  for (const CatalogueSlot& slot : cat.slots) j += SlotJson(slot);
  return j + "    ]\n  },\n";
}

// The manifest's lines as a JSON array, each with its failure under each default folder.
std::string ManifestLinesJson(const std::vector<ManifestLine>& lines) {
  std::string j = "[";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const ManifestLine& l = lines[i];
    j += std::string(i ? ",\n" : "\n") + "      {\"line\": " + std::to_string(l.number) +
         ", \"kind\": \"" + KindName(l.kind) + "\", \"text\": " + Json(Cp1253ToUtf8(l.text)) +
         ", \"failures\": [";
    for (std::size_t k = 0; k < l.failures.size(); ++k) {
      const StepFailure& f = l.failures[k];
      j += (k ? ", " : "") + (f.failed() ? Json(f.code + ": " + f.why) : std::string("null"));
    }
    j += "]}";
  }
  return j + (lines.empty() ? "]" : "\n    ]");
}

// One default folder's installation as JSON.
std::string OutcomeJson(const InstallOutcome& o) {
  return "      {\"folder\": " + Json(Cp1253ToUtf8(o.folder)) +
         ", \"files\": " + std::to_string(o.files) + ", \"bytes\": " + std::to_string(o.bytes) +
         ", \"failedSteps\": " + std::to_string(o.failedSteps) +
         ", \"success\": " + JsonBool(o.success) +
         ", \"programCopied\": " + JsonBool(o.programCopied) +
         ", \"messages\": " + Json(Messages(o)) +
         ", \"longestPath\": " + Json(Cp1253ToUtf8(o.longestPath)) +
         ", \"longestPathLength\": " + std::to_string(o.longestPath.size()) + "}";
}

// The "installation" member.
std::string InstallationJson(const InstallReport& inst) {
  std::string j = "  \"installation\": {\n";
  j += "    \"program\": {\"present\": " + JsonBool(inst.programPresent) +
       ", \"readOnly\": " + JsonBool(inst.programReadOnly) + "},\n";
  j += "    \"dataPresent\": [" + JsonBool(inst.dataPresent[0]) + ", " +
       JsonBool(inst.dataPresent[1]) + ", " + JsonBool(inst.dataPresent[2]) + "],\n";
  j += "    \"manifest\": {\"present\": " + JsonBool(inst.manifestPresent) +
       ", \"readable\": " + JsonBool(inst.manifestReadable) +
       ", \"lines\": " + ManifestLinesJson(inst.lines) + "},\n";
  j += "    \"outcomes\": [\n";
  for (std::size_t i = 0; i < inst.outcomes.size(); ++i)
    j += OutcomeJson(inst.outcomes[i]) + (i + 1 < inst.outcomes.size() ? ",\n" : "\n");
  return j + "    ]\n  },\n";
}

// The "findings" member.
std::string FindingsJson(const std::vector<Finding>& findings) {
  std::string j = "  \"findings\": [";
  for (std::size_t i = 0; i < findings.size(); ++i) {
    const Finding& f = findings[i];
    j += std::string(i ? ",\n" : "\n") + "    {\"severity\": \"" +
         (f.severity == Severity::Problem ? "problem" : "note") + "\", \"code\": " + Json(f.code) +
         ", \"file\": " + Json(f.file) +
         ", \"line\": " + (f.line ? std::to_string(f.line) : std::string("null")) +
         ", \"what\": " + Json(f.what) + ", \"effect\": " + Json(f.effect) +
         ", \"mend\": " + Json(f.mend) + "}";
  }
  return j + (findings.empty() ? "],\n" : "\n  ],\n");
}

}  // namespace

std::string OutcomeLine(const Report& report) {
  const auto& outs = report.install.outcomes;
  if (outs.size() == 2 && OutcomePhrase(outs[0]) == OutcomePhrase(outs[1]))
    return "Outcome: installed into " + Cp1253ToUtf8(outs[0].folder) + " or " +
           Cp1253ToUtf8(outs[1].folder) + ", " + OutcomePhrase(outs[0]) + ".";
  std::string text = "Outcome:";
  for (std::size_t i = 0; i < outs.size(); ++i)
    text += std::string(i ? "; into " : " into ") + Cp1253ToUtf8(outs[i].folder) + ", " +
            OutcomePhrase(outs[i]);
  return text + ".";
}

std::string ReportText(const Report& report) {
  // The sections, a blank line between each and the next.
  return CatalogueText(report.catalogue) + "\n" + InstallationText(report.install) + "\n" +
         FindingsText(report) + "\n" + OutcomeLine(report) + "\n";
}

std::string ReportJson(const Report& report) {
  std::string j = "{\n";
  j += "  \"exit\": " + std::to_string(report.exitCode()) + ",\n";
  j += "  \"problems\": " + std::to_string(report.problems()) + ",\n";
  j += "  \"notes\": " + std::to_string(Notes(report)) + ",\n";
  j += CatalogueJson(report.catalogue) + InstallationJson(report.install) +
       FindingsJson(report.findings);
  j += "  \"outcome\": " + Json(OutcomeLine(report)) + "\n}\n";
  return j;
}

}  // namespace velm::check
