// The data-folder settings file (see SettingsFile.h).
#include "SettingsFile.h"

#include "DiscFacts.h"
#include "TextLineReader.h"

namespace velm {

namespace {

// The place of the settings file: "Tolvan.ini" in the Windows directory, created empty here to
// prove it can be written, or the fallback file when it cannot.
std::string FindSettingsPlace(SettingsFiles& files) {
  char buffer[kWindowsDirBuffer] = {};
  unsigned count = files.windowsDirectory(buffer, kWindowsDirQuerySize);
  // A directory of 100 characters or more does not fit: the query then answers the size it would
  // need and leaves nothing usable in the buffer, so it counts as a failed query.
  if (count >= kWindowsDirQuerySize) {
    count = 0;
  }
  // A failed query leaves "\Tolvan.ini": the root of the current drive.
  std::string path = std::string(buffer, count) + "\\" + kSettingsFileName;
  if (!files.createEmpty(path) || !files.fileExists(path)) {
    path = kFallbackSettingsFile;
  }
  return path;
}

}  // namespace

void WriteDataFolderSetting(SettingsFiles& files, std::string& settingsFilePath,
                            const std::string& folder) {
  std::string previous;
  if (!settingsFilePath.empty() && files.fileExists(settingsFilePath)) {
    std::string bytes;
    if (!files.readFile(settingsFilePath, bytes)) {
      return;
    }
    TextLineReader reader(bytes);
    if (!reader.atEnd()) {
      previous = reader.readLine();
    }
  } else {
    settingsFilePath = FindSettingsPlace(files);
  }
  const std::string& line = !folder.empty() ? folder : previous;
  // Nothing is reported: a failed write leaves what it left.
  files.writeFile(settingsFilePath, line.empty() ? nullptr : &line);
}

}  // namespace velm
