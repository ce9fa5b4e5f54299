// The catalogue half of the check: the nine slots loaded in the program's order, what stops the
// loading, and how each picture and description will be drawn.
#include <cstdint>
#include <string>
#include <vector>

#include "BitmapLayout.h"
#include "BitmapPixels.h"
#include "CatalogueText.h"
#include "Cp1253.h"
#include "DiscCheck.h"
#include "RtfReading.h"

namespace velm::check {
namespace {

constexpr int kButtonWidth = kMenuButtonWidth;
constexpr int kButtonHeight = kMenuButtonHeight;
constexpr int kTitleWidth = kTitlePictureWidth;
constexpr int kTitleHeight = kTitlePictureHeight;

const char* const kRoles[4] = {"normal button picture", "highlighted button picture", "description",
                               "title picture"};

std::string FileName(int k, int role) {
  return CataloguePath(k, kCatalogueRoles[role]);
}

std::string Size(int w, int h) {
  return std::to_string(w) + " x " + std::to_string(h);
}

// True when the RTF has the control word `word` followed by exactly this number.
bool HasControlWord(const std::string& rtf, const std::string& word) {
  for (std::size_t at = rtf.find(word); at != std::string::npos; at = rtf.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    if (end >= rtf.size() || rtf[end] < '0' || rtf[end] > '9') return true;
  }
  return false;
}

// True when the text holds characters beyond ASCII, as bytes or as \'hh escapes.
bool HasEightBitText(const std::string& rtf) {
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(rtf[i]);
    if (c >= 0x80) return true;
    if (c == '\\' && i + 2 < rtf.size() && rtf[i + 1] == '\'' &&
        std::string("89abcdefABCDEF").find(rtf[i + 2]) != std::string::npos)
      return true;
  }
  return false;
}

// Decodes the picture's pixels as the program does; false, with `why`, where it refuses them.
bool DecodePixels(const std::string& bytes, const tk::BitmapLayout& layout, std::string& why) {
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(layout.width) * layout.height * 4);
  return tk::DecodeBitmapPixels(reinterpret_cast<const std::uint8_t*>(bytes.data()), layout,
                                rows.data(), &why);
}

// The later files that a stop at (k, role) keeps from loading, in words.
std::string NeverLoaded(int k, int role) {
  std::string text;
  if (role < 3) {
    text = "the rest of slot " + std::to_string(k) + " (";
    for (int r = role + 1; r < 4; ++r) {
      if (r > role + 1) text += ", ";
      text += Cp1253ToUtf8(FileName(k, r));
    }
    text += ")";
  }
  if (k < kTitleCount) {
    if (!text.empty()) text += " and ";
    const std::string last = std::to_string(kTitleCount);
    text +=
        k == kTitleCount - 1 ? "slot " + last : "slots " + std::to_string(k + 1) + " to " + last;
  }
  return text.empty() ? "nothing after it" : text;
}

void CheckPicture(const DiscIndex& disc, Report& report, int k, int role, CatalogueFile& file,
                  const DiscEntry& entry, bool& stopped) {
  std::string bytes;
  std::string why;
  tk::BitmapLayout layout;
  if (entry.size > tk::kMaxPictureFileSize) {
    why = "the file is larger than the 128 MB the program reads";
  } else if (!disc.read(entry, bytes)) {
    why = "the file cannot be read";
  } else if (!tk::ReadBitmapLayout(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                   bytes.size(), layout, &why)) {
    why = "it is not a bitmap the program accepts: " + why;
  } else if (!DecodePixels(bytes, layout, why)) {
    why = "it is not a bitmap the program accepts: " + why;
  } else {
    file.state = CatalogueFile::State::Loaded;
    file.width = layout.width;
    file.height = layout.height;
    return;
  }
  file.state = CatalogueFile::State::Refused;
  stopped = true;
  report.catalogue.stoppedAt = Cp1253ToUtf8(file.name);
  report.add(
      Severity::Problem, "bitmap-refused", file.name,
      "The " + std::string(kRoles[role]) + " of title " + std::to_string(k) +
          " is refused: " + why + ".",
      "The loading stops here: " + NeverLoaded(k, role) +
          " never load, and the catalogue is not revealed at all: no title buttons, no "
          "description and no picture, only the empty window.",
      "Save the picture again as a Windows bitmap (BMP) file, uncompressed or RLE, 1 to 32 bits "
      "a pixel.");
}

void CheckDescription(const DiscIndex& disc, Report& report, CatalogueSlot& slot,
                      CatalogueFile& file, const DiscEntry& entry, bool& stopped) {
  std::string bytes;
  if (!disc.read(entry, bytes)) {
    file.state = CatalogueFile::State::Refused;
    stopped = true;
    report.catalogue.stoppedAt = Cp1253ToUtf8(file.name);
    report.add(Severity::Problem, "description-unreadable", file.name,
               "The description of title " + std::to_string(slot.number) + " cannot be read.",
               "The loading stops here: " + NeverLoaded(slot.number, 2) +
                   " never load, and the catalogue is not revealed at all.",
               "Write the file again so that it can be read.");
    return;
  }
  file.state = CatalogueFile::State::Loaded;
  const std::string title = "title " + std::to_string(slot.number);
  const std::size_t nul = bytes.find('\0');
  if (nul != std::string::npos) {
    report.add(
        Severity::Problem, "description-nul", file.name,
        "The description of " + title + " holds a NUL byte at offset " + std::to_string(nul) + ".",
        "The text ends there: the " + std::to_string(bytes.size() - nul) +
            " bytes from it on are dropped" +
            (bytes.compare(0, 5, "{\\rtf") == 0 ? ", and the RTF loses its closing braces." : "."),
        "Save the description again as RTF without NUL bytes.");
  }
  // What the program hands the rich-text view: the lines split and joined again.
  const std::string shown = JoinDescriptionLines(SplitDescriptionLines(bytes));
  if (shown.compare(0, 5, "{\\rtf") != 0) {
    slot.text = CatalogueSlot::Text::Plain;
    report.add(Severity::Problem, "description-not-rtf", file.name,
               shown.empty() ? "The description of " + title + " is empty."
                             : "The description of " + title +
                                   " is not RTF: it does not begin with "
                                   "\"{\\rtf\".",
               "The rich-text view refuses it and shows the text as plain text, control words and "
               "all" +
                   std::string(shown.empty() ? " (here: nothing)." : "."),
               "Save the description as RTF (a file that begins with \"{\\rtf1\").");
    return;
  }
  slot.text = CatalogueSlot::Text::Rtf;
  slot.greekDeclared =
      HasControlWord(shown, "\\ansicpg1253") || HasControlWord(shown, "\\fcharset161");
  // The text as the view will read it: in code page 1253 where the RTF says its text is Greek,
  // else as the Western European code page 1252 reads it.
  const std::vector<ReadPiece> text = ReadRtfText(shown, slot.greekDeclared ? 1253 : 1252);
  if (!slot.greekDeclared && HasEightBitText(shown)) {
    const bool declares1252 = DeclaredCodePage(shown) == 1252;
    report.add(
        Severity::Problem, "description-no-greek-code-page", file.name,
        "The RTF of " + title +
            " holds 8-bit characters but declares neither code page 1253 (\\ansicpg1253) nor a "
            "Greek character set (\\fcharset161).",
        std::string("The view reads those characters by ") +
            (declares1252 ? "code page 1252, as the RTF declares, on every system"
                          : "whatever code page the customer's system has") +
            ", not as Greek letters: its first words read \"" + FirstWords(text, 4) + "\"" +
            (declares1252 ? "." : " where that is code page 1252 (Western European)."),
        "Add \\ansicpg1253 to the RTF header, or \\fcharset161 to the fonts of the Greek text.");
  }
  std::string later;
  std::string old;
  if (FirstWordReadOtherwiseByRichEdit10(text, later, old)) {
    report.add(Severity::Problem, "description-unicode-escapes", file.name,
               "The RTF of " + title +
                   " writes characters as Unicode escapes (\\uN) whose fallback, the text shown "
                   "where the escape is not understood, is not the character in code page 1253.",
               "On Windows 95 and NT 4 the program's view is rich edit 1.0, which does not "
               "understand the escapes and shows their fallbacks: the first such word, \"" +
                   later + "\", reads \"" + old + "\" there. Later releases show the characters.",
               "Save the description with its Greek letters in code page 1253 (\\ansicpg1253 and "
               "the letters as \\'hh), or give each escape its letter in code page 1253 as "
               "fallback (\\u922\\'ca).");
  }
}

void CheckSizes(Report& report, const CatalogueSlot& slot) {
  const int k = slot.number;
  const int boxH = k == kTitleCount ? kLastMenuButtonHeight : kButtonHeight;
  const std::string box = Size(kButtonWidth, boxH);
  for (int role = 0; role < 2; ++role) {
    const CatalogueFile& f = slot.files[role];
    if (f.state != CatalogueFile::State::Loaded) continue;
    const std::string which = "The " + std::string(kRoles[role]) + " of title " + std::to_string(k);
    if (f.width > kButtonWidth || f.height > boxH) {
      report.add(Severity::Problem, "button-clipped", f.name,
                 which + " is " + Size(f.width, f.height) + ", larger than button " +
                     std::to_string(k) + "'s box of " + box + ".",
                 "It is drawn at its own size from the box's top-left corner and clipped: the part "
                 "beyond " +
                     box + " is not seen.",
                 "Make the picture " + box + ".");
    }
    if (f.width < kButtonWidth || f.height < boxH) {
      report.add(
          Severity::Problem, "button-small", f.name,
          which + " is " + Size(f.width, f.height) + ", smaller than button " + std::to_string(k) +
              "'s box of " + box + ".",
          "It is drawn at its own size from the box's top-left corner, neither stretched nor "
          "centred: the rest of the box stays blank and shows the background.",
          "Make the picture " + box + ".");
    }
  }
  const CatalogueFile& normal = slot.files[0];
  const CatalogueFile& lit = slot.files[1];
  if (normal.state == CatalogueFile::State::Loaded && lit.state == CatalogueFile::State::Loaded &&
      (normal.width != lit.width || normal.height != lit.height)) {
    report.add(Severity::Problem, "button-sizes-differ", lit.name,
               "The highlighted button picture of title " + std::to_string(k) + " is " +
                   Size(lit.width, lit.height) + ", the normal one " +
                   Size(normal.width, normal.height) + ".",
               "The button changes its size and shape when the title is selected.",
               "Make both pictures the same size, " + box + ".");
  }
  const CatalogueFile& title = slot.files[3];
  if (title.state == CatalogueFile::State::Loaded &&
      (title.width > kTitleWidth || title.height > kTitleHeight)) {
    report.add(Severity::Problem, "title-picture-clipped", title.name,
               "The title picture of title " + std::to_string(k) + " is " +
                   Size(title.width, title.height) + ", larger than the picture box of " +
                   Size(kTitleWidth, kTitleHeight) + ".",
               "It is drawn at its own size from the box's top-left corner and clipped to the box.",
               "Make the picture at most " + Size(kTitleWidth, kTitleHeight) + ".");
  }
}

// Files missing from a slot that has others: the button or the view shows nothing there.
void CheckMissing(Report& report, const CatalogueSlot& slot) {
  int present = 0;
  for (const CatalogueFile& f : slot.files) present += f.state != CatalogueFile::State::Missing;
  const int k = slot.number;
  if (present == 0) {
    report.add(
        Severity::Note, "slot-empty", FileName(k, 0),
        "Title " + std::to_string(k) + " has none of its four files.",
        "Button " + std::to_string(k) +
            " is blank but still answers a click, which empties the description and the picture.",
        "Nothing to mend if the disc has fewer than nine titles.");
    return;
  }
  const char* const effects[4] = {"Button %k is blank while another title is selected.",
                                  "Button %k turns blank when its title is selected.",
                                  "The description view stays empty when title %k is selected.",
                                  "The picture box stays empty when title %k is selected."};
  for (int role = 0; role < 4; ++role) {
    if (slot.files[role].state != CatalogueFile::State::Missing) continue;
    std::string effect = effects[role];
    effect.replace(effect.find("%k"), 2, std::to_string(k));
    report.add(Severity::Problem, "file-missing", slot.files[role].name,
               "Title " + std::to_string(k) + " has no " + kRoles[role] + ".", effect,
               "Add the file " + Cp1253ToUtf8(slot.files[role].name) + ".");
  }
}

}  // namespace

void CheckCatalogue(const DiscIndex& disc, Report& report) {
  CatalogueReport& cat = report.catalogue;
  bool stopped = false;
  for (int k = 1; k <= kTitleCount; ++k) {
    CatalogueSlot& slot = cat.slots[k - 1];
    slot.number = k;
    for (int role = 0; role < 4; ++role) {
      CatalogueFile& file = slot.files[role];
      file.name = FileName(k, role);
      const DiscEntry* entry = disc.findFile(file.name);
      if (!entry) continue;
      file.size = entry->size;
      if (stopped) {
        file.state = CatalogueFile::State::NotLoaded;
        continue;
      }
      if (role == 2)
        CheckDescription(disc, report, slot, file, *entry, stopped);
      else
        CheckPicture(disc, report, k, role, file, *entry, stopped);
    }
  }
  cat.revealed = !stopped;
  for (int k = 1; k <= kTitleCount; ++k) {
    const CatalogueSlot& slot = cat.slots[k - 1];
    // Title 1 is selected when the catalogue is revealed: its button shows the highlighted one.
    const CatalogueFile& shown = slot.files[k == 1 ? 1 : 0];
    cat.buttonShown[k - 1] = cat.revealed && shown.state == CatalogueFile::State::Loaded;
    // Sizes and gaps hold for the files that did load; they show once the stop is mended.
    CheckSizes(report, slot);
    CheckMissing(report, slot);
  }
}

void Report::add(Severity severity, const char* code, const std::string& file, int line,
                 std::string what, std::string effect, std::string mend) {
  Finding f;
  f.severity = severity;
  f.code = code;
  f.file = Cp1253ToUtf8(file);
  f.line = line;
  f.what = std::move(what);
  f.effect = std::move(effect);
  f.mend = std::move(mend);
  findings.push_back(std::move(f));
}

int Report::problems() const {
  int n = 0;
  for (const Finding& f : findings) n += f.severity == Severity::Problem;
  return n;
}

}  // namespace velm::check
