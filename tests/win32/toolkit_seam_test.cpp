// The toolkit's file access goes through the shared routines' seam: a folder move or a picture
// read that the seam fails fails the toolkit's call, with nothing changed, as an installation
// test needs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Application.h"
#include "FolderControls.h"
#include "Form.h"
#include "Picture.h"
#include "SysCalls.h"

namespace {

class FailingSys : public velm::SysCalls {
 public:
  bool failFolderMoves = false;
  bool failReads = false;
  bool setCurrentDirectory(const std::string& path) override {
    return !failFolderMoves && SysCalls::setCurrentDirectory(path);
  }
  bool readFileAtMost(const std::string& path, std::size_t maxSize, std::string& bytes) override {
    return !failReads && SysCalls::readFileAtMost(path, maxSize, bytes);
  }
};

std::string TempFolder() {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  return temp;
}

std::string CurrentFolder() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

TEST(ToolkitSeamTest, AFolderMoveTheSeamFailsLeavesTheListAndTheWorkingDirectory) {
  tk::FormSpec props;
  props.clientWidth = 200;
  props.clientHeight = 150;
  tk::Form form(props);
  auto& list = form.add<tk::DirectoryList>("DirectoryListBox1", 8, 8, 177, 112);
  int changes = 0;
  list.onChange = [&](tk::DirectoryList&) { ++changes; };
  const std::string before = list.folder();
  const std::string working = CurrentFolder();
  FailingSys sys;
  velm::ScopedSys scoped(sys);
  sys.failFolderMoves = true;
  EXPECT_FALSE(list.setFolder(TempFolder()));
  EXPECT_EQ(list.folder(), before);
  EXPECT_EQ(CurrentFolder(), working);
  EXPECT_EQ(changes, 0);
  sys.failFolderMoves = false;
  EXPECT_TRUE(list.setFolder(TempFolder()));
  EXPECT_EQ(changes, 1);
  SetCurrentDirectoryA(working.c_str());
}

TEST(ToolkitSeamTest, APictureReadTheSeamFailsIsAPictureError) {
  // A 1 x 1 true-colour bitmap file.
  std::string bmp = std::string("BM") + std::string(12, '\0');
  bmp[2] = 58;
  bmp[10] = 54;
  std::string info(40, '\0');
  info[0] = 40;
  info[4] = info[8] = 1;
  info[12] = 1;
  info[14] = 24;
  bmp += info + std::string("\x10\x20\x30\0", 4);
  const std::string path =
      TempFolder() + "velm-seam-" + std::to_string(GetCurrentProcessId()) + ".bmp";
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, bmp.data(), static_cast<DWORD>(bmp.size()), &written, nullptr);
  CloseHandle(file);

  FailingSys sys;
  velm::ScopedSys scoped(sys);
  EXPECT_EQ(tk::Picture::FromFile(path).width(), 1);
  sys.failReads = true;
  EXPECT_THROW(tk::Picture::FromFile(path), tk::PictureError);
  DeleteFileA(path.c_str());
}

}  // namespace
