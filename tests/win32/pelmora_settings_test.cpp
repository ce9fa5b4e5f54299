// The settings file for real under Wine: written into the Windows directory, or into the file
// C:\Tolvan when the seam makes the Windows directory's file uncreatable, and nothing at all when
// C:\Tolvan is a folder. What the tests find there beforehand is put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "PelmoraLib.h"
#include "SysCalls.h"
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

// The Windows directory's settings file cannot be created; with `lineFails`, it can, but its
// line cannot be written.
class BlockedSettingsFile : public SysCalls {
 public:
  BlockedSettingsFile(std::string path, bool lineFails)
      : path_(std::move(path)), lineFails_(lineFails) {}

  std::unique_ptr<TextWriter> createText(const std::string& path) override {
    const bool blocked = lstrcmpiA(path.c_str(), path_.c_str()) == 0;
    if (blocked && !lineFails_) {
      return nullptr;
    }
    std::unique_ptr<TextWriter> real = SysCalls::createText(path);
    if (blocked && real != nullptr) {
      return std::make_unique<FailingWriter>(std::move(real));
    }
    return real;
  }

 private:
  class FailingWriter : public TextWriter {
   public:
    explicit FailingWriter(std::unique_ptr<TextWriter> real) : real_(std::move(real)) {}
    bool writeLine(const std::string&) override { return false; }
    bool close() override { return real_->close(); }

   private:
    std::unique_ptr<TextWriter> real_;
  };

  std::string path_;
  bool lineFails_;
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

  const std::string ini_;
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
  BlockedSettingsFile blocked(ini_, false);
  ScopedSys scoped(blocked);

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
  BlockedSettingsFile blocked(ini_, false);
  ScopedSys scoped(blocked);

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
  BlockedSettingsFile blocked(ini_, true);
  ScopedSys scoped(blocked);

  EXPECT_NO_THROW(SaveDataFolderSetting("C:\\Program Files\\Tolvan"));

  EXPECT_EQ(SettingsFilePath, ini_);
  EXPECT_EQ(FileContent(ini_), "");
}

}  // namespace
}  // namespace velm
