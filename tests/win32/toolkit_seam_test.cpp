// The toolkit's file access goes through the shared routines' seam: a folder move or a picture
// read that the seam fails fails the toolkit's call, with nothing changed, as an installation
// test needs it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Application.h"
#include "BitmapFiles.h"
#include "FolderControls.h"
#include "Form.h"
#include "Picture.h"
#include "SysDouble.h"
#include "TestFiles.h"
#include "TestForms.h"

namespace {

// The seam double with folder moves or file reads failing.
struct FailingSys : velmtest::SysDouble {
  bool failFolderMoves = false;
  bool failReads = false;
  FailingSys() {
    fails = [this](const std::string& call) {
      return (failFolderMoves && Is(call, "setCurrentDirectory")) ||
             (failReads && Is(call, "readFileAtMost"));
    };
  }
};

using velmtest::CurrentFolder;
using velmtest::TempFolder;

TEST(ToolkitSeamTest, AFolderMoveTheSeamFailsLeavesTheListAndTheWorkingDirectory) {
  tk::Form form(velmtest::FormSpecOf("", 200, 150));
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
  const velmtest::ScratchFolder folder("seam");
  const std::string path = folder.path() + "\\one.bmp";
  ASSERT_TRUE(velmtest::WriteFileBytes(
      path, velmtest::BitmapBytes(1, 1, [](int, int) { return 0x302010u; })));

  FailingSys sys;
  velm::ScopedSys scoped(sys);
  EXPECT_EQ(tk::Picture::FromFile(path).width(), 1);
  sys.failReads = true;
  EXPECT_THROW(tk::Picture::FromFile(path), tk::PictureError);
}

}  // namespace
