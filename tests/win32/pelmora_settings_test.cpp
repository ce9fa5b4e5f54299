// The settings file for real under Wine: written into the Windows directory, or into the file
// C:\Tolvan when the seam makes the Windows directory's file uncreatable, and nothing at all when
// C:\Tolvan is a folder. What the tests find there beforehand is put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "PelmoraLib.h"
#include "SysDouble.h"
#include "TestFiles.h"

namespace velm {
namespace {

using velmtest::IsFile;
using velmtest::IsFolder;
using velmtest::ReadFileBytes;
using velmtest::WriteFileBytes;

const char kFallback[] = "C:\\Tolvan";

std::string FileContent(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path << " is not there";
  return bytes;
}

// A file that the test may change, put back as it was when the test ends.
class SavedFile {
 public:
  explicit SavedFile(std::string path) : path_(std::move(path)) {
    existed_ = IsFile(path_) && ReadFileBytes(path_, bytes_);
  }
  ~SavedFile() {
    if (existed_) {
      EXPECT_TRUE(WriteFileBytes(path_, bytes_)) << "could not put back " << path_;
    } else {
      DeleteFileA(path_.c_str());
    }
  }

 private:
  std::string path_;
  bool existed_;
  std::string bytes_;
};

class WindowsSettingsTest : public ::testing::Test {
 protected:
  WindowsSettingsTest()
      : ini_(WindowsDirectory() + "\\Tolvan.ini"), savedIni_(ini_), savedFallback_(kFallback) {
    SettingsFilePath.clear();
    DeleteFileA(ini_.c_str());
  }
  ~WindowsSettingsTest() override { SettingsFilePath.clear(); }

  static std::string WindowsDirectory() {
    char path[MAX_PATH] = {};
    const UINT count = GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path, count);
  }

  // The seam double with the Windows directory's settings file uncreatable; with `lineFails`, it
  // can be created, but its line cannot be written.
  velmtest::SysDouble& blocked(bool lineFails) {
    sys_.fails = [this, lineFails](const std::string& call) {
      if (lineFails) return velmtest::SysDouble::Is(call, "writeLine");
      return lstrcmpiA(call.c_str(), ("createText " + ini_).c_str()) == 0;
    };
    return sys_;
  }

  const std::string ini_;
  velmtest::SysDouble sys_;
  SavedFile savedIni_;
  SavedFile savedFallback_;
};

TEST_F(WindowsSettingsTest, RecordsTheFolderInTheWindowsDirectory) {
  ASSERT_TRUE(WriteFileBytes(ini_, "C:\\Old\r\nsecond line\r\n"));
  const std::string folder = "C:\\Program Files\\Τολβαν\\";

  SaveDataFolderSetting(folder);
  EXPECT_EQ(SettingsFilePath, ini_);
  EXPECT_EQ(FileContent(ini_), folder + "\r\n");

  // Known and still there: an empty folder keeps the line it holds.
  SaveDataFolderSetting("");
  EXPECT_EQ(FileContent(ini_), folder + "\r\n");

  // Gone: worked out afresh and written again.
  DeleteFileA(ini_.c_str());
  SaveDataFolderSetting("D:\\Λεξικά");
  EXPECT_EQ(SettingsFilePath, ini_);
  EXPECT_EQ(FileContent(ini_), "D:\\Λεξικά\r\n");
}

TEST_F(WindowsSettingsTest, FallsBackToCTolvanWhenTheWindowsDirectoryFileCannotBeCreated) {
  ASSERT_FALSE(IsFolder(kFallback));
  ScopedSys scoped(blocked(false));

  SaveDataFolderSetting("C:\\Program Files\\Tolvan");

  EXPECT_EQ(SettingsFilePath, kFallback);
  EXPECT_EQ(FileContent(kFallback), "C:\\Program Files\\Tolvan\r\n");
  EXPECT_FALSE(IsFile(ini_));
}

TEST_F(WindowsSettingsTest, FallbackThatIsAFolderRecordsNothing) {
  ASSERT_FALSE(IsFile(kFallback));
  struct MadeFolder {
    const bool made = CreateDirectoryA(kFallback, nullptr) != 0;
    ~MadeFolder() {
      if (made) {
        RemoveDirectoryA(kFallback);
      }
    }
  } folder;
  ASSERT_TRUE(IsFolder(kFallback));
  ScopedSys scoped(blocked(false));

  EXPECT_NO_THROW(SaveDataFolderSetting("C:\\Program Files\\Tolvan"));

  EXPECT_EQ(SettingsFilePath, kFallback);
  EXPECT_TRUE(IsFolder(kFallback));
  EXPECT_FALSE(IsFile(ini_));
  WIN32_FIND_DATAA found;
  const HANDLE search = FindFirstFileA("C:\\Tolvan\\*", &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  int entries = 0;
  do {
    const std::string name = found.cFileName;
    entries += name != "." && name != "..";
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ(entries, 0) << "something was written into C:\\Tolvan";
}

TEST_F(WindowsSettingsTest, LineThatCannotBeWrittenLeavesAnEmptyFile) {
  ASSERT_TRUE(WriteFileBytes(ini_, "C:\\Old\r\n"));
  ScopedSys scoped(blocked(true));

  EXPECT_NO_THROW(SaveDataFolderSetting("C:\\Program Files\\Tolvan"));

  EXPECT_EQ(SettingsFilePath, ini_);
  EXPECT_EQ(FileContent(ini_), "");
}

}  // namespace
}  // namespace velm
