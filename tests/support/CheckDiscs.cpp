// The disc check's test discs (see CheckDiscs.h).
#include "CheckDiscs.h"

#include <algorithm>

#include "BitmapFiles.h"

namespace velm::testdisc {
namespace {

const std::string kAutorun = "[autorun]\r\nopen=VelmPres.exe\r\nicon=VelmPres.exe,0\r\n";

// "Λήμματα" and "Οδηγίες" in code page 1253.
const std::string kEntries = "\xCB\xDE\xEC\xEC\xE1\xF4\xE1";
const std::string kGuide = "\xCF\xE4\xE7\xE3\xDF\xE5\xF2";

std::string Rtf(int k) {
  // "Τίτλος" with the title's number, as RTF writers write Greek.
  return "{\\rtf1\\ansi\\ansicpg1253\\deff0{\\fonttbl{\\f0\\fnil\\fcharset161 Tahoma;}}\r\n"
         "\\f0\\fs20 Title " +
         std::to_string(k) + ": \\'d4\\'df\\'f4\\'eb\\'ef\\'f2\\par\r\n}\r\n";
}

std::string Slot(const char* stem, int k, const char* tail) {
  return std::string("content\\") + stem + std::to_string(k) + tail;
}

}  // namespace

std::string Bitmap(int width, int height, std::uint32_t rgb) {
  return velmtest::BitmapBytes(
      width, height, [=](int x, int y) { return x == 0 && y == height - 1 ? kKeyColour : rgb; });
}

std::uint32_t ButtonColour(int k, bool highlighted) {
  // Distinct from each other, from the window's background and from black.
  const std::uint32_t base = 0x200000u * static_cast<std::uint32_t>(k) + 0x3080C0u;
  return (highlighted ? base ^ 0x00FF00u : base) & 0xFFFFFFu;
}

std::vector<std::string> GoodManifestLines() {
  return {"readme.txt", kGuide + ".txt", "",        "Images\\", "index.txt", "Images\\Anatomy\\",
          "heart.bmp",  kEntries + "\\", "\xC1.txt"};
}

std::string ManifestBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

DiscFile* Find(DiscFiles& disc, const std::string& path) {
  for (DiscFile& f : disc)
    if (f.path == path) return &f;
  return nullptr;
}

void Put(DiscFiles& disc, const std::string& path, std::string bytes, bool readOnly) {
  if (DiscFile* f = Find(disc, path)) {
    f->bytes = std::move(bytes);
    f->readOnly = readOnly;
    return;
  }
  for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
    if (!Find(disc, path.substr(0, cut))) disc.push_back({path.substr(0, cut), "", true, false});
  disc.push_back({path, std::move(bytes), false, readOnly});
}

void Remove(DiscFiles& disc, const std::string& path) {
  disc.erase(
      std::remove_if(disc.begin(), disc.end(), [&](const DiscFile& f) { return f.path == path; }),
      disc.end());
}

DiscFiles GoodDisc() {
  DiscFiles disc;
  Put(disc, "Tolvan.exe", "MZ stand-in for the dictionary program", true);
  Put(disc, "Data\\TolvanI.tbo", "index data");
  Put(disc, "Data\\TolvanHI.tbo", "history data");
  Put(disc, "Data\\Tolvan.tbo", "dictionary data");
  for (int k = 1; k <= 9; ++k) {
    const int h = k == 9 ? 49 : 37;
    Put(disc, Slot("menu", k, ".bmp"), Bitmap(201, h, ButtonColour(k, false)));
    Put(disc, Slot("menu", k, "c.bmp"), Bitmap(201, h, ButtonColour(k, true)));
    Put(disc, Slot("velm", k, ".rtf"), Rtf(k));
    Put(disc, Slot("velm", k, ".bmp"), Bitmap(120, 160, 0x102030u * static_cast<unsigned>(k)));
  }
  Put(disc, "content\\fil.tbo", ManifestBytes(GoodManifestLines()));
  Put(disc, "content\\readme.txt", "Read me\r\n");
  Put(disc, "content\\" + kGuide + ".txt", "Guide\r\n");
  Put(disc, "content\\Images\\index.txt", "Index\r\n");
  Put(disc, "content\\Images\\Anatomy\\heart.bmp", Bitmap(4, 4, 0xC02020));
  Put(disc, "content\\" + kEntries + "\\\xC1.txt", "Alpha\r\n");
  // Laid out for pressing: the catalogue program in the root and the autorun entry starting it.
  Put(disc, "VelmPres.exe", "MZ stand-in for the catalogue program", true);
  Put(disc, "autorun.inf", kAutorun);
  return disc;
}

namespace {

// The good manifest with `added` put in before line `at` (1-based; past the end: appended).
void ManifestWith(DiscFiles& d, size_t at, const std::vector<std::string>& added) {
  std::vector<std::string> lines = GoodManifestLines();
  lines.insert(lines.begin() + static_cast<long>(std::min(at - 1, lines.size())), added.begin(),
               added.end());
  Put(d, "content\\fil.tbo", ManifestBytes(lines));
}

// Both pictures of button k at this size.
void Buttons(DiscFiles& d, int k, int w, int h) {
  Put(d, Slot("menu", k, ".bmp"), Bitmap(w, h, ButtonColour(k, false)));
  Put(d, Slot("menu", k, "c.bmp"), Bitmap(w, h, ButtonColour(k, true)));
}

// Names long enough that a path passes a limit only under "C:\Program Files\Tolvan" (23
// characters) and not under "C:\Tolvan" (9): a folder of 215 characters with a file of 20 in it
// passes the file calls' 259; one of 220 passes the folder call's 248.
const std::string kLongFolder(215, 'L');
const std::string kLongFile = "a-long-file-name.txt";
const std::string kLongerFolder(220, 'M');

// A name of 70 characters, longer than a Joliet name holds; two folder names of 60 whose path
// passes the 240 bytes Joliet takes (1 + 15 for "content", then 121 for each).
const std::string kPressCut = std::string(66, 'J') + ".txt";
const std::string kPressFolder(60, 'P');
const std::string kPressSubfolder(60, 'Q');

// One more file listed last in the manifest, so in the folder of its last folder line.
std::string Listed(const std::string& name) {
  return "content\\" + kEntries + "\\" + name;
}
void ListedFile(DiscFiles& d, const std::string& name) {
  ManifestWith(d, 99, {name});
  Put(d, Listed(name), "pressed\r\n");
}

}  // namespace

const std::vector<Fault>& Faults() {
  const unsigned all = kAllButtons;
  // clang-format off
  static const std::vector<Fault> faults = {
    {"damaged button bitmap", [](DiscFiles& d) { Find(d, "content\\menu3.bmp")->bytes.resize(60); },
     {"bitmap-refused"}, "content\\menu3.bmp", 0, false, 0, {true, true}, true, 1},
    {"damaged title picture of the last title", [](DiscFiles& d) { Find(d, "content\\velm9.bmp")->bytes[0] = 'X'; },
     {"bitmap-refused"}, "content\\velm9.bmp", 0, false, 0, {true, true}, true, 1},
    {"button bitmap with an empty colour mask",
     [](DiscFiles& d) { Put(d, "content\\menu1.bmp", velmtest::BitmapBytes({201, 37, 32, 3}, [](int, int) { return 0x404040u; })); },
     {"bitmap-refused"}, "content\\menu1.bmp", 0, false, 0, {true, true}, true, 1},
    {"button pictures wider than the box", [](DiscFiles& d) { Buttons(d, 2, 230, 37); },
     {"button-clipped"}, "content\\menu2.bmp", 0, true, all, {true, true}, true, 1},
    {"button pictures smaller than the box", [](DiscFiles& d) { Buttons(d, 4, 150, 30); },
     {"button-small"}, "content\\menu4.bmp", 0, true, all, {true, true}, true, 1},
    {"last button only as high as the others", [](DiscFiles& d) { Buttons(d, 9, 201, 37); },
     {"button-small"}, "content\\menu9.bmp", 0, true, all, {true, true}, true, 1},
    {"highlighted picture of another size",
     [](DiscFiles& d) { Put(d, "content\\menu5c.bmp", Bitmap(201, 30, ButtonColour(5, true))); },
     {"button-sizes-differ", "button-small"}, "content\\menu5c.bmp", 0, true, all, {true, true}, true, 1},
    {"title picture larger than its box", [](DiscFiles& d) { Put(d, "content\\velm6.bmp", Bitmap(260, 321, 0x406080)); },
     {"title-picture-clipped"}, "content\\velm6.bmp", 0, true, all, {true, true}, true, 1},
    {"description that is not RTF", [](DiscFiles& d) { Put(d, "content\\velm7.rtf", "Plain words about title 7\r\n"); },
     {"description-not-rtf"}, "content\\velm7.rtf", 0, true, all, {true, true}, true, 1},
    {"description whose RTF keyword is in capitals",
     [](DiscFiles& d) { Put(d, "content\\velm3.rtf", "{\\RTF1\\ansi\\ansicpg1253 Title 3\\par}\r\n"); },
     {"description-not-rtf"}, "content\\velm3.rtf", 0, true, all, {true, true}, true, 1},
    {"description with a NUL byte",
     [](DiscFiles& d) { Put(d, "content\\velm8.rtf", std::string("{\\rtf1\\ansi\\ansicpg1253 Title 8 ") + '\0' + " lost\\par}\r\n"); },
     {"description-nul"}, "content\\velm8.rtf", 0, true, all, {true, true}, true, 1},
    {"Greek RTF without code page or character set",
     [](DiscFiles& d) { Put(d, "content\\velm2.rtf", "{\\rtf1\\ansi \\'d4\\'df\\'f4\\'eb\\par}\r\n"); },
     {"description-no-greek-code-page"}, "content\\velm2.rtf", 0, true, all, {true, true}, true, 1},
    {"Greek RTF written as Unicode escapes with a question mark as fallback",  // as pandoc writes it
     [](DiscFiles& d) { Put(d, "content\\velm4.rtf", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Tahoma;}}\r\n{\\pard \\f0 Title 4: \\u922?\\u945?\\u964?\\u940?\\u955?\\u959?\\u947?\\u959?\\u962? \\par}\r\n}\r\n"); },
     {"description-unicode-escapes"}, "content\\velm4.rtf", 0, true, all, {true, true}, true, 1},
    {"Greek RTF saved from UTF-8 as code page 1252",
     [](DiscFiles& d) { Put(d, "content\\velm5.rtf", "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n\\f0\\fs20 \\'ce\\'9a\\'ce\\'b1\\'cf\\'84\\'ce\\'ac\\'ce\\'bb\\'ce\\'bf\\'ce\\'b3\\'ce\\'bf\\'cf\\'82 of the year 2026\\par\r\n}\r\n"); },
     {"description-no-greek-code-page"}, "content\\velm5.rtf", 0, true, all, {true, true}, true, 1},
    {"missing highlighted picture", [](DiscFiles& d) { Remove(d, "content\\menu1c.bmp"); },
     {"file-missing"}, "content\\menu1c.bmp", 0, true, all & ~1u, {true, true}, true, 1},
    {"title without any of its files",
     [](DiscFiles& d) { for (const char* n : {"menu9.bmp", "menu9c.bmp", "velm9.rtf", "velm9.bmp"}) Remove(d, std::string("content\\") + n); },
     {"slot-empty"}, "content\\menu9.bmp", 0, true, all & ~0x100u, {true, true}, true, 0},
    {"no program on the disc", [](DiscFiles& d) { Remove(d, "Tolvan.exe"); },
     {"program-missing"}, "Tolvan.exe", 0, true, all, {false, false}, false, 1},
    {"writable program on the disc", [](DiscFiles& d) { Find(d, "Tolvan.exe")->readOnly = false; },
     {"program-writable"}, "Tolvan.exe", 0, true, all, {true, true}, true, 1},
    {"missing data file", [](DiscFiles& d) { Remove(d, "Data\\TolvanHI.tbo"); },
     {"data-missing"}, "Data\\TolvanHI.tbo", 0, true, all, {false, false}, true, 1},
    {"no manifest",  // and no content to install
     [](DiscFiles& d) { d.erase(std::remove_if(d.begin(), d.end(), [](const DiscFile& f) { return !f.folder && f.path.find("content\\") == 0 && f.path.find("content\\menu") != 0 && f.path.find("content\\velm") != 0; }), d.end()); },
     {"manifest-missing"}, "content\\fil.tbo", 0, true, all, {true, true}, true, 0},
    {"manifest line reaching outside the folder", [](DiscFiles& d) { ManifestWith(d, 99, {"..\\..\\escape.txt"}); },
     {"manifest-refused"}, "content\\fil.tbo", 10, true, all, {false, false}, true, 1},
    {"child folder before its parent", [](DiscFiles& d) { Put(d, "content\\fil.tbo", ManifestBytes({"readme.txt", kGuide + ".txt", "Images\\Anatomy\\", "heart.bmp", "Images\\", "index.txt", kEntries + "\\", "\xC1.txt"})); },
     {"manifest-folder-before-parent", "manifest-folder-not-made"}, "content\\fil.tbo", 3, true, all, {false, false}, true, 1},
    {"manifest naming a file the disc lacks", [](DiscFiles& d) { ManifestWith(d, 2, {"ghost.txt"}); },
     {"manifest-file-missing"}, "content\\fil.tbo", 2, true, all, {false, false}, true, 1},
    {"file listed twice", [](DiscFiles& d) { ManifestWith(d, 2, {"README.TXT"}); },
     {"manifest-listed-twice"}, "content\\fil.tbo", 2, true, all, {false, false}, true, 1},
    {"folder listed twice", [](DiscFiles& d) { ManifestWith(d, 99, {"images\\"}); },
     {"manifest-listed-twice"}, "content\\fil.tbo", 10, true, all, {false, false}, true, 1},
    {"file of content that no line lists", [](DiscFiles& d) { Put(d, "content\\Images\\extra.txt", "Extra\r\n"); },
     {"content-not-listed"}, "content\\Images\\extra.txt", 0, true, all, {true, true}, true, 1},
    {"file path too long under the Program Files folder only",
     [](DiscFiles& d) { ManifestWith(d, 99, {kLongFolder + "\\", kLongFile}); Put(d, "content\\" + kLongFolder + "\\" + kLongFile, "far\r\n"); },
     {"path-too-long", "press-name-changed"}, "content\\fil.tbo", 11, true, all, {false, true}, true, 1},
    {"folder path too long under the Program Files folder only",
     [](DiscFiles& d) { ManifestWith(d, 99, {kLongerFolder + "\\", "f.txt"}); Put(d, "content\\" + kLongerFolder + "\\f.txt", "far\r\n"); },
     {"path-too-long", "manifest-folder-not-made", "press-name-changed"}, "content\\fil.tbo", 10, true, all, {false, true}, true, 1},
    {"manifest line with a lone line feed",
     [](DiscFiles& d) { std::vector<std::string> l = GoodManifestLines(); l[0] += "\n" + l[1]; l.erase(l.begin() + 1); Put(d, "content\\fil.tbo", ManifestBytes(l)); },
     {"manifest-lone-lf", "content-not-listed"}, "content\\fil.tbo", 1, true, all, {false, false}, true, 1},
    {"manifest name with a character no Windows name may hold", [](DiscFiles& d) { ManifestWith(d, 99, {"a|b.txt"}); },
     {"manifest-bad-name"}, "content\\fil.tbo", 10, true, all, {false, false}, true, 1},
    {"no autorun entry", [](DiscFiles& d) { Remove(d, "autorun.inf"); },
     {"autorun-missing"}, "autorun.inf", 0, true, all, {true, true}, true, 0},
    {"autorun entry naming a program the disc lacks", [](DiscFiles& d) { Remove(d, "VelmPres.exe"); },
     {"autorun-program-missing"}, "autorun.inf", 0, true, all, {true, true}, true, 1},
    {"autorun entry starting a program in a subfolder",
     [](DiscFiles& d) { Remove(d, "VelmPres.exe"); Put(d, "bin\\VelmPres.exe", "MZ", true); Put(d, "autorun.inf", "[AutoRun]\r\n open = \"bin\\VelmPres.exe\" \r\n"); },
     {"autorun-wrong-program"}, "autorun.inf", 0, true, all, {true, true}, true, 1},
    {"name longer than the pressed disc holds", [](DiscFiles& d) { ListedFile(d, kPressCut); },
     {"press-name-changed"}, Listed(kPressCut), 0, true, all, {true, true}, true, 1},
    {"name with a semicolon", [](DiscFiles& d) { ListedFile(d, "a;b.txt"); },
     {"press-name-changed"}, Listed("a;b.txt"), 0, true, all, {true, true}, true, 1},
    {"path longer than the pressed disc takes",
     [](DiscFiles& d) { ManifestWith(d, 99, {kPressFolder + "\\", kPressFolder + "\\" + kPressSubfolder + "\\", "deep.txt"}); Put(d, "content\\" + kPressFolder + "\\" + kPressSubfolder + "\\deep.txt", "deep\r\n"); },
     {"press-path-refused"}, "content\\" + kPressFolder + "\\" + kPressSubfolder, 0, true, all, {true, true}, true, 1},
  };
  // clang-format on
  return faults;
}

std::string FolderName(std::size_t index) {
  std::string name = std::to_string(index + 1);
  if (name.size() < 2) name = "0" + name;
  name += "-";
  for (const char* c = Faults()[index].name; *c; ++c) {
    const char lower = *c >= 'A' && *c <= 'Z' ? static_cast<char>(*c - 'A' + 'a') : *c;
    name += (lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9') ? lower : '-';
  }
  return name;
}

}  // namespace velm::testdisc
