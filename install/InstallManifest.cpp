// The install manifest's lines (see InstallManifest.h).
#include "InstallManifest.h"

#include "TextLineReader.h"

namespace velm {

std::vector<ManifestEntry> ReadInstallManifest(std::string_view bytes, int* lineCount) {
  std::vector<ManifestEntry> entries;
  std::string prefix;
  TextLineReader reader(bytes);
  int number = 0;
  while (!reader.atEnd()) {
    std::string line = reader.readLine();
    ++number;
    if (line.empty()) continue;
    if (line.back() == '\\') {
      prefix = line;
      entries.push_back({ManifestEntry::Kind::Folder, line, line, number});
    } else {
      entries.push_back({ManifestEntry::Kind::File, line, prefix + line, number});
    }
  }
  if (lineCount) *lineCount = number;
  return entries;
}

}  // namespace velm
