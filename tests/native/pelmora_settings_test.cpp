// The data-folder settings file: where it goes, what it holds afterwards, and that every failure
// ends the routine quietly, over a fake file system.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <ostream>
#include <string>
#include <vector>

#include "SettingsFile.h"
#include "NamedCases.h"

namespace velm {
namespace {

const std::string kIni = "C:\\WINDOWS\\Tolvan.ini";
const std::string kFallback = "C:\\Tolvan";
const std::string kRootIni = "\\Tolvan.ini";
const std::string kFolder = "C:\\Program Files\\Tolvan";

// Files and folders in memory, with failures to order.
class FakeFiles : public SettingsFiles {
 public:
  std::string windowsDir = "C:\\WINDOWS";
  bool queryFails = false;
  std::map<std::string, std::string> files;
  std::set<std::string> folders;
  std::set<std::string> uncreatable;     // cannot be opened for writing
  std::set<std::string> vanishing;       // created, yet not there afterwards
  std::set<std::string> unreadable;      // exists, but cannot be read
  std::set<std::string> lineWriteFails;  // opened and emptied, then the line cannot be written
  std::vector<std::string> calls;

  unsigned windowsDirectory(char* buffer, unsigned size) override {
    calls.push_back("query");
    if (queryFails) return 0;
    if (windowsDir.size() >= size) {
      // Too small: nothing usable in the buffer (scribbled over here to show it is not used), and
      // the answer is the room needed.
      std::memset(buffer, '#', size);
      return static_cast<unsigned>(windowsDir.size() + 1);
    }
    std::memcpy(buffer, windowsDir.c_str(), windowsDir.size() + 1);
    return static_cast<unsigned>(windowsDir.size());
  }
  bool fileExists(const std::string& path) override {
    calls.push_back("exists " + path);
    return files.count(path) != 0;
  }
  bool createEmpty(const std::string& path) override {
    calls.push_back("create " + path);
    if (!open(path)) return false;
    if (vanishing.count(path)) files.erase(path);
    return true;
  }
  bool readFile(const std::string& path, std::string& bytes) override {
    calls.push_back("read " + path);
    if (unreadable.count(path) || !files.count(path)) return false;
    bytes = files[path];
    return true;
  }
  bool writeFile(const std::string& path, const std::string* line) override {
    calls.push_back("write " + path);
    if (!open(path)) return false;
    if (line != nullptr) {
      if (lineWriteFails.count(path)) return false;
      files[path] = *line + "\r\n";
    }
    return true;
  }

 private:
  bool open(const std::string& path) {
    if (folders.count(path) || uncreatable.count(path)) return false;
    files[path].clear();
    return true;
  }
};

class SettingsFileTest : public ::testing::Test {
 protected:
  void save(const std::string& folder) { WriteDataFolderSetting(fs, settingsPath, folder); }

  FakeFiles fs;
  std::string settingsPath;
};

TEST_F(SettingsFileTest, FirstCallRecordsTheFolderInTheWindowsDirectory) {
  fs.files[kIni] = "C:\\Old\r\nsecond line\r\n";
  save(kFolder);
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kIni, kFolder + "\r\n"}}));
  // The place is proved writable (created empty, then looked for) before the line is written.
  EXPECT_EQ(fs.calls, (std::vector<std::string>{"query", "create " + kIni, "exists " + kIni,
                                                "write " + kIni}));
}

TEST_F(SettingsFileTest, FolderBytesAreWrittenAsGiven) {
  const std::string greek = "D:\\\xC5\xEA\xE4\xFC\xF3\xE5\xE9\xF2 \xD4\xEF\xEB\xE2\xE1\xED\\";
  save(greek);
  EXPECT_EQ(fs.files[kIni], greek + "\r\n");
}

TEST_F(SettingsFileTest, EmptyFolderOnTheFirstCallLeavesTheFileEmpty) {
  fs.files[kIni] = "C:\\Old\r\n";
  save("");
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "");
}

TEST_F(SettingsFileTest, SecondCallWithANewFolderReplacesTheFile) {
  save(kFolder);
  fs.files[kIni] = "C:\\Old\r\nmore\r\n";
  fs.calls.clear();
  save("E:\\Tolvan\\");
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "E:\\Tolvan\\\r\n");
  EXPECT_EQ(fs.calls,
            (std::vector<std::string>{"exists " + kIni, "read " + kIni, "write " + kIni}));
}

struct PreviousCase {
  const char* name;
  std::string before;
  std::string after;
};

VELM_PRINT_CASE_BY_NAME(PreviousCase)

class SettingsPreviousLineTest : public ::testing::TestWithParam<PreviousCase> {};

// A second call with an empty folder writes back the first line the file held, alone.
TEST_P(SettingsPreviousLineTest, EmptyFolderKeepsOnlyThePreviousFirstLine) {
  FakeFiles fs;
  std::string settingsPath = kIni;
  fs.files[kIni] = GetParam().before;
  WriteDataFolderSetting(fs, settingsPath, "");
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Contents, SettingsPreviousLineTest,
    ::testing::Values(
        PreviousCase{"OneLine", "C:\\Old\r\n", "C:\\Old\r\n"},
        PreviousCase{"FurtherLinesDropped", "C:\\Old\r\nmore\r\nstill more", "C:\\Old\r\n"},
        PreviousCase{"NoLineEnd", "C:\\Old", "C:\\Old\r\n"},
        PreviousCase{"LoneCr", "C:\\Old\rmore", "C:\\Old\r\n"},
        PreviousCase{"LoneLfStaysInTheLine", "C:\\Old\nmore\r\nx", "C:\\Old\nmore\r\n"},
        PreviousCase{"CtrlZEndsTheLine",
                     "C:\\Old\x1A"
                     "garbage",
                     "C:\\Old\r\n"},
        PreviousCase{"EmptyFile", "", ""}, PreviousCase{"OnlyCtrlZ", "\x1A", ""},
        PreviousCase{"EmptyFirstLine", "\r\nC:\\Old\r\n", ""}),
    velmtest::CaseName());

TEST_F(SettingsFileTest, SecondCallAfterTheFileWasDeletedWorksThePlaceOutAfresh) {
  save(kFolder);
  fs.files.erase(kIni);
  fs.calls.clear();
  save("");  // nothing to carry over: the old file is gone
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "");
  EXPECT_EQ(fs.calls.front(), "exists " + kIni);
  EXPECT_EQ(fs.calls.at(1), "query");
}

TEST_F(SettingsFileTest, FallsBackToCTolvanWhenTheWindowsDirectoryFileCannotBeCreated) {
  fs.uncreatable.insert(kIni);
  save(kFolder);
  EXPECT_EQ(settingsPath, kFallback);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kFallback, kFolder + "\r\n"}}));
}

TEST_F(SettingsFileTest, FallsBackWhenTheCreatedFileIsNotThereAfterwards) {
  fs.vanishing.insert(kIni);
  save(kFolder);
  EXPECT_EQ(settingsPath, kFallback);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kFallback, kFolder + "\r\n"}}));
}

TEST_F(SettingsFileTest, KnownFallbackIsKeptWhileItExists) {
  fs.uncreatable.insert(kIni);
  save(kFolder);
  fs.uncreatable.clear();
  save("E:\\Tolvan");
  EXPECT_EQ(settingsPath, kFallback);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kFallback, "E:\\Tolvan\r\n"}}));
}

TEST_F(SettingsFileTest, FallbackThatIsAFolderRecordsNothingAndLaterCallsTryAgain) {
  fs.uncreatable.insert(kIni);
  fs.folders.insert(kFallback);
  save(kFolder);  // must neither raise nor write anywhere
  EXPECT_EQ(settingsPath, kFallback);
  EXPECT_TRUE(fs.files.empty());

  // The recorded place does not name a file, so the next call works it out again.
  fs.uncreatable.clear();
  save(kFolder);
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kIni, kFolder + "\r\n"}}));
}

TEST_F(SettingsFileTest, FailedQueryUsesTheRootOfTheCurrentDrive) {
  fs.queryFails = true;
  save(kFolder);
  EXPECT_EQ(settingsPath, kRootIni);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kRootIni, kFolder + "\r\n"}}));
}

struct LongDirCase {
  const char* name;
  std::size_t length;
  bool fits;
};

VELM_PRINT_CASE_BY_NAME(LongDirCase)

class SettingsLongDirTest : public ::testing::TestWithParam<LongDirCase> {};

// The query has room for 100 bytes, terminator included: a longer directory counts as a failed
// query, whatever count it answers.
TEST_P(SettingsLongDirTest, DirectoryThatDoesNotFitCountsAsAFailedQuery) {
  FakeFiles fs;
  fs.windowsDir = "C:\\" + std::string(GetParam().length - 3, 'w');
  std::string settingsPath;
  WriteDataFolderSetting(fs, settingsPath, kFolder);
  const std::string expected = GetParam().fits ? fs.windowsDir + "\\Tolvan.ini" : kRootIni;
  EXPECT_EQ(settingsPath, expected);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{expected, kFolder + "\r\n"}}));
}

INSTANTIATE_TEST_SUITE_P(Lengths, SettingsLongDirTest,
                         ::testing::Values(LongDirCase{"Fits99", 99, true},
                                           LongDirCase{"Exactly100", 100, false},
                                           LongDirCase{"PastTheBuffer120", 120, false},
                                           LongDirCase{"Long300", 300, false}),
                         velmtest::CaseName());

TEST_F(SettingsFileTest, ReadFailureLeavesTheFileAsItWas) {
  settingsPath = kIni;
  fs.files[kIni] = "C:\\Old\r\nmore\r\n";
  fs.unreadable.insert(kIni);
  save(kFolder);
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "C:\\Old\r\nmore\r\n");
  EXPECT_EQ(fs.calls.back(), "read " + kIni);
}

TEST_F(SettingsFileTest, WriteFailingMidwayOnTheFirstCallLeavesAnEmptyFile) {
  fs.files[kIni] = "C:\\Old\r\n";
  fs.lineWriteFails.insert(kIni);
  save(kFolder);
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files, (std::map<std::string, std::string>{{kIni, ""}}));
}

TEST_F(SettingsFileTest, WriteFailingMidwayOnALaterCallLeavesAnEmptyFile) {
  settingsPath = kIni;
  fs.files[kIni] = "C:\\Old\r\n";
  fs.lineWriteFails.insert(kIni);
  save("");  // the previous line is read, then cannot be written back
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "");
}

TEST_F(SettingsFileTest, KnownFileThatBecameUncreatableRecordsNothing) {
  settingsPath = kIni;
  fs.files[kIni] = "C:\\Old\r\n";
  fs.uncreatable.insert(kIni);
  save(kFolder);
  EXPECT_EQ(settingsPath, kIni);
  EXPECT_EQ(fs.files[kIni], "C:\\Old\r\n");
}

}  // namespace
}  // namespace velm
