// The install manifest's lines (see InstallManifest.h).
#include "InstallManifest.h"

#include "TextLineReader.h"

namespace velm {

std::vector<ManifestEntry> ReadInstallManifest(std::string_view bytes) {
  std::vector<ManifestEntry> entries;
  std::string prefix;
  TextLineReader reader(bytes);
  while (!reader.atEnd()) {
    std::string line = reader.readLine();
    if (line.empty()) continue;
    if (line.back() == '\\') {
      prefix = line;
      entries.push_back({ManifestEntry::Kind::Folder, line, line});
    } else {
      entries.push_back({ManifestEntry::Kind::File, line, prefix + line});
    }
  }
  return entries;
}

}  // namespace velm
