// Disc folders for the tests of the disc check: a good disc, and faults that each break one
// thing about it, with what the program does with the broken disc. The native tests check the
// check's findings against the table; the end-to-end tests run the real program on the same
// discs. Names are code page 1253 with backslashes, as the program sees them. Portable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velm::testdisc {

struct DiscFile {
  std::string path;
  std::string bytes;
  bool folder = false;
  bool readOnly = false;
};
using DiscFiles = std::vector<DiscFile>;

// The colour of the bottom-left pixel of every picture of the test discs, which the program
// takes for a button picture's transparent colour.
constexpr std::uint32_t kKeyColour = 0xFF00FF;

// A bottom-up 24-bit Windows bitmap of one colour (0xRRGGBB) but for its bottom-left pixel,
// which is kKeyColour.
std::string Bitmap(int width, int height, std::uint32_t rgb);
// The colour of title k's normal and highlighted button pictures in the good disc.
std::uint32_t ButtonColour(int k, bool highlighted);

// Every file of a disc the check finds nothing wrong with: nine titles, a read-only Tolvan.exe,
// the data files and a manifest with nested and Greek folders. Folders come before what they
// hold.
DiscFiles GoodDisc();

// Replaces the file at `path` or adds it (with the folders above it).
void Put(DiscFiles& disc, const std::string& path, std::string bytes, bool readOnly = false);
void Remove(DiscFiles& disc, const std::string& path);
DiscFile* Find(DiscFiles& disc, const std::string& path);

// The manifest of the good disc, one line an element, and how it is written (CR LF after each).
std::vector<std::string> GoodManifestLines();
std::string ManifestBytes(const std::vector<std::string>& lines);

struct Fault {
  const char* name;
  void (*apply)(DiscFiles& disc);
  // The finding the fault must give, first: its code, file and manifest line (0 for none); then
  // every other code the same fault gives with it. No other code may appear.
  std::vector<std::string> codes;
  std::string file;
  int line;
  // What the program does with the disc.
  bool revealed;
  unsigned buttons;  // bit k-1: button k shows a picture once revealed
  bool success[2];   // the success message, into "C:\Program Files\Tolvan" and "C:\Tolvan"
  bool programCopied;
  int exitCode;
};

// Every fault, each breaking one thing.
const std::vector<Fault>& Faults();

// A folder name for a fault's disc: its number in the table and its name, "07-title-picture-...".
std::string FolderName(std::size_t index);

// Writes the disc into the new folder `root` (in the platform's own encoding): on POSIX with
// UTF-8 names and read-only files without write permission, as Wine keeps a Windows folder; on
// Windows through the 8-bit calls, with the read-only attribute. False, with `error`, on failure.
bool WriteDisc(const std::string& root, const DiscFiles& files, std::string* error);

constexpr unsigned kAllButtons = 0x1FF;

}  // namespace velm::testdisc
