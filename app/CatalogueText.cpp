// Description line splitting and joining (see CatalogueText.h).
#include "CatalogueText.h"

#include <algorithm>
#include <cstring>

namespace velm {

std::vector<std::string> SplitDescriptionLines(const std::string& bytes) {
  std::vector<std::string> lines;
  const std::size_t end = std::min(bytes.size(), std::strlen(bytes.c_str()));  // NUL ends the text
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < end) {
    const char c = bytes[i];
    if (c == '\r' || c == '\n') {
      lines.emplace_back(bytes, start, i - start);
      ++i;
      if (c == '\r' && i < end && bytes[i] == '\n') ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < end) lines.emplace_back(bytes, start, end - start);
  return lines;
}

std::string JoinDescriptionLines(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string text;
  text.reserve(total);
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace velm
