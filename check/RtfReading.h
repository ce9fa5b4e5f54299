// How the rich-text view reads a description's text, as the customer will see it: the characters
// of an RTF document (the destinations that are not text left out), each as rich edit 1.0 shows
// it (Windows 95 and NT 4, where the program finds no later edition) and as later editions do.
// Rich edit 1.0 does not know the Unicode escape \uN and shows the characters that follow it for
// older readers (its fallback); later editions show the character N and skip the fallback.
// Portable: no windows.h.
#pragma once

#include <string>
#include <vector>

namespace velm::check {

// One character of the text, or one \uN escape with its fallback, in UTF-8.
struct ReadPiece {
  std::string later;  // as rich edit 2.0 and later show it
  std::string old;    // as rich edit 1.0 shows it
};

// The text of `rtf`; bytes and \'hh escapes are read in the code page `codePage` (1252 or 1253).
std::vector<ReadPiece> ReadRtfText(const std::string& rtf, int codePage);

// The code page a document declares with \ansicpgN, or 0 without one.
int DeclaredCodePage(const std::string& rtf);

// The first `count` words of the text as later editions show it, an ellipsis after them when more
// follow.
std::string FirstWords(const std::vector<ReadPiece>& text, int count);

// The first word holding an escape that rich edit 1.0 shows otherwise, as later editions and as
// rich edit 1.0 show it; false when there is none.
bool FirstWordReadOtherwiseByRichEdit10(const std::vector<ReadPiece>& text, std::string& later,
                                        std::string& old);

}  // namespace velm::check
