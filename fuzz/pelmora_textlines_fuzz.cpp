// Fuzzes the runtime's text-line reader: whatever the bytes, the lines hold no CR and no Ctrl-Z,
// they put the text before the first Ctrl-Z back together exactly, the whole-buffer and the
// line-by-line readings agree, and lines written back with CR LF read the same again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "TextLineReader.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = velm::ReadTextLines(bytes);

  // The file ends at its first Ctrl-Z.
  const std::string_view text = bytes.substr(0, bytes.find(velm::kTextEndOfFile));
  Check(lines.empty() == text.empty());

  // Each line is the next stretch of the text, followed by CR (and maybe one LF) or by the end.
  std::size_t pos = 0;
  for (const std::string& line : lines) {
    Check(line.find('\r') == std::string::npos);
    Check(line.find(velm::kTextEndOfFile) == std::string::npos);
    Check(text.substr(pos, line.size()) == line);
    pos += line.size();
    if (pos < text.size()) {
      Check(text[pos] == '\r');
      ++pos;
      if (pos < text.size() && text[pos] == '\n') {
        ++pos;
      }
    }
  }
  Check(pos == text.size());

  velm::TextLineReader reader(bytes);
  std::vector<std::string> oneByOne;
  while (!reader.atEnd()) {
    oneByOne.push_back(reader.readLine());
  }
  Check(oneByOne == lines);
  Check(reader.readLine().empty() && reader.atEnd());

  std::string rewritten;
  for (const std::string& line : lines) {
    rewritten += line + "\r\n";
  }
  Check(velm::ReadTextLines(rewritten) == lines);
  return 0;
}
