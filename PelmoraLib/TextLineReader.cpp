// The runtime's text-line rules over a byte buffer (see TextLineReader.h).
#include "TextLineReader.h"

namespace velm {

std::string TextLineReader::readLine() {
  if (atEnd()) {
    return std::string();
  }
  const std::size_t start = pos_;
  const std::size_t stop = bytes_.find_first_of(std::string_view("\r\x1A", 2), start);
  if (stop == std::string_view::npos) {
    pos_ = bytes_.size();
    return std::string(bytes_.substr(start));
  }
  pos_ = stop;
  if (bytes_[pos_] == '\r') {
    ++pos_;
    if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
      ++pos_;
    }
  }
  // A Ctrl-Z stays where it is: atEnd() sees it next.
  return std::string(bytes_.substr(start, stop - start));
}

std::vector<std::string> ReadTextLines(std::string_view bytes) {
  std::vector<std::string> lines;
  TextLineReader reader(bytes);
  while (!reader.atEnd()) {
    lines.push_back(reader.readLine());
  }
  return lines;
}

}  // namespace velm
