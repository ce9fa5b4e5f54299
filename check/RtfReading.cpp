// How the rich-text view reads a description (see RtfReading.h).
#include "RtfReading.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <set>

#include "Cp1253.h"

namespace velm::check {
namespace {

// Code page 1252 from 0x80 to 0x9F (0 where it assigns nothing); from 0xA0 on it is Latin-1.
constexpr std::uint16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::string Utf8(std::uint32_t u) {
  std::string out;
  AppendUtf8(out, u);
  return out;
}

std::string ByteIn(unsigned char b, int codePage) {
  if (codePage == 1253) return Cp1253ToUtf8(std::string(1, static_cast<char>(b)));
  if (b >= 0x80 && b < 0xA0) return Utf8(kCp1252High[b - 0x80] ? kCp1252High[b - 0x80] : 0xFFFD);
  return Utf8(b);
}

// Groups whose text is not shown: tables, document information, pictures.
const std::set<std::string> kHidden = {"fonttbl", "colortbl",  "stylesheet",        "info",
                                       "pict",    "listtable", "listoverridetable", "generator"};

bool Space(const std::string& s) {
  return s == " " || s == "\n" || s == "\t";
}

}  // namespace

int DeclaredCodePage(const std::string& rtf) {
  const std::size_t at = rtf.find("\\ansicpg");
  return at == std::string::npos ? 0 : std::atoi(rtf.c_str() + at + 8);
}

std::vector<ReadPiece> ReadRtfText(const std::string& rtf, int codePage) {
  std::vector<ReadPiece> text;
  std::vector<int> hiddenAt;         // the depths of hidden groups, innermost last
  std::vector<int> skipCount = {1};  // \ucN of each open group
  int depth = 0;
  int fallbackLeft = 0;  // characters still belonging to the last \uN's fallback
  const auto put = [&](const std::string& c) {
    if (!hiddenAt.empty()) return;
    if (fallbackLeft > 0) {
      --fallbackLeft;
      text.back().old += c;
    } else {
      text.push_back({c, c});
    }
  };
  for (std::size_t i = 0; i < rtf.size();) {
    const char c = rtf[i];
    if (c == '{' || c == '}') {
      fallbackLeft = 0;
      if (c == '{') {
        ++depth;
        skipCount.push_back(skipCount.back());
        const std::size_t word = rtf.compare(i + 1, 3, "\\*\\") == 0 ? i + 3 : i + 1;
        std::size_t end = word + 1;
        while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
        if (rtf.compare(i + 1, 2, "\\*") == 0 ||
            (rtf[word] == '\\' && kHidden.count(rtf.substr(word + 1, end - word - 1))))
          if (hiddenAt.empty()) hiddenAt.push_back(depth);
      } else {
        if (!hiddenAt.empty() && hiddenAt.back() == depth) hiddenAt.pop_back();
        if (skipCount.size() > 1) skipCount.pop_back();
        --depth;
      }
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      ++i;
      continue;
    }
    if (c != '\\') {
      put(ByteIn(static_cast<unsigned char>(c), codePage));
      ++i;
      continue;
    }
    // A control symbol, an escaped byte or a control word with its number.
    if (i + 1 >= rtf.size()) break;
    const char s = rtf[i + 1];
    if (s == '\'') {
      put(ByteIn(static_cast<unsigned char>(std::strtol(rtf.substr(i + 2, 2).c_str(), nullptr, 16)),
                 codePage));
      i += 4;
      continue;
    }
    if (!std::isalpha(static_cast<unsigned char>(s))) {
      if (s == '\\' || s == '{' || s == '}') put(std::string(1, s));
      if (s == '~') put(" ");
      i += 2;
      continue;
    }
    std::size_t end = i + 1;
    while (end < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[end]))) ++end;
    const std::string word = rtf.substr(i + 1, end - i - 1);
    std::size_t numberEnd = end + (end < rtf.size() && rtf[end] == '-');
    while (numberEnd < rtf.size() && std::isdigit(static_cast<unsigned char>(rtf[numberEnd])))
      ++numberEnd;
    const long number = numberEnd > end ? std::atol(rtf.substr(end, numberEnd - end).c_str()) : 0;
    i = numberEnd + (numberEnd < rtf.size() && rtf[numberEnd] == ' ');
    if (word == "par" || word == "line") {
      put("\n");
    } else if (word == "tab") {
      put("\t");
    } else if (word == "uc") {
      skipCount.back() = static_cast<int>(number);
    } else if (word == "u" && hiddenAt.empty()) {
      const std::uint32_t code = static_cast<std::uint32_t>(number < 0 ? number + 65536 : number);
      text.push_back({Utf8(code), ""});
      fallbackLeft = skipCount.back();
    }
  }
  return text;
}

std::string FirstWords(const std::vector<ReadPiece>& text, int count) {
  std::string words;
  std::size_t i = 0;
  while (i < text.size() && Space(text[i].later)) ++i;
  for (int n = 0; i < text.size(); ++n) {
    if (n == count) return words + " \xE2\x80\xA6";  // an ellipsis, in UTF-8 whatever the build
    if (n > 0) words += " ";
    for (; i < text.size() && !Space(text[i].later); ++i) words += text[i].later;
    while (i < text.size() && Space(text[i].later)) ++i;
  }
  return words;
}

bool FirstWordReadOtherwiseByRichEdit10(const std::vector<ReadPiece>& text, std::string& later,
                                        std::string& old) {
  std::size_t start = 0;
  bool differs = false;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !Space(text[i].later)) {
      differs = differs || text[i].later != text[i].old;
      continue;
    }
    if (differs) {
      later.clear(), old.clear();
      for (std::size_t k = start; k < i; ++k) later += text[k].later, old += text[k].old;
      return true;
    }
    start = i + 1;
  }
  return false;
}

}  // namespace velm::check
